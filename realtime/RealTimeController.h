// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "realtime/DailyFilesOption.h"
#include "realtime/DailyFilesWriter.h"
#include "realtime/RealTimeRun.h"

#include <QObject>

#include <optional>

class QAction;
class QMdiArea;
class QTimer;
class QWidget;

namespace ql708 {
class MeterLink;
struct MeterStatus;
namespace graph {
class TfrmGraph;
}
} // namespace ql708

namespace ql708::realtime {

// The real-time commands: the one real-time graph window, Run with its setup dialog, Stop,
// each decoded level becoming a point of that window, and Run, Stop and the window's Clear
// following the connection and the run. A run may also write every decoded status to the
// monitor's daily files, until Stop, the window closing or the program ending; the chart's point
// count does not end such a run, it only fills the chart.
class RealTimeController : public QObject {
    Q_OBJECT
public:
    // The actions it keeps enabled and checked as the connection, the run and the window go.
    struct Actions {
        QAction *run;        // Run
        QAction *stop;       // Stop
        QAction *showWindow; // the view menu's item of the real-time window, checked while it is open
    };
    // Dialogs and messages open over dialogParent; the window opens in area.
    RealTimeController(MeterLink &meter, QMdiArea &area, const Actions &actions, QWidget *dialogParent);

    const RealTimeRun &run() const { return m_run; }
    // Whether the run in progress writes the daily files.
    bool writesDailyFiles() const { return m_files.active(); }

public slots:
    // Creates and prepares the real-time graph window; it becomes the one the program keeps.
    graph::TfrmGraph *CreateRealTimeWindow();
    // Shows the window, or creates it when it was closed.
    void RealTimeGraph1Click();
    void btnRunClick();
    void btnStopClick();
    // A decoded status during a run: a reading of the daily files when the run writes them, and
    // its shown level a point when the sampling interval passed.
    void AppendRealTimePoint(const ql708::MeterStatus &status);
    // Every second while the daily files are written: a gap while no reading can come, the
    // files flushed.
    void DailyFilesTimerTimer();
    // The connection changed, a run began or ended, or the window came or went: Run is on
    // while connected and idle, Stop while connected and running, Clear while idle.
    void showRunCommands();

private:
    // The window holds points of an earlier run: Yes saves them first, No lets them go,
    // Cancel keeps them. True when the new run may go on.
    bool mayReplacePoints(graph::TfrmGraph &w);
    struct Settings {
        int count;
        float rate;
        DailyFilesOption files;
    };
    // The setup dialog; nothing when cancelled or when a field holds no valid value.
    std::optional<Settings> askSettings(graph::TfrmGraph &w);
    void startRun(graph::TfrmGraph &w, const Settings &settings);
    // Opens the daily files for a run that asks for them; false, told, when they cannot be written.
    bool startDailyFiles(const DailyFilesOption &option);
    void stopDailyFiles();
    // Tells what the files reported; what comes while a message is open waits for the next call.
    void showDailyFilesNotes();
    void showPoint(graph::TfrmGraph &w, const RunPoint &p);

    MeterLink &m_meter;
    QMdiArea &m_area;
    Actions m_actions;
    QWidget *m_dialogParent;
    RealTimeRun m_run;
    DailyFilesWriter m_files;
    QTimer *m_DailyFilesTimer;
    bool m_showingNotes = false;
};

} // namespace ql708::realtime
