// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graph/GraphState.h"

#include <QLocale>
#include <QStringList>
#include <optional>

namespace ql708::graph {

// The rate box offers 0.5, 1, 2, 5, 10, 20 and 30 seconds.
constexpr int kRateEntryCount = 7;

// The entry that stands for a rate: below 0.55 entry 0, ... below 30.5 entry 6; none above
// (the box then keeps its selection).
std::optional<int> rateEntry(double rate);

// The entries with one decimal in the locale's number format ("0,5" with a comma).
QStringList rateEntryTexts(const QLocale &locale = QLocale());

struct RateChange {
    bool refused = false;     // real-time runs: tell the user the rate cannot change now
    std::optional<int> entry; // put the box back on this entry
};
// The rate box's text changed: outside a run a rate in the locale's format becomes the rate
// (other text changes nothing); during a run the rate stays, and a pick of another entry than
// the one for the rate is refused and the box goes back.
RateChange samplingRateChanged(const QString &text, RealTimeRunState &state, const QLocale &locale = QLocale());

} // namespace ql708::graph
