// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

// The front panel's pictures, drawn by our own code at the screen's device pixel ratio so
// they stay crisp; each image reports its logical size through its devicePixelRatio.
namespace ql708::panelart {

// The meter's front, 186 x 470: body, LCD glass with its unlit segments and scale, keys.
QImage background(qreal dpr);
// Large LCD digit 39 x 70: 0-9, 10 blank, 11 and 12 minus, 13 L, 14 E, 15 small r.
QImage lcdDigit(int index, qreal dpr);
// Small LCD digit 13 x 22 for the clock, 0-9.
QImage lcdSmallDigit(int digit, qreal dpr);
QImage colon(qreal dpr);
QImage decimalPoint(qreal dpr);
QImage battery(qreal dpr);
QImage underMark(qreal dpr);
QImage overMark(qreal dpr);
// The bar graph's strip, green to red; the bar shows its left part.
QImage colorStrip(qreal dpr);

// The colour of lit LCD segments, for the panel's text indicators.
QColor lcdInk();

} // namespace ql708::panelart
