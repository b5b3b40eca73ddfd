// SPDX-License-Identifier: GPL-3.0-or-later
// The acoustics core on long series (100,000 to 10,000,000 readings a second apart): building the
// span index, the figures between two cursors while one is dragged, the events, and the hourly
// table with day, evening, night and Lden.
#include "analysis/NoiseEvents.h"
#include "analysis/Periods.h"
#include "analysis/SpanIndex.h"
#include "bench/support/WidgetBenchMain.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <map>
#include <memory>
#include <vector>

using namespace ql708;
using namespace ql708::analysis;

namespace {

constexpr TDateTime kStart = 45444.0 + 9.5 / 24; // 1 June 2024, 09:30

struct Data {
    std::vector<TDateTime> times;
    std::vector<float> levels;
    LevelSeries series() const { return {times, levels, 1.0, true}; }
};

// Levels at a tenth of a dB: a slow swell, passing events, now and then a gap or an
// out-of-range reading.
const Data &data(int n)
{
    static std::map<int, std::unique_ptr<Data>> cache;
    auto &d = cache[n];
    if (!d) {
        d = std::make_unique<Data>();
        d->times.resize(size_t(n));
        d->levels.resize(size_t(n));
        for (int i = 0; i < n; ++i) {
            d->times[size_t(i)] = kStart + i * kSecond;
            const double swell = 55 + 15 * std::sin(i * 2e-4) + ((i * 7919) % 23) * 0.3;
            const double event = (i % 997 < 20) ? 35.0 * (1 - (i % 997) / 20.0) : 0.0;
            const bool gap = i % 50000 < 100, outOfRange = i % 70001 == 5;
            d->levels[size_t(i)] = gap ? kGapLevel : outOfRange ? 0.0f : float(std::round((swell + event) * 10) * 0.1);
        }
    }
    return *d;
}

const SpanIndex &index(int n)
{
    static std::map<int, std::unique_ptr<SpanIndex>> cache;
    auto &i = cache[n];
    if (!i)
        i = std::make_unique<SpanIndex>(data(n).series());
    return *i;
}

void sizes(benchmark::internal::Benchmark *b) { b->Arg(100'000)->Arg(1'000'000)->Arg(10'000'000); }

void BM_BuildIndex(benchmark::State &state)
{
    const Data &d = data(int(state.range(0)));
    std::size_t bytes = 0;
    for (auto _ : state) {
        const SpanIndex built(d.series());
        bytes = built.memoryBytes();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["index MB"] = double(bytes) / 1e6;
    state.counters["bytes/reading"] = double(bytes) / double(state.range(0));
}

// One cursor dragged over the series, the other at a third of it: spans of every length.
void BM_CursorFigures(benchmark::State &state)
{
    const int n = int(state.range(0));
    const SpanIndex &x = index(n);
    const int fixed = n / 3;
    int moving = 0;
    const int step = n / 997 + 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(x.figures(fixed, moving));
        moving = (moving + step) % n;
    }
}

// Spans of a given length in the middle of a 1,000,000-reading series.
void BM_SpanOfLength(benchmark::State &state)
{
    const int n = 1'000'000;
    const SpanIndex &x = index(n);
    const int length = int(state.range(0));
    int first = 12'345;
    for (auto _ : state) {
        benchmark::DoNotOptimize(x.figures(first, first + length - 1));
        first = (first + 7919) % (n - length);
    }
}

void BM_Events(benchmark::State &state)
{
    const Data &d = data(int(state.range(0)));
    std::size_t count = 0;
    for (auto _ : state) {
        const EventList events = findEvents(d.series());
        count = events.events.size();
        benchmark::DoNotOptimize(count);
    }
    state.counters["events"] = double(count);
}

void BM_PeriodTables(benchmark::State &state)
{
    const SpanIndex &x = index(int(state.range(0)));
    std::size_t hours = 0;
    for (auto _ : state) {
        const auto tables = periodTables(x);
        hours = tables->hours.size();
        benchmark::DoNotOptimize(hours);
    }
    state.counters["hours"] = double(hours);
}

} // namespace

BENCHMARK(BM_BuildIndex)->Apply(sizes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CursorFigures)->Apply(sizes)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SpanOfLength)->Arg(100)->Arg(10'000)->Arg(999'000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Events)->Arg(10'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PeriodTables)->Arg(10'000'000)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    return ql708::bench::runWidgetBenchmarks(argc, argv);
}
