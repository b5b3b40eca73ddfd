// SPDX-License-Identifier: GPL-3.0-or-later
// A 24-hour LEQ run at 25 readings a second through the simulated meter, in fake time: the
// LEQ window (its table, fields and summary) and the run under it, 2,160,000 ticks. Prints the
// program's own time per tick in the first and the last hour (it must not grow with the run:
// the meter's 40 ms tick leaves it all the room it needs), the total time and the peak memory.
#include "common/Paths.h"
#include "bench/support/WidgetBenchMain.h"
#include "leq/TfrmLEQ.h"
#include "meter/MeterLink.h"
#include "meter/sim/SimulatedMeter.h"
#include "tests/support/FakeClock.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>
#include <sys/resource.h>

using namespace ql708;

namespace {

constexpr int kTicksPerHour = 3600 * 1000 / leq::LeqRun::kTickMs;

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

} // namespace

static void BM_Leq24Hours(benchmark::State &state)
{
    QTemporaryDir dir;
    paths::setTestRoot(dir.path());
    test::FakeClock fake;
    SimulatedMeter meter;
    MeterLink link(meter);
    for (auto _ : state) {
        leq::TfrmLEQ window(link);
        window.show();
        window.cmbTimeSelect()->setCurrentIndex(8); // "24 hours"
        window.btnLEQClick();
        QElapsedTimer total;
        total.start();
        std::vector<double> hourMs;
        for (int hour = 0; window.LEQTimer()->isActive(); ++hour) {
            QElapsedTimer t;
            t.start();
            for (int i = 0; i < kTicksPerHour && window.LEQTimer()->isActive(); ++i) {
                fake.advance(leq::LeqRun::kTickMs);
                window.LEQTimerTimer();
            }
            hourMs.push_back(double(t.nsecsElapsed()) / 1e6);
        }
        const double totalS = double(total.nsecsElapsed()) / 1e9;
        state.counters["rows"] = window.table().rows();
        state.counters["first_hour_us_per_tick"] = hourMs.front() * 1000.0 / kTicksPerHour;
        state.counters["last_hour_us_per_tick"] = hourMs[std::min<size_t>(23, hourMs.size() - 1)] * 1000.0 / kTicksPerHour;
        state.counters["total_s"] = totalS;
        state.counters["peak_MB"] = peakMegabytes();
        state.SetIterationTime(totalS);
    }
    paths::setTestRoot({});
}
BENCHMARK(BM_Leq24Hours)->Unit(benchmark::kSecond)->Iterations(1)->UseManualTime();

int main(int argc, char **argv)
{
    // Without TZ the C library looks at /etc/localtime for every local time the simulated meter
    // and the fake clock make (twice a tick): a cost of the stand-ins, not of the program.
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", "UTC");
    return ql708::bench::runWidgetBenchmarks(argc, argv);
}
