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

// The time one reading stands for, in seconds: the interval it was recorded at when that is known
// (a data set's recording interval, a real-time run's sampling rate), else the median spacing of
// the times, to the millisecond. 0 when neither gives a positive time (one point, or every point
// at the same time): the series then has no duration.
double readingInterval(std::span<const TDateTime> times, double knownSeconds = 0.0);

} // namespace ql708::analysis
