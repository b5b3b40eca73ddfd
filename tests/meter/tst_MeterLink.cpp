// SPDX-License-Identifier: GPL-3.0-or-later
#include "meter/MeterLink.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FaultyLink.h"
#include "tests/support/ScriptedLink.h"

#include <QTest>

using namespace ql708;
using test::FaultyLink;
using test::ScriptedLink;

namespace {

// A meter that answers the handshake and echoes each status command's sequence number.
struct Meter {
    ScriptedLink hid;
    bool echo = true;
    bool recording = false;
    Meter()
    {
        hid.answerLikeMeter([this](const CommandFrame &f, ReplyBuffer &r) {
            r[1] = recording ? 0x01 : 0x00;
            r[30] = echo ? f[5] : std::uint8_t(f[5] + 1);
        });
    }
};

} // namespace

class TestMeterLink : public QObject {
    Q_OBJECT
private slots:
    void handshakeConnectsOnlyOn617();
    void failuresLoseTheMeterAtTheFifth_data();
    void failuresLoseTheMeterAtTheFifth();
    void sequenceWrapsAndIsEchoed();
    void badFramingIsASuccessThatDecodesNothing();
    void echoMismatchSendsQ();
    void closedPanelKeepsRecordingFlag();
    void keyFrameCarriesLastSequence();
    void keyWithoutDeviceFailsWithoutClose();
    void takeOverStopsAndRestartsThePoll();
    void nestedTakeOversRestartThePollOnce();
    void takeOverWaitsForARunningPoll_data();
    void takeOverWaitsForARunningPoll();
    void handshakeNeedsEachDigit_data();
    void handshakeNeedsEachDigit();
    void matchingEchoSendsNoAbort();
};

void TestMeterLink::handshakeConnectsOnlyOn617()
{
    Meter m;
    MeterLink link(m.hid);
    m.hid.replyFor = [](const CommandFrame &, ReplyBuffer &r) {
        r.fill(0);
        r[23] = '6', r[24] = '1', r[25] = '8';
        return true;
    };
    QCOMPARE(link.tick(true).kind, PollResult::Nothing);
    QVERIFY(!link.meterConnected());

    Meter good;
    MeterLink link2(good.hid);
    QCOMPARE(link2.tick(true).kind, PollResult::Connected);
    QVERIFY(link2.meterConnected());
    const QList<CommandFrame> sent = good.hid.written();
    QCOMPARE(sent.size(), 1);
    QCOMPARE(sent[0][1], std::uint8_t('K'));
    // close, open, time-outs, write, settle, read, close
    QCOMPARE(good.hid.calls.size(), 7);
    QCOMPARE(good.hid.calls[2].timeout, 1000);
}

void TestMeterLink::failuresLoseTheMeterAtTheFifth_data()
{
    QTest::addColumn<int>("failures");
    QTest::addColumn<bool>("connected");
    QTest::newRow("four then a success") << 4 << true;
    QTest::newRow("five") << 5 << false;
}

void TestMeterLink::failuresLoseTheMeterAtTheFifth()
{
    QFETCH(int, failures);
    QFETCH(bool, connected);
    Meter m;
    FaultyLink faulty(m.hid);
    MeterLink link(faulty);
    QCOMPARE(link.tick(true).kind, PollResult::Connected);
    faulty.failAllReads = true;
    PollResult last;
    for (int i = 0; i < failures; ++i)
        last = link.tick(true);
    QCOMPARE(last.kind, failures == 5 ? PollResult::Lost : PollResult::Nothing);
    QCOMPARE(link.failedPolls(), failures == 5 ? 0 : 4);
    faulty.failAllReads = false;
    const PollResult next = link.tick(true);
    QCOMPARE(link.meterConnected(), true); // a lost meter reconnects by the next handshake
    QCOMPARE(next.kind, connected ? PollResult::StatusRead : PollResult::Connected);
    QCOMPARE(link.failedPolls(), 0);
}

void TestMeterLink::sequenceWrapsAndIsEchoed()
{
    Meter m;
    MeterLink link(m.hid);
    link.tick(true);
    for (int i = 0; i < 255; ++i)
        QCOMPARE(link.tick(true).kind, PollResult::StatusRead);
    QCOMPARE(int(link.sequence()), 255);
    link.tick(true);
    QCOMPARE(int(link.sequence()), 0);
    QCOMPARE(int(m.hid.written().last()[5]), 0);
}

void TestMeterLink::badFramingIsASuccessThatDecodesNothing()
{
    Meter m;
    FaultyLink faulty(m.hid);
    MeterLink link(faulty);
    link.tick(true);
    m.recording = true;
    faulty.corruptFraming = true;
    for (int i = 0; i < 6; ++i)
        QCOMPARE(link.tick(true).kind, PollResult::StatusDropped);
    QVERIFY(link.meterConnected());
    QVERIFY(!link.meterRecording());
}

void TestMeterLink::echoMismatchSendsQ()
{
    Meter m;
    MeterLink link(m.hid);
    link.tick(true);
    m.echo = false;
    m.hid.calls.clear();
    QCOMPARE(link.tick(true).kind, PollResult::StatusRead); // the mismatch does not fail the poll
    const QList<CommandFrame> sent = m.hid.written();
    QCOMPARE(sent.size(), 2);
    QCOMPARE(sent[0][1], std::uint8_t('A'));
    QCOMPARE(sent[1][1], std::uint8_t('Q'));
    QCOMPARE(m.hid.calls.last().op, 'c');

    // A failed read leaves the echo byte 0, which mismatches too.
    FaultyLink faulty(m.hid);
    MeterLink link2(faulty);
    link2.tick(true);
    faulty.failAllReads = true;
    m.hid.calls.clear();
    link2.tick(true);
    QCOMPARE(m.hid.written().last()[1], std::uint8_t('Q'));
}

void TestMeterLink::closedPanelKeepsRecordingFlag()
{
    Meter m;
    MeterLink link(m.hid);
    link.tick(true);
    m.recording = true;
    QCOMPARE(link.tick(true).kind, PollResult::StatusRead);
    QVERIFY(link.meterRecording());
    m.recording = false;
    QCOMPARE(link.tick(false).kind, PollResult::StatusDropped);
    QVERIFY(link.meterRecording());
}

void TestMeterLink::keyFrameCarriesLastSequence()
{
    Meter m;
    MeterLink link(m.hid);
    link.tick(true);
    link.tick(true);
    link.tick(true);
    m.hid.calls.clear();
    QVERIFY(link.keyExchange(MeterCommand('C')));
    const CommandFrame f = m.hid.written().value(0);
    QCOMPARE(f, (CommandFrame{kStx, 'C', 0, 0, 0, 2, kEtx}));
    // close, open, 500 ms time-outs, write, close: nothing is read
    QCOMPARE(m.hid.calls.size(), 5);
    QCOMPARE(m.hid.calls[2].timeout, 500);
}

void TestMeterLink::keyWithoutDeviceFailsWithoutClose()
{
    ScriptedLink hid;
    hid.devicePresent = false;
    MeterLink link(hid);
    QVERIFY(!link.keyExchange(MeterCommand('L')));
    QCOMPARE(hid.calls.size(), 2); // the opening close and the failed open
}

void TestMeterLink::takeOverStopsAndRestartsThePoll()
{
    test::FakeClock clock;
    ScriptedLink hid;
    MeterLink link(hid);
    QList<bool> switches;
    link.setPollTimerSwitch([&](bool on) { switches.append(on); });
    {
        LinkTakeOver guard(link, MeterLink::kTakeOverLimitMs);
        QCOMPARE(switches, QList<bool>{false});
    }
    QCOMPARE(switches, (QList<bool>{false, true}));
}

void TestMeterLink::nestedTakeOversRestartThePollOnce()
{
    ScriptedLink hid;
    MeterLink link(hid);
    QList<bool> switches;
    link.setPollTimerSwitch([&](bool on) { switches.append(on); });
    {
        LinkTakeOver dialog(link);
        {
            LinkTakeOver download(link);
        }
        QVERIFY(!switches.contains(true)); // the dialog still holds the link
    }
    QCOMPARE(switches.count(true), 1);
    QCOMPARE(switches.last(), true);
    LinkTakeOver again(link); // the count is back at the start
    QCOMPARE(switches.last(), false);
}

void TestMeterLink::takeOverWaitsForARunningPoll_data()
{
    QTest::addColumn<bool>("duringTick");
    QTest::addColumn<int>("limitMs");
    QTest::addColumn<int>("waitedMs");
    QTest::newRow("between ticks: no wait") << false << MeterLink::kTakeOverLimitMs << 0;
    QTest::newRow("during a tick: the whole limit") << true << MeterLink::kTakeOverLimitMs
                                                    << MeterLink::kTakeOverLimitMs;
    QTest::newRow("during a tick: a short limit") << true << 40 << 40;
}

void TestMeterLink::takeOverWaitsForARunningPoll()
{
    QFETCH(bool, duringTick);
    QFETCH(int, limitMs);
    QFETCH(int, waitedMs);
    test::FakeClock clock;
    Meter m;
    MeterLink link(m.hid);
    qint64 waited = -1;
    auto takeOver = [&] {
        const qint64 start = clock.tickMs();
        LinkTakeOver guard(link, limitMs);
        waited = clock.tickMs() - start;
    };
    if (duringTick) {
        // A command asked for the link while the tick's exchange was under way.
        m.hid.replyFor = [&](const CommandFrame &, ReplyBuffer &) {
            takeOver();
            return false;
        };
        link.tick(true);
    } else {
        takeOver();
    }
    QCOMPARE(waited, qint64(waitedMs));
}

void TestMeterLink::handshakeNeedsEachDigit_data()
{
    QTest::addColumn<int>("at");
    QTest::addColumn<QByteArray>("digits");
    QTest::addColumn<bool>("connects");
    QTest::newRow("617") << 23 << QByteArray("617") << true;
    QTest::newRow("607") << 23 << QByteArray("607") << false;
    QTest::newRow("517") << 23 << QByteArray("517") << false;
    QTest::newRow("618") << 23 << QByteArray("618") << false;
    QTest::newRow("716") << 23 << QByteArray("716") << false;
    QTest::newRow("617 a byte early") << 22 << QByteArray("617") << false;
    QTest::newRow("617 a byte late") << 24 << QByteArray("617") << false;
}

void TestMeterLink::handshakeNeedsEachDigit()
{
    QFETCH(int, at);
    QFETCH(QByteArray, digits);
    QFETCH(bool, connects);
    ScriptedLink hid;
    hid.replyFor = [&](const CommandFrame &, ReplyBuffer &r) {
        // Every other byte is one the system ignores, and not zero.
        r.fill(0xEE);
        std::copy(digits.begin(), digits.end(), r.begin() + at);
        return true;
    };
    MeterLink link(hid);
    QCOMPARE(link.tick(true).kind, connects ? PollResult::Connected : PollResult::Nothing);
    QCOMPARE(link.meterConnected(), connects);
}

void TestMeterLink::matchingEchoSendsNoAbort()
{
    // Over a full turn of the sequence number, and past it, each poll is one status frame.
    constexpr int kPolls = 300;
    Meter m;
    MeterLink link(m.hid);
    QCOMPARE(link.tick(true).kind, PollResult::Connected);
    for (int i = 0; i < kPolls; ++i)
        QCOMPARE(link.tick(true).kind, PollResult::StatusRead);
    const QList<CommandFrame> sent = m.hid.written();
    QCOMPARE(sent.size(), 1 + kPolls);
    QCOMPARE(sent[0][1], std::uint8_t('K'));
    for (int i = 1; i <= kPolls; ++i) {
        QCOMPARE(sent[i][1], std::uint8_t('A'));
        QCOMPARE(int(sent[i][5]), i % 256);
    }
}

QTEST_GUILESS_MAIN(TestMeterLink)
#include "tst_MeterLink.moc"
