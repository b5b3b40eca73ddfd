// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/PESGraph.h"

namespace ql708::chart::test {

// Sets every stored property of chart to a value other than its default, with 2 subsets of
// 5 points, 3 vertical lines and 2 graph annotations.
void setEveryProperty(PESGraph &chart);

// One subset of n points a second apart from start, a slow sine around 60 dB with spikes; the
// points in [gapFrom, gapTo) are null.
void fillSynthetic(PESGraph &chart, int n, double start, int gapFrom = 0, int gapTo = 0);

// The graph window's look: manual scales, date-time axis, cursor lines A and B and the playback line.
void prepareLikeGraphWindow(PESGraph &chart, double start, double end);

} // namespace ql708::chart::test
