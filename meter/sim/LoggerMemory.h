// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "meter/Protocol.h"

#include <QByteArray>
#include <QDateTime>

#include <cstdint>

namespace ql708 {

// The simulated meter's logger memory, laid out as memory_layout says: a header block followed
// by one record per data set. Every access is bounded by the memory's size.
class LoggerMemory {
public:
    // An empty memory with a recording interval of 2 s.
    LoggerMemory();

    // Empties the memory, keeping the recording interval.
    void erase();

    const QByteArray &bytes() const { return m_bytes; }
    // Byte at an address; 0 outside the memory.
    std::uint8_t byte(int address) const;
    // False (nothing written) outside the memory.
    bool setByte(int address, std::uint8_t value);

    int setCount() const { return int(read(memory_layout::kSetCountAt, 2)); }
    int lastAddress() const { return int(read(memory_layout::kLastAddressAt, 3)); }
    // The interval field of the header as stored, in seconds.
    int interval() const { return int(read(memory_layout::kIntervalHighAt, 2)); }
    void setInterval(int seconds) { write(memory_layout::kIntervalHighAt, 2, std::uint32_t(seconds)); }

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
