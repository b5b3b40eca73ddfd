// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/NoiseEvents.h"
#include "analysis/Periods.h"
#include "monitor/DaySummary.h"
#include "monitor/MinuteSummary.h"
#include "monitor/MonitorFiles.h"
#include "monitor/Publisher.h"
#include "monitor/Reading.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <map>

namespace ql708::monitor {

struct MonitorSettings {
    QString folder;
    analysis::EventRules events;
    analysis::PeriodBounds periods;
    double intervalSeconds = 0.5; // the time one reading stands for: the poll's
};

// Unattended monitoring without the poll: whoever reads the meter (the command-line monitor,
// the real-time window) hands each decoded reading over with its time, says when readings broke
// off, and ticks it at least once a second. It writes every reading to the day's file, a line per
// minute, a line per day once its night is over, and each event as it ends; publishes the same
// when it has a publisher; flushes the files every second and puts them on the disk every
// minute. Nothing but the minute, day and event in progress stays in memory.
//
// A monitor that starts again over the same folder carries on: it sums the readings of the last
// two days' files anew, so the day, minute and event in progress when it stopped come out whole,
// without writing a summary line twice, and marks the break in the readings.
class MonitorSession {
public:
    using Notes = std::function<void(const QString &)>;

    MonitorSession(MonitorSettings settings, Notes notes);
    // Stops as stop() does, if it was started and not stopped.
    ~MonitorSession();

    // Creates and takes the folder and picks up what the files hold; false, with the reason, when
    // the folder cannot be created or written, or another monitor writes in it.
    bool start(const QDateTime &now, QString &error);
    // From now on each reading, minute and event is also published; null for none.
    void setPublisher(Publisher *publisher) { m_publisher = publisher; }

    void reading(const Reading &r);
    // Readings broke off (the meter went away): a gap line, and the event in progress ends.
    void gap(const QDateTime &now);
    // Closes the minute and the days that are over, flushes and syncs when due.
    void tick(const QDateTime &now);
    // A clean end: a gap line, the event and the minute in progress, everything on the disk.
    void stop(const QDateTime &now);

    const MonitorSettings &settings() const { return m_settings; }

private:
    void summarize(const Reading &r);
    // writeLine false: the gap line is in the file already (read back while recovering).
    void readingsBrokeOff(const Stamp &t, bool writeLine = true);
    void closeDue(const Stamp &now);
    void closeMinute();
    void endedEvent(const std::optional<analysis::NoiseEvent> &e);
    DaySummary *dayOf(QDate date);
    void recover(const QDateTime &now);
    void replay(QDate date);
    void passNotes();

    MonitorSettings m_settings;
    Notes m_notes;
    MonitorFiles m_files;
    Publisher *m_publisher = nullptr;
    bool m_running = false;
    bool m_lastWasGap = true; // no reading since the last gap line: no other one is needed
    QDate m_firstDay;         // while recovering: earlier days' readings are only partly at hand

    MinuteSummary m_minute;
    std::map<QDate, DaySummary> m_days;
    analysis::EventDetector m_events;
    int m_index = 0; // readings and gaps so far, for the event detector
    Stamp m_eventStart;

    qint64 m_lastFlush = 0;
    qint64 m_lastSync = 0;
};

} // namespace ql708::monitor
