// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/NoiseEvents.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace ql708::analysis {

namespace {

bool isMissing(std::span<const float> levels, int i)
{
    return i >= 0 && i < int(levels.size()) && !isMeasuredLevel(levels[size_t(i)]);
}

NoiseEvent eventOf(const LevelSeries &s, int first, int last)
{
    const std::span<const float> run = s.levels.subspan(size_t(first), size_t(last - first + 1));
    const LevelSummary summary = summarizeLevels(run);
    NoiseEvent e;
    e.first = first;
    e.last = last;
    if (size_t(first) < s.times.size())
        e.start = s.times[size_t(first)];
    const bool timed = s.intervalSeconds > 0.0 && std::isfinite(s.intervalSeconds);
    e.seconds = timed ? summary.count * s.intervalSeconds : 0.0;
    e.lmax = summary.max;
    e.lmaxIndex = first + summary.maxIndex;
    const double leq = *equivalentLevel(run, summary);
    e.sel = soundExposureLevel(leq, e.seconds).value_or(leq);
    e.touchesMissing = isMissing(s.levels, first - 1) || isMissing(s.levels, last + 1);
    return e;
}

} // namespace

EventList findEvents(const LevelSeries &series, const EventRules &rules, int first, int last)
{
    EventList list;
    const int n = int(std::min<size_t>(series.levels.size(), INT_MAX));
    if (n == 0)
        return list;
    const int begin = std::clamp(std::min(first, last), 0, n - 1);
    const int end = std::clamp(std::max(first, last), 0, n - 1) + 1;
    auto inEvent = [&](int i) {
        const float v = series.levels[size_t(i)];
        return isMeasuredLevel(v) && v >= rules.threshold;
    };
    for (int i = begin; i < end;) {
        if (!inEvent(i)) {
            ++i;
            continue;
        }
        int j = i;
        while (j + 1 < end && inEvent(j + 1))
            ++j;
        const NoiseEvent e = eventOf(series, i, j);
        if (e.seconds >= rules.minimumSeconds) {
            list.events.push_back(e);
            list.totalSeconds += e.seconds;
        }
        i = j + 1;
    }
    return list;
}

} // namespace ql708::analysis
