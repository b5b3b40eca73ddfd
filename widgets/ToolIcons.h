// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>

namespace ql708 {

// A tool bar icon: the desktop theme's icon of that name, else our own drawing of it.
// Names: document-open, document-save, document-print, go-down, x-office-spreadsheet,
// media-playback-start, media-playback-stop, help-contents.
QIcon toolIcon(const QString &name);

// The program's own icon (packaging/ql708.svg, the desktop's menu entry icon), one object for
// every window. Drawn by the SVG plugin of Qt (libqt6svg6).
QIcon programIcon();

} // namespace ql708
