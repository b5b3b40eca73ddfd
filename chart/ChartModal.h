// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QDialog;

namespace ql708::chart {

// Every dialog the chart opens (options, colour choice, print) is shown through this runner.
// Without one installed it is exec(); the program installs its own, tests install a handler
// that fills the dialog's named controls and returns a result.
using ChartModalRunner = std::function<int(QDialog &)>;
void setChartModalRunner(ChartModalRunner runner);
int runChartModal(QDialog &dialog);

} // namespace ql708::chart
