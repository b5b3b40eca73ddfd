// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/NoiseEvents.h"

#include <QStringList>
#include <QTest>
#include <cmath>
#include <vector>

using namespace ql708;
using namespace ql708::analysis;

namespace {
constexpr float G = kGapLevel;
constexpr float X = 0.0f; // out of range

// "first-last" of each event, with a * when it touches a missing reading.
QString runs(const EventList &list)
{
    QStringList out;
    for (const NoiseEvent &e : list.events)
        out << QString("%1-%2%3").arg(e.first).arg(e.last).arg(e.touchesMissing ? "*" : "");
    return out.join(' ');
}
} // namespace

class TestNoiseEvents : public QObject {
    Q_OBJECT
private slots:
    void runs_data();
    void runs();
    void figuresOfAnEvent();
    void aSpanCutsTheRunsAtItsEdges();
    void readingsOneAtATime();
};

void TestNoiseEvents::runs_data()
{
    QTest::addColumn<std::vector<float>>("levels");
    QTest::addColumn<double>("interval");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<double>("total");

    QTest::newRow("one run") << std::vector<float>{80, 86, 90, 85, 84} << 1.0 << 0.0 << "1-3" << 3.0;
    QTest::newRow("the threshold belongs to the event") << std::vector<float>{85, 84.9f, 85} << 1.0 << 0.0 << "0-0 2-2" << 2.0;
    QTest::newRow("a gap ends a run") << std::vector<float>{90, G, 90, 90} << 1.0 << 0.0 << "0-0* 2-3*" << 3.0;
    QTest::newRow("out of range ends a run") << std::vector<float>{70, 90, X, 91} << 1.0 << 0.0 << "1-1* 3-3*" << 2.0;
    QTest::newRow("shorter than the minimum") << std::vector<float>{90, 80, 90, 90, 80, 95} << 1.0 << 2.0 << "2-3" << 2.0;
    QTest::newRow("half-second readings") << std::vector<float>{90, 90, 90, 80, 90} << 0.5 << 1.5 << "0-2" << 1.5;
    QTest::newRow("nothing loud") << std::vector<float>{60, G, X, 84.9f} << 1.0 << 0.0 << "" << 0.0;
    QTest::newRow("empty") << std::vector<float>{} << 1.0 << 0.0 << "" << 0.0;
}

void TestNoiseEvents::runs()
{
    QFETCH(std::vector<float>, levels);
    QFETCH(double, interval);
    QFETCH(double, minimum);
    QFETCH(QString, expected);
    QFETCH(double, total);
    const EventList list = findEvents({{}, levels, interval, true}, {85.0f, minimum});
    QCOMPARE(::runs(list), expected);
    QCOMPARE(list.totalSeconds, total);
}

void TestNoiseEvents::figuresOfAnEvent()
{
    // 86, 90, 90, 85 for 2 s each: SEL = 10 lg(2·(10^8.6 + 2·10^9 + 10^8.5)) = 97.35 dB, Lmax at
    // the first 90.
    const std::vector<float> v = {70, 86, 90, 90, 85, 70};
    std::vector<TDateTime> t;
    for (int i = 0; i < 6; ++i)
        t.push_back(45000.25 + 2 * i * kSecond);
    const EventList list = findEvents({t, v, 2.0, true});
    QCOMPARE(list.events.size(), size_t(1));
    const NoiseEvent &e = list.events[0];
    QCOMPARE(e.start, t[1]);
    QCOMPARE(e.seconds, 8.0);
    QCOMPARE(e.lmax, 90.0f);
    QCOMPARE(e.lmaxIndex, 2);
    QCOMPARE(std::round(e.sel * 100) / 100, 97.35);
    QVERIFY(!e.touchesMissing);

    // Another threshold: NA90.
    QCOMPARE(findEvents({t, v, 2.0, true}, {90.0f, 0.0}).events.size(), size_t(1));
}

void TestNoiseEvents::aSpanCutsTheRunsAtItsEdges()
{
    const std::vector<float> v(8, 92.0f);
    const EventList list = findEvents({{}, v, 1.0, true}, {}, 5, 2);
    QCOMPARE(::runs(list), QString("2-5"));
    QCOMPARE(findEvents({{}, v, 1.0, true}, {}, -10, 100).events.size(), size_t(1));
}

// A stream gives each event when the reading that ends it arrives, with the figures the batch
// finds over the same readings.
void TestNoiseEvents::readingsOneAtATime()
{
    const std::vector<float> v = {70, 86, 90, 90, 85, 70, 95, 96, G, 88, 88, 60, 99};
    const EventList batch = findEvents({{}, v, 0.5, true}, {85.0f, 0.0});
    EventDetector detector({85.0f, 0.0}, 0.5);
    QStringList endedAt;
    std::vector<NoiseEvent> streamed;
    for (int i = 0; i < int(v.size()); ++i) {
        if (const auto e = detector.add(i, 45000.0 + i * kSecond, v[size_t(i)])) {
            endedAt << QString("%1-%2@%3").arg(e->first).arg(e->last).arg(i);
            streamed.push_back(*e);
        }
        if (i == 1)
            QVERIFY(detector.inEvent() && detector.eventFirst() == 1);
    }
    QCOMPARE(endedAt.join(' '), QString("1-4@5 6-7@8 9-10@11"));
    QVERIFY(detector.inEvent());
    const auto last = detector.finish(true);
    QVERIFY(last && last->first == 12 && last->touchesMissing);
    streamed.push_back(*last);
    QVERIFY(!detector.inEvent());

    QCOMPARE(streamed.size(), batch.events.size());
    for (size_t k = 0; k + 1 < streamed.size(); ++k) {
        QCOMPARE(streamed[k].lmax, batch.events[k].lmax);
        QCOMPARE(streamed[k].lmaxIndex, batch.events[k].lmaxIndex);
        QCOMPARE(streamed[k].seconds, batch.events[k].seconds);
        QCOMPARE(streamed[k].sel, batch.events[k].sel);
        QCOMPARE(streamed[k].touchesMissing, batch.events[k].touchesMissing);
    }
    QCOMPARE(streamed[0].start, 45000.0 + kSecond);

    // The minimum duration holds back a short run; a detector told that a gap came before marks
    // the first run.
    EventDetector strict({85.0f, 1.5}, 0.5, true);
    QVERIFY(!strict.add(0, 0, 90) && !strict.add(1, 0, 90));
    QVERIFY(!strict.add(2, 0, 60));
    for (int i = 3; i < 6; ++i)
        QVERIFY(!strict.add(i, 0, 91));
    const auto kept = strict.add(6, 0, 60);
    QVERIFY(kept && kept->first == 3 && kept->seconds == 1.5 && !kept->touchesMissing);
    EventDetector marked({85.0f, 0.0}, 1.0, true);
    marked.add(0, 0, 90);
    QVERIFY(marked.finish()->touchesMissing);
}

QTEST_GUILESS_MAIN(TestNoiseEvents)
#include "tst_NoiseEvents.moc"
