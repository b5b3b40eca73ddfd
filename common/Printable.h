// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>

namespace ql708 {

// Text from files, meters or the command line as a terminal is to show it: control characters
// (C0, DEL and C1) and bytes that are no UTF-8 as \xHH, a backslash as \\, so that no text can
// move the cursor, clear the screen, retitle the window or pass for other text. Line feeds stay
// when keepLines is set (a message of several lines).
QString printable(QByteArrayView utf8, bool keepLines = false);
QString printable(const QString &text, bool keepLines = false);

} // namespace ql708
