// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/SeriesAnalysis.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace ql708::graph {

double seriesInterval(const Series &s, double knownSeconds)
{
    if (knownSeconds > 0.0 && std::isfinite(knownSeconds))
        return knownSeconds;
    if (s.n < 2)
        return 0.0;
    std::vector<double> steps(size_t(s.n - 1));
    for (int i = 1; i < s.n; ++i)
        steps[size_t(i - 1)] = (s.x[i] - s.x[i - 1]) * 86400.0;
    const auto middle = steps.begin() + std::ptrdiff_t(steps.size() / 2);
    std::nth_element(steps.begin(), middle, steps.end());
    const double seconds = std::round(*middle * 1000.0) / 1000.0;
    return seconds > 0.0 && std::isfinite(seconds) ? seconds : 0.0;
}

void SeriesAnalysis::setTraits(const SeriesTraits &traits)
{
    if (traits == m_traits)
        return;
    m_traits = traits;
    invalidate();
}

const analysis::SpanIndex &SeriesAnalysis::index(const Series &s)
{
    if (!m_index || s.x != m_series.x || s.y != m_series.y || s.n != m_series.n) {
        m_series = s;
        const size_t n = size_t(std::max(s.n, 0));
        const analysis::LevelSeries levels{{s.x, n}, {s.y, n}, seriesInterval(s, m_traits.knownInterval),
                                           m_traits.aWeighted};
        m_index.emplace(levels, m_traits.limit);
    }
    return *m_index;
}

} // namespace ql708::graph
