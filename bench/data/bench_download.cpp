// SPDX-License-Identifier: GPL-3.0-or-later
// The whole download of the logger memory (8192 exchanges) from the simulated meter, with the
// progress window, the parse and the DataLogger window, on the offscreen platform. The USB
// link itself needs at least 8 s for it (one exchange per 1 ms frame); the program's own
// work must stay far below that.
#include "datalogger/DataLoggerController.h"
#include "bench/support/WidgetBenchMain.h"
#include "app/TfrmMain.h"
#include "common/Paths.h"
#include "meter/LoggerDownload.h"
#include "meter/sim/SimulatedMeter.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace ql708;

namespace {

// The last address in use set to 0x3FFFF: the download then reads the full 0x40000 bytes.
void claimFullMemory(SimulatedMeter &meter)
{
    meter.open(kMeterVendorId, kMeterProductId);
    meter.setTimeouts(1000, 1000);
    const std::uint8_t bytes[3] = {0x03, 0xFF, 0xFF};
    for (int i = 0; i < 3; ++i) {
        meter.writeCommand(makeFrame(MeterCommand::WriteByte, 0, 0, std::uint8_t(memory_layout::kLastAddressAt + i), bytes[i]));
        ReplyBuffer r;
        meter.readReply(r);
    }
    meter.close();
}

} // namespace

static void BM_DownloadFullMemory(benchmark::State &state)
{
    QTemporaryDir dir;
    paths::setTestRoot(dir.path());
    SimulatedMeter meter;
    claimFullMemory(meter);
    TfrmMain main(meter);
    main.resize(1200, 800);
    main.show();
    main.MainTimerTimer();
    int result = -1;
    for (auto _ : state)
        result = main.dataLogger().DownloadDataSets();
    state.counters["result"] = result;
    state.counters["exchanges"] = kFullDownload / kBlockSize;
    paths::setTestRoot({});
}
BENCHMARK(BM_DownloadFullMemory)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char **argv)
{
    return ql708::bench::runWidgetBenchmarks(argc, argv);
}
