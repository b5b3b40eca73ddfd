// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/DateTime.h"

#include <QString>

#include <cstdint>

namespace ql708::data {

// The texts by which the data set list shows a set's fields.

// A rate as minutes and seconds, two digits each: 2 s gives "00:02", 60 s "01:00".
QString rateText(int seconds);
// The measuring range from mode flag bits 2-3: "30-90", "50-110", "70-130" or "30-130".
QString rangeText(std::uint8_t flags);
// "dBA" when flag bit 1 is set, else "dBC".
QString weightingText(std::uint8_t flags);
// Whether the set was measured with A weighting (flag bit 1).
bool isAWeighted(std::uint8_t flags);
// "FAST" when flag bit 0 is set, else "SLOW".
QString responseText(std::uint8_t flags);
// The time of day as "HH:mm:ss".
QString clockText(TDateTime t);

} // namespace ql708::data
