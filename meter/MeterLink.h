// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "meter/HidLink.h"
#include "meter/MeterStatus.h"

#include <array>
#include <functional>
#include <optional>

namespace ql708 {

// What one poll tick did, for the window to show.
struct PollResult {
    enum Kind {
        Nothing,     // disconnected and no meter answered, or a failure below five
        Connected,   // the handshake recognised the meter
        StatusRead,  // a framed status was decoded into status
        StatusDropped, // a reply came back but was not framed, or was not decoded
        Lost,        // the fifth failed status exchange in a row
    };
    Kind kind = Nothing;
    MeterStatus status;
};

// The link to the meter: one exchange at a time through the shared frame and reply, the
// connection state of the poll, and the rule by which longer commands take the link over.
class MeterLink {
public:
    // The time between two poll ticks, in the window program and the command-line tool alike.
    static constexpr int kPollMs = 500;
    static constexpr int kFailuresToLose = 5;
    static constexpr int kTimeoutMs = 1000;
    static constexpr int kKeyTimeoutMs = 500;
    static constexpr int kTakeOverLimitMs = 2500;

    explicit MeterLink(HidLink &hid) : m_hid(hid) {}

    HidLink &hid() { return m_hid; }

    bool meterConnected() const { return m_connected; }
    bool pollBusy() const { return m_pollBusy; }
    bool meterRecording() const { return m_recording; }
    int failedPolls() const { return m_failedPolls; }
    std::uint8_t sequence() const { return m_sequence; }
    const CommandFrame &frame() const { return m_frame; }
    const ReplyBuffer &reply() const { return m_reply; }

    // One poll tick. The status is decoded only when decodeStatus is true (the front panel
    // is open); otherwise nothing of the reply is used and meterRecording keeps its value.
    PollResult tick(bool decodeStatus);

    // Sends the handshake; true when the reply was read.
    bool handshakeExchange();
    // Sends the status command with the next sequence number; true when the reply was read.
    bool statusExchange();
    // Sends a key command through the shared frame; false when the device could not be opened.
    bool keyExchange(MeterCommand key);

    // The start of a command of one or more exchanges: close, open and set both time-outs.
    // The device stays open until closeDevice() (or the close that begins the next exchange).
    enum class Session { Open, NoDevice, NoTimeouts };
    Session openSession(int timeoutMs = kTimeoutMs);
    void closeDevice() { m_hid.close(); }

    // Bytes 2 to 5 of a command frame.
    using Parameters = std::array<std::uint8_t, 4>;
    struct Command {
        Command(MeterCommand letter, bool readReply = true, int echoBytes = 0,
                std::optional<Parameters> parameters = std::nullopt)
            : letter(letter), readReply(readReply), echoBytes(echoBytes), parameters(parameters)
        {
        }
        MeterCommand letter;
        bool readReply; // settle after the write, then read the 32-byte reply
        int echoBytes;  // the reply's first bytes must equal the frame's
        // Without parameters the frame is the shared one as the poll keeps it: bytes 2 to 4
        // zero, byte 5 the last status sequence number.
        std::optional<Parameters> parameters;
    };
    enum class Exchange { Done, WriteFailed, ReadFailed, EchoMismatch };
    // One command on the device as the session left it, through the shared frame; the reply
    // stays in reply().
    Exchange exchange(const Command &command);
    // Reads the reply to the frame written last once more, after a read that failed, and
    // checks the first echoBytes of it against that frame. No settle: the write had one.
    Exchange readAgain(int echoBytes);

    // Switches the poll timer of the window; set by the window that owns the timer.
    void setPollTimerSwitch(std::function<void(bool)> sw) { m_timerSwitch = std::move(sw); }
    // Waits while a poll tick runs (at most limitMs, or without limit when negative), then
    // stops the poll timer. Take-overs nest: a download started from a dialog that holds the
    // link takes it over again.
    void takeOver(int limitMs = -1);
    // Ends a take-over; the poll timer starts again when the outermost one ends.
    void giveBack();
    // A longer command (download, LEQ run, setup) holds the link.
    bool takenOver() const { return m_takeOvers > 0; }

private:
    void sendFrame(MeterCommand letter);

    HidLink &m_hid;
    CommandFrame m_frame = makeFrame(MeterCommand::Status);
    CommandFrame m_sent{}; // the frame written last, parameters included
    ReplyBuffer m_reply{};
    bool m_connected = false;
    bool m_pollBusy = false;
    bool m_recording = false;
    int m_failedPolls = 0;
    std::uint8_t m_sequence = 0;
    int m_takeOvers = 0; // take-overs not yet given back
    std::function<void(bool)> m_timerSwitch;
};

// Brackets a command that takes the link over: the poll stops on construction and starts
// again when the guard goes out of scope.
class LinkTakeOver {
public:
    explicit LinkTakeOver(MeterLink &link, int limitMs = -1) : m_link(link) { m_link.takeOver(limitMs); }
    ~LinkTakeOver() { m_link.giveBack(); }
    LinkTakeOver(const LinkTakeOver &) = delete;
    LinkTakeOver &operator=(const LinkTakeOver &) = delete;

private:
    MeterLink &m_link;
};

} // namespace ql708
