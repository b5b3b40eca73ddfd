// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/DateTime.h"
#include "graph/GraphStatistics.h"

#include <QtGlobal>

namespace ql708::graph {

// Where the sound of a recording and the points of its chart meet. File k of a recording holds
// its seconds 1800 x k to 1800 x (k + 1), counted from the chart's first point.

// The chart time that one file spans.
struct Segment {
    TDateTime start = 0.0;
    TDateTime end = 0.0;
};

// Where the playback line stands for a position in the sound: line is where it is drawn, shown
// the time its text gives.
struct LinePlacement {
    TDateTime line = 0.0;
    TDateTime shown = 0.0;
};

// The file that holds point `point` of a set recorded every rate seconds; never beyond the
// last of fileCount files (the line may stand in a short rest that has no file of its own).
int fileOfPoint(int rate, int point, int fileCount);

// The chart time that file k spans: 30 minutes from the first point's time + 1800 s x k,
// ending at the last point at the latest.
Segment segmentOf(int file, const Series &s);

// Where in a file of length ms playback starts for the chart time x: its share of the
// segment, truncated to whole milliseconds, from the file's start to its end.
qint64 startPosition(const Segment &segment, TDateTime x, qint64 length);

// Where the line goes while the file plays at position of length ms. The line runs ahead of
// the sound by 2 s for a full 30-minute file (less for a shorter one), and a file shorter than
// 5 minutes moves it up to 1 s further on; it stops at the last point's time, last.
LinePlacement placeLine(const Segment &segment, qint64 position, qint64 length, TDateTime last);

} // namespace ql708::graph
