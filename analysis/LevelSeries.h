// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/DateTime.h"
#include "analysis/LevelStatistics.h"

#include <span>

namespace ql708::analysis {

// A series of readings taken every intervalSeconds. One reading stands for one interval, so n
// readings cover n intervals. Times (local wall clock, rising) are needed only for the clock
// periods; they may be left empty otherwise. The spans point into the caller's data, which must
// outlive every object built on the series.
struct LevelSeries {
    std::span<const TDateTime> times;
    std::span<const float> levels;
    double intervalSeconds = 1.0;
    bool aWeighted = true; // false for a C-weighted set: its exposure figures are not dB(A)
};

} // namespace ql708::analysis
