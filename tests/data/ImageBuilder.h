// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <optional>

namespace ql708::test {

// One record of a logger memory image, as a test wants it; defaults give a clean record.
struct RecordShape {
    QByteArray start = QByteArray::fromHex("240305140709"); // BCD year to second
    std::uint8_t rate = 2;
    std::uint8_t flags = 0x03; // FAST, A weighting, 30-90
    QByteArray wave = "00000000";
    QList<std::uint16_t> points;        // the two bytes of each point, big-endian
    std::optional<int> countField;      // the point count written, when not the true one
    bool startMarkers = true;
    bool endMarkers = true;
};

// Builds a memory image: header (0x04, set count, last address, 0x05) and the records.
// The set count and the last address default to the records' own.
QByteArray buildImage(const QList<RecordShape> &records, std::optional<int> setCount = {},
                      std::optional<int> lastAddress = {});

// A record of n points at the given level (tenths of a dB).
RecordShape steadyRecord(int n, std::uint16_t tenths = 650);

} // namespace ql708::test
