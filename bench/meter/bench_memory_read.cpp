// SPDX-License-Identifier: GPL-3.0-or-later
// Raw time of a whole-memory download through the simulated meter: 8,192 memory-read
// exchanges (write, settle, read on one open session, as the download makes them), with
// the link taking no time and at one exchange per 1 ms USB frame.
#include "meter/LoggerDownload.h"
#include "meter/sim/SimulatedMeter.h"

#include <benchmark/benchmark.h>

using namespace ql708;

namespace {
constexpr int kBlocks = kFullDownload / kBlockSize;
}

static void BM_MemoryReadExchanges(benchmark::State &state)
{
    SimulatedMeter meter(SimulatedMeter::kDefaultSeed, int(state.range(0)));
    meter.open(kMeterVendorId, kMeterProductId);
    meter.setTimeouts(1000, 1000);
    ReplyBuffer reply{};
    for (auto _ : state) {
        for (int block = 0; block < kBlocks; ++block) {
            if (meter.writeCommand(makeFrame(block == 0 ? MeterCommand::MemoryStart : MeterCommand::MemoryNext)) || meter.settle() ||
                meter.readReply(reply)) {
                state.SkipWithError("the simulated meter did not answer");
                return;
            }
        }
        meter.writeCommand(makeFrame(MeterCommand::MemoryEnd));
        benchmark::DoNotOptimize(reply);
    }
    state.counters["exchanges/s"] =
        benchmark::Counter(kBlocks, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_MemoryReadExchanges)->ArgName("pace_ms")->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemoryReadExchanges)
    ->ArgName("pace_ms")
    ->Arg(1)
    ->Iterations(1)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
