// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartModal.h"

#include <QDialog>

namespace ql708::chart {

namespace {
ChartModalRunner &runner()
{
    static ChartModalRunner r;
    return r;
}
} // namespace

void setChartModalRunner(ChartModalRunner r) { runner() = std::move(r); }

int runChartModal(QDialog &dialog) { return runner() ? runner()(dialog) : dialog.exec(); }

} // namespace ql708::chart
