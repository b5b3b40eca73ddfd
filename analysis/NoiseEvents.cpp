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

} // namespace

EventDetector::EventDetector(const EventRules &rules, double intervalSeconds, bool previousMissing)
    : m_rules(rules), m_interval(intervalSeconds), m_previousMissing(previousMissing)
{
}

std::optional<NoiseEvent> EventDetector::add(int index, TDateTime time, float level)
{
    const bool measured = isMeasuredLevel(level);
    if (!measured || level < m_rules.threshold) {
        std::optional<NoiseEvent> ended = inEvent() ? end(!measured) : std::nullopt;
        m_previousMissing = !measured;
        return ended;
    }
    if (!inEvent()) {
        m_first = index;
        m_start = time;
        m_startTouchesMissing = m_previousMissing;
    }
    m_last = index;
    addReading(m_run, level, index, m_rules.threshold);
    m_previousMissing = false;
    return std::nullopt;
}

std::optional<NoiseEvent> EventDetector::finish(bool nextMissing)
{
    return inEvent() ? end(nextMissing) : std::nullopt;
}

std::optional<NoiseEvent> EventDetector::end(bool nextMissing)
{
    NoiseEvent e;
    e.first = m_first;
    e.last = m_last;
    e.start = m_start;
    const bool timed = m_interval > 0.0 && std::isfinite(m_interval);
    e.seconds = timed ? m_run.levels * m_interval : 0.0;
    e.lmax = m_run.max;
    e.lmaxIndex = m_run.maxIndex;
    const double leq = *leqOf(m_run);
    e.sel = soundExposureLevel(leq, e.seconds).value_or(leq);
    e.touchesMissing = m_startTouchesMissing || nextMissing;
    m_run = {};
    if (e.seconds < m_rules.minimumSeconds)
        return std::nullopt;
    return e;
}

EventList findEvents(const LevelSeries &series, const EventRules &rules, int first, int last)
{
    EventList list;
    const int n = int(std::min<size_t>(series.levels.size(), INT_MAX));
    if (n == 0)
        return list;
    const int begin = std::clamp(std::min(first, last), 0, n - 1);
    const int end = std::clamp(std::max(first, last), 0, n - 1) + 1;
    auto keep = [&list](const std::optional<NoiseEvent> &e) {
        if (!e)
            return;
        list.events.push_back(*e);
        list.totalSeconds += e->seconds;
    };
    EventDetector detector(rules, series.intervalSeconds, isMissing(series.levels, begin - 1));
    for (int i = begin; i < end; ++i)
        keep(detector.add(i, size_t(i) < series.times.size() ? series.times[size_t(i)] : 0.0,
                          series.levels[size_t(i)]));
    keep(detector.finish(isMissing(series.levels, end)));
    return list;
}

} // namespace ql708::analysis
