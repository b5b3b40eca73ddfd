// SPDX-License-Identifier: GPL-3.0-or-later
// The monitor's own poll against the simulated meter in fake time, with the faults a meter left
// alone for days meets. Runs with TZ=Europe/Paris.
#include "monitor/MonitorCsv.h"
#include "monitor/MonitorPoll.h"
#include "meter/sim/SimulatedMeter.h"
#include "tests/monitor/MonitorFixture.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FaultyLink.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <algorithm>
#include <memory>

using namespace ql708;
using namespace ql708::monitor;

namespace {

struct Rig {
    explicit Rig(const QDateTime &start = QDateTime(QDate(2024, 3, 5), QTime(14, 7)))
        : clock(start), faulty(meter), session({dir.path(), {85.0f, 0.0}, {}, 0.5}, [this](const QString &n) { notes << n; }),
          poll(faulty, session, [this](const QString &n) { notes << n; })
    {
        QString error;
        session.start(clock.now(), error);
    }
    // Runs the poll as the command-line monitor does, for ms of fake time.
    void runFor(qint64 ms)
    {
        const qint64 end = clock.tickMs() + ms;
        while (clock.tickMs() < end) {
            const qint64 due = poll.step();
            clock.sleepMs(int(std::min(due, end) - clock.tickMs()));
        }
    }
    QList<QByteArray> readings() const
    {
        QList<QByteArray> lines;
        for (const QString &f : QDir(dir.path()).entryList({"2*[0-9].csv"}, QDir::Files, QDir::Name))
            lines << test::fileLines(dir.filePath(f)).mid(1);
        return lines;
    }
    int handshakes() const
    {
        return int(std::count_if(faulty.frames.begin(), faulty.frames.end(), [](const CommandFrame &f) { return f[1] == 'K'; }));
    }
    int notesWith(const QString &text) const { return int(notes.filter(text).size()); }

    QTemporaryDir dir;
    test::FakeClock clock;
    SimulatedMeter meter;
    test::FaultyLink faulty;
    QStringList notes;
    MonitorSession session;
    MonitorPoll poll;
};

int gaps(const QList<QByteArray> &lines)
{
    return int(std::count_if(lines.begin(), lines.end(), [](const QByteArray &l) { return l.endsWith(",gap"); }));
}

} // namespace

class TestMonitorPoll : public QObject {
    Q_OBJECT
private slots:
    void twoReadingsASecond();
    void unpluggedForTenSeconds();
    void repliesThatStop();
    void aMeterAnsweringGarbage();
    void noMeterAtStart();
    void midnightAndTheClocksGoingBack_data();
    void midnightAndTheClocksGoingBack();
};

void TestMonitorPoll::twoReadingsASecond()
{
    Rig rig;
    rig.runFor(60'000);
    const QList<QByteArray> lines = rig.readings();
    // The handshake, then a reading every 500 ms on a steady beat.
    QVERIFY2(lines.size() >= 118 && lines.size() <= 120, qPrintable(QString::number(lines.size())));
    QCOMPARE(gaps(lines), 0);
    QCOMPARE(rig.notes, QStringList{"the meter answers; its readings go to " + rig.dir.path()});
    const auto a = parseReadingsLine(lines[10]), b = parseReadingsLine(lines[11]);
    QVERIFY(a && b && a->reading && b->reading);
    QCOMPARE(b->time.msecs - a->time.msecs, qint64(500));
}

void TestMonitorPoll::unpluggedForTenSeconds()
{
    Rig rig;
    rig.runFor(5000);
    rig.meter.setPluggedIn(false);
    const qint64 unplugged = rig.clock.now().toMSecsSinceEpoch();
    rig.runFor(4000);
    const int opensWhileAway = rig.faulty.opens;
    rig.runFor(6000);
    // Lost after five failed polls; while away, the handshake every 2 s and nothing else.
    QCOMPARE(rig.faulty.opens - opensWhileAway, 3);
    rig.meter.setPluggedIn(true);
    const qint64 plugged = rig.clock.now().toMSecsSinceEpoch();
    rig.runFor(5000);

    QCOMPARE(rig.notesWith("the meter stopped answering at"), 1);
    QCOMPARE(rig.notesWith("the meter answers again"), 1);
    const QList<QByteArray> lines = rig.readings();
    QCOMPARE(gaps(lines), 1);
    const qsizetype gapAt = std::find_if(lines.begin(), lines.end(), [](const QByteArray &l) { return l.endsWith(",gap"); }) - lines.begin();
    // Back with the next handshake once plugged in.
    const auto gap = parseReadingsLine(lines[gapAt]), next = parseReadingsLine(lines[gapAt + 1]);
    QVERIFY(gap->time.msecs - unplugged <= 3000);
    QVERIFY(next->reading && next->time.msecs - plugged <= MonitorPoll::kHandshakeMs + 500);
    QVERIFY(lines.size() - 1 >= 2 * (5 + 3)); // the readings before and after
}

void TestMonitorPoll::repliesThatStop()
{
    Rig rig;
    rig.runFor(5000);
    rig.faulty.answerOnly = rig.faulty.reads; // every read from now on fails
    rig.runFor(20'000);
    QCOMPARE(rig.notesWith("the meter stopped answering at"), 1);
    QCOMPARE(gaps(rig.readings()), 1);
    const int readingsWhileSilent = int(rig.readings().size());
    const int handshakes = rig.handshakes();
    rig.runFor(10'000);
    QCOMPARE(int(rig.readings().size()), readingsWhileSilent);
    QCOMPARE(rig.handshakes() - handshakes, 5); // still looking, every 2 s
    rig.faulty.answerOnly = -1;
    rig.runFor(5000);
    QCOMPARE(rig.notesWith("the meter answers again"), 1);
    QVERIFY(rig.readings().size() > readingsWhileSilent + 4);
}

// Replies without their frame: the meter is there but says nothing the monitor can use. It is
// told once, however often the handshake succeeds, and never ends the run.
void TestMonitorPoll::aMeterAnsweringGarbage()
{
    Rig rig;
    rig.runFor(5000);
    const qint64 before = rig.poll.readings();
    rig.faulty.corruptFraming = true;
    rig.runFor(30'000);
    QCOMPARE(rig.notesWith("replies that make no sense"), 1);
    QCOMPARE(rig.notesWith("answers again"), 0);
    QCOMPARE(rig.poll.readings(), before);
    QCOMPARE(gaps(rig.readings()), 1);
    rig.faulty.corruptFraming = false;
    rig.runFor(5000);
    QCOMPARE(rig.notesWith("answers again"), 1);
    QCOMPARE(gaps(rig.readings()), 1);
}

void TestMonitorPoll::noMeterAtStart()
{
    Rig rig;
    rig.meter.setPluggedIn(false);
    rig.runFor(10'000);
    QCOMPARE(rig.notesWith("no meter answers"), 1);
    QVERIFY(rig.readings().isEmpty());
    rig.meter.setPluggedIn(true);
    rig.runFor(5000);
    QCOMPARE(rig.notesWith("the meter answers; its readings go to"), 1);
    QVERIFY(!rig.readings().isEmpty());
}

void TestMonitorPoll::midnightAndTheClocksGoingBack_data()
{
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("offsets");
    QTest::newRow("midnight") << QDateTime(QDate(2024, 3, 30), QTime(23, 59, 50)) << QStringList{"2024-03-30.csv", "2024-03-31.csv"}
                              << QStringList{"+01:00"};
    QTest::newRow("the clocks go back")
        << QDateTime(QDate(2024, 10, 27), QTime(0, 59, 50), QTimeZone::utc()).toLocalTime()
        << QStringList{"2024-10-27.csv"} << QStringList{"+01:00", "+02:00"};
}

void TestMonitorPoll::midnightAndTheClocksGoingBack()
{
    QFETCH(QDateTime, start);
    QFETCH(QStringList, files);
    QFETCH(QStringList, offsets);
    Rig rig(start);
    rig.runFor(20'000);
    QCOMPARE(QDir(rig.dir.path()).entryList({"2*[0-9].csv"}, QDir::Files, QDir::Name), files);
    QStringList seen;
    for (const QByteArray &l : rig.readings())
        seen << QString::fromLatin1(firstField(l).last(6));
    seen.removeDuplicates();
    seen.sort();
    QCOMPARE(seen, offsets);
}

QTEST_GUILESS_MAIN(TestMonitorPoll)
#include "tst_MonitorPoll.moc"
