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
    : series_(boundedSeries(series)),
      limit_(limit),
      tree_(series_.levels, limit),
      percentiles_(series_.levels)
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
    const RunTotals t = tree_.totals(f.first, f.last);
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
        f.exceeded = percentiles_.exceeded(f.first, f.last);
    }
    f.levels.outOfRange = t.outOfRange;
    f.exposure = exposureOf(e, series_.intervalSeconds, series_.aWeighted, limit_);
    if (f.leq)
        f.sel = soundExposureLevel(*f.leq, f.exposure.seconds);
    return f;
}

} // namespace ql708::analysis
