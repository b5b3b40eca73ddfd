// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/Exposure.h"
#include "analysis/SpanIndex.h"
#include "graph/GraphStatistics.h"

#include <optional>

namespace ql708::graph {

// What a series is, beyond its points: how long each reading stands for, whether its levels are
// A-weighted, and the level whose time at or above is counted.
struct SeriesTraits {
    double knownInterval = 0.0; // 0: not known, the times tell
    bool aWeighted = true;
    float limit = analysis::kDefaultLimit;
    bool operator==(const SeriesTraits &) const = default;
};

// A graph's series prepared for the figures of any span of it: built once, when first asked for
// after the series or its traits changed, so that the figures between the cursors follow a
// dragged cursor in logarithmic time. A series that grows (a real-time run) is only marked as
// changed point by point; the index is built again when figures are next asked for.
class SeriesAnalysis {
public:
    // The series' points or their times changed.
    void invalidate() { m_index.reset(); }
    void setTraits(const SeriesTraits &traits);
    const SeriesTraits &traits() const { return m_traits; }

    // The index over s (which must stay unchanged until the next invalidate()).
    const analysis::SpanIndex &index(const Series &s);

private:
    SeriesTraits m_traits;
    Series m_series;
    std::optional<analysis::SpanIndex> m_index;
};

} // namespace ql708::graph
