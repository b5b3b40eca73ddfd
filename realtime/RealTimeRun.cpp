// SPDX-License-Identifier: GPL-3.0-or-later
#include "realtime/RealTimeRun.h"

namespace ql708::realtime {

namespace {
// Decodes come on the poll's 500 ms beat, give or take the timer's and the exchange's own
// jitter; a decode a little early for its instant still takes it, or a rate equal to the poll
// would drop a point now and then. (Times as days in doubles also lose a hair: 4 decodes 0.5 s
// apart can come out just short of 2 s.)
constexpr double kClockSlackSeconds = 0.05;
constexpr float kNoMaximum = -9999.0f;
constexpr float kNoMinimum = 9999.0f;
} // namespace

void RealTimeRun::start(int capacity, graph::RealTimeRunState &state)
{
    m_capacity = capacity;
    m_max = kNoMaximum;
    m_min = kNoMinimum;
    m_maxTime = m_minTime = 0.0;
    m_lastGood = 0.0f;
    m_sum = 0.0;
    state.realTimePointCount = 0;
    state.realTimeRunning = true;
}

std::optional<RunPoint> RealTimeRun::append(quint16 shownLevel, TDateTime now, graph::RealTimeRunState &state,
                                            bool halfSecondBox)
{
    if (!state.realTimeRunning || state.realTimePointCount >= m_capacity)
        return std::nullopt;
    if ((now - state.lastPointTime) / kSecond < double(state.RealTimeRate) - kClockSlackSeconds)
        return std::nullopt;
    // The instant is used up whether or not its level makes a point.
    state.lastPointTime = now;
    float v = float(shownLevel * 0.1);
    if (v > kHighestLevel || !(v >= kLowestLevel)) {
        if (!(m_lastGood > kStandInAbove))
            return std::nullopt;
        v = m_lastGood;
    } else {
        m_lastGood = v;
    }
    state.realTimeUnsaved = true;
    RunPoint p;
    p.index = state.realTimePointCount;
    p.x = now;
    p.y = v;
    if (v > m_max) {
        m_max = v;
        m_maxTime = now;
        p.newMax = true;
    }
    if (v < m_min) {
        m_min = v;
        m_minTime = now;
        p.newMin = true;
    }
    m_sum += v;
    const int count = ++state.realTimePointCount;
    p.redraw = !(halfSecondBox && count % 2 == 1);
    p.full = count >= m_capacity;
    return p;
}

void RealTimeRun::stop(graph::RealTimeRunState &state) { state.realTimeRunning = false; }

double RealTimeRun::average(const graph::RealTimeRunState &state) const
{
    return state.realTimePointCount > 0 ? m_sum / state.realTimePointCount : 0.0;
}

} // namespace ql708::realtime
