// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/MonitorPoll.h"

#include "common/Clock.h"

namespace ql708::monitor {

MonitorPoll::MonitorPoll(HidLink &hid, MonitorSession &session, Notes notes)
    : m_hid(hid), m_session(session), m_notes(std::move(notes)), m_link(std::make_unique<MeterLink>(hid))
{
}

qint64 MonitorPoll::step()
{
    Clock &c = clock();
    const qint64 tick = c.tickMs();
    // One look at the wall clock a step: local time costs the most of the program's own work.
    const QDateTime now = c.now();
    if (tick >= m_due) {
        if (m_link->meterConnected())
            poll(now);
        else
            handshake();
        const int period = m_link->meterConnected() ? MeterLink::kPollMs : kHandshakeMs;
        // On a steady beat; after a long exchange (a meter slow to time out) from now on.
        m_due = m_due + period > tick ? m_due + period : tick + period;
    }
    m_session.tick(now);
    return m_due;
}

void MonitorPoll::poll(const QDateTime &now)
{
    const PollResult r = m_link->tick(true);
    switch (r.kind) {
    case PollResult::StatusRead:
        if (const std::optional<Reading> reading = readingOf(r.status, now)) {
            read(now, *reading);
            return;
        }
        [[fallthrough]];
    case PollResult::StatusDropped:
        if (++m_badReplies >= kBadRepliesToLose)
            lose(now, QStringLiteral("the meter answers with replies that make no sense"));
        return;
    case PollResult::Lost:
        lose(now, QStringLiteral("the meter stopped answering"));
        return;
    case PollResult::Nothing:
    case PollResult::Connected:
        return;
    }
}

void MonitorPoll::handshake()
{
    if (m_link->tick(true).kind == PollResult::Connected) {
        m_badReplies = 0;
        return;
    }
    if (m_everRead || m_toldAbsent)
        return;
    m_notes(QStringLiteral("no meter answers (USB 04D9:E000); looking for it every %1 s. Check that it is plugged "
                           "in and switched on, and that this user may open it (the udev rule 70-ql708.rules)")
                .arg(kHandshakeMs / 1000));
    m_toldAbsent = true;
}

// A meter counts as back with its first reading, not its handshake: one that answers the
// handshake and then only garbage stays lost, and is told once.
void MonitorPoll::read(const QDateTime &now, const Reading &reading)
{
    if (m_lost)
        m_notes(QStringLiteral("the meter answers again, after %1 s without readings").arg(m_lostAt.secsTo(now)));
    else if (!m_everRead)
        m_notes(QStringLiteral("the meter answers; its readings go to %1").arg(m_session.settings().folder));
    m_lost = false;
    m_everRead = true;
    m_badReplies = 0;
    ++m_readings;
    m_session.reading(reading);
}

void MonitorPoll::lose(const QDateTime &now, const QString &why)
{
    m_session.gap(now);
    if (!m_lost) {
        m_notes(QStringLiteral("%1 at %2; a gap is marked in the readings, and the meter is looked for every %3 s")
                    .arg(why, now.toString(Qt::ISODate))
                    .arg(kHandshakeMs / 1000));
        m_lostAt = now;
        m_lost = true;
    }
    m_badReplies = 0;
    // A fresh link starts over with the handshake, whatever state the old one was left in.
    m_link = std::make_unique<MeterLink>(m_hid);
}

} // namespace ql708::monitor
