// SPDX-License-Identifier: GPL-3.0-or-later
#include "meter/sim/LoggerMemory.h"

#include "common/DateTime.h"

#include <algorithm>

namespace ql708 {

using namespace memory_layout;

namespace {
constexpr std::uint8_t kErased = 0xFF;
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
    m_bytes[kHeaderFirstAt] = char(kHeaderFirst);
    m_bytes[kHeaderLastAt] = char(kHeaderLast);
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
        return kFirstRecordAt;
    return lastAddress() + 1;
}

bool LoggerMemory::beginRecord(const RecordHead &head)
{
    const int p = nextRecordStart();
    if (setCount() >= kMaxSets || recordEnd(p, 1) >= kSize)
        return false;
    for (int i = 0; i < kRecordBytesAroundPoints; ++i)
        setByte(p + i, 0);
    setByte(p + kStartMarkersAt, kMarkerA5);
    setByte(p + kStartMarkersAt + 1, kMarker5A);
    const QDate d = head.start.date();
    const QTime t = head.start.time();
    const int fields[kStartFields] = {d.year() - 2000, d.month(), d.day(), t.hour(), t.minute(), t.second()};
    for (int i = 0; i < kStartFields; ++i)
        setByte(p + kStartAt + i, intToBcd(fields[i]));
    setByte(p + kRateAt, head.interval);
    setByte(p + kFlagsAt, head.modeFlags);
    for (int i = 0; i < kWaveNameSize; ++i)
        setByte(p + kWaveNameAt + i, std::uint8_t(i < head.wavName.size() ? head.wavName[i] : '0'));
    setByte(p + kPointsAt, kMarker5A);
    setByte(p + kPointsAt + 1, kMarkerA5);
    write(kSetCountAt, 2, std::uint32_t(setCount() + 1));
    write(kLastAddressAt, 3, std::uint32_t(p + kPointsAt + 1));
    m_recordStart = p;
    m_recordPoints = 0;
    return true;
}

bool LoggerMemory::hasRoomForPoint() const
{
    // The point and the end markers that follow it must fit.
    return recordOpen() && recordEnd(m_recordStart, m_recordPoints + 1) < kSize;
}

bool LoggerMemory::appendPoint(std::uint16_t point)
{
    if (!hasRoomForPoint())
        return false;
    const int j = m_recordStart + kPointsAt + kPointSize * m_recordPoints;
    setByte(j, std::uint8_t(point >> 8));
    setByte(j + 1, std::uint8_t(point & 0xFF));
    setByte(j + 2, kMarker5A);
    setByte(j + 3, kMarkerA5);
    ++m_recordPoints;
    write(m_recordStart + kPointCountAt, 3, std::uint32_t(m_recordPoints));
    write(kLastAddressAt, 3, std::uint32_t(j + 3));
    return true;
}

} // namespace ql708
