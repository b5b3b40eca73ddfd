// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/SeriesAnalysis.h"

#include <algorithm>

namespace ql708::graph {

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
        const analysis::LevelSeries levels{{s.x, n}, {s.y, n}, analysis::readingInterval({s.x, n}, m_traits.knownInterval),
                                           m_traits.aWeighted};
        m_index.emplace(levels, m_traits.limit);
    }
    return *m_index;
}

} // namespace ql708::graph
