// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "meter/MeterLink.h"
#include "monitor/MonitorSession.h"

#include <QString>

#include <functional>
#include <memory>

namespace ql708::monitor {

// The monitor's own poll, for a program that has no window polling the meter: the status every
// half second while the meter answers, the handshake every two seconds while it does not, for as
// long as it runs. A meter that stops answering, or answers only with replies that make no sense,
// is told once, leaves a gap in the readings and is looked for again until a reading comes; nothing
// the meter does ends the poll. Times come from ql708::clock().
class MonitorPoll {
public:
    static constexpr int kHandshakeMs = 2000;
    // Replies in a row that give no reading before the meter counts as gone.
    static constexpr int kBadRepliesToLose = MeterLink::kFailuresToLose;

    using Notes = std::function<void(const QString &)>;
    MonitorPoll(HidLink &hid, MonitorSession &session, Notes notes);

    // Does what is due now (a poll or a handshake, and the session's tick) and gives the tick
    // (ql708::clock().tickMs()) at which to call again.
    qint64 step();

    bool connected() const { return m_link->meterConnected(); }
    qint64 readings() const { return m_readings; }

private:
    void poll(const QDateTime &now);
    void handshake();
    void read(const QDateTime &now, const Reading &reading);
    void lose(const QDateTime &now, const QString &why);

    HidLink &m_hid;
    MonitorSession &m_session;
    Notes m_notes;
    std::unique_ptr<MeterLink> m_link;
    qint64 m_due = 0;
    int m_badReplies = 0;
    bool m_everRead = false;
    bool m_toldAbsent = false;
    bool m_lost = false; // no reading since the meter went away
    QDateTime m_lostAt;
    qint64 m_readings = 0;
};

} // namespace ql708::monitor
