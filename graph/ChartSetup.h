// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/DateTime.h"
#include "chart/ChartTypes.h"
#include "graph/GraphStatistics.h"

#include <QString>

namespace ql708::chart {
class PESGraph;
}

namespace ql708::graph {

// The vertical lines every prepared chart carries.
constexpr int kPlaybackLine = 0;
constexpr int kCursorALine = 1;
constexpr int kCursorBLine = 2;
// Their colours: playback green, A blue, B red; a line being dragged turns grey.
quint32 lineColor(int line);
constexpr quint32 kDraggedLineColor = chart::PEargb(255, 190, 190, 190);

// The plain set-up of a chart for new data: series and point count, manual level scale, and
// the time scale unless timeStart is 0 (the time scale then stays as it was). Redraws.
void SetUpChart(chart::PESGraph &chart, int seriesCount, float levelTop, float levelBottom,
                TDateTime timeEnd, TDateTime timeStart, int pointCount);

// The full preparation: the template first when one loads, the set-up, the cursor lines A and
// B at one and two thirds of the time span and the playback line at its start, and the
// default look unless the template gave one. Returns whether the template was loaded.
bool PrepareChart(chart::PESGraph &chart, int seriesCount, float levelTop, float levelBottom,
                  TDateTime timeEnd, TDateTime timeStart, int pointCount);

// The DataLogger window's chart before it shows a set: prepared for 500 points from now.
void PrepareDataLoggerChart(chart::PESGraph &chart);

// Puts the playback line and cursors A and B on the times of their points of series 0; a line
// whose point the series does not hold stays where it is.
void placeLines(chart::PESGraph &chart, const CursorPoints &points);

// The template every chart is prepared from: the user's own in the writable application
// folder, else one shipped with the program, else empty.
QString templateFile();
// The folder the user's template is saved in (ends with a slash).
QString templateFolder();

// Saves the chart's look (scales, look, behaviour; no data, no annotations) as the template.
// On failure error names the path and the reason.
bool saveTemplate(const chart::PESGraph &chart, QString *error = nullptr);

} // namespace ql708::graph
