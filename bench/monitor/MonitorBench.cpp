// SPDX-License-Identifier: GPL-3.0-or-later
// The monitor left alone for 30 days at two readings a second, in fake time through the
// simulated meter: its memory after day 30 against day 1 (within 1 MB: nothing grows with the
// readings), the work per reading, and the bytes its files take per reading. The files go to a
// memory file system where there is one, so the figures are the program's own work and not the
// disk's.
#include "monitor/MonitorPoll.h"
#include "monitor/MonitorSession.h"
#include "meter/sim/SimulatedMeter.h"
#include "tests/support/FakeClock.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>

using namespace ql708;
using namespace ql708::monitor;

namespace {

// What a broker client would be handed: the payloads are made, and go nowhere.
class NullPublisher : public Publisher {
public:
    void publish(const QByteArray &, const QByteArray &payload) override { bytes += payload.size(); }
    qint64 bytes = 0;
};

long residentKb()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

qint64 folderBytes(const QString &path)
{
    qint64 total = 0;
    QDirIterator it(path, QDir::Files);
    while (it.hasNext())
        total += QFileInfo(it.next()).size();
    return total;
}

QString scratchRoot() { return QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath(); }

void BM_ThirtyDays(benchmark::State &state)
{
    constexpr int kDays = 30;
    for (auto _ : state) {
        QTemporaryDir dir(scratchRoot() + QStringLiteral("/ql708-monitor-XXXXXX"));
        test::FakeClock clock(QDateTime(QDate(2024, 3, 1), QTime(0, 0)));
        SimulatedMeter meter;
        NullPublisher publisher;
        MonitorSession session({dir.path(), {}, {}, 0.5}, [](const QString &) {});
        QString error;
        session.start(clock.now(), error);
        session.setPublisher(&publisher);
        MonitorPoll poll(meter, session, [](const QString &) {});
        long rssDay1 = 0;
        const qint64 dayMs = 86'400'000;
        const qint64 end = clock.tickMs() + kDays * dayMs;
        const qint64 firstDayEnd = clock.tickMs() + dayMs;
        const auto started = std::chrono::steady_clock::now();
        while (clock.tickMs() < end) {
            clock.advance(poll.step() - clock.tickMs());
            if (rssDay1 == 0 && clock.tickMs() >= firstDayEnd)
                rssDay1 = residentKb();
        }
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        const long rssDay30 = residentKb();
        session.stop(clock.now());
        const double readings = double(poll.readings());
        const double bytes = double(folderBytes(dir.path()));
        state.counters["readings"] = readings;
        state.counters["RSS day 1 kB"] = double(rssDay1);
        state.counters["RSS day 30 kB"] = double(rssDay30);
        state.counters["us/reading"] = seconds * 1e6 / readings;
        state.counters["disk B/reading"] = bytes / readings;
        state.counters["MQTT B/reading"] = double(publisher.bytes) / readings;
        std::printf("30 days: %.0f readings, RSS %ld kB after day 1, %ld kB after day 30 (%+ld kB), "
                    "%.2f us and %.1f bytes on disk per reading\n",
                    readings, rssDay1, rssDay30, rssDay30 - rssDay1, seconds * 1e6 / readings, bytes / readings);
    }
}
BENCHMARK(BM_ThirtyDays)->Iterations(1)->Unit(benchmark::kSecond);

// The session's own part of a reading: its line, the summaries, the MQTT payload, and a flush
// every second.
void BM_SessionReading(benchmark::State &state)
{
    QTemporaryDir dir(scratchRoot() + QStringLiteral("/ql708-monitor-XXXXXX"));
    NullPublisher publisher;
    MonitorSession session({dir.path(), {}, {}, 0.5}, [](const QString &) {});
    QDateTime t(QDate(2024, 3, 1), QTime(0, 0));
    QString error;
    session.start(t, error);
    session.setPublisher(&publisher);
    Reading r;
    r.rangeCode = kRange30to130;
    r.time = Stamp::of(t);
    int n = 0;
    for (auto _ : state) {
        r.time.msecs += 500;
        r.tenths = std::uint16_t(450 + n % 300);
        session.reading(r);
        if (++n % 2 == 0)
            session.tick(QDateTime::fromMSecsSinceEpoch(r.time.msecs));
    }
    session.stop(QDateTime::fromMSecsSinceEpoch(r.time.msecs));
}
BENCHMARK(BM_SessionReading);

} // namespace

BENCHMARK_MAIN();
