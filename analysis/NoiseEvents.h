// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/BlockTree.h"
#include "analysis/LevelSeries.h"

#include <optional>
#include <vector>

namespace ql708::analysis {

struct EventRules {
    float threshold = 85.0f;      // a reading at or above it belongs to an event
    double minimumSeconds = 0.0;  // shorter runs are not events
    bool operator==(const EventRules &) const = default;
};

// A run of consecutive readings at or above the threshold. A gap or an out-of-range reading ends
// the run: no level is known there, and none is made up. touchesMissing tells that such a reading
// sits right before or after the run, so the event may have been longer than shown.
struct NoiseEvent {
    int first = 0; // readings, both included
    int last = 0;
    TDateTime start = 0.0; // time of the first reading; 0 when the series has no times
    double seconds = 0.0;  // readings × interval
    float lmax = 0.0f;
    int lmaxIndex = 0; // series index, the first of equal maxima
    double sel = 0.0;  // Leq + 10 lg(seconds / 1 s); the Leq when the interval is not positive
    bool touchesMissing = false;
};

struct EventList {
    std::vector<NoiseEvent> events; // their count is NA<threshold>, NA85 by default
    double totalSeconds = 0.0;
};

// The events of readings that come one at a time, as a monitor receives them: each event is
// given once the reading that ends it arrives. findEvents runs its series through one.
class EventDetector {
public:
    // previousMissing: the reading before the first one given is a gap or out of range.
    EventDetector(const EventRules &rules, double intervalSeconds, bool previousMissing = false);

    // The next reading, at series index with its time; the event it ends, if any.
    std::optional<NoiseEvent> add(int index, TDateTime time, float level);
    // No more readings come (the span ends); nextMissing: the one after the last is missing.
    // The event the last readings were in, if any.
    std::optional<NoiseEvent> finish(bool nextMissing = false);

    bool inEvent() const { return m_run.levels > 0; }
    int eventFirst() const { return m_first; } // the first reading of the run, while inEvent()

private:
    std::optional<NoiseEvent> end(bool nextMissing);

    EventRules m_rules;
    double m_interval;
    bool m_previousMissing;
    RunTotals m_run;
    int m_first = 0, m_last = 0;
    TDateTime m_start = 0.0;
    bool m_startTouchesMissing = false;
};

// The events among readings first..last (both included, taken to the series' ends); a run
// crossing the span's edge is cut there.
EventList findEvents(const LevelSeries &series, const EventRules &rules, int first, int last);
inline EventList findEvents(const LevelSeries &series, const EventRules &rules = {})
{
    return findEvents(series, rules, 0, int(series.levels.size()) - 1);
}

} // namespace ql708::analysis
