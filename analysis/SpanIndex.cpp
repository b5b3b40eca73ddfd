// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/SpanIndex.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace ql708::analysis {

namespace {

// Indices are ints throughout, as in every level statistic of the program.
LevelSeries boundedSeries(LevelSeries s)
{
    s.levels = s.levels.first(std::min<size_t>(s.levels.size(), INT_MAX));
    return s;
}

} // namespace

SpanIndex::SpanIndex(const LevelSeries &series, float limit)
    : m_series(boundedSeries(series)),
      m_limit(limit),
      m_tree(m_series.levels, limit),
      m_percentiles(m_series.levels)
{
}

SpanFigures SpanIndex::figures(int a, int b) const
{
    SpanFigures f;
    if (size() == 0)
        return f;
    f.first = std::clamp(std::min(a, b), 0, size() - 1);
    f.last = std::clamp(std::max(a, b), 0, size() - 1);
    f.readings = f.last - f.first + 1;
    const RunTotals t = m_tree.totals(f.first, f.last);
    f.outOfRange = t.outOfRange;
    f.gaps = f.readings - t.levels - t.outOfRange;

    ExposureTotals e;
    e.levels = t.levels;
    e.oshaShares = t.oshaShares;
    e.nioshShares = t.nioshShares;
    e.atOrAboveLimit = t.atOrAboveLimit;
    if (t.levels > 0) {
        f.levels = {.count = t.levels, .max = t.max, .min = t.min, .maxIndex = t.maxIndex,
                    .minIndex = t.minIndex, .mean = t.dbSum / t.levels};
        f.leq = leqOf(t);
        e.leq = f.leq;
        f.exceeded = m_percentiles.exceeded(f.first, f.last);
    }
    f.levels.outOfRange = t.outOfRange;
    f.exposure = exposureOf(e, m_series.intervalSeconds, m_series.aWeighted, m_limit);
    if (f.leq)
        f.sel = soundExposureLevel(*f.leq, f.exposure.seconds);
    return f;
}

} // namespace ql708::analysis
