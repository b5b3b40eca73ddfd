// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>

namespace ql708 {

// A level or number as shown and written: fixed, one decimal, the locale's separator;
// non-finite numbers read "INF" or "NAN".
QString formatLevel(double v, const QLocale &locale = QLocale());

// Reads a decimal number in the locale's format; false when the text is not one.
bool parseDecimal(const QString &text, double &out, const QLocale &locale = QLocale());

// Reads a whole number (surrounding blanks allowed); false when the text is not one.
bool parseWhole(const QString &text, long long &out);

} // namespace ql708
