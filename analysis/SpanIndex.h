// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/BlockTree.h"
#include "analysis/Exposure.h"
#include "analysis/LevelSeries.h"
#include "analysis/PercentileIndex.h"

#include <cstddef>
#include <optional>

namespace ql708::analysis {

// Every figure of a run of readings: the whole series, between the cursors, an hour or a period.
struct SpanFigures {
    int first = -1; // the readings covered, both included; -1 for an empty series
    int last = -1;
    int readings = 0;
    int gaps = 0;
    int outOfRange = 0;
    LevelSummary levels; // count of the readings that carry a level; extremes at series indices
    std::optional<double> leq;
    std::optional<double> sel; // the energy sum over the levels' time: Leq + 10 lg(T / 1 s)
    std::optional<ExceededLevels> exceeded;
    Exposure exposure;
};

// A series prepared once so that the figures of any run of it come in logarithmic time: while a
// cursor is dragged over a million readings, the figures between the cursors follow it.
class SpanIndex {
public:
    SpanIndex() = default;
    // The series must outlive the index and stay unchanged. limit: the level whose time at or
    // above is counted; another limit needs another index.
    explicit SpanIndex(const LevelSeries &series, float limit = kDefaultLimit);

    const LevelSeries &series() const { return m_series; }
    int size() const { return int(m_series.levels.size()); }

    // The readings from a to b, both included, given in either order; indices outside the series
    // are taken to its nearest end.
    SpanFigures figures(int a, int b) const;
    SpanFigures whole() const { return figures(0, size() - 1); }

    std::size_t memoryBytes() const { return m_tree.memoryBytes() + m_percentiles.memoryBytes(); }

private:
    LevelSeries m_series;
    float m_limit = kDefaultLimit;
    BlockTree m_tree;
    PercentileIndex m_percentiles;
};

} // namespace ql708::analysis
