// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartFile.h"

#include "chart/ChartState.h"
#include "chart/PESGraph.h"

namespace ql708::chart {

bool SaveChartFile(const PESGraph &chart, const QString &path, QString *error)
{
    return saveChartModelFile(chart.model(), path, error);
}

bool LoadChartFile(PESGraph &chart, const QString &path, QString *error)
{
    ChartModel loaded;
    if (!loadChartModelFile(loaded, path, error))
        return false;
    chart.setModel(std::move(loaded));
    return true;
}

} // namespace ql708::chart
