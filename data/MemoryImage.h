// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/DataSetList.h"

#include <QByteArrayView>

namespace ql708::data {

// The logger memory as a byte sequence: byte k is memory address k. A 256-byte header block
// is followed by one record per data set, without gaps. All numbers are big-endian.
namespace image_layout {
constexpr int kHeaderSize = 256;
constexpr int kSetCountAt = 9;    // 2 bytes
constexpr int kLastAddressAt = 11; // 3 bytes: offset of the last byte in use
constexpr int kMaxSets = 4000;

// Offsets within a record that starts at p.
constexpr int kStartMarkers = 0; // A5 5A
constexpr int kYearAt = 3;       // year, month, day, hour, minute, second in BCD
constexpr int kRateAt = 10;
constexpr int kPointCountAt = 11; // 3 bytes
constexpr int kFlagsAt = 14;
constexpr int kWaveNameAt = 15; // 8 characters
constexpr int kWaveNameSize = 8;
constexpr int kPointsAt = 24; // 2 bytes per point, then the end markers 5A A5
constexpr std::uint8_t kMarkerA5 = 0xA5, kMarker5A = 0x5A;
constexpr int kMaxRate = 60;
constexpr int kRateReplacement = 2;
} // namespace image_layout

// What ParseMemoryImage found.
namespace parse_result {
constexpr int kOk = 0;
constexpr int kNoSets = 31;      // the header gives no data set: nothing replaced
constexpr int kTooManySets = 32; // the header gives more than 4000: nothing replaced
constexpr int kBadMarkers = 33;  // a record lacks a marker byte; read as found
constexpr int kPastEnd = 34;     // a record ends beyond the last address in use; cut there
// The list was replaced by one that holds a set: the image is accepted.
inline bool accepted(int result, const DataSetList &list)
{
    return result != kNoSets && result != kTooManySets && !list.isEmpty();
}
} // namespace parse_result

// The last address in use from bytes 11-13, or -1 when the image is too short to hold it.
qint32 lastAddressOf(QByteArrayView image);

// Splits the image into data sets and puts them in place of the list's, unless the result is
// 31 or 32 (then the list is left as it was). Every byte read lies inside the image and at or
// below lastAddress; a record that runs past that bound is cut there (result 34) and the walk
// ends with it; a memory whose header counts sets but that ends before the first record's head
// gives 34 and an empty list. Start times that name no valid moment, fields that are no BCD,
// rates above 60 and levels outside 20.0 to 140.0 dB are repaired as the meter's data require,
// without a result code.
int ParseMemoryImage(QByteArrayView image, qint32 lastAddress, DataSetList &list);

// A point's level: the low 12 bits in tenths of a dB; kOutOfRangeLevel outside 20.0 to 140.0 dB.
float decodeLevel(std::uint8_t b0, std::uint8_t b1);

} // namespace ql708::data
