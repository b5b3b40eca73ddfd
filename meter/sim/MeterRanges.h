// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace ql708 {

// The simulated meter's four measuring ranges: the status code, the bits a record's mode
// flags give them, and their bounds in tenths of a dB.
struct RangeInfo {
    std::uint8_t code;
    std::uint8_t flagBits; // bits 2-3 of a record's mode flags
    std::uint16_t lowTenths, highTenths;
};

// The range of a status range code; an unknown code gives 30-130.
const RangeInfo &rangeByCode(std::uint8_t code);
// The range named by bits 2-3 of a record's mode flags.
const RangeInfo &rangeByFlags(std::uint8_t flags);

// A logged point as the meter stores it, two bytes big-endian, with the meter's marks
// (memory_layout). A reading outside the range is stored as the converter's floor (0) or
// ceiling (0xFFF), both outside 20.0-140.0, so it reads as no level.
std::uint16_t loggedPoint(int tenths, const RangeInfo &range);

} // namespace ql708
