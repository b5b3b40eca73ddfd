// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/support/WidgetBenchMain.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace ql708::bench {

int runWidgetBenchmarks(int argc, char **argv, const std::function<void()> &setUp)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (setUp)
        setUp();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace ql708::bench
