// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/PlaybackTiming.h"
#include "graph/WavNaming.h"

#include <QTest>

#include <cmath>
#include <vector>

using namespace ql708;
using namespace ql708::graph;

namespace {

constexpr TDateTime kStart = 45357.375; // a morning in March 2024

// The times of n points every rate seconds from kStart.
std::vector<double> times(int n, int rate)
{
    std::vector<double> x(static_cast<std::size_t>(n));
    for (int k = 0; k < n; ++k)
        x[std::size_t(k)] = kStart + k * (rate / 86400.0);
    return x;
}

TDateTime at(double seconds) { return kStart + seconds * kSecond; }

// Seconds from the first point, to a microsecond.
double secondsOf(TDateTime t) { return std::round((t - kStart) * 86400.0 * 1e6) / 1e6; }

} // namespace

class TestPlaybackTiming : public QObject {
    Q_OBJECT
private slots:
    void fileOfPoint_data();
    void fileOfPoint();
    void segments_data();
    void segments();
    void startPositions_data();
    void startPositions();
    void linePlacement_data();
    void linePlacement();
};

void TestPlaybackTiming::fileOfPoint_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("point");
    QTest::addColumn<int>("files");
    QTest::addColumn<int>("file");
    QTest::newRow("2 s, point 899") << 2 << 899 << 3 << 0;
    QTest::newRow("2 s, point 900: the second file") << 2 << 900 << 3 << 1;
    QTest::newRow("2 s, point 2700") << 2 << 2700 << 3 << 2;
    QTest::newRow("in a 3 s rest without a file") << 1 << 1803 << 1 << 0;
    QTest::newRow("interval 0") << 0 << 39 << 1 << 0;
}

void TestPlaybackTiming::fileOfPoint()
{
    QFETCH(int, rate);
    QFETCH(int, point);
    QFETCH(int, files);
    QTEST(graph::fileOfPoint(rate, point, files), "file");
}

void TestPlaybackTiming::segments_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("file");
    QTest::addColumn<double>("from"); // seconds after the first point
    QTest::addColumn<double>("to");
    QTest::newRow("2 s, first file") << 2 << 2701 << 0 << 0.0 << 1800.0;
    QTest::newRow("2 s, second file") << 2 << 2701 << 1 << 1800.0 << 3600.0;
    QTest::newRow("2 s, third file ends at the last point") << 2 << 2701 << 2 << 3600.0 << 5400.0;
    QTest::newRow("a 3-minute last file") << 2 << 991 << 1 << 1800.0 << 1980.0;
    // 1800 s is no whole number of 7 s intervals: the file still starts 30 minutes in.
    QTest::newRow("7 s, second file") << 7 << 300 << 1 << 1800.0 << 2093.0;
    QTest::newRow("interval 0: no span") << 0 << 40 << 0 << 0.0 << 0.0;
}

void TestPlaybackTiming::segments()
{
    QFETCH(int, rate);
    QFETCH(int, points);
    QFETCH(int, file);
    const std::vector<double> x = times(points, rate);
    const Segment s = segmentOf(file, {x.data(), nullptr, points});
    QTEST(secondsOf(s.start), "from");
    QTEST(secondsOf(s.end), "to");
}

void TestPlaybackTiming::startPositions_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("line"); // the playback line's point
    QTest::addColumn<qint64>("length");
    QTest::addColumn<qint64>("position");
    QTest::newRow("point 900 opens the second file at its start") << 2 << 2701 << 900 << qint64(1800000) << qint64(0);
    QTest::newRow("half way into the second file") << 2 << 2701 << 1350 << qint64(1800000) << qint64(900000);
    QTest::newRow("half way into the first file") << 2 << 2701 << 450 << qint64(1800000) << qint64(900000);
    QTest::newRow("half way into a 3-minute file") << 2 << 991 << 945 << qint64(180000) << qint64(90000);
    QTest::newRow("truncated to whole ms") << 1 << 1801 << 600 << qint64(1000) << qint64(333);
    QTest::newRow("in a rest beyond the last file") << 1 << 1804 << 1803 << qint64(1800000) << qint64(1800000);
    QTest::newRow("interval 0") << 0 << 40 << 20 << qint64(5000) << qint64(0);
}

void TestPlaybackTiming::startPositions()
{
    QFETCH(int, rate);
    QFETCH(int, points);
    QFETCH(int, line);
    QFETCH(qint64, length);
    const std::vector<double> x = times(points, rate);
    const Series s{x.data(), nullptr, points};
    const Segment segment = segmentOf(graph::fileOfPoint(rate, line, wavFileCount(rate, points)), s);
    QTEST(startPosition(segment, x[std::size_t(line)], length), "position");
}

void TestPlaybackTiming::linePlacement_data()
{
    QTest::addColumn<double>("from"); // the segment, seconds after the first point
    QTest::addColumn<double>("to");
    QTest::addColumn<qint64>("position");
    QTest::addColumn<qint64>("length");
    QTest::addColumn<double>("last");
    QTest::addColumn<double>("shown"); // where the line's text says it is
    QTest::addColumn<double>("line");  // where it is drawn
    QTest::newRow("full file, start: 2 s ahead") << 0.0 << 1800.0 << qint64(0) << qint64(1800000) << 5400.0 << 2.0 << 2.0;
    QTest::newRow("full file, half way") << 0.0 << 1800.0 << qint64(900000) << qint64(1800000) << 5400.0 << 902.0 << 902.0;
    QTest::newRow("longer than 30 minutes leads by 2 s") << 0.0 << 1800.0 << qint64(0) << qint64(2000000) << 5400.0 << 2.0 << 2.0;
    QTest::newRow("3-minute last file: 0.2 s ahead, drawn 0.9 s on")
        << 1800.0 << 1980.0 << qint64(90000) << qint64(180000) << 1980.0 << 1890.2 << 1891.1;
    QTest::newRow("a 5-minute file is not short") << 0.0 << 300.0 << qint64(150000) << qint64(300000) << 300.0
                                                  << 150.0 + 1.0 / 3.0 << 150.0 + 1.0 / 3.0;
    QTest::newRow("at the end, held at the last point")
        << 3600.0 << 5400.0 << qint64(1800000) << qint64(1800000) << 5400.0 << 5400.0 << 5400.0;
    QTest::newRow("no length yet") << 0.0 << 1800.0 << qint64(0) << qint64(0) << 5400.0 << 0.0 << 1.0;
}

void TestPlaybackTiming::linePlacement()
{
    QFETCH(double, from);
    QFETCH(double, to);
    QFETCH(qint64, position);
    QFETCH(qint64, length);
    QFETCH(double, last);
    QFETCH(double, shown);
    QFETCH(double, line);
    const LinePlacement p = placeLine({at(from), at(to)}, position, length, at(last));
    QCOMPARE(std::round(secondsOf(p.shown) * 1000.0) / 1000.0, std::round(shown * 1000.0) / 1000.0);
    QCOMPARE(std::round(secondsOf(p.line) * 1000.0) / 1000.0, std::round(line * 1000.0) / 1000.0);
}

QTEST_GUILESS_MAIN(TestPlaybackTiming)
#include "tst_PlaybackTiming.moc"
