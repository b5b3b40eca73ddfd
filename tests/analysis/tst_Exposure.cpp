// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/SpanIndex.h"

#include <QTest>
#include <cmath>
#include <limits>
#include <vector>

using namespace ql708;
using namespace ql708::analysis;

namespace {

// A level held for the given seconds, one reading every interval.
void hold(std::vector<float> &levels, float level, double seconds, double interval)
{
    levels.insert(levels.end(), size_t(std::llround(seconds / interval)), level);
}

constexpr double kHour = 3600.0;

} // namespace

class TestExposure : public QObject {
    Q_OBJECT
private slots:
    void knownAnswers_data();
    void knownAnswers();
    void gapsAndOutOfRangeAreLeftOutOfTheTime();
    void soundExposureLevelSumsTheEnergyOfEveryInterval();
    void weightingIsCarried();
    void noTimeNoExposure_data();
    void noTimeNoExposure();
};

void TestExposure::knownAnswers_data()
{
    QTest::addColumn<std::vector<float>>("levels");
    QTest::addColumn<double>("interval");
    QTest::addColumn<double>("lex");
    QTest::addColumn<QString>("reached"); // lower, upper, limit value: 1 reached, 0 not
    QTest::addColumn<double>("osha");
    QTest::addColumn<double>("oshaTwa");
    QTest::addColumn<double>("oshaProjected");
    QTest::addColumn<double>("niosh");
    QTest::addColumn<double>("nioshTwa");
    QTest::addColumn<double>("atOrAboveLimit"); // seconds, limit 85

    std::vector<float> v;
    hold(v, 85.0f, 8 * kHour, 1.0);
    QTest::newRow("8 h at 85") << v << 1.0 << 85.0 << "110" << 50.0 << 85.0 << 50.0 << 100.0 << 85.0 << 8 * kHour;

    // NIOSH: T(90) = 8 h / 2^(5/3) = 2.52 h, 4 h / 2.52 h = 158.7 %. LEX = 90 + 10 lg 0.5 = 86.99,
    // shown 87.0: the limit value counts as reached.
    v.clear();
    hold(v, 90.0f, 4 * kHour, 2.0);
    QTest::newRow("4 h at 90") << v << 2.0 << 86.99 << "111" << 50.0 << 85.0 << 100.0 << 158.74 << 87.01 << 4 * kHour;

    // Leq = 10 lg((2·10^9.5 + 6·10^7.5) / 8) = 89.11 over 8 h. OSHA: 75 is below 80, 95 allows 4 h:
    // 2/4 = 50 %. NIOSH: 95 allows 8/2^(10/3) = 0.794 h: 2/0.794 = 252.0 %; 75 adds nothing (it
    // would add 7.4 % without the 80 dB threshold). TWA 10 lg 2.52 + 85 = 89.01.
    v.clear();
    hold(v, 95.0f, 2 * kHour, 1.0);
    hold(v, 75.0f, 6 * kHour, 1.0);
    QTest::newRow("2 h at 95, 6 h at 75") << v << 1.0 << 89.11 << "111" << 50.0 << 85.0 << 50.0 << 251.98 << 89.01 << 2 * kHour;

    // The threshold itself counts: T(80) is 32 h for OSHA (25 %), 8·2^(5/3) = 25.4 h for NIOSH (31.5 %).
    v.clear();
    hold(v, 80.0f, 8 * kHour, 1.0);
    QTest::newRow("8 h at 80") << v << 1.0 << 80.0 << "100" << 25.0 << 80.0 << 25.0 << 31.50 << 79.98 << 0.0;

    // 1 h at 84.9 then 1 h at 85.0: only the second hour is at or above 85.
    v.clear();
    hold(v, 84.9f, kHour, 1.0);
    hold(v, 85.0f, kHour, 1.0);
    QTest::newRow("just below the limit") << v << 1.0 << 78.93 << "000" << 12.41 << 74.95 << 49.66 << 24.71 << 78.93 << kHour;
}

void TestExposure::knownAnswers()
{
    QFETCH(std::vector<float>, levels);
    QFETCH(double, interval);
    QFETCH(double, lex);
    QFETCH(QString, reached);
    QFETCH(double, osha);
    QFETCH(double, oshaTwa);
    QFETCH(double, oshaProjected);
    QFETCH(double, niosh);
    QFETCH(double, nioshTwa);
    QFETCH(double, atOrAboveLimit);

    const SpanIndex index({{}, levels, interval, true});
    const Exposure e = index.whole().exposure;
    QVERIFY(e.lex8h && e.osha && e.niosh);
    QCOMPARE(std::round(*e.lex8h * 100) / 100, lex);
    QCOMPARE(QString("%1%2%3").arg(int(e.lowerActionReached)).arg(int(e.upperActionReached)).arg(int(e.limitValueReached)), reached);
    QCOMPARE(std::round(e.osha->percent * 100) / 100, osha);
    QCOMPARE(std::round(*e.osha->twa * 100) / 100, oshaTwa);
    QCOMPARE(std::round(e.osha->projected8h * 100) / 100, oshaProjected);
    QCOMPARE(std::round(e.niosh->percent * 100) / 100, niosh);
    QCOMPARE(std::round(*e.niosh->twa * 100) / 100, nioshTwa);
    QCOMPARE(e.secondsAtOrAboveLimit, atOrAboveLimit);
    QCOMPARE(e.seconds, double(levels.size()) * interval);
}

void TestExposure::gapsAndOutOfRangeAreLeftOutOfTheTime()
{
    std::vector<float> v;
    hold(v, 85.0f, 4 * kHour, 1.0);
    v.insert(v.end(), 500, kGapLevel);
    v.insert(v.end(), 300, 0.0f);
    v.push_back(std::numeric_limits<float>::quiet_NaN());
    hold(v, 85.0f, 4 * kHour, 1.0);
    const SpanFigures f = SpanIndex({{}, v, 1.0, true}).whole();
    QCOMPARE(f.gaps, 501);
    QCOMPARE(f.outOfRange, 300);
    QCOMPARE(f.levels.count, 28800);
    QCOMPARE(f.exposure.seconds, 8 * kHour);
    QCOMPARE(*f.exposure.lex8h, 85.0);
    QCOMPARE(f.exposure.niosh->percent, 100.0);
    QCOMPARE(f.levels.min, 85.0f);
}

void TestExposure::soundExposureLevelSumsTheEnergyOfEveryInterval()
{
    // Two readings 10 s apart stand for 20 s: 94 + 10 lg 20 = 107.0.
    const std::vector<float> v = {94.0f, 94.0f};
    const SpanFigures f = SpanIndex({{}, v, 10.0, true}).whole();
    QCOMPARE(std::round(*f.sel * 10) / 10, 107.0);
}

void TestExposure::weightingIsCarried()
{
    const std::vector<float> v(100, 90.0f);
    QVERIFY(SpanIndex({{}, v, 1.0, true}).whole().exposure.aWeighted);
    const SpanFigures c = SpanIndex({{}, v, 1.0, false}).whole();
    QVERIFY(!c.exposure.aWeighted);
    QVERIFY(c.exposure.lex8h); // still given, marked as not A-weighted
}

void TestExposure::noTimeNoExposure_data()
{
    QTest::addColumn<std::vector<float>>("levels");
    QTest::addColumn<double>("interval");
    const std::vector<float> some(10, 90.0f);
    QTest::newRow("interval 0") << some << 0.0;
    QTest::newRow("negative interval") << some << -1.0;
    QTest::newRow("interval NaN") << some << std::numeric_limits<double>::quiet_NaN();
    QTest::newRow("interval infinite") << some << std::numeric_limits<double>::infinity();
    QTest::newRow("only gaps and out of range") << std::vector<float>{kGapLevel, 0.0f, kGapLevel} << 1.0;
}

void TestExposure::noTimeNoExposure()
{
    QFETCH(std::vector<float>, levels);
    QFETCH(double, interval);
    const SpanFigures f = SpanIndex({{}, levels, interval, true}).whole();
    QVERIFY(!f.exposure.lex8h);
    QVERIFY(!f.exposure.osha && !f.exposure.niosh);
    QVERIFY(!f.sel);
    QCOMPARE(f.exposure.seconds, 0.0);
    QCOMPARE(f.exposure.secondsAtOrAboveLimit, 0.0);
    QVERIFY(!f.exposure.lowerActionReached);
}

QTEST_GUILESS_MAIN(TestExposure)
#include "tst_Exposure.moc"
