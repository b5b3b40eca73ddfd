#pragma once

#include "meter/Frames.h"

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
    // The meter's clock, or the computer's (whole seconds) when the clock bytes are not BCD
    // or name no valid date and time.
    QDateTime time;
    bool fromMeterClock = false;
};

// Decodes a reply; pcNow stands in for a clock that does not decode. Framing and the sequence
// echo are not looked at: the level and the clock are all the measurement needs.
LeqReading decodeReading(const ReplyBuffer &reply, const QDateTime &pcNow);

// The run length of an entry of the duration list (0 "10 sec" ... 9 "Manual"); nullopt for
// no entry (text typed into the box).
std::optional<int> durationOfEntry(int index);
constexpr int kDurationEntries = 10;

// Seconds as hours:minutes:seconds without leading zeros: 600 s reads "0:10:0".
QString timeLeftText(int seconds);

} // namespace ql708::leq
