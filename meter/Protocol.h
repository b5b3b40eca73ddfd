// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the meter and the program say to each other, in one place: the frames, the command
// letters, the layout of the replies and of the logger memory. Header only and free of the link, so the
// memory parser (data/) shares it without depending on the rest of meter/. docs/protocol.md
// describes the same bytes under the same names.

#include <array>
#include <cstdint>

namespace ql708 {

constexpr std::uint16_t kMeterVendorId = 0x04D9;
constexpr std::uint16_t kMeterProductId = 0xE000;

constexpr std::uint8_t kStx = 0x02;
constexpr std::uint8_t kEtx = 0x03;

// 0x02, command letter, four parameter bytes, 0x03.
using CommandFrame = std::array<std::uint8_t, 7>;
// A reply is always read whole; a framed reply has 0x02 first and 0x03 last.
using ReplyBuffer = std::array<std::uint8_t, 32>;
// A 32-byte block sent after its command (the meter clock).
using DataBlock = std::array<std::uint8_t, 32>;

inline bool isFramedReply(const ReplyBuffer &r) { return r[0] == kStx && r[31] == kEtx; }

// Byte 1 of a command frame.
enum class MeterCommand : char {
    Handshake = 'K',   // the reply identifies the meter (kHandshakeIdOffset)
    Status = 'A',      // byte 5 carries the sequence number; the reply has status_layout
    Abort = 'Q',       // the meter drops the replies it still holds and ends a transfer
    MemoryStart = 'P', // the reply is memory bytes 0-31
    MemoryNext = 'p',  // the next 32 memory bytes
    MemoryEnd = 'q',   // ends the download; no reply
    SetClock = 't',    // byte 2 kSetClockParameter; the clock block follows, no reply
    WriteByte = 'W',   // bytes 2-4 the 24-bit address, byte 5 the data; the whole frame echoed
    ReadByte = 'r',    // bytes 2-4 the address; bytes 0-1 echoed, the data at kReadByteReplyAt
    Information = 'Y', // the reply has information_layout
    EndSettings = 'b', // ends a settings change; the whole frame echoed
    Erase = 'e',       // bytes 2-5 kEraseParameters; the whole frame echoed
    // The meter's keys: no reply, the next status shows what they did.
    RangeKey = 'L',
    MaxMinKey = 'M',
    MaxMinOffKey = 'N', // a long press of MAX/MIN
    WeightingKey = 'C', // A or C
    ResponseKey = 'F',  // FAST or SLOW
    StopRecording = 'u',
    RecordWithWav = 'v',
    RecordWithoutWav = 'w',
};

constexpr std::uint8_t kSetClockParameter = 'c';
// Bytes 2-5 of the erase frame: with the command letter they spell "erase".
constexpr std::array<std::uint8_t, 4> kEraseParameters = {'r', 'a', 's', 'e'};

inline CommandFrame makeFrame(MeterCommand command, std::uint8_t p2 = 0, std::uint8_t p3 = 0,
                              std::uint8_t p4 = 0, std::uint8_t p5 = 0)
{
    return {kStx, std::uint8_t(command), p2, p3, p4, p5, kEtx};
}

inline CommandFrame eraseFrame()
{
    const auto &p = kEraseParameters;
    return makeFrame(MeterCommand::Erase, p[0], p[1], p[2], p[3]);
}

// Bytes 23 to 25 of the handshake reply hold these digits.
constexpr int kHandshakeIdOffset = 23;
constexpr std::array<char, 3> kHandshakeId = {'6', '1', '7'};

// The reply to ReadByte holds the byte read here.
constexpr int kReadByteReplyAt = 6;

// Memory addresses in frames are 24 bits wide; the download's block address wraps there.
constexpr std::int64_t kMaxMemoryAddress = 0xFFFFFF;

// Byte layout of the status reply.
namespace status_layout {
constexpr int kFlags = 1, kFlags2 = 2, kRange = 3, kMaxMinMode = 4, kLevel = 5, kMaxLevel = 11,
              kMinLevel = 13, kSeconds = 15, kMinutes = 16, kHours = 17, kMonth = 19, kDay = 20,
              kYear = 21, kSequenceEcho = 30;
constexpr std::uint8_t kRecordingBit = 0x01, kMaxMinBit = 0x04, kAWeightingBit = 0x08,
                       kFastBit = 0x10, kUnderBit = 0x40, kOverBit = 0x80, kMemoryFullBit = 0x10;
// A clock byte the meter fills with this mark holds no time.
constexpr std::uint8_t kNoClockMark = 0x5A;
} // namespace status_layout

// The status reply's range byte.
enum RangeCode : std::uint8_t {
    kRange30to90 = 0x11,
    kRange50to110 = 0x22,
    kRange70to130 = 0x44,
    kRange30to130 = 0x88,
};

// The status reply's MAX/MIN mode byte.
enum MaxMinMode : std::uint8_t {
    kMaxMinNone = 0x00,
    kMaxHeld = 0x11,
    kMinHeld = 0x22,
    kMaxMinAlternate = 0x44,
};

// Byte layout of the information reply; the memory fields as the memory's header holds them.
namespace information_layout {
constexpr int kSetCount = 9;    // 2 bytes
constexpr int kLastAddress = 11; // 3 bytes
constexpr int kInterval = 15;   // seconds
constexpr int kCal94 = 18;      // signed, tenths of a dB
constexpr int kCal70 = 19;      // 2 bytes, 1/256 dB
constexpr int kClock = 25;      // year after 2000, month, day, hour, minute, second in BCD
constexpr int kVersion = 31;    // firmware version in hundredths
} // namespace information_layout

// The 32-byte block that follows SetClock, fields in BCD.
namespace clock_block_layout {
constexpr int kSeconds = 0, kMinutes = 1, kHours = 2, kDay = 3, kMonth = 4, kYear = 6; // year after 2000
} // namespace clock_block_layout

// The logger memory: byte k is address k. A header block is followed by one record per data
// set, without gaps. Numbers are big-endian, times BCD.
namespace memory_layout {
constexpr int kSize = 256256;
constexpr int kHeaderSize = 256;
constexpr int kFirstRecordAt = kHeaderSize;

// The header block.
constexpr int kHeaderFirstAt = 0, kHeaderLastAt = 31; // the download checks both bytes
constexpr std::uint8_t kHeaderFirst = 0x04, kHeaderLast = 0x05;
constexpr int kSetCountAt = 9;      // 2 bytes
constexpr int kLastAddressAt = 11;  // 3 bytes: the address of the last byte in use
constexpr int kIntervalHighAt = 14; // the recording interval in seconds, high byte
constexpr int kIntervalLowAt = 15;  // and low byte
constexpr int kMaxSets = 4000;
// The last address in use of an empty memory: the header block's last byte.
constexpr int kEmptyLastAddress = kHeaderSize - 1;

// Offsets within a record.
constexpr int kStartMarkersAt = 0;    // A5 5A
constexpr int kTagAt = 2;             // not read; the quick recording writes kQuickRecordingTag
constexpr int kStartAt = 3;           // year after 2000, month, day, hour, minute, second
constexpr int kStartFields = 6;
constexpr int kIntervalMinutesAt = 9; // not read; the quick recording writes whole minutes here
constexpr int kRateAt = 10;           // the recording interval in seconds
constexpr int kPointCountAt = 11;     // 3 bytes
constexpr int kFlagsAt = 14;          // the mode flags below
constexpr int kWaveNameAt = 15;       // 8 characters; "00" first means no recording
constexpr int kWaveNameSize = 8;
constexpr int kPointsAt = 24;         // 2 bytes a point, then the end markers 5A A5
constexpr int kPointSize = 2;
constexpr std::uint8_t kMarkerA5 = 0xA5, kMarker5A = 0x5A;
constexpr std::uint8_t kQuickRecordingTag = 0x14;

// A record's bytes around its points: its head and the two end markers.
constexpr int kRecordBytesAroundPoints = kPointsAt + 2;
// The address of the last byte (the end marker A5) of a record of n points starting at start.
constexpr std::int64_t recordEnd(std::int64_t start, std::int64_t points)
{
    return start + kRecordBytesAroundPoints + kPointSize * points - 1;
}
// The last address in use of a memory that holds one record of n points: 2n + 281.
constexpr std::int64_t lastAddressOfOneRecord(std::int64_t points) { return recordEnd(kFirstRecordAt, points); }

// Mode flags: bit 0 FAST (else SLOW), bit 1 A weighting (else C), bits 2-3 the range
// 30-90, 50-110, 70-130, 30-130.
constexpr std::uint8_t kFlagFast = 0x01, kFlagAWeighting = 0x02, kFlagRangeMask = 0x0C;
constexpr int kFlagRangeShift = 2;

// A point: the low 12 bits its level in tenths of a dB. The upper four are the meter's own
// marks, which the program ignores: bits 12-13 the range (the mode flags' bits 2-3), bit 14
// under the range, bit 15 over it.
constexpr std::uint16_t kPointLevelMask = 0x0FFF;
constexpr std::uint16_t kPointUnderMark = 0x4000, kPointOverMark = 0x8000;
constexpr int kPointRangeShift = 10; // from the mode flags' bits to the point's
} // namespace memory_layout

} // namespace ql708
