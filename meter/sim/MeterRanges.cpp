// SPDX-License-Identifier: GPL-3.0-or-later
#include "meter/sim/MeterRanges.h"

#include "meter/MeterStatus.h"

namespace ql708 {

namespace {
constexpr RangeInfo kRanges[] = {
    {kRange30to90, 0x00, 300, 900},
    {kRange50to110, 0x04, 500, 1100},
    {kRange70to130, 0x08, 700, 1300},
    {kRange30to130, 0x0C, 300, 1300},
};
} // namespace

const RangeInfo &rangeByCode(std::uint8_t code)
{
    for (const RangeInfo &r : kRanges)
        if (r.code == code)
            return r;
    return kRanges[3];
}

const RangeInfo &rangeByFlags(std::uint8_t flags)
{
    for (const RangeInfo &r : kRanges)
        if (r.flagBits == (flags & memory_layout::kFlagRangeMask))
            return r;
    return kRanges[3];
}

std::uint16_t loggedPoint(int tenths, const RangeInfo &range)
{
    using namespace memory_layout;
    const std::uint16_t rangeMark = std::uint16_t(range.flagBits << kPointRangeShift);
    if (tenths > range.highTenths)
        return kPointOverMark | rangeMark | kPointLevelMask;
    if (tenths < range.lowTenths)
        return kPointUnderMark | rangeMark;
    return rangeMark | std::uint16_t(tenths);
}

} // namespace ql708
