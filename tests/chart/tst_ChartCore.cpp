// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartModel.h"
#include "chart/TimeAxisScale.h"
#include "chart/ZoomStack.h"
#include "common/DateTime.h"

#include <QtTest>

using namespace ql708;
using namespace ql708::chart;

class tst_ChartCore : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }
    void timeTicks_data();
    void timeTicks();
    void timeTicksAtTheEdges_data();
    void timeTicksAtTheEdges();
    void textBoundKeepsSurrogatePairs();
    void pointsKeepDataAndEmptySubsetHidesIt();
    void colourWithoutAlphaIsOpaque();
    void zoomAndScroll();
};

void tst_ChartCore::timeTicks_data()
{
    QTest::addColumn<double>("spanSeconds");
    QTest::addColumn<QString>("firstLabel");
    QTest::addColumn<QString>("secondLabel");
    QTest::newRow("two seconds") << 2.0 << "14:00:00.0\n01/06/2024" << "14:00:00.2";
    QTest::newRow("half a minute") << 30.0 << "14:00:00\n01/06/2024" << "14:00:05";
    QTest::newRow("590 s: minutes") << 590.0 << "14:00\n01/06/2024" << "14:01";
    QTest::newRow("an hour") << 3600.0 << "14:00\n01/06/2024" << "14:10";
    QTest::newRow("a day") << 86400.0 << "15:00\n01/06/2024" << "18:00";
    QTest::newRow("a week, daily") << 7 * 86400.0 << "02/06/2024" << "03/06/2024";
    QTest::newRow("three weeks") << 21 * 86400.0 << "08/06/2024" << "15/06/2024";
}

void tst_ChartCore::timeTicks()
{
    QFETCH(double, spanSeconds);
    QFETCH(QString, firstLabel);
    QFETCH(QString, secondLabel);
    const double lo = toTDateTime(QDateTime(QDate(2024, 6, 1), QTime(14, 0)));
    const TimeTicks t = planTimeTicks(lo, lo + spanSeconds / 86400.0, 10);
    QVERIFY(t.ticks.size() >= 2 && t.ticks.size() <= 11);
    QCOMPARE(t.labels.size(), t.ticks.size());
    QCOMPARE(t.labels.at(0), firstLabel);
    QCOMPARE(t.labels.at(1), secondLabel);
    // A new day shows its date again: the labels never repeat.
    QCOMPARE(QSet<QString>(t.labels.begin(), t.labels.end()).size(), t.labels.size());
    for (double tick : t.ticks)
        QVERIFY(tick >= lo - 1e-9 && tick <= lo + spanSeconds / 86400.0 + 1e-9);
}

// Whatever the view, a label that names the date comes first; views beyond the dates a label
// can name have no ticks.
void tst_ChartCore::timeTicksAtTheEdges_data()
{
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("firstLabel");
    const double day = toTDateTime(QDateTime(QDate(2024, 6, 1), QTime(14, 0)));
    const double ms = kSecond / 1000;
    QTest::newRow("narrower than a tenth") << day + 30 * ms << day + 80 * ms << 1 << "14:00:00.030\n01/06/2024";
    QTest::newRow("starts on the hour") << day << day + 240 * kSecond << 9 << "14:00:00\n01/06/2024";
    const double midnight = toTDateTime(QDateTime(QDate(2024, 6, 1), QTime(0, 0)));
    QTest::newRow("ten whole days: daily") << midnight << midnight + 10 << 11 << "01/06/2024";
    QTest::newRow("before year 1 to after 9999") << -1e300 << 1e300 << 1 << "01/01/0001";
    QTest::newRow("beyond year 9999") << 3e9 << 3e9 + 10 << 0 << "";
    QTest::newRow("day number beyond any integer") << 1e300 << 2e300 << 0 << "";
    QTest::newRow("before year 1") << -3e9 - 10 << -3e9 << 0 << "";
    QTest::newRow("not a number") << qQNaN() << day << 0 << "";
}

void tst_ChartCore::timeTicksAtTheEdges()
{
    QFETCH(double, lo);
    QFETCH(double, hi);
    QFETCH(int, ticks);
    QFETCH(QString, firstLabel);
    const TimeTicks t = planTimeTicks(lo, hi, 10);
    QCOMPARE(t.ticks.size(), ticks);
    QCOMPARE(t.labels.size(), ticks);
    if (ticks > 0)
        QCOMPARE(t.labels.first(), firstLabel);
}

void tst_ChartCore::textBoundKeepsSurrogatePairs()
{
    const QString clef = QString::fromUtf8("\xF0\x9D\x84\x9E"); // one character, two UTF-16 units
    const int max = ChartModel::kMaxTextLength;
    QCOMPARE(boundedText(QString(max - 1, 'a') + clef), QString(max - 1, 'a'));
    QCOMPARE(boundedText(QString(max - 2, 'a') + clef + 'b'), QString(max - 2, 'a') + clef);
    QCOMPARE(boundedText(QString(max + 5, 'a')).size(), max);
    ChartModel m;
    QVERIFY(m.setSubsetLabel(0, QString(max - 1, 'a') + clef));
    QCOMPARE(m.subsetLabel(0).size(), max - 1);
}

void tst_ChartCore::pointsKeepDataAndEmptySubsetHidesIt()
{
    ChartModel m;
    m.setSubsets(1);
    m.setPoints(2000);
    QVERIFY(m.setX(0, 2, 45000.0) && m.setY(0, 2, 61.5f));
    QVERIFY(!m.setX(0, -1, 1.0) && !m.setX(0, 2000, 1.0) && !m.setX(0, 0, qQNaN()));
    QVERIFY(m.setY(0, 3, qQNaN()));
    QVERIFY(m.isNull(m.y(0, 3)));
    m.setPoints(3);
    QCOMPARE(m.x(0, 2), 45000.0);
    QCOMPARE(m.y(0, 2), 61.5f);
    QVERIFY(!m.setPoints(ChartModel::kMaxPoints + 1));
    QVERIFY(!m.setSubsets(ChartModel::kMaxSubsets));
    QVERIFY(qint64(m.subsets()) * m.points() <= ChartModel::kMaxCells);
    m.emptySubset(0);
    double lo = 0, hi = 0;
    QVERIFY(!m.extentY(lo, hi));
}

void tst_ChartCore::colourWithoutAlphaIsOpaque()
{
    QCOMPARE(colorFromPE(PEargb(255, 0, 0, 255)), QColor(0, 0, 255));
    QCOMPARE(colorFromPE(255), QColor(255, 0, 0));
    QCOMPARE(colorFromPE(32768), QColor(0, 128, 0));
    QCOMPARE(colorFromPE(PEargb(128, 190, 190, 190)), QColor(190, 190, 190, 128));
}

void tst_ChartCore::zoomAndScroll()
{
    const ViewRange view{0, 100, 30, 130};
    QCOMPARE(zoomedRange(view, 40, 20, 90, 50, true, true), (ViewRange{20, 40, 50, 90}));
    QCOMPARE(zoomedRange(view, 40, 20, 90, 50, true, false), (ViewRange{20, 40, 30, 130}));
    double lo = 20, hi = 40;
    QCOMPARE(scrollFraction(lo, hi, 0, 100), 0.25);
    placeAt(lo, hi, 0, 100, 1.5);
    QCOMPARE(lo, 80.0);
    QCOMPARE(hi, 100.0);
}

QTEST_MAIN(tst_ChartCore)
#include "tst_ChartCore.moc"
