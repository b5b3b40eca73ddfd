// SPDX-License-Identifier: GPL-3.0-or-later
#include "realtime/DailyFilesWriter.h"

#include "meter/MeterLink.h"
#include "monitor/MonitorSession.h"

namespace ql708::realtime {

DailyFilesWriter::DailyFilesWriter() = default;

DailyFilesWriter::~DailyFilesWriter() = default; // the session closes its files

bool DailyFilesWriter::start(const QString &folder, const QDateTime &now, QString &error)
{
    if (m_session)
        return true;
    monitor::MonitorSettings settings;
    settings.folder = folder;
    // The statuses come on the poll's beat, as the command-line monitor's do.
    settings.intervalSeconds = MeterLink::kPollMs / 1000.0;
    auto session = std::make_unique<monitor::MonitorSession>(settings, [this](const QString &n) { m_notes << n; });
    if (!session->start(now, error))
        return false;
    m_session = std::move(session);
    m_gap = false;
    return true;
}

void DailyFilesWriter::status(const MeterStatus &status, const QDateTime &now)
{
    if (!m_session)
        return;
    if (const std::optional<monitor::Reading> r = monitor::readingOf(status, now)) {
        m_session->reading(*r);
        m_gap = false;
    }
    m_session->tick(now);
}

void DailyFilesWriter::gap(const QDateTime &now)
{
    if (!m_session || m_gap)
        return;
    m_session->gap(now);
    m_gap = true;
}

void DailyFilesWriter::tick(const QDateTime &now)
{
    if (m_session)
        m_session->tick(now);
}

void DailyFilesWriter::stop(const QDateTime &now)
{
    if (!m_session)
        return;
    m_session->stop(now);
    m_session.reset();
}

QStringList DailyFilesWriter::takeNotes()
{
    QStringList notes;
    notes.swap(m_notes);
    return notes;
}

} // namespace ql708::realtime
