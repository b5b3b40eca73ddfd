// SPDX-License-Identifier: GPL-3.0-or-later
// The graph window as the real-time window: how it looks, and a run's points and figures.
#include "graph/TfrmGraph.h"

#include "chart/PESGraph.h"
#include "common/NumberFormat.h"
#include "graph/ChartSetup.h"
#include "graph/GraphTexts.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>

namespace ql708::graph {

namespace {
constexpr int kRealTimeRoom = 500;         // the points of the chart before the first run
constexpr int kRealTimeSpanPoints = 510;   // its time scale at start: that many rate steps
} // namespace

void TfrmGraph::prepareAsRealTimeWindow(float rate, TDateTime now)
{
    m_tbntSep3->setVisible(true);
    m_tbntClr->setVisible(true);
    setWavControlsVisible(false);
    PrepareChart(*m_PESGraph1, 1, 130, 30, now + kRealTimeSpanPoints * rate * kSecond, now, kRealTimeRoom);
    makeRateDropDown();
    selectRateEntry(rate);
}

void TfrmGraph::setClearEnabled(bool enabled) { m_tbntClr->setEnabled(enabled); }

QString TfrmGraph::samplingRateText() const { return m_txtSamplingRate->currentText(); }

bool TfrmGraph::firstRateEntrySelected() const { return m_txtSamplingRate->currentIndex() == 0; }

void TfrmGraph::showRunStart(TDateTime start) { m_txtStartTime->setText(dateTimeText(start)); }

void TfrmGraph::setPointCount(int count) { m_txtDataNo->setText(QString::number(count)); }

void TfrmGraph::showExtreme(Extreme which, float level, TDateTime at)
{
    (which == Maximum ? m_txtMax : m_txtMin)->setText(formatLevel(level));
    (which == Maximum ? m_txtMaxTime : m_txtMinTime)->setText(dateTimeText(at));
}

void TfrmGraph::beginRun(int points, TDateTime start, TDateTime span)
{
    chart::PESGraph &c = *m_PESGraph1;
    c.setPoints(points);
    for (int s = 0; s < c.subsets(); ++s)
        c.emptySubset(s);
    // The figures of the earlier run describe points that are gone.
    clearFigures();
    // A run's readings stand for its sampling rate.
    SeriesTraits traits = m_analysis.traits();
    traits.knownInterval = graphState().realTime.RealTimeRate;
    m_analysis.setTraits(traits);
    showRunStart(start);
    c.setManualScaleControlX(chart::sgManualMinAndMax);
    c.setManualMinX(start);
    c.setManualMaxX(start + span);
    // The cursors wait with the empty series until the run ends.
    const double first = c.xDataII(0, 0), last = c.xDataII(0, c.points() - 1);
    c.setVertLineAnnotation(kCursorALine, first + (last - first) / 3);
    c.setVertLineAnnotation(kCursorBLine, first + 2 * (last - first) / 3);
    c.redraw();
}

void TfrmGraph::showRunPoint(int index, TDateTime x, float y, TDateTime growth, bool redraw)
{
    chart::PESGraph &c = *m_PESGraph1;
    c.setXDataII(0, index, x);
    c.setYData(0, index, y);
    m_analysis.invalidate();
    setPointCount(index + 1);
    if (c.manualMaxX() < x)
        c.setManualMaxX(x + growth);
    if (redraw)
        c.redraw();
}

void TfrmGraph::endRun(int points, TDateTime end, double average)
{
    showNormal();
    chart::PESGraph &c = *m_PESGraph1;
    // The chart keeps the points the run added, no empty room after them.
    if (points >= 1 && points < c.points())
        c.setPoints(points);
    c.setManualMaxX(end);
    m_txtAvgAll->setText(formatLevel(average));
    m_analysis.invalidate();
    emit seriesShown();
    if (points >= 1)
        ResetCursors();
    c.redraw();
}

} // namespace ql708::graph
