// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/DateTime.h"
#include "analysis/LevelStatistics.h"
#include "analysis/SpanIndex.h"

#include <optional>
#include <vector>

namespace ql708::graph {

// A series as a chart holds it: times (rising with the index) and levels, 9999 marking a gap.
struct Series {
    const double *x = nullptr;
    const float *y = nullptr;
    int n = 0;
};

// The top panel's figures of a whole series.
struct SeriesFigures {
    TDateTime first = 0.0; // time of the first and the last point
    TDateTime last = 0.0;
    double rate = 0.0;     // seconds per point: the span divided by the points (not points - 1)
    LevelSummary levels;   // extremes as series indices; gaps left out
};
SeriesFigures seriesFigures(const Series &s);

// The bottom panel's figures between two cursors, given in either order; indices outside the
// series are taken to its nearest end. Levels, Leq, SEL and the exceeded levels cover the points
// from the earlier cursor to the later, both included, gaps left out; they come from the
// series' index, and SEL is the energy sum over the time the levels stand for (levels × the
// series' interval).
struct CursorFigures {
    int a = -1; // the cursors' points; -1 for an empty series
    int b = -1;
    int lo = -1;
    int hi = -1;
    LevelSummary levels; // extremes as series indices
    double seconds = 0.0; // time from the earlier cursor to the later
    std::optional<double> leq;
    std::optional<double> sel;
    std::optional<ExceededLevels> exceeded;
};
CursorFigures cursorFigures(const analysis::SpanIndex &index, int a, int b);

// The point whose time is nearest to t, by halving (times rising with the index). Equal
// distances choose the later point; before the first point gives 0, after the last n - 1.
// An empty series gives -1.
int nearestPoint(const double *x, int n, double t);

// Where the lines start on a series of n points: playback at 0, A at n/3, B at 2n/3.
struct CursorPoints {
    int a = 0;
    int b = 0;
    int playback = 0;
};
CursorPoints startingCursorPoints(int n);

// Levels above this end the running Leq of CAL Leq (gaps among them).
constexpr float kCalLeqLevelLimit = 200.0f;

// The running Leq after each point, step by step over the measured levels, up to the first
// level above the limit (which ends it without a value of its own). An out-of-range reading
// adds nothing: the Leq so far stays, and before the first measured level there is none (a gap).
std::vector<float> runningLeqSeries(const float *y, int n);

} // namespace ql708::graph
