// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/LevelStatistics.h"

#include <QTest>
#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

using namespace ql708;

using Levels = std::vector<float>;
Q_DECLARE_METATYPE(Levels)

namespace {
constexpr float G = kGapLevel;
constexpr float O = kOutOfRangeLevel;
const float kNaN = std::numeric_limits<float>::quiet_NaN();

// The energy mean written out plainly, for comparison.
double plainLeq(const Levels &v)
{
    double sum = 0;
    int n = 0;
    for (float l : v)
        if (isMeasuredLevel(l))
            sum += std::pow(10.0, l / 10.0), ++n;
    return 10 * std::log10(sum / n);
}

// Lx by sorting, for comparison.
float sortedExceeded(Levels v, int percent)
{
    std::erase_if(v, [](float l) { return !isMeasuredLevel(l); });
    std::sort(v.begin(), v.end());
    return v[size_t(exceededPosition(percent, int(v.size())))];
}

Levels randomLevels(unsigned seed, int n, float lo, float hi, int decimals)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<float> d(lo, hi);
    Levels v(static_cast<size_t>(n));
    const float step = std::pow(10.0f, float(-decimals));
    for (float &l : v)
        l = decimals >= 0 ? std::round(d(gen) / step) * step : d(gen);
    return v;
}
} // namespace

class TestLevelStatistics : public QObject {
    Q_OBJECT
private slots:
    void summary_data();
    void summary();
    void energyMean_data();
    void energyMean();
    void energyMeanMatchesThePlainSum();
    void exposure_data();
    void exposure();
    void exceededPositions_data();
    void exceededPositions();
    void exceeded_data();
    void exceeded();
    void exceededMatchesSorting_data();
    void exceededMatchesSorting();
    void runningLeq();
};

void TestLevelStatistics::summary_data()
{
    QTest::addColumn<Levels>("levels");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("maxIndex");
    QTest::addColumn<int>("minIndex");
    QTest::addColumn<double>("mean");
    QTest::addColumn<int>("outOfRange");
    QTest::newRow("first of equal extremes") << Levels{50, 70, 40, 70, 40} << 5 << 1 << 2 << 54.0 << 0;
    QTest::newRow("gaps and NaN left out") << Levels{G, 60, kNaN, 80, G} << 2 << 3 << 1 << 70.0 << 0;
    QTest::newRow("out of range left out and counted") << Levels{O, 60, O, 80, O} << 2 << 3 << 1 << 70.0 << 3;
    QTest::newRow("only out of range") << Levels{O, G, O} << 0 << -1 << -1 << 0.0 << 2;
    QTest::newRow("one level") << Levels{65.5f} << 1 << 0 << 0 << 65.5 << 0;
    QTest::newRow("only gaps") << Levels{G, G} << 0 << -1 << -1 << 0.0 << 0;
    QTest::newRow("empty") << Levels{} << 0 << -1 << -1 << 0.0 << 0;
}

void TestLevelStatistics::summary()
{
    QFETCH(Levels, levels);
    QFETCH(int, count);
    QFETCH(int, maxIndex);
    QFETCH(int, minIndex);
    QFETCH(double, mean);
    QFETCH(int, outOfRange);
    const LevelSummary s = summarizeLevels(levels);
    QCOMPARE(s.count, count);
    QCOMPARE(s.outOfRange, outOfRange);
    QCOMPARE(s.maxIndex, maxIndex);
    QCOMPARE(s.minIndex, minIndex);
    QCOMPARE(s.mean, mean);
    if (count > 0) {
        QCOMPARE(s.max, levels[size_t(maxIndex)]);
        QCOMPARE(s.min, levels[size_t(minIndex)]);
    }
}

void TestLevelStatistics::energyMean_data()
{
    QTest::addColumn<Levels>("levels");
    QTest::addColumn<double>("leq"); // NaN: none
    const double none = std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("60 and 80") << Levels{60, 80} << 77.0329;
    QTest::newRow("equal levels") << Levels{94, 94, 94} << 94.0;
    QTest::newRow("one level") << Levels{42.5f} << 42.5;
    QTest::newRow("gap between") << Levels{60, G, 80} << 77.0329;
    QTest::newRow("far apart, no overflow") << Levels{1000, 0.1f} << 996.9897;
    QTest::newRow("out of range between") << Levels{O, 60, O, 80} << 77.0329;
    QTest::newRow("out of range beside a faint level") << Levels{O, 1, O} << 1.0;
    QTest::newRow("only gaps") << Levels{G} << none;
    QTest::newRow("only out of range") << Levels{O, O} << none;
    QTest::newRow("empty") << Levels{} << none;
}

void TestLevelStatistics::energyMean()
{
    QFETCH(Levels, levels);
    QFETCH(double, leq);
    const std::optional<double> got = equivalentLevel(levels);
    QCOMPARE(got.has_value(), !std::isnan(leq));
    if (got)
        QVERIFY2(std::abs(*got - leq) < 1e-4, qPrintable(QString::number(*got, 'f', 6)));
}

void TestLevelStatistics::energyMeanMatchesThePlainSum()
{
    // Levels of a day at one tenth of a dB and unrounded ones over a wide span.
    for (const Levels &v : {randomLevels(1, 5000, 30, 130, 1), randomLevels(2, 5000, -20, 190, -1)})
        QVERIFY(std::abs(*equivalentLevel(v) - plainLeq(v)) < 1e-6);
}

void TestLevelStatistics::exposure_data()
{
    QTest::addColumn<double>("leq");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<double>("sel"); // NaN: none
    QTest::newRow("94 dB for 10 s") << 94.0 << 10.0 << 104.0;
    QTest::newRow("one second") << 80.0 << 1.0 << 80.0;
    QTest::newRow("no duration") << 80.0 << 0.0 << std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("negative duration") << 80.0 << -5.0 << std::numeric_limits<double>::quiet_NaN();
}

void TestLevelStatistics::exposure()
{
    QFETCH(double, leq);
    QFETCH(double, seconds);
    QFETCH(double, sel);
    const std::optional<double> got = soundExposureLevel(leq, seconds);
    QCOMPARE(got.has_value(), !std::isnan(sel));
    if (got)
        QCOMPARE(*got, sel);
}

void TestLevelStatistics::exceededPositions_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("position");
    QTest::newRow("L10 of 10: the second highest") << 10 << 10 << 8;
    QTest::newRow("L50 of 10") << 50 << 10 << 4;
    QTest::newRow("L90 of 10: the lowest") << 90 << 10 << 0;
    QTest::newRow("L10 of 3: the highest") << 10 << 3 << 2;
    QTest::newRow("L50 of 3: the middle") << 50 << 3 << 1;
    QTest::newRow("one level") << 90 << 1 << 0;
    QTest::newRow("L10 of 11") << 10 << 11 << 9;
    QTest::newRow("L90 of 11: rank 1.1 rounds up to 2") << 90 << 11 << 1;
    QTest::newRow("ten million") << 10 << 10'000'000 << 8'999'999;
}

void TestLevelStatistics::exceededPositions()
{
    QFETCH(int, percent);
    QFETCH(int, count);
    QFETCH(int, position);
    QCOMPARE(exceededPosition(percent, count), position);
}

void TestLevelStatistics::exceeded_data()
{
    QTest::addColumn<Levels>("levels");
    QTest::addColumn<bool>("found");
    QTest::addColumn<float>("l10");
    QTest::addColumn<float>("l50");
    QTest::addColumn<float>("l90");
    QTest::newRow("ten levels") << Levels{5, 1, 9, 3, 7, 2, 10, 4, 8, 6} << true << 9.f << 5.f << 1.f;
    QTest::newRow("equal levels") << Levels{70, 70, 70} << true << 70.f << 70.f << 70.f;
    QTest::newRow("one level") << Levels{63.2f} << true << 63.2f << 63.2f << 63.2f;
    QTest::newRow("gaps left out") << Levels{G, 50, G, 60, 70, kNaN} << true << 70.f << 60.f << 50.f;
    QTest::newRow("out of range left out") << Levels{O, 50, 60, O, 70, O} << true << 70.f << 60.f << 50.f;
    QTest::newRow("only gaps") << Levels{G, G} << false << 0.f << 0.f << 0.f;
    QTest::newRow("only out of range") << Levels{O, G, O} << false << 0.f << 0.f << 0.f;
}

void TestLevelStatistics::exceeded()
{
    QFETCH(Levels, levels);
    QFETCH(bool, found);
    QFETCH(float, l10);
    QFETCH(float, l50);
    QFETCH(float, l90);
    const std::optional<ExceededLevels> got = exceededLevels(levels);
    QCOMPARE(got.has_value(), found);
    if (!got)
        return;
    QCOMPARE(got->l10, l10);
    QCOMPARE(got->l50, l50);
    QCOMPARE(got->l90, l90);
}

void TestLevelStatistics::exceededMatchesSorting_data()
{
    QTest::addColumn<Levels>("levels");
    QTest::newRow("tenths of a dB") << randomLevels(3, 20000, 35, 95, 1);
    QTest::newRow("unrounded") << randomLevels(4, 20001, 35, 95, -1);
    QTest::newRow("two levels only") << randomLevels(5, 999, 60, 61, 0);
    Levels outlier = randomLevels(6, 5000, 40, 80, 1);
    outlier[17] = 3.0e38f; // one absurd level squeezes the rest into one bucket
    outlier[40] = -3.0e38f;
    QTest::newRow("absurd extremes") << outlier;
    Levels gappy = randomLevels(7, 3000, 40, 80, 1);
    for (size_t i = 0; i < gappy.size(); i += 3)
        gappy[i] = G;
    QTest::newRow("every third a gap") << gappy;
}

void TestLevelStatistics::exceededMatchesSorting()
{
    QFETCH(Levels, levels);
    const ExceededLevels got = *exceededLevels(levels);
    QCOMPARE(got.l10, sortedExceeded(levels, 10));
    QCOMPARE(got.l50, sortedExceeded(levels, 50));
    QCOMPARE(got.l90, sortedExceeded(levels, 90));
}

void TestLevelStatistics::runningLeq()
{
    QCOMPARE(runningLeqStep(0.0f, 60.0f, 1), 60.0f);
    const float second = runningLeqStep(60.0f, 70.0f, 2);
    QVERIFY(std::abs(second - 67.4036f) < 1e-3f); // 10 lg((10^6 + 10^7) / 2)
    const float third = runningLeqStep(runningLeqStep(60.0f, 80.0f, 2), 80.0f, 3);
    QVERIFY(std::abs(third - 78.2607f) < 1e-3f); // 10 lg((10^6 + 2 x 10^8) / 3)
    // Arithmetic that fails keeps the previous value.
    QCOMPARE(runningLeqStep(55.0f, std::numeric_limits<float>::quiet_NaN(), 2), 55.0f);
}

QTEST_APPLESS_MAIN(TestLevelStatistics)
#include "tst_LevelStatistics.moc"
