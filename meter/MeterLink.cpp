// SPDX-License-Identifier: GPL-3.0-or-later
#include "meter/MeterLink.h"

#include "common/Clock.h"
#include "meter/MeterLog.h"

#include <QCoreApplication>

#include <algorithm>

namespace ql708 {

PollResult MeterLink::tick(bool decodeStatus)
{
    m_pollBusy = true;
    PollResult result;
    if (!m_connected) {
        if (handshakeExchange() && isHandshakeReply(m_reply)) {
            m_connected = true;
            result.kind = PollResult::Connected;
            qCDebug(lcPoll, "handshake: meter recognised");
        } else {
            qCDebug(lcPoll, "handshake: no meter recognised");
        }
    } else if (statusExchange()) {
        m_failedPolls = 0;
        result.kind = PollResult::StatusDropped;
        if (isFramedReply(m_reply) && decodeStatus) {
            result.status = decodeMeterStatus(m_reply);
            m_recording = result.status.recording;
            result.kind = PollResult::StatusRead;
        }
        if (!isFramedReply(m_reply))
            qCDebug(lcPoll, "status %u: reply without its frame, dropped", m_sequence);
    } else if (++m_failedPolls >= kFailuresToLose) {
        m_connected = false;
        m_failedPolls = 0;
        result.kind = PollResult::Lost;
        qCDebug(lcPoll, "status %u failed, the %dth in a row: connection lost", m_sequence, kFailuresToLose);
    } else {
        qCDebug(lcPoll, "status %u failed (%d in a row)", m_sequence, m_failedPolls);
    }
    m_pollBusy = false;
    return result;
}

bool MeterLink::handshakeExchange()
{
    const bool ok = openSession() == Session::Open && exchange({MeterCommand::Handshake}) == Exchange::Done;
    m_hid.close();
    return ok;
}

bool MeterLink::statusExchange()
{
    m_hid.close();
    if (m_hid.open(kMeterVendorId, kMeterProductId) != 0 ||
        m_hid.setTimeouts(kTimeoutMs, kTimeoutMs) != 0) {
        m_hid.close();
        return false;
    }
    ++m_sequence;
    m_frame[5] = m_sequence;
    sendFrame(MeterCommand::Status);
    // A failed write shows as a failed read: the reply stays zero and its echo mismatches.
    m_hid.writeCommand(m_frame);
    m_hid.settle();
    m_reply.fill(0);
    const bool read = m_hid.readReply(m_reply) == 0;
    if (m_reply[status_layout::kSequenceEcho] != m_sequence) {
        qCDebug(lcPoll, "status %u: echo %u, abort with Q", m_sequence, m_reply[status_layout::kSequenceEcho]);
        sendFrame(MeterCommand::Abort);
        m_hid.writeCommand(m_frame);
    }
    m_hid.close();
    return read;
}

bool MeterLink::keyExchange(MeterCommand key)
{
    if (openSession(kKeyTimeoutMs) != Session::Open)
        return false;
    // The outcome of the write is not examined: the next status shows what the meter did.
    exchange({key, false});
    m_hid.close();
    return true;
}

MeterLink::Session MeterLink::openSession(int timeoutMs)
{
    m_hid.close();
    if (m_hid.open(kMeterVendorId, kMeterProductId) != 0)
        return Session::NoDevice;
    if (m_hid.setTimeouts(timeoutMs, timeoutMs) != 0)
        return Session::NoTimeouts;
    return Session::Open;
}

MeterLink::Exchange MeterLink::exchange(const Command &command)
{
    sendFrame(command.letter);
    m_sent = m_frame;
    if (command.parameters)
        std::copy(command.parameters->begin(), command.parameters->end(), m_sent.begin() + 2);
    if (m_hid.writeCommand(m_sent) != 0)
        return Exchange::WriteFailed;
    if (!command.readReply)
        return Exchange::Done;
    m_hid.settle();
    return readAgain(command.echoBytes);
}

MeterLink::Exchange MeterLink::readAgain(int echoBytes)
{
    if (m_hid.readReply(m_reply) != 0)
        return Exchange::ReadFailed;
    if (!std::equal(m_sent.begin(), m_sent.begin() + std::clamp(echoBytes, 0, int(m_sent.size())), m_reply.begin()))
        return Exchange::EchoMismatch;
    return Exchange::Done;
}

void MeterLink::sendFrame(MeterCommand letter)
{
    // Bytes 2 to 5 stay as they are: byte 5 carries the last status sequence number.
    m_frame[0] = kStx;
    m_frame[1] = std::uint8_t(letter);
    m_frame[6] = kEtx;
}

void MeterLink::takeOver(int limitMs)
{
    Clock &c = clock();
    const qint64 start = c.tickMs();
    while (m_pollBusy && (limitMs < 0 || c.tickMs() - start < limitMs)) {
        QCoreApplication::processEvents();
        c.pause();
    }
    ++m_takeOvers;
    if (m_timerSwitch)
        m_timerSwitch(false);
}

void MeterLink::giveBack()
{
    if (m_takeOvers > 0 && --m_takeOvers > 0)
        return; // an outer take-over still holds the link
    if (m_timerSwitch)
        m_timerSwitch(true);
}

} // namespace ql708
