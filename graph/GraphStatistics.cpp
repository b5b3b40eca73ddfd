// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/GraphStatistics.h"

#include <algorithm>

namespace ql708::graph {

SeriesFigures seriesFigures(const Series &s)
{
    SeriesFigures f;
    if (s.n <= 0)
        return f;
    f.first = s.x[0];
    f.last = s.x[s.n - 1];
    f.rate = (f.last - f.first) * 86400.0 / s.n;
    f.levels = summarizeLevels({s.y, size_t(s.n)});
    return f;
}

CursorFigures cursorFigures(const analysis::SpanIndex &index, int a, int b)
{
    CursorFigures f;
    const int n = index.size();
    if (n <= 0)
        return f;
    f.a = std::clamp(a, 0, n - 1);
    f.b = std::clamp(b, 0, n - 1);
    const analysis::SpanFigures span = index.figures(f.a, f.b);
    f.lo = span.first;
    f.hi = span.last;
    f.levels = span.levels;
    const auto times = index.series().times;
    if (times.size() == size_t(n))
        f.seconds = (times[size_t(f.hi)] - times[size_t(f.lo)]) * 86400.0;
    f.leq = span.leq;
    f.sel = span.sel;
    f.exceeded = span.exceeded;
    return f;
}

int nearestPoint(const double *x, int n, double t)
{
    if (n <= 0)
        return -1;
    int lo = 0, hi = n;
    while (hi - lo > 1) {
        const int mid = lo + (hi - lo) / 2;
        if (x[mid] > t)
            hi = mid;
        else if (x[mid] < t)
            lo = mid;
        else
            lo = hi = mid;
    }
    if (hi == n)
        hi = n - 1;
    return t - x[lo] < x[hi] - t ? lo : hi;
}

CursorPoints startingCursorPoints(int n)
{
    if (n <= 0)
        return {};
    return {n / 3, int(2LL * n / 3), 0};
}

std::vector<float> runningLeqSeries(const float *y, int n)
{
    std::vector<float> leq;
    float previous = kGapLevel;
    int measured = 0;
    for (int i = 0; i < n; ++i) {
        const float level = y[i];
        if (level > kCalLeqLevelLimit || isGapLevel(level))
            break;
        if (!isOutOfRangeLevel(level))
            previous = runningLeqStep(previous, level, ++measured);
        leq.push_back(previous);
    }
    return leq;
}

} // namespace ql708::graph
