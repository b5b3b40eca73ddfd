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
#include "graph/TfrmIndicators.h"

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
    connect(m_ToolButton1, &QAction::triggered, this, &TfrmGraph::ToolButton1Click);
    connect(m_ToolButton2, &QAction::triggered, this, &TfrmGraph::ToolButton2Click);
    connect(m_Button2, &QAction::triggered, this, &TfrmGraph::Button2Click);
    connect(m_bunCalLEQ, &QAction::triggered, this, &TfrmGraph::bunCalLEQClick);
    connect(m_btnIndicators, &QAction::triggered, this, &TfrmGraph::btnIndicatorsClick);
    connect(m_ToolButton4, &QAction::triggered, this, &TfrmGraph::ToolButton4Click);
    connect(m_ToolButton5, &QAction::triggered, this, &TfrmGraph::ToolButton5Click);
    connect(m_ToolButton9, &QAction::triggered, this, &TfrmGraph::ToolButton9Click);
    connect(m_ToolButton13, &QAction::triggered, this, &TfrmGraph::ToolButton13Click);
    connect(m_tbntClr, &QAction::triggered, this, &TfrmGraph::tbntClrClick);
}

Series TfrmGraph::series() const
{
    const chart::ChartModel &m = m_PESGraph1->model();
    if (m.subsets() == 0)
        return {};
    return {m.xData(0), m.yData(0), m.points()};
}

void TfrmGraph::moveLine(int line, int point)
{
    const Series s = series();
    if (point >= 0 && point < s.n)
        m_PESGraph1->setVertLineAnnotation(line, s.x[point]);
}

void TfrmGraph::showSeries(const double *x, const float *y, int n, float levelTop, float levelBottom)
{
    const TDateTime first = n > 0 ? x[0] : 0.0;
    const TDateTime last = n > 0 ? x[n - 1] : 0.0;
    SetUpChart(*m_PESGraph1, 1, levelTop, levelBottom, last, first, n);
    m_PESGraph1->setXDataII(0, x, n);
    m_PESGraph1->setYData(0, y, n);
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
    chart::PESGraph &c = *m_PESGraph1;
    PrepareChart(c, 2, 130, 30, x[n - 1], x[0], n);
    c.setSubsetLabel(0, QStringLiteral("SPL"));
    c.setSubsetLabel(1, QStringLiteral("Leq"));
    c.setSubsetColor(0, chart::PEargb(255, 0, 0, 0));
    c.setSubsetColor(1, chart::PEargb(255, 255, 0, 0));
    c.setXDataII(0, x, n);
    c.setXDataII(1, x, n);
    c.setYData(0, spl, splCount);
    c.setYData(1, leq, leqCount);
    m_bunCalLEQ->setEnabled(false);
    showNormal();
    RefreshStatistics();
    ResetCursors();
    c.PEactions(chart::sgReinitAndReset);
    c.redraw();
}

void TfrmGraph::showSamplingRate(const QString &text)
{
    // Written by the program, not chosen by the user: nothing for the rate handler to do.
    const QSignalBlocker block(m_txtSamplingRate);
    if (m_txtSamplingRate->isEditable())
        m_txtSamplingRate->setEditText(text);
    else
        m_txtSamplingRate->setCurrentText(text);
}

void TfrmGraph::showSeriesTexts(const StatisticTexts &t)
{
    m_analysis.invalidate();
    showSamplingRate(t.samplingRate);
    showTopFigures(t);
    emit seriesShown();
}

TfrmIndicators *TfrmGraph::indicators() const { return m_indicators; }

void TfrmGraph::btnIndicatorsClick()
{
    if (!m_indicators)
        m_indicators = new TfrmIndicators(this, this);
    m_indicators->show();
    m_indicators->raise();
    m_indicators->activateWindow();
}

const analysis::SpanIndex &TfrmGraph::seriesIndex() { return m_analysis.index(series()); }

void TfrmGraph::setSeriesTraits(const SeriesTraits &traits)
{
    m_analysis.setTraits(traits);
    emit seriesShown();
}

void TfrmGraph::placeCursors(int a, int b)
{
    const Series s = series();
    if (s.n <= 0)
        return;
    cursors.cursorA = std::clamp(a, 0, s.n - 1);
    cursors.cursorB = std::clamp(b, 0, s.n - 1);
    moveLine(kCursorALine, cursors.cursorA);
    moveLine(kCursorBLine, cursors.cursorB);
    UpdateCursorStatistics();
    m_PESGraph1->redraw();
}

void TfrmGraph::showTopFigures(const StatisticTexts &t)
{
    m_txtStartTime->setText(t.startTime);
    m_txtDataNo->setText(t.dataNo);
    m_txtAvgAll->setText(t.avgAll);
    m_txtMax->setText(t.max);
    m_txtMaxTime->setText(t.maxTime);
    m_txtMin->setText(t.min);
    m_txtMinTime->setText(t.minTime);
    m_outOfRange = t.outOfRange;
    showOutOfRange();
}

void TfrmGraph::clearFigures()
{
    m_analysis.invalidate();
    StatisticTexts none;
    none.dataNo = QStringLiteral("0");
    showTopFigures(none);
    showCursorTexts(none);
}

void TfrmGraph::showOutOfRange()
{
    m_lblOutOfRange->setText(outOfRangeText(m_outOfRange));
    m_lblOutOfRangeAB->setText(outOfRangeText(m_outOfRangeAB));
}

void TfrmGraph::ResetCursors()
{
    const CursorPoints p = startingCursorPoints(series().n);
    cursors.playbackLine = p.playback;
    cursors.cursorA = p.a;
    cursors.cursorB = p.b;
    placeLines(*m_PESGraph1, p);
    UpdateCursorStatistics();
    m_PESGraph1->redraw();
}

void TfrmGraph::UpdateCursorStatistics()
{
    showCursorFigures(cursorFigures(seriesIndex(), cursors.cursorA, cursors.cursorB));
}

void TfrmGraph::showCursorFigures(const CursorFigures &f)
{
    StatisticTexts t;
    setCursorTexts(t, series(), f);
    showCursorTexts(t);
    emit cursorSpanShown(f.a, f.b);
}

void TfrmGraph::showCursorTexts(const StatisticTexts &t)
{
    for (auto [field, value] : {std::pair{m_txtCursorA, t.cursorA}, {m_txtCursorATime, t.cursorATime}, {m_txtCursorB, t.cursorB},
                                {m_txtCursorBTime, t.cursorBTime}, {m_txtMaxAB, t.maxAB}, {m_txtMaxABTime, t.maxABTime},
                                {m_txtMinAB, t.minAB}, {m_txtMinABTime, t.minABTime}, {m_txtAvgAB, t.avgAB},
                                {m_txtDurationAB, t.durationAB}, {m_txtLeqAB, t.leqAB}, {m_txtSELAB, t.selAB},
                                {m_txtL10AB, t.l10AB}, {m_txtL50AB, t.l50AB}, {m_txtL90AB, t.l90AB}})
        field->setText(value);
    m_outOfRangeAB = t.outOfRangeAB;
    showOutOfRange();
}

StatisticTexts TfrmGraph::statisticTexts() const
{
    return {m_txtStartTime->text(), m_txtSamplingRate->currentText(), m_txtDataNo->text(), m_txtAvgAll->text(),
            m_txtMax->text(),       m_txtMaxTime->text(),             m_txtMin->text(),    m_txtMinTime->text(),
            m_txtCursorA->text(),   m_txtCursorATime->text(),         m_txtCursorB->text(), m_txtCursorBTime->text(),
            m_txtMaxAB->text(),     m_txtMaxABTime->text(),           m_txtMinAB->text(),  m_txtMinABTime->text(),
            m_txtAvgAB->text(),     m_txtDurationAB->text(),          m_txtLeqAB->text(),  m_txtSELAB->text(),
            m_txtL10AB->text(),     m_txtL50AB->text(),               m_txtL90AB->text(),  m_outOfRange,
            m_outOfRangeAB};
}

int TfrmGraph::NearestPoint(int line) const
{
    const QPoint px = m_PESGraph1->lastMousePos();
    if (!m_PESGraph1->plotRect().contains(px))
        return pointOf(cursors, line);
    const Series s = series();
    return nearestPoint(s.x, s.n, m_PESGraph1->pixelToData(px).x());
}

void TfrmGraph::ToolButton1Click()
{
    m_pnlGraphStatistic->setVisible(m_ToolButton1->isChecked());
    pnlGraphResize();
}

void TfrmGraph::ToolButton2Click()
{
    const bool shown = m_ToolButton2->isChecked();
    m_pnlStatistic->setVisible(shown);
    m_PESGraph1->setShowVertLineAnnotations(shown);
    m_PESGraph1->redraw();
}

void TfrmGraph::PESGraph1VertLineAnnotHotSpot(int line)
{
    if (line < kPlaybackLine || line > kCursorBLine || draggingOf(cursors, line))
        return;
    draggingOf(cursors, line) = true;
    cursors.lastDragRedraw = toTDateTime(clock().now());
    m_PESGraph1->setVertLineAnnotationColor(line, kDraggedLineColor);
    m_PESGraph1->redraw();
}

void TfrmGraph::PESGraph1MouseMove()
{
    const QPoint px = m_PESGraph1->lastMousePos();
    if (!m_PESGraph1->plotRect().contains(px))
        return;
    const QPointF at = m_PESGraph1->pixelToData(px);
    m_Panel12->setText(readoutText(at.y(), at.x()));
    m_Panel12->adjustSize();
    pnlGraphResize();
    for (int line : kLinesInDragOrder) {
        if (!draggingOf(cursors, line))
            continue;
        const TDateTime now = toTDateTime(clock().now());
        if (now - cursors.lastDragRedraw <= kDragRedrawInterval)
            continue;
        m_PESGraph1->setVertLineAnnotation(line, at.x());
        m_PESGraph1->PEactions(chart::sgInvalidateImage);
        cursors.lastDragRedraw = now;
        // The figures follow a dragged cursor; the cursor's point changes only when it is dropped.
        if (line != kPlaybackLine) {
            const Series s = series();
            const int here = nearestPoint(s.x, s.n, at.x());
            showCursorFigures(cursorFigures(seriesIndex(), line == kCursorALine ? here : cursors.cursorA,
                                            line == kCursorBLine ? here : cursors.cursorB));
        }
    }
}

void TfrmGraph::PESGraph1MouseUp()
{
    for (int line : kLinesInDragOrder)
        m_PESGraph1->setVertLineAnnotationColor(line, lineColor(line));
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
    m_PESGraph1->redraw();
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
    const bool recording = GraphWindows::instance().realTime.data() == this && graphState().realTime.realTimeRunning;
    return recording ? std::clamp(graphState().realTime.realTimePointCount, 0, n) : n;
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
    w->m_pnlLeq->setVisible(true);
    w->m_edtLeq->setText(formatLevel(leq.back()));
    // Every point keeps its time; the levels stop at the point that ended the Leq.
    w->showSplAndLeq(s.x, n, s.y, std::min(n, int(leq.size()) + 1), leq.data(), int(leq.size()));
}

} // namespace ql708::graph
