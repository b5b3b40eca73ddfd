// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>

#include <cstdint>

namespace ql708 {

class LoggerMemory;

// Writes the simulated meter's example recordings into an empty memory, on the days before
// today. They hold what a real logger holds besides clean readings: readings over and under
// the range, the meter's marks in the upper bits of the points, a set recorded at interval
// 00:00 and a set whose interval byte lies beyond a minute.
void writeExampleSets(LoggerMemory &memory, std::uint32_t seed, const QDate &today);

} // namespace ql708
