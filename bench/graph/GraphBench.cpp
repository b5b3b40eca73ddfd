// SPDX-License-Identifier: GPL-3.0-or-later
// Statistics and cursors of a graph window on long series (128,000 and 1,000,000 points): the
// figures of the whole series, the figures between the cursors (with Leq, SEL and the exceeded
// levels) computed directly and from the series' index, the index's building, the nearest point
// under the mouse, and the same two panels filled in a window.
#include "chart/PESGraph.h"
#include "bench/support/WidgetBenchMain.h"
#include "graph/GraphStatistics.h"
#include "graph/SeriesAnalysis.h"
#include "graph/TfrmGraph.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <map>
#include <random>
#include <vector>

using namespace ql708;
using namespace ql708::graph;

namespace {

constexpr double kStart = 45444.5;

struct Data {
    std::vector<double> x;
    std::vector<float> y;
    Series series() const { return {x.data(), y.data(), int(y.size())}; }
};

// Levels at a tenth of a dB, half a second apart: a slow swell, passing events and a gap.
const Data &data(int n)
{
    static std::map<int, Data> cache;
    Data &d = cache[n];
    if (d.x.empty()) {
        d.x.resize(size_t(n));
        d.y.resize(size_t(n));
        for (int i = 0; i < n; ++i) {
            d.x[size_t(i)] = kStart + i * 0.5 * kSecond;
            const double swell = 55 + 15 * std::sin(i * 2e-4) + ((i * 7919) % 23) * 0.3;
            const double event = (i % 997 < 20) ? 20.0 * (1 - (i % 997) / 20.0) : 0.0;
            d.y[size_t(i)] = (i % 50000 < 100) ? kGapLevel : std::round(float(swell + event) * 10) / 10;
        }
    }
    return d;
}

void sizes(benchmark::internal::Benchmark *b) { b->Arg(128'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond); }

void BM_SeriesFigures(benchmark::State &state)
{
    const Series s = data(int(state.range(0))).series();
    for (auto _ : state)
        benchmark::DoNotOptimize(seriesFigures(s));
}

// Cursors over the whole series, as the panels were filled before the index: every figure
// computed again from the readings between the cursors at each move.
void BM_CursorFiguresDirect(benchmark::State &state)
{
    const Series s = data(int(state.range(0))).series();
    const std::span<const float> run(s.y, size_t(s.n));
    for (auto _ : state) {
        const LevelSummary levels = summarizeLevels(run);
        benchmark::DoNotOptimize(equivalentLevel(run, levels));
        benchmark::DoNotOptimize(exceededLevels(run, levels));
    }
}

// The same from the series' index: the most a cursor move costs now.
void BM_CursorFigures(benchmark::State &state)
{
    const Series s = data(int(state.range(0))).series();
    SeriesAnalysis analysis;
    const analysis::SpanIndex &index = analysis.index(s);
    for (auto _ : state)
        benchmark::DoNotOptimize(cursorFigures(index, s.n - 1, 0));
}

// Building the index, once per series shown (and again when a real-time run's series grew).
void BM_SeriesIndexBuild(benchmark::State &state)
{
    const Series s = data(int(state.range(0))).series();
    for (auto _ : state) {
        SeriesAnalysis analysis;
        benchmark::DoNotOptimize(analysis.index(s).size());
    }
}

void BM_NearestPoint(benchmark::State &state)
{
    const Series s = data(int(state.range(0))).series();
    std::mt19937 gen(1);
    std::uniform_real_distribution<double> at(s.x[0], s.x[size_t(s.n - 1)]);
    std::vector<double> targets(4096);
    for (double &t : targets)
        t = at(gen);
    size_t k = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(nearestPoint(s.x, s.n, targets[k++ & 4095]));
}

// The window's RefreshStatistics and UpdateCursorStatistics, texts written into the fields.
void BM_WindowPanels(benchmark::State &state)
{
    const Data &d = data(int(state.range(0)));
    TfrmGraph w;
    w.showSeries(d.x.data(), d.y.data(), int(d.y.size()));
    w.cursors.cursorA = 0;
    w.cursors.cursorB = int(d.y.size()) - 1;
    for (auto _ : state) {
        w.RefreshStatistics();
        w.UpdateCursorStatistics();
    }
}

} // namespace

BENCHMARK(BM_SeriesFigures)->Apply(sizes);
BENCHMARK(BM_CursorFiguresDirect)->Apply(sizes);
BENCHMARK(BM_CursorFigures)->Apply(sizes);
BENCHMARK(BM_SeriesIndexBuild)->Apply(sizes);
BENCHMARK(BM_NearestPoint)->Arg(128'000)->Arg(1'000'000)->Unit(benchmark::kNanosecond);
BENCHMARK(BM_WindowPanels)->Apply(sizes);

int main(int argc, char **argv)
{
    return ql708::bench::runWidgetBenchmarks(argc, argv);
}
