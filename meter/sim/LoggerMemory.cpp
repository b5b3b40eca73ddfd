// SPDX-License-Identifier: GPL-3.0-or-later
#include "meter/sim/LoggerMemory.h"

#include "common/DateTime.h"

#include <algorithm>

namespace ql708 {

namespace {
constexpr std::uint8_t kHeaderFirst = 0x04, kHeaderLast = 0x05, kErased = 0xFF;
constexpr std::uint8_t kMarkA5 = 0xA5, kMark5A = 0x5A;
constexpr int kRecordOverhead = 26; // markers, head and end markers around the points
constexpr int kPointsAt = 24, kCountAt = 11, kIntervalByteAt = 10, kFlagsAt = 14, kWavAt = 15;
constexpr int kWavLength = 8;
} // namespace

LoggerMemory::LoggerMemory() : m_bytes(kSize, char(kErased))
{
    erase();
    setInterval(2);
}

void LoggerMemory::erase()
{
    const int keptInterval = interval();
    std::fill(m_bytes.begin(), m_bytes.end(), char(kErased));
    std::fill(m_bytes.begin(), m_bytes.begin() + kHeaderSize, char(0));
    m_bytes[0] = char(kHeaderFirst);
    m_bytes[31] = char(kHeaderLast);
    write(kLastAddressAt, 3, kEmptyLastAddress);
    setInterval(keptInterval);
    endRecord();
}

std::uint8_t LoggerMemory::byte(int address) const
{
    return address >= 0 && address < kSize ? std::uint8_t(m_bytes[address]) : 0;
}

bool LoggerMemory::setByte(int address, std::uint8_t value)
{
    if (address < 0 || address >= kSize)
        return false;
    m_bytes[address] = char(value);
    return true;
}

std::uint32_t LoggerMemory::read(int at, int size) const
{
    std::uint32_t v = 0;
    for (int i = 0; i < size; ++i)
        v = v << 8 | byte(at + i);
    return v;
}

void LoggerMemory::write(int at, int size, std::uint32_t value)
{
    for (int i = size - 1; i >= 0; --i, value >>= 8)
        setByte(at + i, std::uint8_t(value & 0xFF));
}

int LoggerMemory::nextRecordStart() const
{
    // A header that was written by hand may name an address inside the header block.
    if (setCount() == 0 || lastAddress() < kEmptyLastAddress)
        return kHeaderSize;
    return lastAddress() + 1;
}

bool LoggerMemory::beginRecord(const RecordHead &head)
{
    const int p = nextRecordStart();
    if (setCount() >= kMaxSets || p > kSize - kRecordOverhead - 2)
        return false;
    for (int i = 0; i < kRecordOverhead; ++i)
        setByte(p + i, 0);
    setByte(p, kMarkA5);
    setByte(p + 1, kMark5A);
    const QDate d = head.start.date();
    const QTime t = head.start.time();
    const int fields[] = {d.year() - 2000, d.month(), d.day(), t.hour(), t.minute(), t.second()};
    for (int i = 0; i < 6; ++i)
        setByte(p + 3 + i, intToBcd(fields[i]));
    setByte(p + kIntervalByteAt, head.interval);
    setByte(p + kFlagsAt, head.modeFlags);
    for (int i = 0; i < kWavLength; ++i)
        setByte(p + kWavAt + i, std::uint8_t(i < head.wavName.size() ? head.wavName[i] : '0'));
    setByte(p + kPointsAt, kMark5A);
    setByte(p + kPointsAt + 1, kMarkA5);
    write(kSetCountAt, 2, std::uint32_t(setCount() + 1));
    write(kLastAddressAt, 3, std::uint32_t(p + kPointsAt + 1));
    m_recordStart = p;
    m_recordPoints = 0;
    return true;
}

bool LoggerMemory::hasRoomForPoint() const
{
    // The point and the end markers that follow it must fit.
    return recordOpen() && m_recordStart + kRecordOverhead + 2 * (m_recordPoints + 1) <= kSize;
}

bool LoggerMemory::appendPoint(std::uint16_t point)
{
    if (!hasRoomForPoint())
        return false;
    const int j = m_recordStart + kPointsAt + 2 * m_recordPoints;
    setByte(j, std::uint8_t(point >> 8));
    setByte(j + 1, std::uint8_t(point & 0xFF));
    setByte(j + 2, kMark5A);
    setByte(j + 3, kMarkA5);
    ++m_recordPoints;
    write(m_recordStart + kCountAt, 3, std::uint32_t(m_recordPoints));
    write(kLastAddressAt, 3, std::uint32_t(j + 3));
    return true;
}

} // namespace ql708
