// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "meter/MeterStatus.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <memory>

namespace ql708::monitor {
class MonitorSession;
}

namespace ql708::realtime {

// A real-time run's readings in the monitor's daily files: every decoded status of the run, not
// only those that become points, goes to a monitor session over the chosen folder, so the files
// are those of the command-line monitor, and they know no limit of points. The owner ticks it at
// least once a second while it writes.
class DailyFilesWriter {
public:
    DailyFilesWriter();
    // Closes the files as stop() does.
    ~DailyFilesWriter();
    DailyFilesWriter(const DailyFilesWriter &) = delete;
    DailyFilesWriter &operator=(const DailyFilesWriter &) = delete;

    // Takes the folder and carries on with what its files hold; false with the reason when the
    // folder cannot be created or written, or another monitor writes in it.
    bool start(const QString &folder, const QDateTime &now, QString &error);
    bool active() const { return bool(m_session); }

    // A decoded status at now; one that no working meter gives is no reading.
    void status(const MeterStatus &status, const QDateTime &now);
    // No reading can come now (the meter went away): a gap line, once until readings come again.
    void gap(const QDateTime &now);
    // Closes the minute and flushes when due.
    void tick(const QDateTime &now);
    // A gap line, the minute in progress, everything on the disk, and the folder let go.
    void stop(const QDateTime &now);

    // What the files told since the last call: a write that failed, or works again.
    QStringList takeNotes();

private:
    QStringList m_notes; // before the session, which may still tell something as it goes
    std::unique_ptr<monitor::MonitorSession> m_session;
    bool m_gap = false; // a gap was marked and no reading came since
};

} // namespace ql708::realtime
