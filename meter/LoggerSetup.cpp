// SPDX-License-Identifier: GPL-3.0-or-later
#include "meter/LoggerSetup.h"

#include "common/Clock.h"
#include "common/DateTime.h"
#include "common/StringTable.h"
#include "meter/MeterLog.h"

#include <QLocale>

namespace ql708 {

namespace {

using Exchange = MeterLink::Exchange;
using Session = MeterLink::Session;

const QString kTable = QStringLiteral("frmSetup");

constexpr int kMaxInterval = 60;
constexpr int kFullEcho = int(CommandFrame().size()), kShortEcho = 2;
constexpr int kMaxSerial = 63;

// Every command says how it ended, for a report about a misbehaving meter.
int logged(const char *command, int code)
{
    qCDebug(lcSetup, "%s: result %d", command, code);
    return code;
}

// The code of a failed exchange in a command's family; 0 when it went through.
int failureCode(Exchange e, int write, int read, int echo)
{
    switch (e) {
    case Exchange::WriteFailed: return write;
    case Exchange::ReadFailed: return read;
    case Exchange::EchoMismatch: return echo;
    case Exchange::Done: break;
    }
    return setup_result::kOk;
}

std::uint8_t addressByte(qint64 address, int shift) { return std::uint8_t((address >> shift) & 0xFF); }

QString twoHexDigits(std::uint8_t b) { return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper(); }

QString fixed(double v, int decimals)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(v, 'f', decimals);
}

// Two ASCII digits, as the masked fields hold them when complete.
std::optional<int> twoDigits(const QString &text)
{
    auto digit = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
    if (text.size() != 2 || !digit(text[0]) || !digit(text[1]))
        return std::nullopt;
    return (text[0].unicode() - '0') * 10 + (text[1].unicode() - '0');
}

QString failureMessage(int code, int noDevice, int noTimeouts, std::initializer_list<int> writes)
{
    if (code == noDevice)
        return setupText("IDS_5");
    if (code == noTimeouts)
        return setupText("IDS_6");
    for (int w : writes)
        if (code == w)
            return setupText("IDS_7");
    return noReplyMessage(code);
}

} // namespace

QString setupText(const char *key) { return ids(kTable, QString::fromLatin1(key)); }

MeterInformation decodeInformation(const ReplyBuffer &r)
{
    namespace info = information_layout;
    MeterInformation m;
    m.versionHundredths = r[info::kVersion];
    m.version = fixed(m.versionHundredths * 0.01, 2);
    const std::uint8_t *c = r.data() + info::kClock; // year, month, day, hour, minute, second
    m.meterTime = twoHexDigits(c[1]) + QLatin1Char('/') + twoHexDigits(c[2]) + QStringLiteral("/20") +
                  twoHexDigits(c[0]) + QStringLiteral("   ") + twoHexDigits(c[3]) + QLatin1Char(':') +
                  twoHexDigits(c[4]) + QLatin1Char(':') + twoHexDigits(c[5]);
    m.clockIso = QStringLiteral("20") + twoHexDigits(c[0]) + QLatin1Char('-') + twoHexDigits(c[1]) + QLatin1Char('-') +
                 twoHexDigits(c[2]) + QLatin1Char('T') + twoHexDigits(c[3]) + QLatin1Char(':') + twoHexDigits(c[4]) +
                 QLatin1Char(':') + twoHexDigits(c[5]);
    m.interval = QString::number(r[info::kInterval]);
    m.dataSets = QString::number(r[info::kSetCount] << 8 | r[info::kSetCount + 1]);
    const int last = r[info::kLastAddress] << 16 | r[info::kLastAddress + 1] << 8 | r[info::kLastAddress + 2];
    m.memoryAvailable = QString::number((memory_layout::kSize - last) / memory_layout::kPointSize);
    m.cal70Raw = r[info::kCal70] << 8 | r[info::kCal70 + 1];
    m.cal70 = fixed(m.cal70Raw * 0.00390625, 2) + QStringLiteral("  (") + QString::number(m.cal70Raw) + QLatin1Char(')');
    m.cal94Tenths = std::int8_t(r[info::kCal94]);
    m.cal94 = fixed(m.cal94Tenths * 0.1, 1);
    return m;
}

DataBlock clockBlock(const QDateTime &t)
{
    using namespace clock_block_layout;
    DataBlock b{};
    const QDate d = t.date();
    const QTime time = t.time();
    b[kSeconds] = intToBcd(time.second());
    b[kMinutes] = intToBcd(time.minute());
    b[kHours] = intToBcd(time.hour());
    b[kDay] = intToBcd(d.day());
    b[kMonth] = intToBcd(d.month());
    b[kYear] = intToBcd(((d.year() - 2000) % 100 + 100) % 100);
    return b;
}

std::optional<int> parseInterval(const QString &minutes, const QString &seconds)
{
    const std::optional<int> m = twoDigits(minutes), s = twoDigits(seconds);
    if (!m || !s || *m * 60 + *s > kMaxInterval)
        return std::nullopt;
    return *m * 60 + *s;
}

QList<MemoryByte> quickRecordingBytes(int points, int interval, const QDateTime &start)
{
    using namespace memory_layout;
    const int last = int(lastAddressOfOneRecord(points));
    const int p = kFirstRecordAt;
    const QDate d = start.date();
    const QTime t = start.time();
    QList<MemoryByte> b = {
        {kSetCountAt, 0},
        {kSetCountAt + 1, 1},
        {kLastAddressAt, std::uint8_t(last >> 16)},
        {kLastAddressAt + 1, std::uint8_t(last >> 8)},
        {kLastAddressAt + 2, std::uint8_t(last)},
        {p + kStartMarkersAt, kMarkerA5},
        {p + kStartMarkersAt + 1, kMarker5A},
        {p + kTagAt, kQuickRecordingTag},
    };
    const int fields[kStartFields] = {(d.year() - 2000) % 100, d.month(), d.day(), t.hour(), t.minute(), t.second()};
    for (int i = 0; i < kStartFields; ++i)
        b.append({p + kStartAt + i, intToBcd(fields[i])});
    b.append({p + kIntervalMinutesAt, std::uint8_t(interval / 60)});
    b.append({p + kRateAt, std::uint8_t(interval % 60)});
    b.append({p + kPointCountAt, std::uint8_t(points >> 16)});
    b.append({p + kPointCountAt + 1, std::uint8_t(points >> 8)});
    b.append({p + kPointCountAt + 2, std::uint8_t(points)});
    b.append({last - 1, kMarker5A});
    b.append({last, kMarkerA5});
    return b;
}

LinkTakeOver stopPollForExchange(MeterLink &link) { return LinkTakeOver(link, MeterLink::kTakeOverLimitMs); }

// --- The exchanges ---------------------------------------------------------------------

Exchange LoggerSetup::send(MeterCommand letter, MeterLink::Parameters parameters, int echoBytes, bool readReply)
{
    m_kept = parameters;
    return m_link.exchange({letter, readReply, echoBytes, parameters});
}

Exchange LoggerSetup::sendFixed(const CommandFrame &frame, int echoBytes)
{
    return m_link.exchange(
        {MeterCommand(frame[1]), true, echoBytes, MeterLink::Parameters{frame[2], frame[3], frame[4], frame[5]}});
}

Exchange LoggerSetup::sendByteWrite(qint64 address, std::uint8_t data, int echoBytes)
{
    return send(MeterCommand::WriteByte, {addressByte(address, 16), addressByte(address, 8), addressByte(address, 0), data}, echoBytes);
}

int LoggerSetup::setClock() { return logged("set clock", clockExchange()); }

int LoggerSetup::clockExchange()
{
    using namespace setup_result;
    const LinkTakeOver hold(m_link);
    if (const int c = openDevice(kClockNoDevice, kClockNoTimeouts))
        return c;
    if (send(MeterCommand::SetClock, {kSetClockParameter, 0, m_kept[2], m_kept[3]}, 0, false) != Exchange::Done)
        return kClockWrite;
    m_link.hid().settle();
    return m_link.hid().writeBlock(clockBlock(clock().now())) == 0 ? kOk : kClockBlock;
}

int LoggerSetup::setInterval(const QString &minutes, const QString &seconds)
{
    using namespace setup_result;
    const std::optional<int> interval = parseInterval(minutes, seconds);
    int code = kInvalidInput;
    if (interval) {
        const LinkTakeOver hold = stopPollForExchange(m_link);
        code = writeIntervalBytes(*interval);
    }
    m_link.closeDevice();
    return logged("set interval", code);
}

int LoggerSetup::writeIntervalBytes(int seconds)
{
    using namespace setup_result;
    if (const int c = openDevice(kNoDevice, kNoTimeouts))
        return c;
    if (const int c = failureCode(sendByteWrite(memory_layout::kIntervalHighAt, 0, kShortEcho), kFirstWrite, kFirstRead, kEcho))
        return c;
    if (const int c = failureCode(sendByteWrite(memory_layout::kIntervalLowAt, std::uint8_t(seconds), kShortEcho), kWrite, kRead, kEcho))
        return c;
    return failureCode(send(MeterCommand::EndSettings, {0, 0, 0, 0}, kShortEcho), kWrite, kRead, kEcho);
}

int LoggerSetup::eraseMemory()
{
    const LinkTakeOver hold = stopPollForExchange(m_link);
    return logged("erase", fullEchoExchange(eraseFrame()));
}

int LoggerSetup::fullEchoExchange(const CommandFrame &frame)
{
    using namespace setup_result;
    if (const int c = openDevice(kEraseNoDevice, kEraseNoTimeouts))
        return c;
    return failureCode(sendFixed(frame, kFullEcho), kEraseWrite, kEraseRead, kEraseEcho);
}

int LoggerSetup::readInformation(MeterInformation &info) { return logged("read information", informationExchange(info)); }

int LoggerSetup::informationExchange(MeterInformation &info)
{
    using namespace setup_result;
    const LinkTakeOver hold = stopPollForExchange(m_link);
    info = {};
    if (const int c = openDevice(kInfoNoDevice, kInfoNoTimeouts))
        return c;
    // The reply is taken as it comes: the meter echoes nothing of this command.
    if (const int c = failureCode(sendFixed(makeFrame(MeterCommand::Information), 0), kInfoWrite, kInfoRead, kOk))
        return c;
    info = decodeInformation(m_link.reply());
    QByteArray serial;
    if (m_link.hid().serialText(serial) != 0)
        return kInfoSerial;
    // The text ends at its first zero byte, within the 63 characters the meter has for it.
    const qsizetype end = serial.indexOf('\0');
    info.serial = QString::fromLatin1(serial.left(qMin(end < 0 ? serial.size() : end, qsizetype(kMaxSerial))));
    return kOk;
}

int LoggerSetup::writeByte(qint64 address, std::uint8_t data)
{
    using namespace setup_result;
    int code = openDevice(kNoDevice, kNoTimeouts);
    if (code == kOk)
        code = failureCode(sendByteWrite(address, data, kFullEcho), kWrite, kRead, kEcho);
    m_link.closeDevice();
    return logged("write byte", code);
}

int LoggerSetup::readByte(qint64 address, int &data)
{
    using namespace setup_result;
    int code = openDevice(kNoDevice, kNoTimeouts);
    if (code == kOk) {
        const MeterLink::Parameters p{addressByte(address, 16), addressByte(address, 8), addressByte(address, 0), m_kept[3]};
        code = failureCode(send(MeterCommand::ReadByte, p, kShortEcho), kWrite, kRead, kEcho);
    }
    if (code == kOk)
        data = m_link.reply()[kReadByteReplyAt];
    m_link.closeDevice();
    return logged("read byte", code);
}

int LoggerSetup::openDevice(int noDevice, int noTimeouts)
{
    switch (m_link.openSession(kTimeoutMs)) {
    case Session::NoDevice: return noDevice;
    case Session::NoTimeouts: return noTimeouts;
    case Session::Open: break;
    }
    return setup_result::kOk;
}

bool LoggerSetup::writeMemoryByte(int address, std::uint8_t data)
{
    Exchange e = sendByteWrite(address, data, kShortEcho);
    for (int writes = 1; e == Exchange::WriteFailed && writes < kByteTries; ++writes) {
        delayMs(kRetryDelayMs);
        e = sendByteWrite(address, data, kShortEcho);
    }
    for (int reads = 1; e == Exchange::ReadFailed && reads < kByteTries; ++reads) {
        delayMs(kRetryDelayMs);
        e = m_link.readAgain(kShortEcho);
    }
    if (e != Exchange::Done)
        qCDebug(lcSetup, "byte %d at %d not written", data, address);
    return e == Exchange::Done;
}

int LoggerSetup::quickRecording(int points, int interval)
{
    using namespace setup_result;
    const LinkTakeOver hold(m_link);
    int code = kOk;
    for (int attempt = 0; attempt < kQuickAttempts; ++attempt) {
        const Session s = m_link.openSession(kQuickTimeoutMs);
        if (s != Session::Open) {
            code = s == Session::NoDevice ? kQuickNoDevice : kQuickNoTimeouts;
            qCDebug(lcSetup, "quick recording: attempt %d failed with %d", attempt + 1, code);
            delayMs(kRetryDelayMs);
            continue;
        }
        bool written = true;
        for (const MemoryByte &b : quickRecordingBytes(points, interval, clock().now()))
            if (!(written = writeMemoryByte(b.address, b.data)))
                break;
        if (!written) {
            code = kQuickWrite;
            break;
        }
        if (code != kOk) {
            // After a failed attempt the meter may still hold replies meant for it: drop them.
            // The command ends here and says it failed, as the earlier attempt did.
            delayMs(kRetryDelayMs);
            send(MeterCommand::Abort, m_kept, 0, false);
            delayMs(kRetryDelayMs);
        }
        break;
    }
    const int end = fullEchoExchange(makeFrame(MeterCommand::EndSettings));
    return logged("quick recording", code != kOk ? code : end);
}

// --- Messages --------------------------------------------------------------------------

QString clockMessage(int code) { return setupText(code == setup_result::kOk ? "IDS_1" : "IDS_2"); }

QString intervalMessage(int code)
{
    using namespace setup_result;
    if (code == kOk)
        return setupText("IDS_3");
    if (code == kInvalidInput)
        return setupText("IDS_4");
    return failureMessage(code, kNoDevice, kNoTimeouts, {kFirstWrite, kWrite});
}

QString eraseMessage(int code)
{
    using namespace setup_result;
    if (code == kOk)
        return setupText("IDS_9");
    if (code == kEraseRead)
        return QString();
    return failureMessage(code, kEraseNoDevice, kEraseNoTimeouts, {kEraseWrite});
}

QString informationMessage(int code)
{
    using namespace setup_result;
    if (code == kOk)
        return setupText("IDS_10");
    if (code == kInfoSerial)
        return setupText("IDS_11");
    if (code == kInfoRead)
        return QString();
    return failureMessage(code, kInfoNoDevice, kInfoNoTimeouts, {kInfoWrite});
}

QString noReplyMessage(int code) { return setupText("IDS_8") + QString::number(code); }

QString erasingWhileRecordingMessage() { return setupText("IDS_16"); }

QString byteMessage(int code) { return setupText("IDS_12") + QString::number(code); }

} // namespace ql708
