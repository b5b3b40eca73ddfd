// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace ql708::chart {

class PESGraph;

// A graph file (.ghf): the chart's stored state as a 32-bit little-endian size and the block.
// Saving replaces the file atomically; loading a file that is not a sound graph leaves the chart
// as it was. On failure error holds a message naming the path and the reason.
bool SaveChartFile(const PESGraph &chart, const QString &path, QString *error = nullptr);
bool LoadChartFile(PESGraph &chart, const QString &path, QString *error = nullptr);

} // namespace ql708::chart
