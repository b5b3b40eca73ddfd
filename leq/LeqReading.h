// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/DateTime.h"
#include "meter/Protocol.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>

namespace ql708::leq {

// One status reply as the LEQ measurement reads it: the present level (a held MAX or MIN
// plays no part) and the meter's clock.
struct LeqReading {
    std::uint16_t levelTenths = 0;
    float levelDb = 0.0f;
    // The raw seconds byte: a new second starts whenever it changes, whatever it holds.
    std::uint8_t secondsByte = 0;
    // The meter's clock; false when its bytes are not BCD or name no valid date and time,
    // and the computer's clock stands in (time then 0 until the caller sets it).
    bool fromMeterClock = false;
    TDateTime time = 0.0;
};

// Decodes a reply. Framing and the sequence echo are not looked at: the level and the clock
// are all the measurement needs.
LeqReading decodeReading(const ReplyBuffer &reply);
// The time that stands in for a meter clock that does not decode: now, in whole seconds.
TDateTime pcClockTime(const QDateTime &now);

// The run length of an entry of the duration list (0 "10 sec" ... 9 "Manual"); nullopt for
// no entry (text typed into the box).
std::optional<int> durationOfEntry(int index);
constexpr int kDurationEntries = 10;

// Seconds as hours:minutes:seconds without leading zeros: 600 s reads "0:10:0".
QString timeLeftText(int seconds);

} // namespace ql708::leq
