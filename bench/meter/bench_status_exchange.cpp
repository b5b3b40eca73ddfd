// SPDX-License-Identifier: GPL-3.0-or-later
// The program's own work per poll: one status exchange plus decode through the simulated link.
// The USB round trip itself takes milliseconds; this must stay far below it.
#include "meter/MeterLink.h"
#include "meter/sim/SimulatedMeter.h"

#include <benchmark/benchmark.h>

using namespace ql708;

static void BM_StatusExchangeAndDecode(benchmark::State &state)
{
    SimulatedMeter meter;
    MeterLink link(meter);
    link.tick(true); // handshake
    for (auto _ : state) {
        const PollResult r = link.tick(true);
        benchmark::DoNotOptimize(r.status.level);
    }
}
BENCHMARK(BM_StatusExchangeAndDecode);

namespace {

// A link that answers at once with a fixed status: what remains is the program's own work.
class InstantLink : public HidLink {
public:
    int close() override { return 0; }
    int open(std::uint16_t, std::uint16_t) override { return 0; }
    int setTimeouts(int, int) override { return 0; }
    int writeCommand(const CommandFrame &f) override
    {
        m_reply.fill(0);
        m_reply[0] = kStx;
        m_reply[31] = kEtx;
        m_reply[23] = '6', m_reply[24] = '1', m_reply[25] = '7';
        m_reply[30] = f[5];
        return 0;
    }
    int settle() override { return 0; }
    int readReply(ReplyBuffer &r) override
    {
        r = m_reply;
        return 0;
    }
    int writeBlock(const DataBlock &) override { return 0; }
    int serialText(QByteArray &) override { return 0; }

private:
    ReplyBuffer m_reply{};
};

} // namespace

static void BM_PollTickOwnWork(benchmark::State &state)
{
    InstantLink hid;
    MeterLink link(hid);
    link.tick(true);
    for (auto _ : state) {
        const PollResult r = link.tick(true);
        benchmark::DoNotOptimize(r.status.level);
    }
}
BENCHMARK(BM_PollTickOwnWork);

static void BM_DecodeOnly(benchmark::State &state)
{
    ReplyBuffer reply{};
    reply[0] = kStx;
    reply[31] = kEtx;
    reply[5] = 0x02;
    reply[6] = 0x1C;
    for (auto _ : state) {
        const MeterStatus s = decodeMeterStatus(reply);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_DecodeOnly);

BENCHMARK_MAIN();
