// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/DataSetList.h"
#include "meter/Protocol.h"

#include <QByteArrayView>

namespace ql708::data {


// The logger memory as a byte sequence, laid out as memory_layout says: byte k is memory
// address k.

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
