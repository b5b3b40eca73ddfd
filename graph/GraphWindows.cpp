// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/GraphWindows.h"

#include "widgets/ModalRunner.h"
#include "chart/ChartModal.h"
#include "graph/TfrmGraph.h"

namespace ql708::graph {

GraphWindows::GraphWindows()
{
    qRegisterMetaType<ql708::graph::TfrmGraph *>();
    // The chart's own dialogs (options, colours, print) go through the program's modal runner.
    chart::setChartModalRunner([](QDialog &dialog) { return runModal(dialog); });
}

GraphWindows &GraphWindows::instance()
{
    static GraphWindows windows;
    return windows;
}

} // namespace ql708::graph
