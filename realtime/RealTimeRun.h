// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/DateTime.h"
#include "graph/GraphState.h"

#include <QtGlobal>
#include <optional>

namespace ql708::realtime {

// The most points one run may hold: 5.8 days at 0.5 s, about 12 MB of chart data.
constexpr int kMaxRunPoints = 1'000'000;

// Levels outside this band are no readings; the last good level stands in for them when it
// was above kStandInAbove.
constexpr float kLowestLevel = 20.0f;
constexpr float kHighestLevel = 140.0f;
constexpr float kStandInAbove = 30.0f;

// A point the run accepted, for the window to show.
struct RunPoint {
    int index = 0;      // its place in the chart
    TDateTime x = 0.0;  // when it was taken
    float y = 0.0f;     // its level, dB
    bool newMax = false; // it is the run's new maximum (the earlier of equal ones stays)
    bool newMin = false;
    bool redraw = true; // draw the chart now (at 0.5 s every second point is enough)
    bool full = false;  // the run has all its points: it stops
};

// The arithmetic of one real-time run: which status decodes become points, the levels they
// get, the run's maximum, minimum and sum. The shared flags (running, point count, last
// sampling instant, rate, unsaved) live in RealTimeRunState. Every step costs the same at the
// millionth point as at the first: nothing here looks at earlier points.
class RealTimeRun {
public:
    // A run of capacity points begins: no points, no extremes, no last good level.
    void start(int capacity, graph::RealTimeRunState &state);
    // A decoded status with its shown level in tenths of a dB, at now. A point when the
    // sampling interval has passed since the last instant and the level is usable;
    // halfSecondBox: the rate box shows its first entry, so every second point redraws.
    std::optional<RunPoint> append(quint16 shownLevel, TDateTime now, graph::RealTimeRunState &state,
                                   bool halfSecondBox);
    // The run ends; the state's point count stays for the window to keep.
    void stop(graph::RealTimeRunState &state);

    int capacity() const { return m_capacity; }
    float maximum() const { return m_max; }
    float minimum() const { return m_min; }
    TDateTime maximumTime() const { return m_maxTime; }
    TDateTime minimumTime() const { return m_minTime; }
    float lastGoodLevel() const { return m_lastGood; }
    // The arithmetic mean of the levels added (0 without points).
    double average(const graph::RealTimeRunState &state) const;

private:
    int m_capacity = 0;
    float m_max = -9999.0f;
    float m_min = 9999.0f;
    TDateTime m_maxTime = 0.0;
    TDateTime m_minTime = 0.0;
    float m_lastGood = 0.0f;
    double m_sum = 0.0;
};

} // namespace ql708::realtime
