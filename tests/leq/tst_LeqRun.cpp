// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/DateTime.h"
#include "leq/LeqRun.h"
#include "meter/MeterLink.h"
#include "meter/MeterStatus.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScriptedLink.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ql708;
using namespace ql708::leq;

namespace {

// A status reply with a level and a meter clock of 2024-03-05 14:07 and the given seconds byte.
ReplyBuffer reading(int tenths, std::uint8_t secondsByte)
{
    using namespace status_layout;
    ReplyBuffer r{};
    r[0] = kStx;
    r[31] = kEtx;
    r[kLevel] = std::uint8_t(tenths >> 8);
    r[kLevel + 1] = std::uint8_t(tenths & 0xFF);
    r[kSeconds] = secondsByte;
    r[kMinutes] = 0x07;
    r[kHours] = 0x14;
    r[kDay] = 0x05;
    r[kMonth] = 0x03;
    r[kYear] = 0x24;
    return r;
}

using Seconds = QList<QList<int>>; // the levels in tenths read in each second after its first reading

// Queues the readings of whole seconds: each second opens with a reading of 70 dB (not
// counted in it), then its levels; one more reading completes the last.
void queueSeconds(test::ScriptedLink &link, const Seconds &seconds, int firstSecond = 0)
{
    std::uint8_t byte = std::uint8_t(firstSecond);
    for (const QList<int> &levels : seconds) {
        link.replies.push_back(reading(700, intToBcd(byte)));
        for (int tenths : levels)
            link.replies.push_back(reading(tenths, intToBcd(byte)));
        byte = std::uint8_t((byte + 1) % 60);
    }
    link.replies.push_back(reading(700, intToBcd(byte)));
}

QStringList column(const LeqTable &t, int c)
{
    QStringList out;
    for (int row = 0; row < t.rows(); ++row)
        out << t.cellText(row, c);
    return out;
}

} // namespace

class TestLeqRun : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void decodesLevelAndClock_data();
    void decodesLevelAndClock();
    void secondsBecomeRows_data();
    void secondsBecomeRows();
    void startsOnItsSessionAndHoldsTheLink();
    void endsAfterItsDuration();
    void failedReadsEndTheRunAtThe51st_data();
    void failedReadsEndTheRunAtThe51st();
    void logsEveryReading();
    void runsWithoutALogItCannotWrite();
    void timeLeftAndDurations();

private:
    void runUntilEnd(LeqRun &run);
    QString logPath() const { return m_dir->filePath(QStringLiteral("temp/LEQ.txt")); }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<test::FakeClock> m_clock;
    std::unique_ptr<test::ScriptedLink> m_hid;
    std::unique_ptr<MeterLink> m_link;
    int m_timerSwitches = 0;
    bool m_pollOn = true;
};

void TestLeqRun::initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }

void TestLeqRun::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_clock = std::make_unique<test::FakeClock>();
    m_hid = std::make_unique<test::ScriptedLink>();
    m_link = std::make_unique<MeterLink>(*m_hid);
    m_pollOn = true;
    m_timerSwitches = 0;
    m_link->setPollTimerSwitch([this](bool on) {
        m_pollOn = on;
        ++m_timerSwitches;
    });
}

void TestLeqRun::cleanup()
{
    m_link.reset();
    m_clock.reset();
}

void TestLeqRun::runUntilEnd(LeqRun &run)
{
    for (int i = 0; i < 100000 && run.running(); ++i) {
        m_clock->advance(LeqRun::kTickMs);
        run.tick();
    }
}

void TestLeqRun::decodesLevelAndClock_data()
{
    using namespace status_layout;
    QTest::addColumn<QList<int>>("patch"); // offset, byte, offset, byte ...
    QTest::addColumn<QDateTime>("time");   // invalid: the PC clock's
    const QDateTime meter(QDate(2024, 3, 5), QTime(14, 7, 9));
    QTest::newRow("valid clock") << QList<int>{} << meter;
    QTest::newRow("seconds 0x1A") << QList<int>{kSeconds, 0x1A} << QDateTime();
    QTest::newRow("minutes 0x60") << QList<int>{kMinutes, 0x60} << QDateTime();
    QTest::newRow("hours 0x24") << QList<int>{kHours, 0x24} << QDateTime();
    QTest::newRow("month 0x13") << QList<int>{kMonth, 0x13} << QDateTime();
    QTest::newRow("day 0x00") << QList<int>{kDay, 0x00} << QDateTime();
    QTest::newRow("30 February") << QList<int>{kMonth, 0x02, kDay, 0x30} << QDateTime();
    QTest::newRow("29 February 2024") << QList<int>{kMonth, 0x02, kDay, 0x29}
                                      << QDateTime(QDate(2024, 2, 29), QTime(14, 7, 9));
    QTest::newRow("year 0xA0") << QList<int>{kYear, 0xA0} << QDateTime();
    QTest::newRow("year 0x00") << QList<int>{kYear, 0x00} << QDateTime(QDate(2000, 3, 5), QTime(14, 7, 9));
    QTest::newRow("year 0x99") << QList<int>{kYear, 0x99} << QDateTime(QDate(2099, 3, 5), QTime(14, 7, 9));
}

void TestLeqRun::decodesLevelAndClock()
{
    QFETCH(QList<int>, patch);
    QFETCH(QDateTime, time);
    ReplyBuffer r = reading(0x1234, 0x09);
    for (int i = 0; i + 1 < patch.size(); i += 2)
        r[size_t(patch[i])] = std::uint8_t(patch[i + 1]);
    // A held MAX reads elsewhere; the measurement takes the present level.
    r[status_layout::kFlags] = status_layout::kMaxMinBit;
    r[status_layout::kMaxMinMode] = kMaxHeld;
    r[status_layout::kMaxLevel] = 0x7F;
    const LeqReading got = decodeReading(r);
    QCOMPARE(got.levelTenths, std::uint16_t(0x1234));
    QCOMPARE(got.levelDb, float(0x1234 * 0.1));
    QCOMPARE(got.secondsByte, r[status_layout::kSeconds]); // raw, decodable or not
    QCOMPARE(got.fromMeterClock, time.isValid());
    if (time.isValid())
        QCOMPARE(got.time, toTDateTime(time));
    // The PC clock stands in with whole seconds.
    QCOMPARE(pcClockTime(QDateTime(QDate(2023, 1, 2), QTime(3, 4, 5, 678))),
             toTDateTime(QDateTime(QDate(2023, 1, 2), QTime(3, 4, 5))));
}

void TestLeqRun::secondsBecomeRows_data()
{
    QTest::addColumn<Seconds>("seconds");
    QTest::addColumn<int>("firstSecond");
    QTest::addColumn<QStringList>("spl");
    QTest::addColumn<QStringList>("leq");
    QTest::newRow("first Leq is its SPL") << Seconds{{652, 648}} << 0 << QStringList{"65.0"} << QStringList{"65.0"};
    QTest::newRow("mean of the tenths") << Seconds{{601, 602, 604}} << 0 << QStringList{"60.2"} << QStringList{"60.2"};
    QTest::newRow("60 then 80") << Seconds{{600, 600}, {800, 800, 800}} << 0 << QStringList{"60.0", "80.0"}
                                << QStringList{"60.0", "77.0"};
    // The seconds byte going back (a new minute) is a new second all the same.
    QTest::newRow("new minute") << Seconds{{600}, {800}} << 59 << QStringList{"60.0", "80.0"}
                                << QStringList{"60.0", "77.0"};
    // The empty second keeps the running Leq and still counts: n = 3 for the third.
    QTest::newRow("empty second counts in n") << Seconds{{600}, {}, {800}} << 0 << QStringList{"60.0", "", "80.0"}
                                              << QStringList{"60.0", "", "75.3"};
    // Before any second had readings, the running Leq is the first reading's level (70 dB).
    QTest::newRow("empty first second") << Seconds{{}, {600}} << 0 << QStringList{"", "60.0"}
                                        << QStringList{"", "67.4"};
}

void TestLeqRun::secondsBecomeRows()
{
    QFETCH(Seconds, seconds);
    QFETCH(int, firstSecond);
    QFETCH(QStringList, spl);
    QFETCH(QStringList, leq);
    LeqRun run(*m_link);
    run.start(100, logPath());
    queueSeconds(*m_hid, seconds, firstSecond);
    QCOMPARE(run.tick(), LeqRun::Tick::FirstReading);
    while (!m_hid->replies.empty())
        run.tick();
    QCOMPARE(column(run.table(), LeqTable::Spl), spl);
    QCOMPARE(column(run.table(), LeqTable::Leq), leq);
    QCOMPARE(column(run.table(), LeqTable::No).size(), seconds.size());
    QCOMPARE(run.table().cellText(0, LeqTable::Time), QStringLiteral("14:07:%1").arg(firstSecond, 2, 10, QLatin1Char('0')));
    QCOMPARE(run.table().cellText(0, LeqTable::Date), QStringLiteral("05/03/2024"));
    QCOMPARE(run.secondsLeft(), 100 - int(seconds.size()));
}

void TestLeqRun::startsOnItsSessionAndHoldsTheLink()
{
    LeqRun run(*m_link);
    run.start(10, logPath());
    QVERIFY(!m_pollOn);
    // Close, open, 100 ms time-outs; then each tick only writes the status command and reads.
    QCOMPARE(m_hid->calls.size(), 3);
    QCOMPARE(m_hid->calls[2].timeout, LeqRun::kTimeoutMs);
    m_hid->calls.clear();
    m_hid->replies.push_back(reading(600, 0));
    run.tick();
    QCOMPARE(m_hid->calls.size(), 3);
    QCOMPARE(m_hid->calls[0].op, 'w');
    QCOMPARE(m_hid->calls[0].frame, (CommandFrame{0x02, 'A', 0, 0, 0, m_link->sequence(), 0x03}));
    QCOMPARE(m_hid->calls[1].op, 's');
    QCOMPARE(m_hid->calls[2].op, 'r');

    // Start over a running run: the table restarts, the link is still held once.
    queueSeconds(*m_hid, {{600}});
    while (!m_hid->replies.empty())
        run.tick();
    QCOMPARE(run.table().rows(), 1);
    run.start(std::nullopt, logPath());
    QCOMPARE(run.table().rows(), 0);
    QCOMPARE(run.secondsLeft(), 9); // no entry chosen: the length as it was
    run.end();
    QVERIFY(m_pollOn);
    QCOMPARE(m_timerSwitches, 2);
    run.end();
    QCOMPARE(m_timerSwitches, 2);
    QCOMPARE(run.tick(), LeqRun::Tick::Idle);
}

void TestLeqRun::endsAfterItsDuration()
{
    LeqRun run(*m_link);
    run.start(3, logPath());
    queueSeconds(*m_hid, {{600}, {610}, {620}, {630}, {640}});
    while (run.running() && !m_hid->replies.empty())
        run.tick();
    QVERIFY(!run.running());
    QVERIFY(m_pollOn);
    QCOMPARE(run.table().rows(), 3);
    QCOMPARE(run.secondsLeft(), 0);
    // The reading that completed the third second ended the run; the next ones are not read.
    QCOMPARE(m_hid->replies.size(), size_t(4));
}

void TestLeqRun::failedReadsEndTheRunAtThe51st_data()
{
    QTest::addColumn<int>("goodBetween"); // good readings between two failed ones
    QTest::newRow("no meter") << 0;
    QTest::newRow("scattered over a long run") << 40;
}

void TestLeqRun::failedReadsEndTheRunAtThe51st()
{
    QFETCH(int, goodBetween);
    int reads = 0;
    m_hid->devicePresent = goodBetween > 0;
    m_hid->replyFor = [&](const CommandFrame &, ReplyBuffer &r) {
        const int n = reads++;
        if (goodBetween == 0 || n % (goodBetween + 1) == goodBetween)
            return false;
        const QTime t = m_clock->now().time();
        r = reading(650, intToBcd(t.second()));
        return true;
    };
    LeqRun run(*m_link);
    run.start(86400, logPath());
    int failures = 0;
    LeqRun::Tick last = LeqRun::Tick::Idle;
    while (run.running()) {
        m_clock->advance(LeqRun::kTickMs);
        last = run.tick();
        failures += last == LeqRun::Tick::ReadFailed || last == LeqRun::Tick::TooManyFailures;
    }
    QCOMPARE(last, LeqRun::Tick::TooManyFailures);
    QCOMPARE(failures, 51);
    QCOMPARE(run.failedReads(), 51);
    QVERIFY(m_pollOn);
    QCOMPARE(run.table().rows() > 0, goodBetween > 0);
}

void TestLeqRun::logsEveryReading()
{
    LeqRun run(*m_link);
    run.start(1, logPath());
    m_hid->replies.push_back(reading(652, 0x09));
    m_hid->replies.push_back(reading(0x1A, 0x09));
    ReplyBuffer noClock = reading(700, 0x1A);
    m_clock->setNow(QDateTime(QDate(2024, 3, 5), QTime(15, 0, 1, 500)));
    m_hid->replies.push_back(noClock);
    runUntilEnd(run);
    QFile f(logPath());
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("14:07:09\t65.2\r\n14:07:09\t2.6\r\n15:00:01\t70.0\r\n"));
}

void TestLeqRun::runsWithoutALogItCannotWrite()
{
    QFile blocker(m_dir->filePath(QStringLiteral("temp")));
    QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    LeqRun run(*m_link);
    run.start(1, logPath());
    QVERIFY(run.logError().contains(QStringLiteral("LEQ.txt")));
    queueSeconds(*m_hid, {{600}});
    runUntilEnd(run);
    QCOMPARE(run.table().rows(), 1);
}

void TestLeqRun::timeLeftAndDurations()
{
    QCOMPARE(timeLeftText(600), QStringLiteral("0:10:0"));
    QCOMPARE(timeLeftText(0), QStringLiteral("0:0:0"));
    QCOMPARE(timeLeftText(3661), QStringLiteral("1:1:1"));
    QCOMPARE(timeLeftText(86400), QStringLiteral("24:0:0"));
    QCOMPARE(timeLeftText(-1), QStringLiteral("0:0:0"));
    QCOMPARE(durationOfEntry(0), std::optional<int>(10));
    QCOMPARE(durationOfEntry(7), std::optional<int>(28800));
    QCOMPARE(durationOfEntry(9), std::optional<int>(86400));
    QCOMPARE(durationOfEntry(-1), std::nullopt);
    QCOMPARE(durationOfEntry(10), std::nullopt);
}

QTEST_GUILESS_MAIN(TestLeqRun)
#include "tst_LeqRun.moc"
