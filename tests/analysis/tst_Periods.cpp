// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/Periods.h"

#include <QDate>
#include <QTest>
#include <cmath>
#include <limits>
#include <vector>

using namespace ql708;
using namespace ql708::analysis;

namespace {

TDateTime dayOf(int y, int m, int d) { return double(QDate(1899, 12, 30).daysTo(QDate(y, m, d))); }

// One reading a minute from start for the given minutes, the level chosen by the wall-clock hour.
struct Minutes {
    std::vector<TDateTime> times;
    std::vector<float> levels;
    Minutes(TDateTime start, int minutes, float (*levelAt)(int hour))
    {
        for (int i = 0; i < minutes; ++i) {
            const TDateTime t = start + i * 60 * kSecond;
            times.push_back(t);
            const double dayFraction = t - std::floor(t);
            levels.push_back(levelAt(int(std::floor(dayFraction * 24 + 1e-9))));
        }
    }
    LevelSeries series() const { return {times, levels, 60.0, true}; }
};

float dayEveningNight(int hour) { return hour >= 7 && hour < 19 ? 60.0f : hour >= 19 && hour < 23 ? 55.0f : 50.0f; }
float byHour(int hour) { return 40.0f + hour; }

double rounded(double v, int decimals) { return std::round(v * std::pow(10, decimals)) / std::pow(10, decimals); }

} // namespace

class TestPeriods : public QObject {
    Q_OBJECT
private slots:
    void lden_data();
    void lden();
    void aFullDayWithItsNightAcrossMidnight();
    void hoursOfPartlyCoveredDays();
    void partialCoverageAndMissingPeriods();
    void otherBounds();
    void unusableTimesOrBounds_data();
    void unusableTimesOrBounds();
    void periodOfAnHour_data();
    void periodOfAnHour();
};

void TestPeriods::lden_data()
{
    using O = std::optional<double>;
    QTest::addColumn<O>("day");
    QTest::addColumn<O>("evening");
    QTest::addColumn<O>("night");
    QTest::addColumn<int>("dayStart");
    QTest::addColumn<int>("eveningStart");
    QTest::addColumn<int>("nightStart");
    QTest::addColumn<O>("expected");
    QTest::newRow("all 60") << O(60) << O(60) << O(60) << 7 << 19 << 23 << O(66.4);
    // 10 lg((12·10^7 + 4·10^7 + 8·10^6.5) / 24) = 68.88
    QTest::newRow("70, 65, 55") << O(70) << O(65) << O(55) << 7 << 19 << 23 << O(68.88);
    // Day 06-22 and no evening: 10 lg((16·10^6 + 8·10^7) / 24) = 66.02
    QTest::newRow("no evening") << O(60) << O() << O(60) << 6 << 22 << 22 << O(66.02);
    // Evening 19-21: 10 lg((12·10^6 + 2·10^6.5 + 10·10^7) / 24) = 66.93
    QTest::newRow("two-hour evening") << O(60) << O(60) << O(60) << 7 << 19 << 21 << O(66.93);
    QTest::newRow("no night level") << O(60) << O(60) << O() << 7 << 19 << 23 << O();
    QTest::newRow("no evening level") << O(60) << O() << O(60) << 7 << 19 << 23 << O();
    QTest::newRow("bounds out of order") << O(60) << O(60) << O(60) << 19 << 7 << 23 << O();
    QTest::newRow("loud enough to overflow a plain sum") << O(3000) << O(3000) << O(3000) << 7 << 19 << 23 << O(3006.4);
}

void TestPeriods::lden()
{
    using O = std::optional<double>;
    QFETCH(O, day);
    QFETCH(O, evening);
    QFETCH(O, night);
    QFETCH(int, dayStart);
    QFETCH(int, eveningStart);
    QFETCH(int, nightStart);
    QFETCH(O, expected);
    const O lden = dayEveningNightLevel(day, evening, night, {dayStart, eveningStart, nightStart});
    QCOMPARE(lden.has_value(), expected.has_value());
    if (expected)
        QCOMPARE(rounded(*lden, 2), rounded(*expected, 2));
}

void TestPeriods::aFullDayWithItsNightAcrossMidnight()
{
    // 30 March 2024 07:00 to 31 March 07:00 (the night daylight saving starts in much of Europe;
    // the logger's wall clock does not jump): day 60, evening 55, night 50 dB. Lden =
    // 10 lg((12·10^6 + 4·10^6 + 8·10^6) / 24) = 60.0. A reading on 19:00 sharp is the evening's.
    const Minutes m(dayOf(2024, 3, 30) + 7.0 / 24, 24 * 60, dayEveningNight);
    const SpanIndex index(m.series());
    const auto tables = periodTables(index);
    QVERIFY(tables);
    QCOMPARE(tables->days.size(), size_t(1));
    const DayFigures &d = tables->days[0];
    QCOMPARE(d.date, dayOf(2024, 3, 30));
    QCOMPARE(*d.day.figures->leq, 60.0);
    QCOMPARE(*d.evening.figures->leq, 55.0);
    QCOMPARE(*d.night.figures->leq, 50.0);
    QCOMPARE(d.night.hours, 8.0);
    QCOMPARE(d.night.figures->readings, 8 * 60);
    QCOMPARE(d.day.coverage, 100.0);
    QCOMPARE(rounded(*d.lden, 6), 60.0);
    QCOMPARE(d.evening.figures->first, 12 * 60);
    // Both calendar days hold readings: 48 hours, the 02:00 hour of the 31st among them.
    QCOMPARE(tables->hours.size(), size_t(48));
    QCOMPARE(tables->hours[24 + 2].start, dayOf(2024, 3, 31) + 2.0 / 24);
    QCOMPARE(tables->hours[24 + 2].coverage, 100.0);
}

void TestPeriods::hoursOfPartlyCoveredDays()
{
    // 22:30 to 01:29 the next day, level 40 + hour.
    const Minutes m(dayOf(2024, 6, 10) + 22.5 / 24, 180, byHour);
    const SpanIndex index(m.series());
    const auto tables = periodTables(index);
    QVERIFY(tables);
    const auto &h = tables->hours;
    QCOMPARE(h.size(), size_t(48));
    QVERIFY(!h[21].figures);
    QCOMPARE(h[21].coverage, 0.0);
    QCOMPARE(h[22].figures->readings, 30);
    QCOMPARE(h[22].coverage, 50.0);
    QCOMPARE(*h[22].figures->leq, 62.0);
    QCOMPARE(h[23].coverage, 100.0);
    QCOMPARE(h[23].figures->exceeded->l50, 63.0f);
    QCOMPARE(*h[24].figures->leq, 40.0);
    QCOMPARE(h[25].figures->levels.max, 41.0f);
    QCOMPARE(h[25].coverage, 50.0);
    QVERIFY(!h[26].figures);
    QCOMPARE(h[25].start, dayOf(2024, 6, 11) + 1.0 / 24);
}

void TestPeriods::partialCoverageAndMissingPeriods()
{
    // The day of 10 June from 07:00 only until 21:00, the last half hour of it gaps: the evening
    // has data, the night none, so no Lden. Day: 720 readings; evening 19:00-20:59 with 30 gaps,
    // 90 levels of 240 minutes = 37.5 %.
    Minutes m(dayOf(2024, 6, 10) + 7.0 / 24, 14 * 60, dayEveningNight);
    std::fill(m.levels.end() - 30, m.levels.end(), kGapLevel);
    const SpanIndex index(m.series());
    const auto tables = periodTables(index);
    QVERIFY(tables);
    QCOMPARE(tables->days.size(), size_t(1));
    const DayFigures &d = tables->days[0];
    QCOMPARE(d.day.coverage, 100.0);
    QCOMPARE(d.evening.figures->gaps, 30);
    QCOMPARE(d.evening.coverage, 37.5);
    QVERIFY(!d.night.figures);
    QCOMPARE(d.night.coverage, 0.0);
    QVERIFY(!d.lden);
}

void TestPeriods::otherBounds()
{
    // 06-18-22: the 06:00 hour (50 dB in the fixture) now belongs to the day, 18:00 to the evening.
    const Minutes m(dayOf(2024, 6, 10) + 6.0 / 24, 24 * 60, dayEveningNight);
    const SpanIndex index(m.series());
    const auto tables = periodTables(index, {6, 18, 22});
    QVERIFY(tables);
    const DayFigures &d = tables->days[0];
    QCOMPARE(d.day.figures->readings, 12 * 60);
    QCOMPARE(d.day.figures->levels.min, 50.0f);
    QCOMPARE(d.evening.figures->levels.max, 60.0f);
    QCOMPARE(d.night.figures->first, 16 * 60);
    QCOMPARE(d.night.hours, 8.0);
}

void TestPeriods::unusableTimesOrBounds_data()
{
    QTest::addColumn<std::vector<TDateTime>>("times");
    QTest::addColumn<int>("dayStart");
    const TDateTime t0 = dayOf(2024, 6, 10);
    QTest::newRow("times going back") << std::vector<TDateTime>{t0, t0 + kSecond, t0} << 7;
    QTest::newRow("a time that is not a number") << std::vector<TDateTime>{t0, std::numeric_limits<double>::quiet_NaN(), t0} << 7;
    QTest::newRow("a time beyond the year 9999") << std::vector<TDateTime>{t0, t0, 1e300} << 7;
    QTest::newRow("fewer times than levels") << std::vector<TDateTime>{t0, t0} << 7;
    QTest::newRow("no times") << std::vector<TDateTime>{} << 7;
    QTest::newRow("day after evening") << std::vector<TDateTime>{t0, t0, t0} << 20;
    QTest::newRow("day before midnight") << std::vector<TDateTime>{t0, t0, t0} << -1;
}

void TestPeriods::unusableTimesOrBounds()
{
    QFETCH(std::vector<TDateTime>, times);
    QFETCH(int, dayStart);
    const std::vector<float> levels(3, 60.0f);
    const SpanIndex index({times, levels, 1.0, true});
    QVERIFY(!periodTables(index, {dayStart, 19, 23}));
}

void TestPeriods::periodOfAnHour_data()
{
    QTest::addColumn<int>("hour");
    QTest::addColumn<int>("dayStart");
    QTest::addColumn<int>("eveningStart");
    QTest::addColumn<int>("nightStart");
    QTest::addColumn<QString>("expected");

    QTest::newRow("after midnight: the night before") << 0 << 7 << 19 << 23 << "-1 night";
    QTest::newRow("last hour of that night") << 6 << 7 << 19 << 23 << "-1 night";
    QTest::newRow("day begins") << 7 << 7 << 19 << 23 << "0 day";
    QTest::newRow("last day hour") << 18 << 7 << 19 << 23 << "0 day";
    QTest::newRow("evening begins") << 19 << 7 << 19 << 23 << "0 evening";
    QTest::newRow("night begins, its own day") << 23 << 7 << 19 << 23 << "0 night";
    QTest::newRow("06-18-22 bounds, 06:00") << 6 << 6 << 18 << 22 << "0 day";
    QTest::newRow("06-18-22 bounds, 22:00") << 22 << 6 << 18 << 22 << "0 night";
    QTest::newRow("no evening") << 22 << 7 << 23 << 23 << "0 day";
}

void TestPeriods::periodOfAnHour()
{
    QFETCH(int, hour);
    QFETCH(int, dayStart);
    QFETCH(int, eveningStart);
    QFETCH(int, nightStart);
    QFETCH(QString, expected);
    const PeriodPlace p = periodOfHour(hour, {dayStart, eveningStart, nightStart});
    const char *part = p.part == PeriodPart::Day ? "day" : p.part == PeriodPart::Evening ? "evening" : "night";
    QCOMPARE(QString("%1 %2").arg(p.dayOffset).arg(part), expected);
}

QTEST_GUILESS_MAIN(TestPeriods)
#include "tst_Periods.moc"
