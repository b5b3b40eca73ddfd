// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/MonitorSession.h"

#include "common/Clock.h"
#include "monitor/MonitorCsv.h"
#include "monitor/MqttMessages.h"

#include <QFile>

#include <cstdlib>

namespace ql708::monitor {

namespace {
constexpr qint64 kFlushMs = 1000;
constexpr qint64 kSyncMs = 60'000;
// A day's readings at two a second take about 9 MB; more than this is read from its end.
constexpr qint64 kMaxReplayBytes = 64 * 1024 * 1024;
} // namespace

MonitorSession::MonitorSession(MonitorSettings settings, Notes notes)
    : m_settings(std::move(settings)),
      m_notes(std::move(notes)),
      m_files(m_settings.folder),
      m_events(m_settings.events, m_settings.intervalSeconds)
{
}

MonitorSession::~MonitorSession()
{
    if (m_running)
        stop(clock().now());
}

bool MonitorSession::start(const QDateTime &now, QString &error)
{
    if (m_running)
        return true;
    if (!m_files.takeFolder(error))
        return false;
    m_running = true;
    recover(now);
    m_files.sync();
    m_lastFlush = m_lastSync = now.toMSecsSinceEpoch();
    passNotes();
    return true;
}

void MonitorSession::reading(const Reading &r)
{
    if (!m_running)
        return;
    m_files.reading(r.time.localDate(), readingLine(r));
    m_lastWasGap = false;
    summarize(r);
    if (m_publisher)
        m_publisher->publish("level", levelJson(r));
}

void MonitorSession::gap(const QDateTime &now)
{
    if (m_running)
        readingsBrokeOff(Stamp::of(now));
}

void MonitorSession::tick(const QDateTime &now)
{
    if (!m_running)
        return;
    const Stamp t = Stamp::of(now);
    closeDue(t);
    if (std::llabs(t.msecs - m_lastSync) >= kSyncMs) {
        m_files.sync();
        m_lastSync = m_lastFlush = t.msecs;
    } else if (std::llabs(t.msecs - m_lastFlush) >= kFlushMs) {
        m_files.flush();
        m_lastFlush = t.msecs;
    }
    passNotes();
}

void MonitorSession::stop(const QDateTime &now)
{
    if (!m_running)
        return;
    readingsBrokeOff(Stamp::of(now));
    if (!m_minute.empty())
        closeMinute();
    m_files.sync();
    passNotes();
    m_files.releaseFolder();
    m_running = false;
}

void MonitorSession::summarize(const Reading &r)
{
    closeDue(r.time);
    if (m_minute.empty())
        m_minute.begin(r.time);
    m_minute.add(r);
    const QDate date = r.time.localDate();
    if (DaySummary *d = dayOf(date))
        d->addToCalendarDay(r);
    const analysis::PeriodPlace p = analysis::periodOfHour(r.time.localHour(), m_settings.periods);
    if (DaySummary *d = dayOf(date.addDays(p.dayOffset)))
        d->addToPeriod(p.part, r);
    const int index = m_index++;
    endedEvent(m_events.add(index, 0.0, r.figureLevel()));
    if (m_events.inEvent() && m_events.eventFirst() == index)
        m_eventStart = r.time;
}

void MonitorSession::readingsBrokeOff(const Stamp &t, bool writeLine)
{
    closeDue(t);
    if (writeLine && !m_lastWasGap) {
        m_files.reading(t.localDate(), gapLine(t));
        m_lastWasGap = true;
    }
    endedEvent(m_events.add(m_index++, 0.0, kGapLevel));
}

void MonitorSession::closeDue(const Stamp &now)
{
    if (!m_minute.empty() && now.minute() != m_minute.minute())
        closeMinute();
    for (auto it = m_days.begin(); it != m_days.end();) {
        if (!it->second.overBy(now, m_settings.periods)) {
            ++it;
            continue;
        }
        m_files.day(it->first, it->second.line(m_settings.periods, m_settings.intervalSeconds));
        it = m_days.erase(it);
    }
}

void MonitorSession::closeMinute()
{
    const MinuteFigures f = m_minute.figures();
    m_files.minute(f.start.localDate(), f.start.msecs, minuteLine(f));
    if (m_publisher)
        m_publisher->publish("minute", minuteJson(f));
    m_minute.clear();
}

void MonitorSession::endedEvent(const std::optional<analysis::NoiseEvent> &e)
{
    if (!e)
        return;
    m_files.event(m_eventStart.msecs, eventLine(m_eventStart, *e));
    if (m_publisher)
        m_publisher->publish("event", eventJson(m_eventStart, *e));
}

DaySummary *MonitorSession::dayOf(QDate date)
{
    if (m_firstDay.isValid() && date < m_firstDay)
        return nullptr;
    return &m_days.try_emplace(date, date).first->second;
}

void MonitorSession::recover(const QDateTime &now)
{
    const QList<QDate> dates = m_files.readingsDates();
    if (dates.isEmpty())
        return;
    // The day before the last one may still wait for its night; days before it are over, and
    // their lines were written then.
    const QDate last = dates.last();
    m_firstDay = last.addDays(-1);
    for (const QDate d : {last.addDays(-1), last})
        if (dates.contains(d))
            replay(d);
    m_firstDay = {};
    if (!m_lastWasGap)
        readingsBrokeOff(Stamp::of(now));
    closeDue(Stamp::of(now));
}

void MonitorSession::replay(QDate date)
{
    m_files.lastReadingsLine(date); // opens the file, which cuts off a torn last line first
    const QString path = m_files.readingsPath(date);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        m_notes(QStringLiteral("cannot read %1 to carry on from it: %2").arg(path, f.errorString()));
        return;
    }
    if (f.size() > kMaxReplayBytes) {
        f.seek(f.size() - kMaxReplayBytes);
        m_notes(QStringLiteral("%1 is too large to be summed anew in full: its last %2 MB are")
                    .arg(path)
                    .arg(kMaxReplayBytes >> 20));
    }
    const QByteArray text = f.readAll();
    int readings = 0, unread = 0;
    for (qsizetype from = 0; from < text.size();) {
        qsizetype end = text.indexOf('\n', from);
        if (end < 0)
            end = text.size();
        QByteArrayView line = QByteArrayView(text).sliced(from, end - from);
        from = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        if (line.isEmpty() || line == QByteArrayView(kReadingsHeading))
            continue;
        const std::optional<ReadingsLine> parsed = parseReadingsLine(line);
        if (!parsed) {
            ++unread;
            continue;
        }
        if (parsed->reading) {
            summarize(*parsed->reading);
            ++readings;
        } else {
            readingsBrokeOff(parsed->time, false);
        }
        m_lastWasGap = !parsed->reading;
    }
    if (unread > 0)
        m_notes(QStringLiteral("%1: %2 lines that are no readings were left out of the summaries").arg(path).arg(unread));
    if (readings > 0)
        m_notes(QStringLiteral("carrying on from %1: its %2 readings summed anew").arg(path).arg(readings));
}

void MonitorSession::passNotes()
{
    QStringList notes = m_files.takeNotes();
    if (m_publisher)
        notes << m_publisher->takeNotes();
    for (const QString &n : notes)
        m_notes(n);
}

} // namespace ql708::monitor
