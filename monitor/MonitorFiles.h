// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "monitor/AppendLog.h"

#include <QDate>
#include <QList>
#include <QLockFile>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace ql708::monitor {

// The monitor's folder: DATE.csv (the readings of a local date), DATE-minutes.csv, days.csv and
// events.csv, each an append-only log. A summary line is keyed by its first field (the minute,
// the date, the event's start); one the file already held when it was opened is not written
// again, so a restart that sums its readings anew leaves each summary once.
class MonitorFiles {
public:
    explicit MonitorFiles(QString folder);

    // Creates the folder when missing and takes it: one monitor at a time writes in a folder (two
    // would write every summary twice). False with the reason when the folder cannot be created,
    // takes no file, or another running monitor (the command-line one, a window) holds it.
    bool takeFolder(QString &error);
    // Lets another monitor take the folder.
    void releaseFolder() { m_lock.unlock(); }
    const QString &folder() const { return m_folder; }

    // The dates that have a readings file, oldest first.
    QList<QDate> readingsDates() const;
    QString readingsPath(QDate date) const;
    // The last line of the date's readings file when it was opened (opened by this call).
    QByteArray lastReadingsLine(QDate date);

    void reading(QDate date, const QByteArray &line);
    void minute(QDate date, qint64 minuteMsecs, const QByteArray &line);
    void day(QDate date, const QByteArray &line);
    void event(qint64 startMsecs, const QByteArray &line);

    void flush();
    void sync();
    // The files' notes: failures, repairs, recoveries.
    QStringList takeNotes();

private:
    struct Log {
        std::unique_ptr<AppendLog> log;
        std::optional<qint64> mark; // the key of the last line it held when opened
    };
    using Keyed = std::optional<qint64> (*)(const QByteArray &lastLine);
    Log &dated(std::map<QDate, Log> &logs, QDate date, const char *suffix, const char *heading, Keyed key);
    Log &single(std::unique_ptr<Log> &log, const char *name, const char *heading, Keyed key);
    void forEach(const std::function<void(AppendLog &)> &f);

    QString m_folder;
    QLockFile m_lock;
    std::map<QDate, Log> m_readings;
    std::map<QDate, Log> m_minutes;
    std::unique_ptr<Log> m_days;
    std::unique_ptr<Log> m_events;
    QStringList m_notes;
};

} // namespace ql708::monitor
