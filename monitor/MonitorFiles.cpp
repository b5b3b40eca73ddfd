// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/MonitorFiles.h"

#include "monitor/DaySummary.h"
#include "monitor/MinuteSummary.h"
#include "monitor/MonitorCsv.h"

#include <QDir>
#include <QRegularExpression>

namespace ql708::monitor {

namespace {

// A day's files stay open while their date is one of the two newest: just after midnight the
// last minute of the day before is still to be written.
constexpr size_t kOpenDates = 2;

QString dateName(QDate d) { return d.toString(QStringLiteral("yyyy-MM-dd")); }

std::optional<qint64> noKey(const QByteArray &) { return std::nullopt; }

std::optional<qint64> timeKey(const QByteArray &line)
{
    const auto t = parseIsoTime(firstField(line));
    return t ? std::optional<qint64>(t->msecs) : std::nullopt;
}

std::optional<qint64> dateKey(const QByteArray &line)
{
    const QDate d = QDate::fromString(QString::fromLatin1(firstField(line)), QStringLiteral("yyyy-MM-dd"));
    return d.isValid() ? std::optional<qint64>(d.toJulianDay()) : std::nullopt;
}

bool held(const std::optional<qint64> &mark, qint64 key) { return mark && key <= *mark; }

} // namespace

MonitorFiles::MonitorFiles(QString folder)
    : m_folder(std::move(folder)), m_lock(m_folder + QStringLiteral("/.ql708-monitor.lock"))
{
    // A lock is left over only when its process is gone, never by its age: a monitor runs for weeks,
    // and one that was killed leaves the folder free at once.
    m_lock.setStaleLockTime(0);
}

bool MonitorFiles::takeFolder(QString &error)
{
    if (!QDir().mkpath(m_folder)) {
        error = QStringLiteral("cannot create the folder %1").arg(m_folder);
        return false;
    }
    // The lock is also the proof that the folder takes files.
    if (m_lock.isLocked() || m_lock.tryLock(0))
        return true;
    qint64 pid = 0;
    QString host, program;
    if (m_lock.error() == QLockFile::LockFailedError && m_lock.getLockInfo(&pid, &host, &program))
        error = QStringLiteral("another monitor (%1, process %2) writes in the folder %3").arg(program).arg(pid).arg(m_folder);
    else
        error = QStringLiteral("cannot write in the folder %1").arg(m_folder);
    return false;
}

QList<QDate> MonitorFiles::readingsDates() const
{
    static const QRegularExpression name(QStringLiteral("^(\\d{4}-\\d{2}-\\d{2})\\.csv$"));
    QList<QDate> dates;
    for (const QString &f : QDir(m_folder).entryList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name)) {
        const auto m = name.match(f);
        const QDate d = m.hasMatch() ? QDate::fromString(m.captured(1), QStringLiteral("yyyy-MM-dd")) : QDate();
        if (d.isValid())
            dates << d;
    }
    return dates;
}

QString MonitorFiles::readingsPath(QDate date) const { return m_folder + '/' + dateName(date) + QStringLiteral(".csv"); }

MonitorFiles::Log &MonitorFiles::dated(std::map<QDate, Log> &logs, QDate date, const char *suffix,
                                       const char *heading, Keyed key)
{
    auto it = logs.find(date);
    if (it != logs.end())
        return it->second;
    Log log{std::make_unique<AppendLog>(m_folder + '/' + dateName(date) + QLatin1String(suffix), heading), {}};
    log.log->open();
    log.mark = key(log.log->lastLineAtOpen());
    it = logs.emplace(date, std::move(log)).first;
    while (logs.size() > kOpenDates) {
        // The oldest other date goes (a clock set back may ask for an older one): its last lines
        // to the disk first, then its notes.
        auto oldest = logs.begin()->first == date ? std::next(logs.begin()) : logs.begin();
        oldest->second.log->sync();
        m_notes << oldest->second.log->takeNotes();
        logs.erase(oldest);
    }
    return it->second;
}

MonitorFiles::Log &MonitorFiles::single(std::unique_ptr<Log> &log, const char *name, const char *heading, Keyed key)
{
    if (!log) {
        log = std::make_unique<Log>(Log{std::make_unique<AppendLog>(m_folder + '/' + QLatin1String(name), heading), {}});
        log->log->open();
        log->mark = key(log->log->lastLineAtOpen());
    }
    return *log;
}

QByteArray MonitorFiles::lastReadingsLine(QDate date)
{
    return dated(m_readings, date, ".csv", kReadingsHeading, noKey).log->lastLineAtOpen();
}

void MonitorFiles::reading(QDate date, const QByteArray &line)
{
    dated(m_readings, date, ".csv", kReadingsHeading, noKey).log->append(line);
}

void MonitorFiles::minute(QDate date, qint64 minuteMsecs, const QByteArray &line)
{
    Log &log = dated(m_minutes, date, "-minutes.csv", kMinutesHeading, timeKey);
    if (!held(log.mark, minuteMsecs))
        log.log->append(line);
}

void MonitorFiles::day(QDate date, const QByteArray &line)
{
    Log &log = single(m_days, "days.csv", kDaysHeading, dateKey);
    if (!held(log.mark, date.toJulianDay()))
        log.log->append(line);
}

void MonitorFiles::event(qint64 startMsecs, const QByteArray &line)
{
    Log &log = single(m_events, "events.csv", kEventsHeading, timeKey);
    if (!held(log.mark, startMsecs))
        log.log->append(line);
}

void MonitorFiles::forEach(const std::function<void(AppendLog &)> &f)
{
    for (auto *logs : {&m_readings, &m_minutes})
        for (auto &[date, log] : *logs)
            f(*log.log);
    for (auto *log : {&m_days, &m_events})
        if (*log)
            f(*(*log)->log);
}

void MonitorFiles::flush()
{
    forEach([](AppendLog &l) { l.flush(); });
}

void MonitorFiles::sync()
{
    forEach([](AppendLog &l) { l.sync(); });
}

QStringList MonitorFiles::takeNotes()
{
    QStringList notes;
    notes.swap(m_notes);
    forEach([&notes](AppendLog &l) { notes << l.takeNotes(); });
    return notes;
}

} // namespace ql708::monitor
