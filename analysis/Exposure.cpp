// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/Exposure.h"

#include <cmath>

namespace ql708::analysis {

namespace {

constexpr double kEightHours = 8.0 * 3600.0;

bool reachedAsShown(double level, double value)
{
    return std::round(level * 10.0) >= std::round(value * 10.0);
}

Dose doseOf(const DoseRule &rule, double shares, int levels, double intervalSeconds)
{
    Dose d;
    d.percent = 100.0 * shares * intervalSeconds / kEightHours;
    d.projected8h = 100.0 * shares / levels;
    if (d.percent > 0.0)
        d.twa = rule.twaFactor * std::log10(d.percent / 100.0) + rule.criterion;
    return d;
}

} // namespace

Exposure exposureOf(const ExposureTotals &totals, double intervalSeconds, bool aWeighted, float limit)
{
    Exposure e;
    e.aWeighted = aWeighted;
    e.limit = limit;
    if (totals.levels <= 0 || !(intervalSeconds > 0.0) || !std::isfinite(intervalSeconds))
        return e;
    e.seconds = totals.levels * intervalSeconds;
    e.secondsAtOrAboveLimit = totals.atOrAboveLimit * intervalSeconds;
    if (totals.leq) {
        const double lex = *totals.leq + 10.0 * std::log10(e.seconds / kEightHours);
        e.lex8h = lex;
        e.lowerActionReached = reachedAsShown(lex, kLowerActionValue);
        e.upperActionReached = reachedAsShown(lex, kUpperActionValue);
        e.limitValueReached = reachedAsShown(lex, kExposureLimitValue);
    }
    e.osha = doseOf(kOshaDose, totals.oshaShares, totals.levels, intervalSeconds);
    e.niosh = doseOf(kNioshDose, totals.nioshShares, totals.levels, intervalSeconds);
    return e;
}

} // namespace ql708::analysis
