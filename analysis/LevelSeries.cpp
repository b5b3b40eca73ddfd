// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/LevelSeries.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ql708::analysis {

double readingInterval(std::span<const TDateTime> times, double knownSeconds)
{
    if (knownSeconds > 0.0 && std::isfinite(knownSeconds))
        return knownSeconds;
    if (times.size() < 2)
        return 0.0;
    std::vector<double> steps(times.size() - 1);
    for (size_t i = 1; i < times.size(); ++i)
        steps[i - 1] = (times[i] - times[i - 1]) * 86400.0;
    const auto middle = steps.begin() + std::ptrdiff_t(steps.size() / 2);
    std::nth_element(steps.begin(), middle, steps.end());
    const double seconds = std::round(*middle * 1000.0) / 1000.0;
    return seconds > 0.0 && std::isfinite(seconds) ? seconds : 0.0;
}

} // namespace ql708::analysis
