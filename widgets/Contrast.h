// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

namespace ql708 {

// The contrast of two colours as the accessibility guidelines measure it: from 1 (the same
// lightness) to 21 (black on white).
double contrastRatio(const QColor &a, const QColor &b);

// The colour itself when it reads well on the background (a ratio of at least minimum), else
// the same hue made lighter on a dark background or darker on a light one until it does: a
// blue cursor label stays blue on a dark desktop, and readable.
QColor readableOn(const QColor &wanted, const QColor &background, double minimum = 4.5);

} // namespace ql708
