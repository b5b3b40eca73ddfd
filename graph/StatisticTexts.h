// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graph/GraphStatistics.h"
#include "graph/GraphTexts.h"

#include <QList>
#include <QString>

namespace ql708::data {
struct DataSetList;
}

namespace ql708::graph {

// The texts of a graph window's two statistic panels: what the window shows, the statistics
// export copies and a printed chart's header carries.
struct StatisticTexts {
    // Top panel: the whole series.
    QString startTime, samplingRate, dataNo, avgAll, max, maxTime, min, minTime;
    // Bottom panel: the cursors and the points between them.
    QString cursorA, cursorATime, cursorB, cursorBTime, maxAB, maxABTime, minAB, minABTime, avgAB;
    QString durationAB, leqAB, selAB, l10AB, l50AB, l90AB;
    // Out-of-range readings the figures of each panel left out.
    int outOfRange = 0, outOfRangeAB = 0;
};

// How many readings out of range a panel's figures left out ("3 readings out of range"), in
// the active language; empty for none.
QString outOfRangeText(int count);

// The top panel of a series: its start, seconds per point, points, mean and extremes. An empty
// series shows only its count.
void setSeriesTexts(StatisticTexts &t, const Series &s);
// The top panel of data set i as the DataLogger window shows it: the set's recording interval
// as the sampling rate, and the figures the list keeps for the set.
void setDataSetTexts(StatisticTexts &t, const data::DataSetList &sets, int i);
// The bottom panel from the figures between the cursors. A cursor on a gap shows nothing.
void setCursorTexts(StatisticTexts &t, const Series &s, const CursorFigures &f);

// Each panel's lines, labelled from the graph window's table, in the order of the export; the
// out-of-range count closes a panel's lines when there is one.
QList<StatisticLine> seriesLines(const StatisticTexts &t);
QList<StatisticLine> cursorLines(const StatisticTexts &t);

} // namespace ql708::graph
