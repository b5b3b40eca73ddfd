// SPDX-License-Identifier: GPL-3.0-or-later
// A million-line comma-separated graph text file: written from a chart's points, read back into
// a shown tabular view, and that table graphed in a new graph window, on the offscreen platform.
// Goals: writing within 1 s, reading into the shown view within 1.5 s, graphing within 2 s.
#include "common/Paths.h"
#include "bench/support/WidgetBenchMain.h"
#include "data/GraphText.h"
#include "data/TableText.h"
#include "graph/TfrmGraph.h"
#include "graph/TfrmList.h"
#include "output/TabularGraph.h"
#include "widgets/ModalRunner.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

using namespace ql708;

namespace {

constexpr int kLines = 1'000'000;

struct Fixture {
    QTemporaryDir dir;
    std::vector<double> x;
    std::vector<float> y;
    QString csv;
    QMdiArea area;

    Fixture()
    {
        paths::setTestRoot(dir.path());
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        const double start = toTDateTime(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)));
        for (int i = 0; i < kLines; ++i) {
            x.push_back(start + i * 0.5 * kSecond);
            y.push_back(float(std::round((55 + 15 * std::sin(i * 2e-4)) * 10) / 10));
        }
        csv = dir.filePath("levels.csv");
        area.resize(1200, 800);
        area.show();
    }

    data::GraphColumns columns() const { return {x.data(), y.data(), nullptr, kLines}; }

    graph::TfrmList *readShown()
    {
        data::TextTable table;
        data::readTableText(csv, data::TextSeparator::Comma, table);
        auto *list = new graph::TfrmList;
        area.addSubWindow(list);
        list->setTable(std::move(table));
        list->show();
        QCoreApplication::processEvents();
        return list;
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

} // namespace

static void BM_WriteCsvMillionLines(benchmark::State &state)
{
    Fixture &f = fixture();
    data::GraphTextFormat format;
    format.separator = data::TextSeparator::Comma;
    for (auto _ : state)
        benchmark::DoNotOptimize(data::saveGraphText(f.csv, f.columns(), 0, kLines - 1, format).ok);
    state.counters["lines"] = kLines;
}
BENCHMARK(BM_WriteCsvMillionLines)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_ReadCsvIntoShownTable(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        graph::TfrmList *list = f.readShown();
        state.PauseTiming();
        benchmark::DoNotOptimize(list->table().rowCount());
        delete list;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ReadCsvIntoShownTable)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_GraphTheTable(benchmark::State &state)
{
    Fixture &f = fixture();
    graph::TfrmList *list = f.readShown();
    for (auto _ : state) {
        graph::TfrmGraph *w = output::OutputTabularToGraph(*list, f.area);
        QCoreApplication::processEvents();
        state.PauseTiming();
        benchmark::DoNotOptimize(w->PESGraph1());
        delete w;
        state.ResumeTiming();
    }
    delete list;
}
BENCHMARK(BM_GraphTheTable)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char **argv)
{
    return ql708::bench::runWidgetBenchmarks(argc, argv, [] { ql708::setModalHandler([](QDialog &) { return 0; }); });
}
