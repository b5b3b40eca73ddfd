// SPDX-License-Identifier: GPL-3.0-or-later
#include "realtime/RealTimeController.h"

#include "common/Clock.h"
#include "common/StringTable.h"
#include "graph/GraphState.h"
#include "graph/GraphWindows.h"
#include "graph/TfrmGraph.h"
#include "meter/MeterLink.h"
#include "meter/MeterStatus.h"
#include "realtime/RunSetup.h"
#include "realtime/TfrmSetupRealTime.h"
#include "widgets/MessageBoxes.h"
#include "widgets/ModalRunner.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QPointer>
#include <QTimer>

namespace ql708::realtime {

namespace {

// Its messages are the main window's: the commands are on its menu; those of the daily files
// come with the setup dialog that offers them.
const QString kTable = QStringLiteral("frmMain");
const QString kSetupTable = QStringLiteral("frmSetupRealTime");
// The daily files are flushed every second: they need a tick at least that often, also while
// no status comes.
constexpr int kDailyFilesTickMs = 1000;
constexpr TDateTime kFirstSpan = 100 * kSecond; // the time scale a run starts with
constexpr TDateTime kGrowth = 30 * kSecond;     // added when a point passes its end

graph::RealTimeRunState &state() { return graph::graphState().realTime; }

graph::TfrmGraph *realTimeWindow() { return graph::GraphWindows::instance().realTime; }

TDateTime now() { return toTDateTime(clock().now()); }

} // namespace

RealTimeController::RealTimeController(MeterLink &meter, QMdiArea &area, const Actions &actions,
                                       QWidget *dialogParent)
    : QObject(&area),
      m_meter(meter),
      m_area(area),
      m_actions(actions),
      m_dialogParent(dialogParent),
      m_DailyFilesTimer(new QTimer(this))
{
    m_DailyFilesTimer->setObjectName(QStringLiteral("DailyFilesTimer"));
    m_DailyFilesTimer->setInterval(kDailyFilesTickMs);
    connect(m_DailyFilesTimer, &QTimer::timeout, this, &RealTimeController::DailyFilesTimerTimer);
    connect(&graph::GraphWindows::instance(), &graph::GraphWindows::realTimeWindowClosed, this, [this] {
        stopDailyFiles(); // the run ended with its window
        m_actions.showWindow->setChecked(false);
        showRunCommands();
    });
}

graph::TfrmGraph *RealTimeController::CreateRealTimeWindow()
{
    auto *w = graph::TfrmGraph::create(&m_area, graph::kRealTimeCaption);
    graph::GraphWindows::instance().realTime = w;
    m_actions.showWindow->setChecked(true);
    w->move(w->x(), 0);
    const TDateTime start = now();
    w->prepareAsRealTimeWindow(state().RealTimeRate, start);
    state().lastPointTime = start;
    showRunCommands();
    return w;
}

void RealTimeController::RealTimeGraph1Click()
{
    if (graph::TfrmGraph *w = realTimeWindow()) {
        w->showNormal();
        m_area.setActiveSubWindow(w);
        m_actions.showWindow->setChecked(true);
    } else {
        CreateRealTimeWindow();
    }
}

void RealTimeController::showRunCommands()
{
    // While another command holds the link no poll reading arrives, so no run can start.
    const bool connected = m_meter.meterConnected() && !m_meter.takenOver();
    const bool running = state().realTimeRunning;
    m_actions.run->setEnabled(connected && !running);
    m_actions.stop->setEnabled(connected && running);
    if (graph::TfrmGraph *w = realTimeWindow())
        w->setClearEnabled(!running);
}

void RealTimeController::btnRunClick()
{
    if (!m_meter.meterConnected())
        return;
    graph::TfrmGraph *w = realTimeWindow();
    if (!w) {
        w = CreateRealTimeWindow();
    } else {
        w->showNormal();
        if ((state().realTimeRunning || state().realTimePointCount != 0) && !mayReplacePoints(*w))
            return;
        m_area.setActiveSubWindow(w);
    }
    const QPointer<graph::TfrmGraph> window = w;
    const std::optional<Settings> settings = askSettings(*w);
    // The window may have been closed while the dialog was open.
    if (settings && window)
        startRun(*window, *settings);
}

bool RealTimeController::mayReplacePoints(graph::TfrmGraph &w)
{
    const auto answer = confirm(&w, ids(kTable, QStringLiteral("IDS_10")) + ids(kTable, QStringLiteral("IDS_11")),
                                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::No)
        return true;
    if (answer != QMessageBox::Yes)
        return false;
    // The chart is saved as the Save command saves it; a cancelled or failed save keeps the
    // points and starts nothing.
    const auto &save = graph::GraphWindows::instance().saveWindow;
    if (!save || !save(&w))
        return false;
    state().realTimeUnsaved = false;
    return true;
}

std::optional<RealTimeController::Settings> RealTimeController::askSettings(graph::TfrmGraph &w)
{
    TfrmSetupRealTime dialog(m_dialogParent);
    dialog.setUp(w.samplingRateText(), state().RealTimeRate);
    dialog.setDailyFiles(readDailyFilesOption());
    if (runModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    const DailyFilesOption files = dialog.dailyFiles();
    writeDailyFilesOption(files);
    const QString rateText = dialog.txtRate()->currentText();
    const QString countText = dialog.edtRealTimeNo()->text();
    const std::optional<float> rate = samplingRate(rateText);
    const std::optional<int> count = pointCount(countText);
    const QString notValid = ids(kTable, QStringLiteral("IDS_12"));
    if (!rate) {
        showMessage(m_dialogParent, rateText + notValid);
        return std::nullopt;
    }
    if (!count) {
        showMessage(m_dialogParent, countText + notValid);
        return std::nullopt;
    }
    return Settings{*count, *rate, files};
}

void RealTimeController::startRun(graph::TfrmGraph &w, const Settings &settings)
{
    stopDailyFiles(); // a new run goes to the files it asks for, or to none
    if (settings.files.on && !startDailyFiles(settings.files))
        return;
    state().RealTimeRate = settings.rate;
    w.selectRateEntry(settings.rate);
    m_run.start(settings.count, state());
    // The earlier points are gone: nothing is left to save.
    state().realTimeUnsaved = false;
    w.beginRun(settings.count, now(), kFirstSpan);
    showRunCommands();
}

bool RealTimeController::startDailyFiles(const DailyFilesOption &option)
{
    QString error = ids(kSetupTable, QStringLiteral("IDS_4"));
    if (!option.folder.isEmpty() && m_files.start(option.folder, clock().now(), error)) {
        // What the start found (a torn line cut off, the day's readings summed anew) is no
        // trouble: it goes to the log only.
        for (const QString &note : m_files.takeNotes())
            qInfo("daily files: %s", qPrintable(note));
        m_DailyFilesTimer->start();
        return true;
    }
    showMessage(m_dialogParent, ids(kSetupTable, QStringLiteral("IDS_1")).arg(error));
    return false;
}

void RealTimeController::stopDailyFiles()
{
    if (!m_files.active())
        return;
    m_DailyFilesTimer->stop();
    m_files.stop(clock().now());
    showDailyFilesNotes();
}

void RealTimeController::DailyFilesTimerTimer()
{
    const QDateTime at = clock().now();
    // Readings stop while the meter is away and while another command holds the link.
    if (!m_meter.meterConnected() || m_meter.takenOver())
        m_files.gap(at);
    m_files.tick(at);
    showDailyFilesNotes();
}

void RealTimeController::showDailyFilesNotes()
{
    if (m_showingNotes)
        return;
    const QStringList notes = m_files.takeNotes();
    if (notes.isEmpty())
        return;
    m_showingNotes = true;
    showMessage(m_dialogParent, ids(kSetupTable, QStringLiteral("IDS_2")).arg(notes.join(QLatin1Char('\n'))));
    m_showingNotes = false;
}

void RealTimeController::AppendRealTimePoint(const MeterStatus &status)
{
    graph::TfrmGraph *w = realTimeWindow();
    if (!w || !state().realTimeRunning)
        return;
    const QDateTime at = clock().now();
    m_files.status(status, at);
    const std::optional<RunPoint> p =
        m_run.append(status.shownLevel(), toTDateTime(at), state(), w->firstRateEntrySelected());
    if (p) {
        showPoint(*w, *p);
        // With the daily files the run goes on until Stop; the chart just takes no more points.
        if (p->full && !m_files.active())
            btnStopClick();
    }
    showDailyFilesNotes();
}

void RealTimeController::showPoint(graph::TfrmGraph &w, const RunPoint &p)
{
    if (p.newMax)
        w.showExtreme(graph::TfrmGraph::Maximum, p.y, p.x);
    if (p.newMin)
        w.showExtreme(graph::TfrmGraph::Minimum, p.y, p.x);
    w.showRunPoint(p.index, p.x, p.y, kGrowth, p.redraw);
}

void RealTimeController::btnStopClick()
{
    m_run.stop(state());
    showRunCommands();
    if (graph::TfrmGraph *w = realTimeWindow())
        w->endRun(state().realTimePointCount, now(), m_run.average(state()));
    stopDailyFiles();
}

} // namespace ql708::realtime
