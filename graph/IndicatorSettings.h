// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/Exposure.h"
#include "analysis/NoiseEvents.h"
#include "analysis/Periods.h"

#include <QString>

#include <optional>

namespace ql708::graph {

// What the Indicators window is set to, remembered between sessions.
struct IndicatorSettings {
    analysis::EventRules events;
    float limit = analysis::kDefaultLimit;
    bool limitLine = false;
    analysis::PeriodBounds bounds;
    bool operator==(const IndicatorSettings &) const = default;
};

// A level for a threshold or limit: 0 to 200 dB.
bool isIndicatorLevel(double dB);
// A minimum event duration: 0 to a day, in seconds.
bool isEventDuration(double seconds);
// Whether every value is one the window takes.
bool isValid(const IndicatorSettings &s);

// The remembered settings; a missing, foreign or out-of-bounds value gives its default.
IndicatorSettings readIndicatorSettings();
// Writes them; a store that cannot be written is ignored.
void writeIndicatorSettings(const IndicatorSettings &s);

} // namespace ql708::graph
