// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "meter/Frames.h"

#include <cstdint>

namespace ql708 {

enum RangeCode : std::uint8_t {
    kRange30to90 = 0x11,
    kRange50to110 = 0x22,
    kRange70to130 = 0x44,
    kRange30to130 = 0x88,
};

enum MaxMinMode : std::uint8_t {
    kMaxMinNone = 0x00,
    kMaxHeld = 0x11,
    kMinHeld = 0x22,
    kMaxMinAlternate = 0x44,
};

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

// Byte layout of the status reply, shared by the decoder and the simulated meter.
namespace status_layout {
constexpr int kFlags = 1, kFlags2 = 2, kRange = 3, kMaxMinMode = 4, kLevel = 5, kMaxLevel = 11,
              kMinLevel = 13, kSeconds = 15, kMinutes = 16, kHours = 17, kMonth = 19, kDay = 20,
              kYear = 21, kSequenceEcho = 30;
constexpr std::uint8_t kRecordingBit = 0x01, kMaxMinBit = 0x04, kAWeightingBit = 0x08,
                       kFastBit = 0x10, kUnderBit = 0x40, kOverBit = 0x80, kMemoryFullBit = 0x10;
} // namespace status_layout

// Bytes 23 to 25 of the handshake reply identify the meter.
bool isHandshakeReply(const ReplyBuffer &reply);
constexpr int kHandshakeIdOffset = 23;

} // namespace ql708
