// SPDX-License-Identifier: GPL-3.0-or-later
#include "realtime/RealTimeRun.h"
#include "tests/support/FakeClock.h"

#include <QTest>

using namespace ql708;
using realtime::RealTimeRun;
using realtime::RunPoint;

class TestRealTimeRun : public QObject {
    Q_OBJECT
private slots:
    void init();
    void decodesThatBecomePoints_data();
    void decodesThatBecomePoints();
    void levelsOutsideTheBand_data();
    void levelsOutsideTheBand();
    void extremesKeepTheirFirstTime();
    void fullRunAndRedraws();

private:
    // One decode after ms milliseconds on the fake clock.
    std::optional<RunPoint> decodeAfter(int ms, quint16 level, bool halfSecondBox = false);

    std::unique_ptr<test::FakeClock> m_clock;
    graph::RealTimeRunState m_state;
    RealTimeRun m_run;
};

void TestRealTimeRun::init()
{
    m_clock = std::make_unique<test::FakeClock>();
    m_state = graph::RealTimeRunState();
    m_state.lastPointTime = toTDateTime(m_clock->now());
    m_run = RealTimeRun();
}

std::optional<RunPoint> TestRealTimeRun::decodeAfter(int ms, quint16 level, bool halfSecondBox)
{
    m_clock->advance(ms);
    return m_run.append(level, toTDateTime(m_clock->now()), m_state, halfSecondBox);
}

void TestRealTimeRun::decodesThatBecomePoints_data()
{
    QTest::addColumn<float>("rate");
    QTest::addColumn<int>("everyMs"); // decodes this far apart
    QTest::addColumn<QList<int>>("added"); // the decodes (from 1) that added a point, of 12
    QTest::newRow("0.2 s: every decode") << 0.2f << 500 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    QTest::newRow("0.5 s: every decode") << 0.5f << 500 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    QTest::newRow("0.5 s, poll a little early: every decode")
        << 0.5f << 470 << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    QTest::newRow("0.5 s, decodes 0.4 s apart: every second") << 0.5f << 400 << QList<int>{2, 4, 6, 8, 10, 12};
    QTest::newRow("1 s: every second") << 1.0f << 500 << QList<int>{2, 4, 6, 8, 10, 12};
    QTest::newRow("2 s: every fourth") << 2.0f << 500 << QList<int>{4, 8, 12};
    QTest::newRow("2 s, slow poll: every fourth") << 2.0f << 510 << QList<int>{4, 8, 12};
    QTest::newRow("2 s, poll 0.6 s: every fourth") << 2.0f << 600 << QList<int>{4, 8, 12};
    QTest::newRow("5 s: every tenth") << 5.0f << 500 << QList<int>{10};
}

void TestRealTimeRun::decodesThatBecomePoints()
{
    QFETCH(float, rate);
    QFETCH(int, everyMs);
    QFETCH(QList<int>, added);
    m_state.RealTimeRate = rate;
    m_run.start(100, m_state);
    QList<int> got;
    for (int decode = 1; decode <= 12; ++decode)
        if (decodeAfter(everyMs, 600))
            got << decode;
    QCOMPARE(got, added);
    QCOMPARE(m_state.realTimePointCount, added.size());
    QVERIFY(m_state.realTimeUnsaved);
}

void TestRealTimeRun::levelsOutsideTheBand_data()
{
    QTest::addColumn<QList<int>>("levels"); // tenths of a dB, one decode each
    QTest::addColumn<QList<float>>("points");
    QTest::newRow("15 dB first adds nothing") << QList<int>{150} << QList<float>{};
    QTest::newRow("150 dB after 45 dB adds 45") << QList<int>{450, 1500} << QList<float>{45.0f, 45.0f};
    QTest::newRow("10 dB after 45 dB adds 45") << QList<int>{450, 100} << QList<float>{45.0f, 45.0f};
    QTest::newRow("the band's ends are readings") << QList<int>{200, 1400} << QList<float>{20.0f, 140.0f};
    QTest::newRow("140.1 dB stands in") << QList<int>{1400, 1401} << QList<float>{140.0f, 140.0f};
    QTest::newRow("19.9 dB after 30 dB adds nothing") << QList<int>{300, 199} << QList<float>{30.0f};
    QTest::newRow("19.9 dB after 30.1 dB adds 30.1") << QList<int>{301, 199} << QList<float>{30.1f, 30.1f};
    QTest::newRow("the last good level, not the first") << QList<int>{450, 600, 1500} << QList<float>{45, 60, 60};
}

void TestRealTimeRun::levelsOutsideTheBand()
{
    QFETCH(QList<int>, levels);
    QFETCH(QList<float>, points);
    m_state.RealTimeRate = 1.0f;
    m_run.start(100, m_state);
    QList<float> got;
    for (int level : levels) {
        if (const auto p = decodeAfter(1000, quint16(level)))
            got << p->y;
        // A decode that adds no point still uses its sampling instant.
        QCOMPARE(m_state.lastPointTime, toTDateTime(m_clock->now()));
    }
    QCOMPARE(got, points);
    QCOMPARE(m_state.realTimeUnsaved, !points.isEmpty());
}

void TestRealTimeRun::extremesKeepTheirFirstTime()
{
    m_state.RealTimeRate = 0.5f;
    m_run.start(100, m_state);
    QList<TDateTime> at;
    QList<std::pair<bool, bool>> marks;
    for (int level : {600, 700, 700, 500, 500, 650}) {
        const auto p = decodeAfter(500, quint16(level));
        QVERIFY(p);
        at << p->x;
        marks << std::pair(p->newMax, p->newMin);
    }
    QCOMPARE(m_run.maximum(), 70.0f);
    QCOMPARE(m_run.maximumTime(), at[1]);
    QCOMPARE(m_run.minimum(), 50.0f);
    QCOMPARE(m_run.minimumTime(), at[3]);
    const QList<std::pair<bool, bool>> expected = {{true, true}, {true, false}, {false, false},
                                                   {false, true}, {false, false}, {false, false}};
    QCOMPARE(marks, expected);
    QCOMPARE(m_run.average(m_state), (60.0 + 70 + 70 + 50 + 50 + 65) / 6);
}

void TestRealTimeRun::fullRunAndRedraws()
{
    m_state.RealTimeRate = 0.2f;
    m_run.start(5, m_state);
    QList<bool> redraws, full;
    QList<int> indices;
    for (int i = 0; i < 5; ++i) {
        const auto p = decodeAfter(500, 600, true);
        QVERIFY(p);
        indices << p->index;
        redraws << p->redraw;
        full << p->full;
    }
    QCOMPARE(indices, (QList<int>{0, 1, 2, 3, 4}));
    // At 0.5 s every second point redraws.
    QCOMPARE(redraws, (QList<bool>{false, true, false, true, false}));
    QCOMPARE(full, (QList<bool>{false, false, false, false, true}));
    QVERIFY(!decodeAfter(500, 600)); // no room beyond the run's points
    m_run.stop(m_state);
    QVERIFY(!m_state.realTimeRunning);
    QVERIFY(!decodeAfter(500, 600));
    QCOMPARE(m_state.realTimePointCount, 5);
    // A new run starts afresh.
    m_run.start(3, m_state);
    QCOMPARE(m_state.realTimePointCount, 0);
    QCOMPARE(m_run.average(m_state), 0.0);
    QCOMPARE(m_run.lastGoodLevel(), 0.0f);
    const auto p = decodeAfter(500, 400);
    QVERIFY(p && p->newMax && p->newMin && p->redraw);
}

QTEST_MAIN(TestRealTimeRun)
#include "tst_RealTimeRun.moc"
