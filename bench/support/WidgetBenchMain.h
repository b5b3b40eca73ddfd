// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace ql708::bench {

// Builds the widget application (offscreen unless QT_QPA_PLATFORM says otherwise), runs
// setUp once it exists, then the registered benchmarks; returns main's exit status.
int runWidgetBenchmarks(int argc, char **argv, const std::function<void()> &setUp = {});

} // namespace ql708::bench
