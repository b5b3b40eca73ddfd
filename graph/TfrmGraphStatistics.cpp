// SPDX-License-Identifier: GPL-3.0-or-later
// The graph window's statistics, cursor lines, statistics export and CAL Leq.
#include "graph/TfrmGraph.h"

#include "common/Clock.h"
#include "common/NumberFormat.h"
#include "common/StringTable.h"
#include "widgets/MessageBoxes.h"
#include "chart/PESGraph.h"
#include "graph/ChartSetup.h"
#include "graph/GraphTexts.h"
#include "graph/GraphWindows.h"
#include "graph/StatisticTexts.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QSignalBlocker>

#include <algorithm>

namespace ql708::graph {

namespace {

const QString kTable = QStringLiteral("frmGraph");
constexpr TDateTime kDragRedrawInterval = 0.2 * kSecond;
constexpr int kLinesInDragOrder[] = {kCursorALine, kCursorBLine, kPlaybackLine};

QString text(const char *key) { return ids(kTable, QString::fromLatin1(key)); }

// The point and the drag mark of a line in a window's cursor state.
template <typename State>
auto &pointOf(State &c, int line)
{
    return line == kCursorALine ? c.cursorA : line == kCursorBLine ? c.cursorB : c.playbackLine;
}

bool &draggingOf(CursorState &c, int line)
{
    return line == kCursorALine ? c.draggingA : line == kCursorBLine ? c.draggingB : c.draggingPlayback;
}

} // namespace

void TfrmGraph::connectAnalysis()
{
    connect(ToolButton1, &QAction::triggered, this, &TfrmGraph::ToolButton1Click);
    connect(ToolButton2, &QAction::triggered, this, &TfrmGraph::ToolButton2Click);
    connect(Button2, &QAction::triggered, this, &TfrmGraph::Button2Click);
    connect(bunCalLEQ, &QAction::triggered, this, &TfrmGraph::bunCalLEQClick);
    connect(ToolButton4, &QAction::triggered, this, &TfrmGraph::ToolButton4Click);
    connect(ToolButton5, &QAction::triggered, this, &TfrmGraph::ToolButton5Click);
    connect(ToolButton9, &QAction::triggered, this, &TfrmGraph::ToolButton9Click);
    connect(ToolButton13, &QAction::triggered, this, &TfrmGraph::ToolButton13Click);
    connect(tbntClr, &QAction::triggered, this, &TfrmGraph::tbntClrClick);
}

Series TfrmGraph::series() const
{
    const chart::ChartModel &m = PESGraph1->model();
    if (m.subsets() == 0)
        return {};
    return {m.xData(0), m.yData(0), m.points()};
}

void TfrmGraph::moveLine(int line, int point)
{
    const Series s = series();
    if (point >= 0 && point < s.n)
        PESGraph1->setVertLineAnnotation(line, s.x[point]);
}

void TfrmGraph::showSeries(const double *x, const float *y, int n, float levelTop, float levelBottom)
{
    const TDateTime first = n > 0 ? x[0] : 0.0;
    const TDateTime last = n > 0 ? x[n - 1] : 0.0;
    SetUpChart(*PESGraph1, 1, levelTop, levelBottom, last, first, n);
    PESGraph1->setXDataII(0, x, n);
    PESGraph1->setYData(0, y, n);
    RefreshStatistics();
    ResetCursors();
}

void TfrmGraph::RefreshStatistics()
{
    StatisticTexts t;
    setSeriesTexts(t, series());
    showSeriesTexts(t);
}

void TfrmGraph::showSplAndLeq(const double *x, int n, const float *spl, int splCount, const float *leq,
                              int leqCount)
{
    chart::PESGraph &c = *PESGraph1;
    PrepareChart(c, 2, 130, 30, x[n - 1], x[0], n);
    c.setSubsetLabel(0, QStringLiteral("SPL"));
    c.setSubsetLabel(1, QStringLiteral("Leq"));
    c.setSubsetColor(0, chart::PEargb(255, 0, 0, 0));
    c.setSubsetColor(1, chart::PEargb(255, 255, 0, 0));
    c.setXDataII(0, x, n);
    c.setXDataII(1, x, n);
    c.setYData(0, spl, splCount);
    c.setYData(1, leq, leqCount);
    bunCalLEQ->setEnabled(false);
    showNormal();
    RefreshStatistics();
    ResetCursors();
    c.PEactions(chart::sgReinitAndReset);
    c.redraw();
}

void TfrmGraph::showSamplingRate(const QString &text)
{
    // Written by the program, not chosen by the user: nothing for the rate handler to do.
    const QSignalBlocker block(txtSamplingRate);
    if (txtSamplingRate->isEditable())
        txtSamplingRate->setEditText(text);
    else
        txtSamplingRate->setCurrentText(text);
}

void TfrmGraph::showSeriesTexts(const StatisticTexts &t)
{
    showSamplingRate(t.samplingRate);
    showTopFigures(t);
}

void TfrmGraph::showTopFigures(const StatisticTexts &t)
{
    txtStartTime->setText(t.startTime);
    txtDataNo->setText(t.dataNo);
    txtAvgAll->setText(t.avgAll);
    txtMax->setText(t.max);
    txtMaxTime->setText(t.maxTime);
    txtMin->setText(t.min);
    txtMinTime->setText(t.minTime);
    m_outOfRange = t.outOfRange;
    showOutOfRange();
}

void TfrmGraph::clearFigures()
{
    StatisticTexts none;
    none.dataNo = QStringLiteral("0");
    showTopFigures(none);
    showCursorTexts(none);
}

void TfrmGraph::showOutOfRange()
{
    lblOutOfRange->setText(outOfRangeText(m_outOfRange));
    lblOutOfRangeAB->setText(outOfRangeText(m_outOfRangeAB));
}

void TfrmGraph::ResetCursors()
{
    const CursorPoints p = startingCursorPoints(series().n);
    cursors.playbackLine = p.playback;
    cursors.cursorA = p.a;
    cursors.cursorB = p.b;
    placeLines(*PESGraph1, p);
    UpdateCursorStatistics();
    PESGraph1->redraw();
}

void TfrmGraph::UpdateCursorStatistics()
{
    showCursorFigures(cursorFigures(series(), cursors.cursorA, cursors.cursorB));
}

void TfrmGraph::showCursorFigures(const CursorFigures &f)
{
    StatisticTexts t;
    setCursorTexts(t, series(), f);
    showCursorTexts(t);
}

void TfrmGraph::showCursorTexts(const StatisticTexts &t)
{
    for (auto [field, value] : {std::pair{txtCursorA, t.cursorA}, {txtCursorATime, t.cursorATime}, {txtCursorB, t.cursorB},
                                {txtCursorBTime, t.cursorBTime}, {txtMaxAB, t.maxAB}, {txtMaxABTime, t.maxABTime},
                                {txtMinAB, t.minAB}, {txtMinABTime, t.minABTime}, {txtAvgAB, t.avgAB},
                                {txtDurationAB, t.durationAB}, {txtLeqAB, t.leqAB}, {txtSELAB, t.selAB},
                                {txtL10AB, t.l10AB}, {txtL50AB, t.l50AB}, {txtL90AB, t.l90AB}})
        field->setText(value);
    m_outOfRangeAB = t.outOfRangeAB;
    showOutOfRange();
}

StatisticTexts TfrmGraph::statisticTexts() const
{
    return {txtStartTime->text(), txtSamplingRate->currentText(), txtDataNo->text(), txtAvgAll->text(),
            txtMax->text(),       txtMaxTime->text(),             txtMin->text(),    txtMinTime->text(),
            txtCursorA->text(),   txtCursorATime->text(),         txtCursorB->text(), txtCursorBTime->text(),
            txtMaxAB->text(),     txtMaxABTime->text(),           txtMinAB->text(),  txtMinABTime->text(),
            txtAvgAB->text(),     txtDurationAB->text(),          txtLeqAB->text(),  txtSELAB->text(),
            txtL10AB->text(),     txtL50AB->text(),               txtL90AB->text(),  m_outOfRange,
            m_outOfRangeAB};
}

int TfrmGraph::NearestPoint(int line) const
{
    const QPoint px = PESGraph1->lastMousePos();
    if (!PESGraph1->plotRect().contains(px))
        return pointOf(cursors, line);
    const Series s = series();
    return nearestPoint(s.x, s.n, PESGraph1->pixelToData(px).x());
}

void TfrmGraph::ToolButton1Click()
{
    pnlGraphStatistic->setVisible(ToolButton1->isChecked());
    pnlGraphResize();
}

void TfrmGraph::ToolButton2Click()
{
    const bool shown = ToolButton2->isChecked();
    pnlStatistic->setVisible(shown);
    PESGraph1->setShowVertLineAnnotations(shown);
    PESGraph1->redraw();
}

void TfrmGraph::PESGraph1VertLineAnnotHotSpot(int line)
{
    if (line < kPlaybackLine || line > kCursorBLine || draggingOf(cursors, line))
        return;
    draggingOf(cursors, line) = true;
    cursors.lastDragRedraw = toTDateTime(clock().now());
    PESGraph1->setVertLineAnnotationColor(line, kDraggedLineColor);
    PESGraph1->redraw();
}

void TfrmGraph::PESGraph1MouseMove()
{
    const QPoint px = PESGraph1->lastMousePos();
    if (!PESGraph1->plotRect().contains(px))
        return;
    const QPointF at = PESGraph1->pixelToData(px);
    Panel12->setText(readoutText(at.y(), at.x()));
    Panel12->adjustSize();
    pnlGraphResize();
    for (int line : kLinesInDragOrder) {
        if (!draggingOf(cursors, line))
            continue;
        const TDateTime now = toTDateTime(clock().now());
        if (now - cursors.lastDragRedraw <= kDragRedrawInterval)
            continue;
        PESGraph1->setVertLineAnnotation(line, at.x());
        PESGraph1->PEactions(chart::sgInvalidateImage);
        cursors.lastDragRedraw = now;
        // The figures follow a dragged cursor; the cursor's point changes only when it is dropped.
        if (line != kPlaybackLine) {
            const Series s = series();
            const int here = nearestPoint(s.x, s.n, at.x());
            showCursorFigures(cursorFigures(s, line == kCursorALine ? here : cursors.cursorA,
                                            line == kCursorBLine ? here : cursors.cursorB));
        }
    }
}

void TfrmGraph::PESGraph1MouseUp()
{
    for (int line : kLinesInDragOrder)
        PESGraph1->setVertLineAnnotationColor(line, lineColor(line));
    const Series s = series();
    // Without a span of time there is nothing to place a line on: it goes back to its point.
    const bool placeable = s.n >= 2 && s.x[0] != s.x[s.n - 1];
    for (int line : kLinesInDragOrder) {
        if (!draggingOf(cursors, line))
            continue;
        draggingOf(cursors, line) = false;
        if (placeable)
            pointOf(cursors, line) = NearestPoint(line);
        moveLine(line, pointOf(cursors, line));
    }
    UpdateCursorStatistics();
    PESGraph1->redraw();
}

void TfrmGraph::Button2Click()
{
    const StatisticTexts t = statisticTexts();
    QGuiApplication::clipboard()->setText(statisticsText(seriesLines(t) + cursorLines(t)));
    showMessage(this, text("IDS_62"));
}

int TfrmGraph::recordedPoints() const
{
    const int n = series().n;
    const bool recording = GraphWindows::instance().realTime.data() == this && graphState().realTimeRunning;
    return recording ? std::clamp(graphState().realTimePointCount, 0, n) : n;
}

void TfrmGraph::bunCalLEQClick()
{
    const Series s = series();
    const int n = recordedPoints();
    if (n < 2 && n < s.n) { // a run that has not recorded two points yet
        showMessage(this, text("IDS_96").arg(n));
        return;
    }
    const std::vector<float> leq = runningLeqSeries(s.y, n);
    if (leq.empty() || isGapLevel(leq.back())) {
        showMessage(this, text("IDS_63"));
        return;
    }
    QMdiArea *area = mdiArea();
    if (!area)
        return;
    TfrmGraph *w = create(area, kCalLeqCaption);
    w->resize(size());
    GraphWindows::instance().calLeq = w;
    // The Leq window belongs to this one and goes away with it.
    connect(this, &QObject::destroyed, w, &QObject::deleteLater);
    w->pnlLeq->setVisible(true);
    w->edtLeq->setText(formatLevel(leq.back()));
    // Every point keeps its time; the levels stop at the point that ended the Leq.
    w->showSplAndLeq(s.x, n, s.y, std::min(n, int(leq.size()) + 1), leq.data(), int(leq.size()));
}

} // namespace ql708::graph
