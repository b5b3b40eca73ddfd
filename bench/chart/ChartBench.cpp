// SPDX-License-Identifier: GPL-3.0-or-later
// Chart drawing speed into a 1200 x 600 window offscreen, for 128,000 and 1,000,000 points:
// loading a series with its first draw, a full redraw, moving a cursor line; and the same
// series painted by a Qt Charts view as a reference.
#include "chart/PESGraph.h"
#include "bench/support/WidgetBenchMain.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cmath>
#include <map>
#include <vector>

#ifdef QL708_WITH_QTCHARTS
#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>
#endif

using namespace ql708::chart;

namespace {

constexpr int kWidth = 1200;
constexpr int kHeight = 600;
constexpr double kStart = 45444.5;

struct Series {
    std::vector<double> x;
    std::vector<float> y;
};

const Series &series(int n)
{
    static std::map<int, Series> cache;
    Series &s = cache[n];
    if (s.x.empty()) {
        s.x.resize(size_t(n));
        s.y.resize(size_t(n));
        for (int i = 0; i < n; ++i) {
            s.x[size_t(i)] = kStart + i / 86400.0;
            s.y[size_t(i)] = float(62 + 12 * std::sin(i / 3000.0) + 4 * std::sin(i / 97.0) + (i * 7919 % 13) * 0.3);
        }
    }
    return s;
}

std::unique_ptr<PESGraph> makeChart(int n)
{
    auto chart = std::make_unique<PESGraph>();
    chart->resize(kWidth, kHeight);
    chart->setSubsets(1);
    chart->setPoints(n);
    chart->setManualScaleControlY(sgManualMinAndMax);
    chart->setManualMinY(30);
    chart->setManualMaxY(130);
    chart->setManualScaleControlX(sgManualMinAndMax);
    chart->setManualMinX(kStart);
    chart->setManualMaxX(kStart + (n - 1) / 86400.0);
    chart->setDateTimeMode(sgVBDateTime);
    chart->setGridStyle(sgDot);
    chart->setSubsetLabel(0, QStringLiteral("dB"));
    chart->setXAxisLabel(QStringLiteral("Time"));
    for (int line = 0; line < 3; ++line) {
        chart->setVertLineAnnotation(line, kStart + line * (n - 1) / 3.0 / 86400.0);
        chart->setVertLineAnnotationType(line, line == 0 ? 6 : 5);
        chart->setVertLineAnnotationColor(line, line == 1 ? PEargb(255, 0, 0, 255) : 255);
    }
    chart->show();
    QCoreApplication::processEvents();
    return chart;
}

void load(PESGraph &chart, int n)
{
    const Series &s = series(n);
    chart.setXDataII(0, s.x.data(), n);
    chart.setYData(0, s.y.data(), n);
}

void BM_LoadAndFirstDraw(benchmark::State &state)
{
    const int n = int(state.range(0));
    series(n);
    auto chart = makeChart(n);
    for (auto _ : state) {
        load(*chart, n);
        chart->PEactions(sgReinitAndReset);
    }
}

void BM_Redraw(benchmark::State &state)
{
    const int n = int(state.range(0));
    auto chart = makeChart(n);
    load(*chart, n);
    chart->redraw();
    for (auto _ : state)
        chart->redraw();
}

void BM_MoveCursorLine(benchmark::State &state)
{
    const int n = int(state.range(0));
    auto chart = makeChart(n);
    load(*chart, n);
    chart->redraw();
    int i = 0;
    for (auto _ : state) {
        chart->setVertLineAnnotation(1, kStart + (i++ % n) / 86400.0);
        chart->PEactions(sgInvalidateImage);
    }
}

#ifdef QL708_WITH_QTCHARTS
struct QtChartsView {
    QChartView view;
    QLineSeries *line = new QLineSeries;
    QImage image{kWidth, kHeight, QImage::Format_ARGB32_Premultiplied};

    explicit QtChartsView(int n)
    {
        auto *chart = new QChart;
        chart->addSeries(line);
        auto *x = new QDateTimeAxis;
        x->setFormat(QStringLiteral("HH:mm"));
        auto *y = new QValueAxis;
        y->setRange(30, 130);
        chart->addAxis(x, Qt::AlignBottom);
        chart->addAxis(y, Qt::AlignLeft);
        line->attachAxis(x);
        line->attachAxis(y);
        view.setChart(chart);
        view.resize(kWidth, kHeight);
        view.show();
        load(n);
        x->setRange(QDateTime::fromMSecsSinceEpoch(0), QDateTime::fromMSecsSinceEpoch(qint64(n) * 1000));
    }
    void load(int n)
    {
        const Series &s = series(n);
        QList<QPointF> points(n);
        for (int i = 0; i < n; ++i)
            points[i] = QPointF(i * 1000.0, s.y[size_t(i)]);
        line->replace(points);
    }
    void paint()
    {
        QPainter p(&image);
        view.render(&p);
    }
};

void BM_QtChartsLoadAndFirstDraw(benchmark::State &state)
{
    const int n = int(state.range(0));
    QtChartsView v(n);
    for (auto _ : state) {
        v.load(n);
        v.paint();
    }
}

void BM_QtChartsRepaint(benchmark::State &state)
{
    const int n = int(state.range(0));
    QtChartsView v(n);
    v.paint();
    for (auto _ : state) {
        v.view.scene()->invalidate();
        v.paint();
    }
}
#endif

void sizes(benchmark::internal::Benchmark *b)
{
    b->Arg(128000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime();
}

} // namespace

BENCHMARK(BM_LoadAndFirstDraw)->Apply(sizes);
BENCHMARK(BM_Redraw)->Apply(sizes);
BENCHMARK(BM_MoveCursorLine)->Apply(sizes);
#ifdef QL708_WITH_QTCHARTS
BENCHMARK(BM_QtChartsLoadAndFirstDraw)->Apply(sizes)->Iterations(3);
BENCHMARK(BM_QtChartsRepaint)->Apply(sizes)->Iterations(3);
#endif

int main(int argc, char **argv)
{
    return ql708::bench::runWidgetBenchmarks(argc, argv);
}
