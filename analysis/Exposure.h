// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <optional>

namespace ql708::analysis {

// A noise dose rule: criterion dB held for 8 hours is a dose of 100 %, every exchangeRate dB more
// halves the time allowed, and readings below threshold add nothing. The time-weighted average
// comes back from the dose as twaFactor · lg(D / 100) + criterion.
struct DoseRule {
    double criterion;
    double exchangeRate;
    double threshold;
    double twaFactor;
};
inline constexpr DoseRule kOshaDose{90.0, 5.0, 80.0, 16.61};
inline constexpr DoseRule kNioshDose{85.0, 3.0, 80.0, 10.0};

// One reading's share of a dose: 2^((L - criterion) / exchangeRate), or 0 below the threshold.
// A run's dose is 100 · Σ share · Δt / 8 h.
inline double doseShare(const DoseRule &rule, float level)
{
    return level >= rule.threshold ? std::exp2((level - rule.criterion) / rule.exchangeRate) : 0.0;
}

// The daily exposure values on LEX,8h, in dB(A).
inline constexpr double kLowerActionValue = 80.0;
inline constexpr double kUpperActionValue = 85.0;
inline constexpr double kExposureLimitValue = 87.0;

// The level whose time at or above is counted, unless the user chooses another.
inline constexpr float kDefaultLimit = 85.0f;

// What the readings of a run add up to, gaps and out-of-range readings left out.
struct ExposureTotals {
    int levels = 0;
    std::optional<double> leq;
    double oshaShares = 0.0;
    double nioshShares = 0.0;
    int atOrAboveLimit = 0;
};

struct Dose {
    double percent = 0.0;      // over the time measured
    double projected8h = 0.0;  // the same exposure held for 8 hours
    std::optional<double> twa; // absent for a dose of 0
};

// The exposure of one run. T counts the readings that carry a level (levels × interval); without
// T (no level, or an interval that is not a positive number) there is no LEX,8h and no dose.
struct Exposure {
    bool aWeighted = true; // false: the figures are not dB(A) and only indicative
    double seconds = 0.0;
    std::optional<double> lex8h;
    // Reached when LEX,8h, rounded to the tenth it is shown with, is at or above the value: a
    // shown 87.0 never reads as below the limit.
    bool lowerActionReached = false;
    bool upperActionReached = false;
    bool limitValueReached = false;
    std::optional<Dose> osha;
    std::optional<Dose> niosh;
    float limit = kDefaultLimit;
    double secondsAtOrAboveLimit = 0.0;
};

Exposure exposureOf(const ExposureTotals &totals, double intervalSeconds, bool aWeighted, float limit);

} // namespace ql708::analysis
