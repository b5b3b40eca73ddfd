// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "meter/Protocol.h"

#include <cstdint>

namespace ql708 {

// The meter's answer to the status command, decoded.
struct MeterStatus {
    bool recording = false;
    bool maxMinActive = false;
    bool aWeighting = false;
    bool fastResponse = false;
    bool under = false;
    bool over = false;
    bool memoryFull = false;
    std::uint8_t rangeCode = 0;
    std::uint8_t maxMinMode = 0;
    std::uint16_t level = 0;    // tenths of a dB
    std::uint16_t maxLevel = 0; // tenths of a dB
    std::uint16_t minLevel = 0; // tenths of a dB
    std::uint8_t clockSeconds = 0; // BCD
    std::uint8_t clockMinutes = 0;
    std::uint8_t clockHours = 0;
    std::uint8_t clockMonth = 0;
    std::uint8_t clockDay = 0;
    std::uint8_t clockYear = 0; // years after 2000

    // The level the meter's display shows: the held MAX or MIN while one is held.
    std::uint16_t shownLevel() const;
    float shownLevelDb() const { return float(shownLevel() * 0.1); }
};

// The ends of a measuring range in dB; false for a code that names no range.
bool rangeLimits(std::uint8_t rangeCode, int &lowDb, int &highDb);

// Decodes a status reply; the caller checks the framing first.
MeterStatus decodeMeterStatus(const ReplyBuffer &reply);

// Bytes 23 to 25 of the handshake reply identify the meter.
bool isHandshakeReply(const ReplyBuffer &reply);

} // namespace ql708
