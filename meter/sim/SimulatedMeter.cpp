// SPDX-License-Identifier: GPL-3.0-or-later
#include "meter/sim/SimulatedMeter.h"

#include "common/Clock.h"
#include "common/DateTime.h"
#include "meter/MeterStatus.h"
#include "meter/sim/ExampleSets.h"
#include "meter/sim/MeterRanges.h"

#include <QtGlobal>

#include <algorithm>
#include <cmath>

namespace ql708 {

namespace {

// The model moves in steps of 100 ms; a long gap (a suspended computer) is crossed in
// at most this many coarser steps.
constexpr std::int64_t kStepMs = 100;
constexpr std::int64_t kMaxSteps = 20000;
// What the meter reads where it has no memory, as from erased memory.
constexpr std::uint8_t kNoMemory = 0xFF;
constexpr int kWholeFrame = int(CommandFrame().size());

void put16(ReplyBuffer &r, int at, std::uint16_t v)
{
    r[at] = std::uint8_t(v >> 8);
    r[at + 1] = std::uint8_t(v & 0xFF);
}

ReplyBuffer framedReply()
{
    ReplyBuffer r{};
    r[0] = kStx;
    r[31] = kEtx;
    return r;
}

ReplyBuffer echo(const CommandFrame &f, int count)
{
    ReplyBuffer r = framedReply();
    std::copy_n(f.begin(), count, r.begin());
    return r;
}

bool isEraseFrame(const CommandFrame &f) { return f == eraseFrame(); }

int frameAddress(const CommandFrame &f) { return f[2] << 16 | f[3] << 8 | f[4]; }

std::uint8_t yearBcd(const QDate &d) { return intToBcd(((d.year() - 2000) % 100 + 100) % 100); }

} // namespace

SimulatedMeter::SimulatedMeter(std::uint32_t seed) : SimulatedMeter(seed, paceFromEnvironment()) {}

SimulatedMeter::SimulatedMeter(std::uint32_t seed, int paceMs)
    : m_model(seed), m_serial("SIM-" + QByteArray::number(seed).rightJustified(6, '0')),
      m_tick(clock().tickMs())
{
    m_replies.setFrameMs(std::clamp(paceMs, 0, kMaxPaceMs));
    writeExampleSets(m_memory, seed, clock().now().date());
}

int SimulatedMeter::paceFromEnvironment()
{
    const QByteArray text = qgetenv(kPaceVariable).trimmed();
    bool ok = false;
    const int ms = text.toInt(&ok);
    if (text.isEmpty() || (ok && ms == 0))
        return 0;
    if (!ok || ms < 0 || ms > kMaxPaceMs) {
        qWarning("%s=%s is not a pace from 1 to %d ms; the simulated link runs without pace",
                 kPaceVariable, text.constData(), kMaxPaceMs);
        return 0;
    }
    return ms;
}

// --- The HID operations -------------------------------------------------------------

// Closing is the computer's business: the meter does not see it, and keeps its replies,
// a transfer in progress and a clock block it waits for.
int SimulatedMeter::close()
{
    advanceToNow();
    m_open = false;
    return 0;
}

int SimulatedMeter::open(std::uint16_t vendorId, std::uint16_t productId)
{
    advanceToNow();
    if (!m_plugged || vendorId != kMeterVendorId || productId != kMeterProductId)
        return 1;
    m_open = true;
    return 0;
}

int SimulatedMeter::setTimeouts(int readMs, int writeMs)
{
    advanceToNow();
    if (!m_open || readMs <= 0 || writeMs <= 0)
        return 1;
    m_readTimeoutMs = readMs;
    return 0;
}

int SimulatedMeter::writeCommand(const CommandFrame &frame)
{
    advanceToNow();
    if (!m_open)
        return 1;
    const std::int64_t handled = m_replies.accept(m_tick);
    m_awaitingClockBlock = false;
    if (const Reply r = answer(frame))
        m_replies.push(*r, handled);
    return 0;
}

int SimulatedMeter::settle()
{
    advanceToNow();
    return 0;
}

int SimulatedMeter::readReply(ReplyBuffer &reply)
{
    advanceToNow();
    if (!m_open)
        return 1;
    const std::int64_t deadline = m_tick + m_readTimeoutMs;
    const std::optional<std::int64_t> ready = m_replies.nextReadyTick();
    if (!ready || *ready > deadline) {
        // Nothing arrives in time. A link without pace says so at once, unless a reply is
        // on its way.
        if (ready || m_replies.frameMs() > 0)
            waitUntil(deadline);
        return 1;
    }
    waitUntil(*ready);
    reply = m_replies.take();
    return 0;
}

int SimulatedMeter::writeBlock(const DataBlock &block)
{
    advanceToNow();
    if (!m_open || !m_awaitingClockBlock)
        return 1;
    m_replies.accept(m_tick);
    m_awaitingClockBlock = false;
    using namespace clock_block_layout;
    const int second = bcdToInt(block[kSeconds]), minute = bcdToInt(block[kMinutes]), hour = bcdToInt(block[kHours]);
    const int day = bcdToInt(block[kDay]), month = bcdToInt(block[kMonth]), year = bcdToInt(block[kYear]);
    const QDate date(2000 + year, month, day);
    const QTime time(hour, minute, second);
    // A block that names no valid moment leaves the clock as it was, as the meter would.
    if (year >= 0 && date.isValid() && time.isValid())
        m_clockOffsetMs = clock().now().msecsTo(QDateTime(date, time));
    return 0;
}

int SimulatedMeter::serialText(QByteArray &text)
{
    advanceToNow();
    if (!m_open)
        return 1;
    text = m_serial;
    return 0;
}

void SimulatedMeter::forceSound(std::optional<double> dB)
{
    // The time that passed before belongs to the sound that was there.
    advanceToNow();
    m_model.forceSound(dB);
}

void SimulatedMeter::setPluggedIn(bool plugged)
{
    m_plugged = plugged;
    if (plugged)
        return;
    // Unplugged, the meter starts its side of the link afresh.
    close();
    m_replies.reset();
    m_awaitingClockBlock = false;
    m_downloadNext = -1;
}

void SimulatedMeter::setBusyFor(int ms)
{
    advanceToNow();
    m_replies.holdUntil(m_tick + ms);
}

void SimulatedMeter::waitUntil(std::int64_t tick)
{
    Clock &c = clock();
    while (c.tickMs() < tick)
        c.pause();
    advanceToNow();
}

// --- Commands and replies -----------------------------------------------------------

SimulatedMeter::Reply SimulatedMeter::answer(const CommandFrame &f)
{
    if (f[0] != kStx || f[6] != kEtx)
        return {};
    if (isEraseFrame(f)) {
        eraseMemory();
        return echo(f, kWholeFrame);
    }
    using C = MeterCommand;
    switch (C(f[1])) {
    case C::Handshake: return handshakeReply();
    case C::Status: return statusReply(f);
    case C::MemoryStart: return memoryBlock(0);
    case C::MemoryNext: return m_downloadNext < 0 ? Reply{} : memoryBlock(m_downloadNext);
    case C::MemoryEnd: m_downloadNext = -1; return {};
    case C::Abort: m_downloadNext = -1; m_replies.clear(); return {};
    case C::SetClock: m_awaitingClockBlock = f[2] == kSetClockParameter; return {};
    case C::WriteByte: return writeByteReply(f);
    case C::ReadByte: return readByteReply(f);
    case C::Information: return informationReply();
    case C::EndSettings: return echo(f, kWholeFrame);
    default: pressKey(C(f[1])); return {};
    }
}

SimulatedMeter::Reply SimulatedMeter::handshakeReply() const
{
    ReplyBuffer r = framedReply();
    r[1] = std::uint8_t(MeterCommand::Handshake);
    std::copy(kHandshakeId.begin(), kHandshakeId.end(), r.begin() + kHandshakeIdOffset);
    return r;
}

SimulatedMeter::Reply SimulatedMeter::statusReply(const CommandFrame &f) const
{
    using namespace status_layout;
    ReplyBuffer r = framedReply();
    const int raw = rawLevelTenths();
    std::uint8_t flags = 0;
    flags |= m_recording ? kRecordingBit : 0;
    flags |= maxMinActive() ? kMaxMinBit : 0;
    flags |= m_aWeighting ? kAWeightingBit : 0;
    flags |= m_fast ? kFastBit : 0;
    flags |= raw < rangeLowTenths() ? kUnderBit : 0;
    flags |= raw > rangeHighTenths() ? kOverBit : 0;
    r[kFlags] = flags;
    r[kFlags2] = m_memoryFull ? kMemoryFullBit : 0;
    r[kRange] = m_range;
    r[kMaxMinMode] = m_maxMinMode;
    put16(r, kLevel, levelTenths());
    put16(r, kMaxLevel, maxMinActive() ? m_maxTenths : levelTenths());
    put16(r, kMinLevel, maxMinActive() ? m_minTenths : levelTenths());
    const QDateTime t = meterTime();
    r[kSeconds] = intToBcd(t.time().second());
    r[kMinutes] = intToBcd(t.time().minute());
    r[kHours] = intToBcd(t.time().hour());
    r[kMonth] = intToBcd(t.date().month());
    r[kDay] = intToBcd(t.date().day());
    r[kYear] = yearBcd(t.date());
    r[kSequenceEcho] = f[5];
    return r;
}

SimulatedMeter::Reply SimulatedMeter::informationReply() const
{
    using namespace information_layout;
    ReplyBuffer r = framedReply();
    r[1] = std::uint8_t(MeterCommand::Information);
    // Set count, last address and interval as the memory's header holds them.
    for (int at = kSetCount; at <= kInterval; ++at)
        r[at] = m_memory.byte(at);
    r[kCal94] = std::uint8_t(std::int8_t(-2)); // 94 dB calibration: -0.2 dB
    put16(r, kCal70, 0x4600);                  // 70 dB calibration: 70.00 in 1/256
    const QDateTime t = meterTime();
    r[kClock] = yearBcd(t.date());
    r[kClock + 1] = intToBcd(t.date().month());
    r[kClock + 2] = intToBcd(t.date().day());
    r[kClock + 3] = intToBcd(t.time().hour());
    r[kClock + 4] = intToBcd(t.time().minute());
    r[kClock + 5] = intToBcd(t.time().second());
    r[kVersion] = kFirmwareVersion;
    return r;
}

SimulatedMeter::Reply SimulatedMeter::memoryBlock(int from)
{
    ReplyBuffer r;
    for (int i = 0; i < int(r.size()); ++i) {
        const int address = int((from + i) & kMaxMemoryAddress);
        r[i] = address < memory_layout::kSize ? m_memory.byte(address) : kNoMemory;
    }
    m_downloadNext = int((from + int(r.size())) & kMaxMemoryAddress);
    return r;
}

SimulatedMeter::Reply SimulatedMeter::writeByteReply(const CommandFrame &f)
{
    // Where there is no memory the byte goes nowhere, and the meter echoes it all the same.
    m_memory.setByte(frameAddress(f), f[5]);
    return echo(f, kWholeFrame);
}

SimulatedMeter::Reply SimulatedMeter::readByteReply(const CommandFrame &f) const
{
    const int address = frameAddress(f);
    ReplyBuffer r = echo(f, 5);
    r[kReadByteReplyAt] = address < memory_layout::kSize ? m_memory.byte(address) : kNoMemory;
    return r;
}

// --- Keys ---------------------------------------------------------------------------

void SimulatedMeter::pressKey(MeterCommand key)
{
    using C = MeterCommand;
    switch (key) {
    case C::RangeKey: if (!m_recording) stepRange(); break;
    case C::WeightingKey: if (!m_recording) m_aWeighting = !m_aWeighting; break;
    case C::ResponseKey: if (!m_recording) m_fast = !m_fast; break;
    case C::MaxMinKey: stepMaxMin(); break;
    case C::MaxMinOffKey: m_maxMinMode = kMaxMinNone; break;
    case C::StopRecording: stopRecording(); break;
    case C::RecordWithWav: startRecording(true); break;
    case C::RecordWithoutWav: startRecording(false); break;
    default: break; // unknown commands are ignored
    }
}

void SimulatedMeter::stepRange()
{
    m_range = m_range == kRange30to90    ? kRange50to110
              : m_range == kRange50to110 ? kRange70to130
              : m_range == kRange70to130 ? kRange30to130
                                         : kRange30to90;
}

void SimulatedMeter::stepMaxMin()
{
    if (m_maxMinMode == kMaxMinNone) {
        m_maxTenths = m_minTenths = levelTenths();
        m_maxMinMode = kMaxHeld;
        return;
    }
    m_maxMinMode = m_maxMinMode == kMaxHeld ? kMinHeld
                   : m_maxMinMode == kMinHeld ? kMaxMinAlternate
                                              : kMaxHeld;
}

// --- Recording ----------------------------------------------------------------------

int SimulatedMeter::recordingInterval() const
{
    // A record holds its interval in one byte.
    return std::min(m_memory.interval(), 255);
}

std::uint8_t SimulatedMeter::modeFlags() const
{
    using namespace memory_layout;
    return std::uint8_t((m_fast ? kFlagFast : 0) | (m_aWeighting ? kFlagAWeighting : 0) |
                        rangeByCode(m_range).flagBits);
}

void SimulatedMeter::startRecording(bool withWav)
{
    if (m_recording)
        return;
    const QByteArray wav =
        withWav ? "A" + QByteArray::number(m_wavCount + 1).rightJustified(7, '0') : "00000000";
    const int interval = recordingInterval();
    if (!m_memory.beginRecord({meterTime(), std::uint8_t(interval), modeFlags(), wav})) {
        m_memoryFull = true;
        return;
    }
    m_wavCount += withWav ? 1 : 0;
    m_recording = true;
    m_recordIntervalMs = interval == 0 ? kFastestLogMs : std::int64_t(interval) * 1000;
    m_nextPointTick = m_tick;
    recordDuePoints();
}

void SimulatedMeter::stopRecording()
{
    m_recording = false;
    m_memory.endRecord();
}

void SimulatedMeter::recordDuePoints()
{
    while (m_recording && m_nextPointTick <= m_tick) {
        m_memory.appendPoint(loggedPoint(rawLevelTenths(), rangeByCode(m_range)));
        m_nextPointTick += m_recordIntervalMs;
        if (!m_memory.hasRoomForPoint()) {
            m_memoryFull = true;
            stopRecording();
        }
    }
}

void SimulatedMeter::eraseMemory()
{
    stopRecording();
    m_memory.erase();
    m_memoryFull = false;
}

// --- The live level -----------------------------------------------------------------

void SimulatedMeter::advanceToNow()
{
    const std::int64_t now = clock().tickMs();
    if (now < m_tick) {
        // Another clock was installed: carry on from its time.
        m_nextPointTick -= m_tick - now;
        m_replies.shift(now - m_tick);
        m_tick = now;
        return;
    }
    const std::int64_t step = std::max(kStepMs, (now - m_tick) / kMaxSteps);
    while (m_tick < now) {
        const std::int64_t dt = std::min(step, now - m_tick);
        m_tick += dt;
        m_model.step(dt, m_fast, m_aWeighting);
        trackMaxMin();
        recordDuePoints();
    }
}

void SimulatedMeter::trackMaxMin()
{
    if (!maxMinActive())
        return;
    const std::uint16_t level = levelTenths();
    m_maxTenths = std::max(m_maxTenths, level);
    m_minTenths = std::min(m_minTenths, level);
}

int SimulatedMeter::rawLevelTenths() const { return int(std::lround(m_model.levelDb() * 10.0)); }

std::uint16_t SimulatedMeter::rangeLowTenths() const { return rangeByCode(m_range).lowTenths; }

std::uint16_t SimulatedMeter::rangeHighTenths() const { return rangeByCode(m_range).highTenths; }

std::uint16_t SimulatedMeter::levelTenths() const
{
    return std::uint16_t(std::clamp(rawLevelTenths(), int(rangeLowTenths()), int(rangeHighTenths())));
}

QDateTime SimulatedMeter::meterTime() const
{
    // Local-time arithmetic is the costliest step of a status reply: skip it when the clocks agree.
    const QDateTime now = clock().now();
    return m_clockOffsetMs == 0 ? now : now.addMSecs(m_clockOffsetMs);
}

} // namespace ql708
