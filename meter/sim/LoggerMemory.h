// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>

#include <cstdint>

namespace ql708 {

// The simulated meter's logger memory: a 256-byte header block (0x04 first, 0x05 at 31,
// set count at 9-10, last address in use at 11-13, interval at 14-15, all big-endian)
// followed by one record per data set, each A5 5A, start time, interval, point count,
// mode flags, WAV name, points, 5A A5. Every access is bounded by the memory's size.
class LoggerMemory {
public:
    static constexpr int kSize = 256256;
    static constexpr int kHeaderSize = 256;
    static constexpr int kMaxSets = 4000;
    // Offsets of the header fields.
    static constexpr int kSetCountAt = 9, kLastAddressAt = 11, kIntervalAt = 14;
    // The empty memory's last address in use: the end of the header block.
    static constexpr int kEmptyLastAddress = kHeaderSize - 1;

    // An empty memory with a recording interval of 2 s.
    LoggerMemory();

    // Empties the memory, keeping the recording interval.
    void erase();

    const QByteArray &bytes() const { return m_bytes; }
    // Byte at an address; 0 outside the memory.
    std::uint8_t byte(int address) const;
    // False (nothing written) outside the memory.
    bool setByte(int address, std::uint8_t value);

    int setCount() const { return int(read(kSetCountAt, 2)); }
    int lastAddress() const { return int(read(kLastAddressAt, 3)); }
    // The interval field of the header as stored, in seconds.
    int interval() const { return int(read(kIntervalAt, 2)); }
    void setInterval(int seconds) { write(kIntervalAt, 2, std::uint32_t(seconds)); }

    struct RecordHead {
        QDateTime start;
        std::uint8_t interval = 2;   // seconds, as the record's interval byte holds it
        std::uint8_t modeFlags = 0;  // bit 0 FAST, bit 1 A, bits 2-3 range
        QByteArray wavName;          // 8 characters; "00000000" for none
    };
    // Opens a new record after the last one; false when there is no room for a record
    // with at least one point or the set count is at its limit.
    bool beginRecord(const RecordHead &head);
    // Appends a point, its two bytes as the meter stores them (loggedPoint), to the open
    // record and keeps the header up to date; false when no record is open or no room remains.
    bool appendPoint(std::uint16_t point);
    bool hasRoomForPoint() const;
    void endRecord() { m_recordStart = -1; }
    bool recordOpen() const { return m_recordStart >= 0; }

private:
    std::uint32_t read(int at, int size) const;
    void write(int at, int size, std::uint32_t value);
    int nextRecordStart() const;

    QByteArray m_bytes;
    int m_recordStart = -1;
    int m_recordPoints = 0;
};

} // namespace ql708
