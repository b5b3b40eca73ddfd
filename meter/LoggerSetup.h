// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "meter/MeterLink.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace ql708 {

// What the logger setup commands return: 0, or the step at which the command failed.
namespace setup_result {
constexpr int kOk = 0;
// Setting the meter clock.
constexpr int kClockNoDevice = 201, kClockNoTimeouts = 202, kClockWrite = 203, kClockBlock = 205;
// The recording interval and the single memory bytes: the first write and read of the interval
// give 705 and 706, every later one 708 and 709.
constexpr int kInvalidInput = 701, kNoDevice = 703, kNoTimeouts = 704, kFirstWrite = 705, kFirstRead = 706,
              kEcho = 707, kWrite = 708, kRead = 709;
// The erase, and the closing exchange of the quick recording.
constexpr int kEraseNoDevice = 803, kEraseNoTimeouts = 804, kEraseWrite = 805, kEraseRead = 806, kEraseEcho = 807;
// Reading the meter's information.
constexpr int kInfoNoDevice = 903, kInfoNoTimeouts = 904, kInfoWrite = 905, kInfoRead = 906, kInfoSerial = 907;
// The quick recording's attempts.
constexpr int kQuickNoDevice = 9000, kQuickNoTimeouts = 9001, kQuickWrite = 9002;
} // namespace setup_result

// The meter's information as the setup dialog shows it, one text per field.
struct MeterInformation {
    // As the setup dialog shows them, in the user's locale.
    QString version, meterTime, interval, dataSets, memoryAvailable, cal70, cal94, serial;
    // The same for scripts: the meter clock as ISO 8601 from its BCD digits as they are
    // ("2024-03-05T14:07:09", no UTC offset: the meter knows none), and the raw numbers.
    QString clockIso;
    int versionHundredths = 0, cal94Tenths = 0, cal70Raw = 0; // cal70Raw in 1/256 dB
};

// Decodes the reply to the information command (everything but the serial number).
MeterInformation decodeInformation(const ReplyBuffer &reply);

// The 32-byte block that sets the meter clock to t.
DataBlock clockBlock(const QDateTime &t);

// The recording interval from its two fields of exactly two digits each; nullopt when a
// field is incomplete or the interval is above 60 s.
std::optional<int> parseInterval(const QString &minutes, const QString &seconds);

// One byte the quick recording writes.
struct MemoryByte {
    int address;
    std::uint8_t data;
    bool operator==(const MemoryByte &) const = default;
};
// The most points whose record still ends inside the memory: 127987.
constexpr int kQuickMaxPoints =
    int((memory_layout::kSize - 1 - memory_layout::lastAddressOfOneRecord(0)) / memory_layout::kPointSize);
constexpr int kQuickMaxInterval = 255 * 60 + 59; // whole minutes and seconds each fit a byte
// The header of one data set of points points at interval seconds, started at start, and
// its record header at 256, in the order they are written.
QList<MemoryByte> quickRecordingBytes(int points, int interval, const QDateTime &start);

// The waits of the interval, erase and information commands: at most 2.5 s for a poll tick
// to end, then the poll stops until the guard goes out of scope.
LinkTakeOver stopPollForExchange(MeterLink &link);

// The logger setup commands: the meter clock, the recording interval, the erase, the
// information, single memory bytes and the quick recording. They send through the link's
// exchange, with a frame of their own whose parameter bytes a command does not set keep what
// the previous command left there. Those that take the link over from the poll do so
// themselves; the single-byte commands run beside the poll.
class LoggerSetup {
public:
    static constexpr int kTimeoutMs = MeterLink::kTimeoutMs;
    static constexpr int kQuickTimeoutMs = 100;
    static constexpr int kQuickAttempts = 5;
    static constexpr int kByteTries = 5;
    static constexpr int kRetryDelayMs = 300;

    explicit LoggerSetup(MeterLink &link) : m_link(link) {}

    // Sets the meter clock to the computer's; 0 or 201 to 205.
    int setClock();
    // Sets the recording interval from its two fields; 0, 701 or 703 to 709. Closes the device.
    int setInterval(const QString &minutes, const QString &seconds);
    // The erase exchange; 0 or 803 to 807. The device is left open.
    int eraseMemory();
    // Reads the information and the serial number; 0 or 903 to 907. The fields hold what was
    // read, also after 907. The device is left open.
    int readInformation(MeterInformation &info);
    // Writes one byte, checking the whole echo; 0 or 703 to 709. Closes the device.
    int writeByte(qint64 address, std::uint8_t data);
    // Reads one byte into data; 0 or 703 to 709. Closes the device.
    int readByte(qint64 address, int &data);
    // Writes one byte on the open device, with up to five writes and five reads; true when
    // the meter echoed the frame's first two bytes.
    bool writeMemoryByte(int address, std::uint8_t data);
    // Writes a data set of points points at interval seconds into the header, then ends the
    // settings change; 0, 9000 to 9002 or 803 to 807. An attempt that fails to open the device
    // or set its time-outs is followed by another, up to five.
    int quickRecording(int points, int interval);

    // Bytes 2 to 5 of the frame as the last command left them.
    const MeterLink::Parameters &keptParameters() const { return m_kept; }

private:
    MeterLink::Exchange send(MeterCommand letter, MeterLink::Parameters parameters, int echoBytes,
                             bool readReply = true);
    MeterLink::Exchange sendFixed(const CommandFrame &frame, int echoBytes);
    MeterLink::Exchange sendByteWrite(qint64 address, std::uint8_t data, int echoBytes);
    // Closes, opens and sets the time-outs; 0, or the family's code for what failed.
    int openDevice(int noDevice, int noTimeouts);
    int clockExchange();
    int informationExchange(MeterInformation &info);
    int writeIntervalBytes(int seconds);
    // Opens the device and sends a fixed frame whose whole echo must come back; 0 or 803 to
    // 807 (the erase, and the end of the quick recording's settings change).
    int fullEchoExchange(const CommandFrame &frame);

    MeterLink &m_link;
    MeterLink::Parameters m_kept{};
};

// The messages of the setup commands, by code; an empty text where a command shows none.
QString clockMessage(int code);
QString intervalMessage(int code);
// The dialog's erase (the menu's says other words after a success).
QString eraseMessage(int code);
QString informationMessage(int code);
// The single-byte commands: "Error Code=" and the code.
QString byteMessage(int code);
// Where the window shows nothing (the meter did not reply): the words for no reply and the code.
QString noReplyMessage(int code);
// Why an erase is refused while the meter records.
QString erasingWhileRecordingMessage();
// The text of the dialog's table by key.
QString setupText(const char *key);

} // namespace ql708
