// SPDX-License-Identifier: GPL-3.0-or-later
// One live point into the real-time window as the poll hands it over (the run's arithmetic,
// the window's fields and a redraw of its chart) with 2,000, 100,000 and about 1,000,000
// points already in a run of a million. The time per point must not grow with the points
// beyond what the chart's replot costs.
#include "app/TfrmMain.h"
#include "bench/support/WidgetBenchMain.h"
#include "chart/PESGraph.h"
#include "common/Clock.h"
#include "common/Paths.h"
#include "graph/GraphState.h"
#include "graph/GraphWindows.h"
#include "graph/TfrmGraph.h"
#include "meter/sim/SimulatedMeter.h"
#include "realtime/TfrmSetupRealTime.h"
#include "widgets/ModalRunner.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>
#include <cmath>
#include <vector>

using namespace ql708;

namespace {

constexpr int kRunPoints = 1'000'000;
constexpr int kAppends = 200;

// A clock that moves a second at each step, as the decodes at a rate of 1 s arrive.
class SteppedClock : public Clock {
public:
    QDateTime now() const override { return m_now; }
    void step() { m_now = m_now.addSecs(1); }

private:
    QDateTime m_now = QDateTime(QDate(2024, 6, 1), QTime(8, 0));
};

// A decoded status whose present level is tenths, in the 30-130 dB range.
MeterStatus statusAt(int tenths)
{
    MeterStatus s;
    s.rangeCode = kRange30to130;
    s.level = quint16(tenths);
    return s;
}

void BM_AppendAndRedraw(benchmark::State &state)
{
    const int already = int(state.range(0));
    QTemporaryDir dir;
    paths::setTestRoot(dir.path());
    SteppedClock clock;
    setClock(&clock);
    SimulatedMeter meter;
    {
        TfrmMain main(meter);
        main.resize(1600, 900);
        main.show();
        main.FormShow();
        main.MainTimer()->stop(); // the benchmark hands the levels over itself
        main.MainTimerTimer();  // the handshake
        setModalHandler([](QDialog &d) {
            auto &setup = static_cast<realtime::TfrmSetupRealTime &>(d);
            setup.edtRealTimeNo()->setText(QString::number(kRunPoints));
            setup.txtRate()->setCurrentIndex(1); // 1 s: every point redraws
            return int(QDialog::Accepted);
        });
        main.btnRunClick();
        setModalHandler({});
        graph::TfrmGraph *w = graph::GraphWindows::instance().realTime;
        w->resize(1250, 800);

        // The points the run already has, a second apart, as the decodes would have left them.
        std::vector<double> x(static_cast<size_t>(already));
        std::vector<float> y(static_cast<size_t>(already));
        const TDateTime start = toTDateTime(clock.now());
        for (int i = 0; i < already; ++i) {
            x[size_t(i)] = start + i * kSecond;
            y[size_t(i)] = float(std::round(10 * (60 + 12 * std::sin(i * 1e-3) + (i * 7919 % 17) * 0.3)) / 10);
        }
        chart::PESGraph &c = *w->PESGraph1();
        c.setXDataII(0, x.data(), already);
        c.setYData(0, y.data(), already);
        c.setManualMaxX(x.back() + 2 * kAppends * kSecond);
        graph::graphState().realTime.realTimePointCount = already;
        for (int i = 0; i < already; ++i)
            clock.step();
        main.AppendRealTimePoint(statusAt(650)); // the one full copy after the bulk load
        QCoreApplication::processEvents();

        for (auto _ : state) {
            clock.step();
            main.AppendRealTimePoint(statusAt(int(600 + state.iterations() % 200)));
            QCoreApplication::processEvents(); // the window shows the new picture
        }
        state.counters["points"] = graph::graphState().realTime.realTimePointCount;
        graph::graphState() = graph::GraphState(); // nothing to ask on closing
    }
    setClock(nullptr);
    paths::setTestRoot({});
}

} // namespace

BENCHMARK(BM_AppendAndRedraw)
    ->Arg(2'000)
    ->Arg(100'000)
    ->Arg(kRunPoints - kAppends - 1)
    ->Iterations(kAppends)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return ql708::bench::runWidgetBenchmarks(argc, argv);
}
