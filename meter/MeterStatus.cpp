// SPDX-License-Identifier: GPL-3.0-or-later
#include "meter/MeterStatus.h"

#include <algorithm>

namespace ql708 {

namespace {
std::uint16_t be16(const ReplyBuffer &r, int at) { return std::uint16_t(r[at] << 8 | r[at + 1]); }
} // namespace

std::uint16_t MeterStatus::shownLevel() const
{
    if (maxMinActive && maxMinMode == kMaxHeld)
        return maxLevel;
    if (maxMinActive && maxMinMode == kMinHeld)
        return minLevel;
    return level;
}

MeterStatus decodeMeterStatus(const ReplyBuffer &r)
{
    using namespace status_layout;
    MeterStatus s;
    const std::uint8_t f = r[kFlags];
    s.recording = f & kRecordingBit;
    s.maxMinActive = f & kMaxMinBit;
    s.aWeighting = f & kAWeightingBit;
    s.fastResponse = f & kFastBit;
    s.under = f & kUnderBit;
    s.over = f & kOverBit;
    s.memoryFull = r[kFlags2] & kMemoryFullBit;
    s.rangeCode = r[kRange];
    s.maxMinMode = r[kMaxMinMode];
    s.level = be16(r, kLevel);
    s.maxLevel = be16(r, kMaxLevel);
    s.minLevel = be16(r, kMinLevel);
    s.clockSeconds = r[kSeconds];
    s.clockMinutes = r[kMinutes];
    s.clockHours = r[kHours];
    s.clockMonth = r[kMonth];
    s.clockDay = r[kDay];
    s.clockYear = r[kYear];
    return s;
}

bool rangeLimits(std::uint8_t rangeCode, int &lowDb, int &highDb)
{
    switch (rangeCode) {
    case kRange30to90: lowDb = 30; highDb = 90; return true;
    case kRange50to110: lowDb = 50; highDb = 110; return true;
    case kRange70to130: lowDb = 70; highDb = 130; return true;
    case kRange30to130: lowDb = 30; highDb = 130; return true;
    default: return false;
    }
}

bool isHandshakeReply(const ReplyBuffer &r)
{
    return std::equal(kHandshakeId.begin(), kHandshakeId.end(), r.begin() + kHandshakeIdOffset);
}

} // namespace ql708
