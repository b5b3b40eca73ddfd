// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RealTimeCommands.h"

#include "app/TfrmMain.h"
#include "chart/PESGraph.h"
#include "common/Clock.h"
#include "common/NumberFormat.h"
#include "common/StringTable.h"
#include "graph/ChartSetup.h"
#include "graph/GraphState.h"
#include "graph/GraphTexts.h"
#include "graph/GraphWindows.h"
#include "graph/TfrmGraph.h"
#include "realtime/RunSetup.h"
#include "realtime/TfrmSetupRealTime.h"
#include "widgets/MessageBoxes.h"
#include "widgets/ModalRunner.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>

namespace ql708 {

namespace {

const QString kTable = QStringLiteral("frmMain");
constexpr TDateTime kFirstSpan = 100 * kSecond; // the time scale a run starts with
constexpr TDateTime kGrowth = 30 * kSecond;     // added when a point passes its end

graph::GraphState &state() { return graph::graphState(); }

graph::TfrmGraph *realTimeWindow() { return graph::GraphWindows::instance().realTime; }

TDateTime now() { return toTDateTime(clock().now()); }

} // namespace

RealTimeCommands::RealTimeCommands(TfrmMain &main) : QObject(&main), m_main(main) {}

void RealTimeCommands::showRunCommands()
{
    // While another command holds the link no poll reading arrives, so no run can start.
    const bool connected = m_main.meter().meterConnected() && !m_main.meter().takenOver();
    const bool running = state().realTimeRunning;
    m_main.Run1->setEnabled(connected && !running);
    m_main.Stop1->setEnabled(connected && running);
    if (graph::TfrmGraph *w = realTimeWindow())
        w->tbntClr->setEnabled(!running);
}

void RealTimeCommands::btnRunClick()
{
    if (!m_main.meter().meterConnected())
        return;
    graph::TfrmGraph *w = realTimeWindow();
    if (!w) {
        w = m_main.CreateRealTimeWindow();
    } else {
        w->showNormal();
        if ((state().realTimeRunning || state().realTimePointCount != 0) && !mayReplacePoints(*w))
            return;
        m_main.mdiArea()->setActiveSubWindow(w);
    }
    const QPointer<graph::TfrmGraph> window = w;
    const std::optional<Settings> settings = askSettings(*w);
    // The window may have been closed while the dialog was open.
    if (settings && window)
        startRun(*window, *settings);
}

bool RealTimeCommands::mayReplacePoints(graph::TfrmGraph &w)
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

std::optional<RealTimeCommands::Settings> RealTimeCommands::askSettings(graph::TfrmGraph &w)
{
    realtime::TfrmSetupRealTime dialog(&m_main);
    dialog.setUp(w.txtSamplingRate->currentText(), m_main.realTimeRate());
    if (runModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    const QString rateText = dialog.txtRate->currentText();
    const QString countText = dialog.edtRealTimeNo->text();
    const std::optional<float> rate = realtime::samplingRate(rateText);
    const std::optional<int> count = realtime::pointCount(countText);
    const QString notValid = ids(kTable, QStringLiteral("IDS_12"));
    if (!rate) {
        showMessage(&m_main, rateText + notValid);
        return std::nullopt;
    }
    if (!count) {
        showMessage(&m_main, countText + notValid);
        return std::nullopt;
    }
    return Settings{*count, *rate};
}

void RealTimeCommands::startRun(graph::TfrmGraph &w, const Settings &settings)
{
    m_main.setRealTimeRate(settings.rate);
    w.selectRateEntry(settings.rate);
    chart::PESGraph &c = *w.PESGraph1;
    c.setPoints(settings.count);
    for (int s = 0; s < c.subsets(); ++s)
        c.emptySubset(s);
    m_run.start(settings.count, state());
    // The earlier points are gone: nothing is left to save.
    state().realTimeUnsaved = false;
    // The figures of the earlier run describe points that are gone.
    w.clearFigures();
    const TDateTime start = now();
    w.txtStartTime->setText(graph::dateTimeText(start));
    c.setManualScaleControlX(chart::sgManualMinAndMax);
    c.setManualMinX(start);
    c.setManualMaxX(start + kFirstSpan);
    // The cursors wait with the empty series until the run ends.
    const double first = c.xDataII(0, 0), last = c.xDataII(0, c.points() - 1);
    c.setVertLineAnnotation(graph::kCursorALine, first + (last - first) / 3);
    c.setVertLineAnnotation(graph::kCursorBLine, first + 2 * (last - first) / 3);
    c.redraw();
    showRunCommands();
}

void RealTimeCommands::AppendRealTimePoint(quint16 shownLevel)
{
    graph::TfrmGraph *w = realTimeWindow();
    if (!w || !state().realTimeRunning)
        return;
    const bool halfSecondBox = w->txtSamplingRate->currentIndex() == 0;
    const std::optional<realtime::RunPoint> p = m_run.append(shownLevel, now(), state(), halfSecondBox);
    if (!p)
        return;
    showPoint(*w, *p);
    if (p->full)
        btnStopClick();
}

void RealTimeCommands::showPoint(graph::TfrmGraph &w, const realtime::RunPoint &p)
{
    if (p.newMax) {
        w.txtMax->setText(formatLevel(p.y));
        w.txtMaxTime->setText(graph::dateTimeText(p.x));
    }
    if (p.newMin) {
        w.txtMin->setText(formatLevel(p.y));
        w.txtMinTime->setText(graph::dateTimeText(p.x));
    }
    chart::PESGraph &c = *w.PESGraph1;
    c.setXDataII(0, p.index, p.x);
    c.setYData(0, p.index, p.y);
    w.txtDataNo->setText(QString::number(p.index + 1));
    if (c.manualMaxX() < p.x)
        c.setManualMaxX(p.x + kGrowth);
    if (p.redraw)
        c.redraw();
}

void RealTimeCommands::btnStopClick()
{
    m_run.stop(state());
    showRunCommands();
    graph::TfrmGraph *w = realTimeWindow();
    if (!w)
        return;
    w->showNormal();
    chart::PESGraph &c = *w->PESGraph1;
    const int added = state().realTimePointCount;
    // The chart keeps the points the run added, no empty room after them.
    if (added >= 1 && added < c.points())
        c.setPoints(added);
    c.setManualMaxX(now());
    w->txtAvgAll->setText(formatLevel(m_run.average(state())));
    if (added >= 1)
        w->ResetCursors();
    c.redraw();
}

} // namespace ql708
