#include "meter/sim/SimulatedMeter.h"

#include "common/Clock.h"
#include "common/DateTime.h"
#include "meter/MeterStatus.h"

#include <algorithm>
#include <cmath>

namespace ql708 {

namespace {

// The model moves in steps of 100 ms; a long gap (a suspended computer) is crossed in
// at most this many coarser steps.
constexpr std::int64_t kStepMs = 100;
constexpr std::int64_t kMaxSteps = 20000;
// Downloads beyond the 24-bit address space get no answer.
constexpr int kAddressSpace = 1 << 24;

struct RangeInfo {
    std::uint8_t code;
    std::uint8_t flagBits; // bits 2-3 of a record's mode flags
    std::uint16_t lowTenths, highTenths;
};
constexpr RangeInfo kRanges[] = {
    {kRange30to90, 0x00, 300, 900},
    {kRange50to110, 0x04, 500, 1100},
    {kRange70to130, 0x08, 700, 1300},
    {kRange30to130, 0x0C, 300, 1300},
};

const RangeInfo &rangeByCode(std::uint8_t code)
{
    for (const RangeInfo &r : kRanges)
        if (r.code == code)
            return r;
    return kRanges[3];
}

const RangeInfo &rangeByFlags(std::uint8_t flags)
{
    for (const RangeInfo &r : kRanges)
        if (r.flagBits == (flags & 0x0C))
            return r;
    return kRanges[3];
}

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

bool isEraseFrame(const CommandFrame &f)
{
    return f[1] == 'e' && f[2] == 'r' && f[3] == 'a' && f[4] == 's' && f[5] == 'e';
}

int frameAddress(const CommandFrame &f) { return f[2] << 16 | f[3] << 8 | f[4]; }

std::uint8_t yearBcd(const QDate &d) { return intToBcd(((d.year() - 2000) % 100 + 100) % 100); }

} // namespace

SimulatedMeter::SimulatedMeter(std::uint32_t seed)
    : m_seed(seed), m_model(seed), m_serial("SIM-" + QByteArray::number(seed).rightJustified(6, '0')),
      m_tick(clock().tickMs())
{
    addExampleSets();
}

// --- The HID operations -------------------------------------------------------------

int SimulatedMeter::close()
{
    advanceToNow();
    m_open = false;
    m_pending.reset();
    m_awaitingClockBlock = false;
    m_downloadNext = -1;
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
    return m_open && readMs > 0 && writeMs > 0 ? 0 : 1;
}

int SimulatedMeter::writeCommand(const CommandFrame &frame)
{
    advanceToNow();
    if (!m_open)
        return 1;
    m_awaitingClockBlock = false;
    m_pending = answer(frame);
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
    if (!m_open || !m_pending)
        return 1;
    reply = *m_pending;
    m_pending.reset();
    return 0;
}

int SimulatedMeter::writeBlock(const DataBlock &block)
{
    advanceToNow();
    if (!m_open || !m_awaitingClockBlock)
        return 1;
    m_awaitingClockBlock = false;
    const int second = bcdToInt(block[0]), minute = bcdToInt(block[1]), hour = bcdToInt(block[2]);
    const int day = bcdToInt(block[3]), month = bcdToInt(block[4]), year = bcdToInt(block[6]);
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
    if (!plugged)
        close();
}

// --- Commands and replies -----------------------------------------------------------

SimulatedMeter::Reply SimulatedMeter::answer(const CommandFrame &f)
{
    if (f[0] != kStx || f[6] != kEtx)
        return {};
    if (isEraseFrame(f)) {
        eraseMemory();
        return echo(f, 7);
    }
    switch (char(f[1])) {
    case 'K': return handshakeReply();
    case 'A': return statusReply(f);
    case 'P': return memoryBlock(0);
    case 'p': return m_downloadNext < 0 ? Reply{} : memoryBlock(m_downloadNext);
    case 'q':
    case 'Q': m_downloadNext = -1; return {};
    case 't': m_awaitingClockBlock = f[2] == 'c'; return {};
    case 'W': return writeByteReply(f);
    case 'r': return readByteReply(f);
    case 'Y': return informationReply();
    case 'b': return echo(f, 7);
    default: pressKey(char(f[1])); return {};
    }
}

SimulatedMeter::Reply SimulatedMeter::handshakeReply() const
{
    ReplyBuffer r = framedReply();
    r[1] = 'K';
    r[kHandshakeIdOffset] = '6';
    r[kHandshakeIdOffset + 1] = '1';
    r[kHandshakeIdOffset + 2] = '7';
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
    ReplyBuffer r = framedReply();
    r[1] = 'Y';
    // Set count, last address and interval as the memory's header holds them.
    for (int at = LoggerMemory::kSetCountAt; at <= LoggerMemory::kIntervalAt + 1; ++at)
        r[at] = m_memory.byte(at);
    r[18] = std::uint8_t(std::int8_t(-2)); // 94 dB calibration: -0.2 dB
    put16(r, 19, 0x4600);                  // 70 dB calibration: 70.00 in 1/256
    const QDateTime t = meterTime();
    r[25] = yearBcd(t.date());
    r[26] = intToBcd(t.date().month());
    r[27] = intToBcd(t.date().day());
    r[28] = intToBcd(t.time().hour());
    r[29] = intToBcd(t.time().minute());
    r[30] = intToBcd(t.time().second());
    r[31] = kFirmwareVersion;
    return r;
}

SimulatedMeter::Reply SimulatedMeter::memoryBlock(int from)
{
    if (from >= kAddressSpace) {
        m_downloadNext = -1;
        return {};
    }
    ReplyBuffer r;
    // Past the end of the memory the meter answers with erased bytes.
    for (int i = 0; i < int(r.size()); ++i)
        r[i] = from + i < LoggerMemory::kSize ? m_memory.byte(from + i) : 0xFF;
    m_downloadNext = from + int(r.size());
    return r;
}

SimulatedMeter::Reply SimulatedMeter::writeByteReply(const CommandFrame &f)
{
    // An address outside the memory gets no answer.
    if (!m_memory.setByte(frameAddress(f), f[5]))
        return {};
    return echo(f, 7);
}

SimulatedMeter::Reply SimulatedMeter::readByteReply(const CommandFrame &f) const
{
    const int address = frameAddress(f);
    if (address >= LoggerMemory::kSize)
        return {};
    ReplyBuffer r = echo(f, 5);
    r[6] = m_memory.byte(address);
    return r;
}

// --- Keys ---------------------------------------------------------------------------

void SimulatedMeter::pressKey(char key)
{
    switch (key) {
    case 'L': if (!m_recording) stepRange(); break;
    case 'C': if (!m_recording) m_aWeighting = !m_aWeighting; break;
    case 'F': if (!m_recording) m_fast = !m_fast; break;
    case 'M': stepMaxMin(); break;
    case 'N': m_maxMinMode = kMaxMinNone; break;
    case 'u': stopRecording(); break;
    case 'v': startRecording(true); break;
    case 'w': startRecording(false); break;
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
    // 0 records as fast as the logger goes; a stored value above a minute is not one the
    // program writes, and is read as 2 s like the data set parser does.
    const int stored = m_memory.interval();
    return stored == 0 ? 1 : stored > 60 ? 2 : stored;
}

std::uint8_t SimulatedMeter::modeFlags() const
{
    return std::uint8_t((m_fast ? 0x01 : 0) | (m_aWeighting ? 0x02 : 0) |
                        rangeByCode(m_range).flagBits);
}

void SimulatedMeter::startRecording(bool withWav)
{
    if (m_recording)
        return;
    const QByteArray wav =
        withWav ? "A" + QByteArray::number(m_wavCount + 1).rightJustified(7, '0') : "00000000";
    const int interval = recordingInterval();
    if (!m_memory.beginRecord({meterTime(), interval, modeFlags(), wav})) {
        m_memoryFull = true;
        return;
    }
    m_wavCount += withWav ? 1 : 0;
    m_recording = true;
    m_recordIntervalMs = std::int64_t(interval) * 1000;
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
        m_memory.appendPoint(levelTenths());
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

QDateTime SimulatedMeter::meterTime() const { return clock().now().addMSecs(m_clockOffsetMs); }

// --- Example data -------------------------------------------------------------------

void SimulatedMeter::addExampleSets()
{
    struct Example {
        int daysAgo, hour, minute, interval, points;
        std::uint8_t flags;
        const char *wav;
    };
    // Different intervals, weightings and ranges; the first has a WAV recording.
    const Example examples[] = {
        {3, 9, 30, 2, 300, 0x03, "A0000001"},  // FAST, A, 30-90
        {2, 14, 15, 1, 600, 0x04, "00000000"}, // SLOW, C, 50-110
        {1, 8, 0, 60, 120, 0x0E, "00000000"},  // SLOW, A, 30-130
    };
    // A scene of their own, so the live sound starts fresh.
    LevelModel scene(m_seed ^ 0x5EEDu);
    const QDate today = clock().now().date();
    for (const Example &e : examples) {
        const QDateTime start(today.addDays(-e.daysAgo), QTime(e.hour, e.minute));
        if (!m_memory.beginRecord({start, e.interval, e.flags, e.wav}))
            break;
        const RangeInfo &range = rangeByFlags(e.flags);
        for (int i = 0; i < e.points; ++i) {
            scene.step(std::int64_t(e.interval) * 1000, e.flags & 0x01, e.flags & 0x02);
            const int tenths = int(std::lround(scene.levelDb() * 10.0));
            m_memory.appendPoint(std::clamp(tenths, int(range.lowTenths), int(range.highTenths)));
        }
        m_memory.endRecord();
    }
}

} // namespace ql708
