// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/GraphStatistics.h"
#include "graph/SeriesAnalysis.h"

#include <QTest>
#include <cmath>
#include <vector>

using namespace ql708;
using namespace ql708::graph;

using Levels = std::vector<float>;
using Times = std::vector<double>;
Q_DECLARE_METATYPE(Levels)
Q_DECLARE_METATYPE(Times)

namespace {
constexpr float G = kGapLevel;
constexpr double kStart = 45000.5;

// Times step seconds apart from kStart.
Times evenTimes(size_t n, double step = 1.0)
{
    Times x(n);
    for (size_t i = 0; i < n; ++i)
        x[i] = kStart + double(i) * step * kSecond;
    return x;
}

Series seriesOf(const Times &x, const Levels &y) { return {x.data(), y.data(), int(y.size())}; }

// The figures between the cursors as a window takes them: from the series' index.
CursorFigures figuresOf(const Times &x, const Levels &y, int a, int b, double interval = 0.0)
{
    SeriesAnalysis analysis;
    analysis.setTraits({interval});
    return cursorFigures(analysis.index(seriesOf(x, y)), a, b);
}
} // namespace

class TestGraphStatistics : public QObject {
    Q_OBJECT
private slots:
    void wholeSeries_data();
    void wholeSeries();
    void betweenCursors_data();
    void betweenCursors();
    void cursorsInEitherOrderGiveTheSameFigures();
    void readingInterval_data();
    void readingInterval();
    void indexFollowsTheSeries();
    void nearestPointByHalving_data();
    void nearestPointByHalving();
    void startingPoints_data();
    void startingPoints();
    void calLeqSeries_data();
    void calLeqSeries();
};

void TestGraphStatistics::wholeSeries_data()
{
    QTest::addColumn<Times>("x");
    QTest::addColumn<Levels>("y");
    QTest::addColumn<double>("rate");
    QTest::addColumn<int>("maxIndex");
    QTest::addColumn<int>("minIndex");
    QTest::addColumn<double>("mean");
    QTest::newRow("1000 points 0.5 s apart") << evenTimes(1000, 0.5) << Levels(1000, 60.f) << 0.4995 << 0 << 0 << 60.0;
    QTest::newRow("10 points 1 s apart") << evenTimes(10) << Levels{50, 60, 70, 60, 70, 40, 55, 40, 65, 50} << 0.9
                                         << 2 << 5 << 56.0;
    QTest::newRow("a gap is no level") << evenTimes(4) << Levels{60, G, 80, 70} << 0.75 << 2 << 0 << 70.0;
    QTest::newRow("all times equal") << Times(3, kStart) << Levels{61, 62, 63} << 0.0 << 2 << 0 << 62.0;
}

void TestGraphStatistics::wholeSeries()
{
    QFETCH(Times, x);
    QFETCH(Levels, y);
    QFETCH(double, rate);
    QFETCH(int, maxIndex);
    QFETCH(int, minIndex);
    QFETCH(double, mean);
    const SeriesFigures f = seriesFigures(seriesOf(x, y));
    QCOMPARE(f.first, x.front());
    QCOMPARE(f.last, x.back());
    QVERIFY2(std::abs(f.rate - rate) < 1e-6, qPrintable(QString::number(f.rate)));
    QCOMPARE(f.levels.maxIndex, maxIndex);
    QCOMPARE(f.levels.minIndex, minIndex);
    QCOMPARE(f.levels.mean, mean);
}

void TestGraphStatistics::betweenCursors_data()
{
    QTest::addColumn<Levels>("y");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::addColumn<int>("maxIndex");
    QTest::addColumn<int>("minIndex");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<double>("leq"); // NaN: none
    QTest::addColumn<double>("sel"); // NaN: none
    QTest::addColumn<float>("l50");
    QTest::addColumn<double>("step"); // seconds between the points
    const double none = std::nan("");
    // SEL sums the energy over the time the levels stand for: n readings of the series' interval.
    QTest::newRow("60 and 80") << Levels{60, 80} << 0 << 1 << 1 << 0 << 1.0 << 77.03 << 80.04 << 60.f << 1.0;
    QTest::newRow("two of 94 dB 10 s apart") << Levels{94, 94} << 0 << 1 << 0 << 0 << 10.0 << 94.0 << 107.01 << 94.f
                                             << 10.0;
    QTest::newRow("equal levels, 10 s") << Levels(11, 94.f) << 0 << 10 << 0 << 0 << 10.0 << 94.0 << 104.41 << 94.f
                                        << 1.0;
    QTest::newRow("one point stands for its interval") << Levels{50, 72, 50} << 1 << 1 << 1 << 1 << 0.0 << 72.0
                                                       << 78.99 << 72.f << 5.0;
    QTest::newRow("gap between the cursors") << Levels{90, 60, G, 80, 90} << 1 << 3 << 3 << 1 << 2.0 << 77.03
                                             << 80.04 << 60.f << 1.0;
    QTest::newRow("cursors on gaps only") << Levels{60, G, G, 70} << 1 << 2 << -1 << -1 << 1.0 << none << none << 0.f
                                          << 1.0;
    QTest::newRow("cursors beyond the series") << Levels{60, 70, 80} << -4 << 99 << 2 << 0 << 2.0 << 75.68 << 80.45
                                               << 70.f << 1.0;
    QTest::newRow("all at one time: no duration") << Levels{70, 70} << 0 << 1 << 0 << 0 << 0.0 << 70.0 << none
                                                  << 70.f << 0.0;
}

void TestGraphStatistics::betweenCursors()
{
    QFETCH(Levels, y);
    QFETCH(int, a);
    QFETCH(int, b);
    QFETCH(int, maxIndex);
    QFETCH(int, minIndex);
    QFETCH(double, seconds);
    QFETCH(double, leq);
    QFETCH(double, sel);
    QFETCH(float, l50);
    QFETCH(double, step);
    const Times x = evenTimes(y.size(), step);
    const CursorFigures f = figuresOf(x, y, a, b);
    QCOMPARE(f.levels.maxIndex, maxIndex);
    QCOMPARE(f.levels.minIndex, minIndex);
    QVERIFY(std::abs(f.seconds - seconds) < 1e-6);
    QCOMPARE(f.leq.has_value(), !std::isnan(leq));
    if (f.leq)
        QVERIFY2(std::abs(*f.leq - leq) < 0.01, qPrintable(QString::number(*f.leq)));
    QCOMPARE(f.sel.has_value(), !std::isnan(sel));
    if (f.sel)
        QVERIFY2(std::abs(*f.sel - sel) < 0.01, qPrintable(QString::number(*f.sel)));
    QCOMPARE(f.exceeded.has_value(), f.leq.has_value());
    if (f.exceeded)
        QCOMPARE(f.exceeded->l50, l50);
}

void TestGraphStatistics::cursorsInEitherOrderGiveTheSameFigures()
{
    const Levels y{55, 71, 62, 71, 48, 66, 48, 59};
    const Times x = evenTimes(y.size());
    const CursorFigures ab = figuresOf(x, y, 1, 6);
    const CursorFigures ba = figuresOf(x, y, 6, 1);
    QCOMPARE(ba.a, 6);
    QCOMPARE(ba.b, 1);
    QCOMPARE(ba.lo, ab.lo);
    QCOMPARE(ba.hi, ab.hi);
    QCOMPARE(ba.levels.maxIndex, 1); // the first of the equal highest levels
    QCOMPARE(ba.levels.minIndex, 4);
    QCOMPARE(ba.levels.mean, ab.levels.mean);
    QCOMPARE(*ba.leq, *ab.leq);
    QCOMPARE(ba.exceeded->l10, ab.exceeded->l10);
}

void TestGraphStatistics::readingInterval_data()
{
    QTest::addColumn<Times>("x");
    QTest::addColumn<double>("known");
    QTest::addColumn<double>("interval");
    Times uneven = evenTimes(6, 2.0);
    uneven[5] += 3600 * kSecond; // a pause in the recording
    uneven[3] += 0.5 * kSecond;
    QTest::newRow("known interval wins") << evenTimes(5, 2.0) << 10.0 << 10.0;
    QTest::newRow("median spacing") << uneven << 0.0 << 2.0;
    QTest::newRow("half seconds, to the millisecond") << evenTimes(1000, 0.5) << 0.0 << 0.5;
    QTest::newRow("a known 0 is not known") << evenTimes(3, 1.0) << 0.0 << 1.0;
    QTest::newRow("one point") << evenTimes(1) << 0.0 << 0.0;
    QTest::newRow("all at one time") << Times(4, kStart) << 0.0 << 0.0;
    QTest::newRow("times falling") << Times{kStart, kStart - kSecond, kStart - 2 * kSecond} << 0.0 << 0.0;
    QTest::newRow("not a number known") << evenTimes(3, 1.0) << std::nan("") << 1.0;
}

void TestGraphStatistics::readingInterval()
{
    QFETCH(Times, x);
    QFETCH(double, known);
    QFETCH(double, interval);
    QCOMPARE(analysis::readingInterval(x, known), interval);
}

// The index is built again once the series is said to have changed, not before.
void TestGraphStatistics::indexFollowsTheSeries()
{
    Levels y{60, 60, 60};
    const Times x = evenTimes(y.size());
    SeriesAnalysis analysis;
    QCOMPARE(*analysis.index(seriesOf(x, y)).whole().leq, 60.0);
    y[1] = 80; // written in place, as a real-time run does
    analysis.invalidate();
    QVERIFY(std::abs(*analysis.index(seriesOf(x, y)).whole().leq - 75.31) < 0.01);
    analysis.setTraits({.knownInterval = 2.0, .aWeighted = false});
    const analysis::SpanFigures f = analysis.index(seriesOf(x, y)).whole();
    QCOMPARE(f.exposure.seconds, 6.0);
    QVERIFY(!f.exposure.aWeighted);
}

void TestGraphStatistics::nearestPointByHalving_data()
{
    QTest::addColumn<Times>("x");
    QTest::addColumn<double>("at"); // seconds after kStart
    QTest::addColumn<int>("point");
    QTest::newRow("midway takes the later point") << evenTimes(10) << 4.5 << 5;
    QTest::newRow("nearer the earlier") << evenTimes(10) << 4.49 << 4;
    QTest::newRow("on a point") << evenTimes(10) << 7.0 << 7;
    QTest::newRow("before the first") << evenTimes(10) << -30.0 << 0;
    QTest::newRow("after the last") << evenTimes(10) << 300.0 << 9;
    QTest::newRow("one point") << evenTimes(1) << 5.0 << 0;
    QTest::newRow("long series") << evenTimes(1'000'000, 0.5) << 123456.26 << 246913;
    QTest::newRow("empty") << Times{} << 1.0 << -1;
}

void TestGraphStatistics::nearestPointByHalving()
{
    QFETCH(Times, x);
    QFETCH(double, at);
    QFETCH(int, point);
    QCOMPARE(nearestPoint(x.data(), int(x.size()), kStart + at * kSecond), point);
}

void TestGraphStatistics::startingPoints_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("a");
    QTest::addColumn<int>("b");
    QTest::newRow("10 points") << 10 << 3 << 6;
    QTest::newRow("2 points") << 2 << 0 << 1;
    QTest::newRow("none") << 0 << 0 << 0;
    QTest::newRow("ten million") << 10'000'000 << 3'333'333 << 6'666'666;
}

void TestGraphStatistics::startingPoints()
{
    QFETCH(int, n);
    QFETCH(int, a);
    QFETCH(int, b);
    const CursorPoints p = startingCursorPoints(n);
    QCOMPARE(p.a, a);
    QCOMPARE(p.b, b);
    QCOMPARE(p.playback, 0);
}

void TestGraphStatistics::calLeqSeries_data()
{
    QTest::addColumn<Levels>("y");
    QTest::addColumn<Levels>("leq");
    QTest::newRow("60, 70") << Levels{60, 70} << Levels{60.f, 67.4036f};
    QTest::newRow("60, 250, 70 stops at 250") << Levels{60, 250, 70} << Levels{60.f};
    QTest::newRow("a gap stops it") << Levels{70, 70, G, 70} << Levels{70.f, 70.f};
    QTest::newRow("first above 200") << Levels{201} << Levels{};
    QTest::newRow("200 itself is kept") << Levels{200} << Levels{200.f};
}

void TestGraphStatistics::calLeqSeries()
{
    QFETCH(Levels, y);
    QFETCH(Levels, leq);
    const Levels got = runningLeqSeries(y.data(), int(y.size()));
    QCOMPARE(got.size(), leq.size());
    for (size_t i = 0; i < got.size(); ++i)
        QVERIFY2(std::abs(got[i] - leq[i]) < 1e-3f, qPrintable(QString::number(got[i])));
}

QTEST_APPLESS_MAIN(TestGraphStatistics)
#include "tst_GraphStatistics.moc"
