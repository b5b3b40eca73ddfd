// SPDX-License-Identifier: GPL-3.0-or-later
// Splitting a full logger memory into data sets: one long set, and the most sets it can hold;
// and the worst image a file can hold, which must take no longer than a full memory.
#include "data/MemoryImage.h"
#include "tests/data/ImageBuilder.h"

#include <benchmark/benchmark.h>

using namespace ql708;

namespace {

QByteArray fullImage(const QList<test::RecordShape> &records)
{
    QByteArray image = test::buildImage(records);
    image.append(memory_layout::kSize - image.size(), '\xFF');
    return image;
}

void parse(benchmark::State &state, const QByteArray &image)
{
    const qint32 last = data::lastAddressOf(image);
    for (auto _ : state) {
        data::DataSetList list;
        benchmark::DoNotOptimize(data::ParseMemoryImage(image, last, list));
        benchmark::DoNotOptimize(list.levels.data());
    }
    state.counters["image bytes"] = double(image.size());
}

} // namespace

static void BM_ParseOneSetOf127987Points(benchmark::State &state)
{
    test::RecordShape r = test::steadyRecord(127987);
    for (int i = 0; i < r.points.size(); ++i)
        r.points[i] = std::uint16_t(300 + i % 900);
    parse(state, fullImage({r}));
}
BENCHMARK(BM_ParseOneSetOf127987Points)->Unit(benchmark::kMillisecond);

static void BM_Parse4000SetsOf19Points(benchmark::State &state)
{
    parse(state, fullImage(QList<test::RecordShape>(4000, test::steadyRecord(19))));
}
BENCHMARK(BM_Parse4000SetsOf19Points)->Unit(benchmark::kMillisecond);

// The worst a collection file can hold: a header that counts 4000 sets, the largest last address
// (16 MB) and no end marker anywhere, so every record searches for its end.
static void BM_Parse4000SetsWithoutMarkersIn16MB(benchmark::State &state)
{
    QByteArray image(0x1000000, '\0');
    image[0] = 0x04;
    image[9] = char(0x0F), image[10] = char(0xA0);
    image[11] = image[12] = image[13] = char(0xFF);
    image[31] = 0x05;
    parse(state, image);
}
BENCHMARK(BM_Parse4000SetsWithoutMarkersIn16MB)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
