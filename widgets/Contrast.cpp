// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/Contrast.h"

#include <algorithm>
#include <cmath>

namespace ql708 {

namespace {

double channel(double c)
{
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &c)
{
    return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

// The colour a step of t (0 to 1) of the way towards target.
QColor towards(const QColor &from, const QColor &target, double t)
{
    auto mix = [t](double a, double b) { return a + (b - a) * t; };
    return QColor::fromRgbF(float(mix(from.redF(), target.redF())), float(mix(from.greenF(), target.greenF())),
                            float(mix(from.blueF(), target.blueF())));
}

} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor &wanted, const QColor &background, double minimum)
{
    if (contrastRatio(wanted, background) >= minimum)
        return wanted;
    const QColor target = luminance(background) < 0.18 ? QColor(Qt::white) : QColor(Qt::black);
    constexpr int kSteps = 20;
    for (int i = 1; i < kSteps; ++i) {
        const QColor c = towards(wanted, target, double(i) / kSteps);
        if (contrastRatio(c, background) >= minimum)
            return c;
    }
    return target;
}

} // namespace ql708
