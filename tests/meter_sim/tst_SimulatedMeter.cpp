// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/DateTime.h"
#include "meter/MeterLink.h"
#include "meter/MeterStatus.h"
#include "meter/sim/SimulatedMeter.h"
#include "tests/support/FakeClock.h"

#include <QtTest>

#include <optional>

using namespace ql708;

namespace {

constexpr int kMemorySize = 256256;

// A meter on a fake clock, driven the way the program drives it: every exchange closes,
// opens, sets the time-outs, writes, settles and reads.
struct Rig {
    test::FakeClock clock;
    SimulatedMeter meter;

    explicit Rig(int paceMs = 0) : meter(SimulatedMeter::kDefaultSeed, paceMs) {}

    std::optional<ReplyBuffer> exchange(const CommandFrame &f)
    {
        meter.close();
        if (meter.open(kMeterVendorId, kMeterProductId) || meter.setTimeouts(1000, 1000) ||
            meter.writeCommand(f))
            return {};
        meter.settle();
        ReplyBuffer r{};
        if (meter.readReply(r))
            return {};
        return r;
    }
    MeterStatus status(std::uint8_t sequence = 1)
    {
        return decodeMeterStatus(exchange(makeFrame(MeterCommand('A'), 0, 0, 0, sequence)).value_or(ReplyBuffer{}));
    }
    void keys(const QByteArray &letters)
    {
        for (char k : letters) {
            meter.close();
            meter.open(kMeterVendorId, kMeterProductId);
            meter.setTimeouts(500, 500);
            meter.writeCommand(makeFrame(MeterCommand(k)));
        }
        meter.close();
    }
    std::optional<ReplyBuffer> writeByte(int address, std::uint8_t data)
    {
        return exchange(makeFrame(MeterCommand('W'), std::uint8_t(address >> 16), std::uint8_t(address >> 8),
                                  std::uint8_t(address), data));
    }
    void settleSound(double dB)
    {
        meter.forceSound(dB);
        clock.advance(20000);
    }
    // Reads the memory as the download does: the first block, then as many blocks as the
    // header's last address asks for. Empty when a block is missing.
    QByteArray download()
    {
        QByteArray image;
        auto block = exchange(makeFrame(MeterCommand('P')));
        if (!block)
            return {};
        image.append(reinterpret_cast<const char *>(block->data()), 32);
        const int last = std::uint8_t(image[11]) << 16 | std::uint8_t(image[12]) << 8 | std::uint8_t(image[13]);
        const int size = (last + 1 + 31) / 32 * 32;
        while (image.size() < size) {
            ReplyBuffer r{};
            if (meter.writeCommand(makeFrame(MeterCommand('p'))) || meter.readReply(r))
                return {};
            image.append(reinterpret_cast<const char *>(r.data()), 32);
        }
        meter.writeCommand(makeFrame(MeterCommand('q')));
        return image;
    }
};

quint8 at(const QByteArray &image, int i) { return i >= 0 && i < image.size() ? quint8(image[i]) : 0; }
int be(const QByteArray &image, int i, int n)
{
    int v = 0;
    for (int k = 0; k < n; ++k)
        v = v << 8 | at(image, i + k);
    return v;
}

// One record of an image, read by the layout the data set parser expects.
struct Record {
    int start = 0, end = 0, points = 0, interval = 0;
    quint8 flags = 0;
    QByteArray startBcd, wav;
    bool markersOk = false;
};

QList<Record> records(const QByteArray &image)
{
    QList<Record> out;
    int p = 256;
    for (int k = 0; k < be(image, 9, 2) && p + 25 < image.size(); ++k) {
        Record r;
        r.start = p;
        r.points = be(image, p + 11, 3);
        r.end = p + 25 + 2 * r.points;
        r.interval = at(image, p + 10);
        r.flags = at(image, p + 14);
        r.startBcd = image.mid(p + 3, 6);
        r.wav = image.mid(p + 15, 8);
        r.markersOk = at(image, p) == 0xA5 && at(image, p + 1) == 0x5A &&
                      at(image, r.end - 1) == 0x5A && at(image, r.end) == 0xA5;
        out.append(r);
        p = r.end + 1;
    }
    return out;
}

QByteArray bcdOf(const QDateTime &t)
{
    const int v[] = {t.date().year() - 2000, t.date().month(), t.date().day(),
                     t.time().hour(), t.time().minute(), t.time().second()};
    QByteArray out;
    for (int x : v)
        out.append(char(intToBcd(x)));
    return out;
}

} // namespace

class TestSimulatedMeter : public QObject {
    Q_OBJECT

private slots:
    void handshakeIdentifiesMeter();
    void statusEchoesSequence_data();
    void statusEchoesSequence();
    void keysChangeState_data();
    void keysChangeState();
    void repliesQueueUntilReadOrAborted_data();
    void repliesQueueUntilReadOrAborted();
    void readWaitsForItsReplyAtMostTheTimeOut_data();
    void readWaitsForItsReplyAtMostTheTimeOut();
    void pacedDownloadSpendsAFramePerBlock_data();
    void pacedDownloadSpendsAFramePerBlock();
    void paceFromEnvironment_data();
    void paceFromEnvironment();
    void lateReplyIsRecoveredByAbort_data();
    void lateReplyIsRecoveredByAbort();
    void openNeedsMeterIds_data();
    void openNeedsMeterIds();
    void unpluggedMeterFails();
    void levelFlagsFollowRange_data();
    void levelFlagsFollowRange();
    void fastSettlesSoonerThanSlow();
    void maxMinTracksExtremes();
    void downloadFindsExampleSets();
    void exampleSetsHoldWhatALoggerHolds_data();
    void exampleSetsHoldWhatALoggerHolds();
    void downloadBeyondMemoryAndWithoutStart();
    void informationReply();
    void byteWriteAndRead_data();
    void byteWriteAndRead();
    void clockBlockSetsMeterClock();
    void eraseEmptiesMemory();
    void recordingAppendsRecord_data();
    void recordingAppendsRecord();
    void recordingStopsWhenMemoryFull();
};

void TestSimulatedMeter::handshakeIdentifiesMeter()
{
    Rig rig;
    const auto r = rig.exchange(makeFrame(MeterCommand('K')));
    QVERIFY(r);
    QVERIFY(isHandshakeReply(*r));
    QVERIFY(isFramedReply(*r));
}

void TestSimulatedMeter::statusEchoesSequence_data()
{
    QTest::addColumn<int>("sequence");
    QTest::newRow("0") << 0;
    QTest::newRow("1") << 1;
    QTest::newRow("255") << 255;
}

void TestSimulatedMeter::statusEchoesSequence()
{
    QFETCH(int, sequence);
    Rig rig;
    const auto r = rig.exchange(makeFrame(MeterCommand('A'), 0, 0, 0, std::uint8_t(sequence)));
    QVERIFY(r);
    QVERIFY(isFramedReply(*r));
    QCOMPARE(int((*r)[status_layout::kSequenceEcho]), sequence);
    // The fake clock starts on 5 March 2024 at 14:07:09.
    const MeterStatus s = decodeMeterStatus(*r);
    QCOMPARE(s.clockHours, 0x14);
    QCOMPARE(s.clockMinutes, 0x07);
    QCOMPARE(s.clockSeconds, 0x09);
    QCOMPARE(s.clockDay, 0x05);
    QCOMPARE(s.clockMonth, 0x03);
    QCOMPARE(s.clockYear, 0x24);
    QVERIFY(s.level >= 300 && s.level <= 1300);
}

void TestSimulatedMeter::keysChangeState_data()
{
    QTest::addColumn<QByteArray>("keys");
    QTest::addColumn<int>("range");
    QTest::addColumn<bool>("aWeighting");
    QTest::addColumn<bool>("fast");
    QTest::addColumn<bool>("maxMinActive");
    QTest::addColumn<int>("maxMinMode");
    QTest::addColumn<bool>("recording");

    QTest::newRow("start") << QByteArray() << 0x88 << true << true << false << 0x00 << false;
    QTest::newRow("L") << QByteArray("L") << 0x11 << true << true << false << 0x00 << false;
    QTest::newRow("LL") << QByteArray("LL") << 0x22 << true << true << false << 0x00 << false;
    QTest::newRow("LLL") << QByteArray("LLL") << 0x44 << true << true << false << 0x00 << false;
    QTest::newRow("LLLL wraps") << QByteArray("LLLL") << 0x88 << true << true << false << 0x00 << false;
    QTest::newRow("LLLLL") << QByteArray("LLLLL") << 0x11 << true << true << false << 0x00 << false;
    QTest::newRow("C") << QByteArray("C") << 0x88 << false << true << false << 0x00 << false;
    QTest::newRow("CC") << QByteArray("CC") << 0x88 << true << true << false << 0x00 << false;
    QTest::newRow("F") << QByteArray("F") << 0x88 << true << false << false << 0x00 << false;
    QTest::newRow("M") << QByteArray("M") << 0x88 << true << true << true << 0x11 << false;
    QTest::newRow("MM") << QByteArray("MM") << 0x88 << true << true << true << 0x22 << false;
    QTest::newRow("MMM") << QByteArray("MMM") << 0x88 << true << true << true << 0x44 << false;
    QTest::newRow("MMMM wraps") << QByteArray("MMMM") << 0x88 << true << true << true << 0x11 << false;
    QTest::newRow("MMN cancels") << QByteArray("MMN") << 0x88 << true << true << false << 0x00 << false;
    QTest::newRow("w records") << QByteArray("w") << 0x88 << true << true << false << 0x00 << true;
    QTest::newRow("v records") << QByteArray("v") << 0x88 << true << true << false << 0x00 << true;
    QTest::newRow("wu stops") << QByteArray("wu") << 0x88 << true << true << false << 0x00 << false;
    QTest::newRow("modes locked while recording")
        << QByteArray("wLCF") << 0x88 << true << true << false << 0x00 << true;
    QTest::newRow("MAX/MIN while recording") << QByteArray("wM") << 0x88 << true << true << true << 0x11 << true;
}

void TestSimulatedMeter::keysChangeState()
{
    QFETCH(QByteArray, keys);
    Rig rig;
    rig.keys(keys);
    const MeterStatus s = rig.status();
    QTEST(int(s.rangeCode), "range");
    QTEST(s.aWeighting, "aWeighting");
    QTEST(s.fastResponse, "fast");
    QTEST(s.maxMinActive, "maxMinActive");
    QTEST(int(s.maxMinMode), "maxMinMode");
    QTEST(s.recording, "recording");
}

void TestSimulatedMeter::repliesQueueUntilReadOrAborted_data()
{
    // Letters are written in turn, each 'A' with the next sequence number from 1; '|'
    // closes the device and opens it again; '!' is a frame without its end byte. The
    // replies read afterwards show as 'K' for the handshake and the echoed number for 'A'.
    QTest::addColumn<QByteArray>("written");
    QTest::addColumn<QByteArray>("read");
    QTest::newRow("one reply per command") << QByteArray("A") << QByteArray("1");
    QTest::newRow("a key leaves the reply waiting") << QByteArray("AF") << QByteArray("1");
    QTest::newRow("in the order asked") << QByteArray("KAA") << QByteArray("K12");
    QTest::newRow("kept across a close") << QByteArray("A|A") << QByteArray("12");
    QTest::newRow("abort drops what waits") << QByteArray("KAQ") << QByteArray();
    QTest::newRow("answers after an abort") << QByteArray("AQA") << QByteArray("2");
    QTest::newRow("end of download has no reply") << QByteArray("q") << QByteArray();
    QTest::newRow("unframed command ignored") << QByteArray("!") << QByteArray();
    QTest::newRow("room for eight") << QByteArray("AAAAAAAAAA") << QByteArray("12345678");
}

void TestSimulatedMeter::repliesQueueUntilReadOrAborted()
{
    QFETCH(QByteArray, written);
    Rig rig;
    SimulatedMeter &m = rig.meter;
    ReplyBuffer r{};
    QVERIFY(m.readReply(r) != 0); // closed
    QCOMPARE(m.open(kMeterVendorId, kMeterProductId), 0);
    std::uint8_t sequence = 0;
    for (char c : written) {
        if (c == '|') {
            m.close();
            QVERIFY(m.readReply(r) != 0);
            QCOMPARE(m.open(kMeterVendorId, kMeterProductId), 0);
            continue;
        }
        CommandFrame f = makeFrame(MeterCommand(c == '!' ? 'K' : c), 0, 0, 0, c == 'A' ? ++sequence : 0);
        if (c == '!')
            f[6] = 0;
        QCOMPARE(m.writeCommand(f), 0);
    }
    QByteArray read;
    while (read.size() < 20 && m.readReply(r) == 0)
        read.append(isHandshakeReply(r) ? 'K' : char('0' + r[status_layout::kSequenceEcho]));
    QTEST(read, "read");
}

void TestSimulatedMeter::readWaitsForItsReplyAtMostTheTimeOut_data()
{
    QTest::addColumn<int>("pace");
    QTest::addColumn<int>("busy");
    QTest::addColumn<char>("command");
    QTest::addColumn<int>("timeout");
    QTest::addColumn<bool>("read");
    QTest::addColumn<int>("elapsed");
    QTest::newRow("no pace") << 0 << 0 << 'A' << 1000 << true << 0;
    QTest::newRow("one 1 ms frame") << 1 << 0 << 'A' << 1000 << true << 1;
    QTest::newRow("10 ms frames, short time-out") << 10 << 0 << 'A' << 100 << true << 10;
    QTest::newRow("frame as long as the time-out") << 100 << 0 << 'A' << 100 << true << 100;
    QTest::newRow("frame beyond the time-out") << 150 << 0 << 'A' << 100 << false << 100;
    QTest::newRow("busy meter") << 0 << 1500 << 'A' << 1000 << false << 1000;
    QTest::newRow("busy meter, patient read") << 0 << 1500 << 'A' << 2000 << true << 1500;
    QTest::newRow("no reply, no pace") << 0 << 0 << 'F' << 1000 << false << 0;
    QTest::newRow("no reply, paced") << 1 << 0 << 'F' << 1000 << false << 1000;
}

void TestSimulatedMeter::readWaitsForItsReplyAtMostTheTimeOut()
{
    QFETCH(int, pace);
    QFETCH(int, busy);
    QFETCH(char, command);
    QFETCH(int, timeout);
    QFETCH(bool, read);
    Rig rig(pace);
    SimulatedMeter &m = rig.meter;
    m.setBusyFor(busy);
    QCOMPARE(m.open(kMeterVendorId, kMeterProductId), 0);
    QCOMPARE(m.setTimeouts(timeout, timeout), 0);
    QCOMPARE(m.writeCommand(makeFrame(MeterCommand(command), 0, 0, 0, 1)), 0);
    const qint64 start = rig.clock.tickMs();
    ReplyBuffer r{};
    QCOMPARE(m.readReply(r) == 0, read);
    QTEST(int(rig.clock.tickMs() - start), "elapsed");
    if (!read && command == 'A') {
        // The reply is late, not lost: the next read gets it.
        QCOMPARE(m.readReply(r), 0);
        QCOMPARE(int(r[status_layout::kSequenceEcho]), 1);
    }
}

void TestSimulatedMeter::pacedDownloadSpendsAFramePerBlock_data()
{
    QTest::addColumn<int>("pace");
    QTest::newRow("1 ms frames") << 1;
    QTest::newRow("10 ms frames") << 10;
}

void TestSimulatedMeter::pacedDownloadSpendsAFramePerBlock()
{
    QFETCH(int, pace);
    Rig rig(pace);
    const qint64 start = rig.clock.tickMs();
    const QByteArray image = rig.download();
    QVERIFY(image.size() > 32 * 50);
    QCOMPARE(rig.clock.tickMs() - start, qint64(image.size() / 32 * pace));
}

void TestSimulatedMeter::paceFromEnvironment_data()
{
    QTest::addColumn<QByteArray>("value"); // a null value leaves the variable unset
    QTest::addColumn<int>("pace");
    QTest::addColumn<bool>("warned");
    QTest::newRow("unset") << QByteArray() << 0 << false;
    QTest::newRow("1 ms") << QByteArray("1") << 1 << false;
    QTest::newRow("10 ms with blanks") << QByteArray(" 10 ") << 10 << false;
    QTest::newRow("off") << QByteArray("0") << 0 << false;
    QTest::newRow("longest") << QByteArray("1000") << 1000 << false;
    QTest::newRow("too long") << QByteArray("1001") << 0 << true;
    QTest::newRow("negative") << QByteArray("-3") << 0 << true;
    QTest::newRow("no number") << QByteArray("fast") << 0 << true;
}

void TestSimulatedMeter::paceFromEnvironment()
{
    QFETCH(QByteArray, value);
    QFETCH(int, pace);
    QFETCH(bool, warned);
    if (warned)
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("is not a pace"));
    if (value.isNull())
        qunsetenv(SimulatedMeter::kPaceVariable);
    else
        qputenv(SimulatedMeter::kPaceVariable, value);
    test::FakeClock clock;
    const SimulatedMeter meter;
    qunsetenv(SimulatedMeter::kPaceVariable);
    QCOMPARE(meter.paceMs(), pace);
}

void TestSimulatedMeter::lateReplyIsRecoveredByAbort_data()
{
    QTest::addColumn<bool>("connectedFirst");
    // A status reply that comes after its read gave up, and a handshake reply that does,
    // which the first status poll then reads in place of its own.
    QTest::newRow("status answered late") << true;
    QTest::newRow("handshake answered late") << false;
}

void TestSimulatedMeter::lateReplyIsRecoveredByAbort()
{
    QFETCH(bool, connectedFirst);
    Rig rig;
    MeterLink link(rig.meter);
    if (connectedFirst)
        QCOMPARE(link.tick(true).kind, PollResult::Connected);
    rig.meter.setBusyFor(MeterLink::kTimeoutMs + 500);
    int aborts = 0;
    for (int i = 0; i < 5; ++i) {
        link.tick(true);
        rig.clock.advance(500);
        aborts += link.frame()[1] == 'Q';
    }
    QVERIFY(link.meterConnected());
    QCOMPARE(aborts, 1);
    // From then on every poll reads the reply to its own command and sends nothing more.
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(link.tick(true).kind, PollResult::StatusRead);
        QCOMPARE(int(link.reply()[status_layout::kSequenceEcho]), int(link.sequence()));
        QCOMPARE(link.frame()[1], std::uint8_t('A'));
    }
}

void TestSimulatedMeter::openNeedsMeterIds_data()
{
    QTest::addColumn<int>("vendor");
    QTest::addColumn<int>("product");
    QTest::addColumn<bool>("opens");
    QTest::newRow("meter") << 0x04D9 << 0xE000 << true;
    QTest::newRow("other vendor") << 0x04DA << 0xE000 << false;
    QTest::newRow("other product") << 0x04D9 << 0xE001 << false;
}

void TestSimulatedMeter::openNeedsMeterIds()
{
    QFETCH(int, vendor);
    QFETCH(int, product);
    QFETCH(bool, opens);
    Rig rig;
    QCOMPARE(rig.meter.open(std::uint16_t(vendor), std::uint16_t(product)) == 0, opens);
    QCOMPARE(rig.meter.isOpen(), opens);
}

void TestSimulatedMeter::unpluggedMeterFails()
{
    Rig rig;
    SimulatedMeter &m = rig.meter;
    QCOMPARE(m.open(kMeterVendorId, kMeterProductId), 0);
    QCOMPARE(m.writeCommand(makeFrame(MeterCommand('A'), 0, 0, 0, 7)), 0);
    m.setPluggedIn(false);

    ReplyBuffer r{};
    QByteArray serial;
    QVERIFY(m.readReply(r) != 0);
    QVERIFY(m.writeCommand(makeFrame(MeterCommand('K'))) != 0);
    QVERIFY(m.setTimeouts(1000, 1000) != 0);
    QVERIFY(m.serialText(serial) != 0);
    QVERIFY(m.open(kMeterVendorId, kMeterProductId) != 0);
    QVERIFY(!rig.exchange(makeFrame(MeterCommand('K'))));

    m.setPluggedIn(true);
    // The reply queued before the meter was unplugged is gone.
    const auto r2 = rig.exchange(makeFrame(MeterCommand('K')));
    QVERIFY(r2 && isHandshakeReply(*r2));
    QCOMPARE(m.serialText(serial), 0);
    QVERIFY(!serial.isEmpty());
}

void TestSimulatedMeter::levelFlagsFollowRange_data()
{
    QTest::addColumn<QByteArray>("rangeKeys");
    QTest::addColumn<double>("sound");
    QTest::addColumn<int>("level");
    QTest::addColumn<bool>("over");
    QTest::addColumn<bool>("under");

    QTest::newRow("30-130 inside") << QByteArray() << 95.0 << 950 << false << false;
    QTest::newRow("30-90 over") << QByteArray("L") << 95.0 << 900 << true << false;
    QTest::newRow("30-90 under") << QByteArray("L") << 25.0 << 300 << false << true;
    QTest::newRow("30-90 top edge") << QByteArray("L") << 90.0 << 900 << false << false;
    QTest::newRow("50-110 inside") << QByteArray("LL") << 80.4 << 804 << false << false;
    QTest::newRow("70-130 under") << QByteArray("LLL") << 65.0 << 700 << false << true;
    QTest::newRow("70-130 over") << QByteArray("LLL") << 135.0 << 1300 << true << false;
}

void TestSimulatedMeter::levelFlagsFollowRange()
{
    QFETCH(QByteArray, rangeKeys);
    QFETCH(double, sound);
    Rig rig;
    rig.keys(rangeKeys);
    rig.settleSound(sound);
    const MeterStatus s = rig.status();
    QTEST(int(s.level), "level");
    QTEST(s.over, "over");
    QTEST(s.under, "under");
}

void TestSimulatedMeter::fastSettlesSoonerThanSlow()
{
    auto levelOneSecondAfterDrop = [](const QByteArray &keys) {
        Rig rig;
        rig.keys(keys);
        rig.settleSound(80.0);
        rig.meter.forceSound(40.0);
        rig.clock.advance(1000);
        return rig.status().level;
    };
    QVERIFY(levelOneSecondAfterDrop("") < 500);   // FAST
    QVERIFY(levelOneSecondAfterDrop("F") > 750);  // SLOW
}

void TestSimulatedMeter::maxMinTracksExtremes()
{
    Rig rig;
    rig.settleSound(60.0);
    rig.keys("M");
    rig.settleSound(80.0);
    rig.settleSound(50.0);
    MeterStatus s = rig.status();
    QCOMPARE(s.maxLevel, 800);
    QCOMPARE(s.minLevel, 500);
    QCOMPARE(s.level, 500);
    QCOMPARE(s.shownLevel(), 800);
    rig.keys("M");
    QCOMPARE(rig.status().shownLevel(), 500);
    // Cancelling forgets the extremes; a new MAX/MIN starts from the present level.
    rig.keys("NM");
    s = rig.status();
    QCOMPARE(s.maxLevel, 500);
    QCOMPARE(s.minLevel, 500);
}

void TestSimulatedMeter::downloadFindsExampleSets()
{
    Rig rig;
    const QByteArray image = rig.download();
    QVERIFY(!image.isEmpty());
    QCOMPARE(at(image, 0), 0x04);
    QCOMPARE(at(image, 31), 0x05);
    const int last = be(image, 11, 3);
    QCOMPARE(last, rig.meter.lastAddress());
    QCOMPARE(image.left(last + 1), rig.meter.memory().left(last + 1));

    const QList<Record> recs = records(image);
    QCOMPARE(recs.size(), 5);
    QCOMPARE(be(image, 9, 2), 5);
    for (const Record &r : recs)
        QVERIFY(r.markersOk);
    QCOMPARE(recs.last().end, last);
}

void TestSimulatedMeter::exampleSetsHoldWhatALoggerHolds_data()
{
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("daysAgo");
    QTest::addColumn<QTime>("start");
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("flags");
    QTest::addColumn<QByteArray>("wav");
    // The points whose level reads as 0.0, and the mark they carry.
    QTest::addColumn<QList<int>>("noLevel");
    QTest::addColumn<int>("mark");

    QTest::newRow("WAV set, over the range")
        << 0 << 3 << QTime(9, 30) << 2 << 1000 << 0x03 << QByteArray("A0000001")
        << QList<int>{103, 120, 121, 122, 123, 124, 308, 309, 399, 845, 846} << 0x8000;
    QTest::newRow("under the range")
        << 1 << 2 << QTime(14, 15) << 1 << 600 << 0x04 << QByteArray("00000000")
        << QList<int>{306, 307, 308, 309, 310, 311, 312, 313, 314, 315, 316, 317, 318, 319, 320,
                      321, 339, 340, 341, 342, 343, 352, 353, 354, 355, 356, 357, 358, 359}
        << 0x4000;
    QTest::newRow("a minute apart") << 2 << 1 << QTime(8, 0) << 60 << 120 << 0x0E
                                    << QByteArray("00000000") << QList<int>{} << 0;
    QTest::newRow("interval 00:00") << 3 << 1 << QTime(12, 0) << 0 << 40 << 0x09
                                    << QByteArray("00000000") << QList<int>{} << 0;
    QTest::newRow("interval byte beyond a minute") << 4 << 1 << QTime(16, 45) << 61 << 45 << 0x0C
                                                   << QByteArray("00000000") << QList<int>{} << 0;
}

void TestSimulatedMeter::exampleSetsHoldWhatALoggerHolds()
{
    QFETCH(int, set);
    QFETCH(int, daysAgo);
    QFETCH(QTime, start);
    QFETCH(int, flags);
    QFETCH(QList<int>, noLevel);
    QFETCH(int, mark);
    Rig rig;
    const QByteArray image = rig.meter.memory();
    const Record r = records(image).value(set);
    QVERIFY(r.markersOk);
    QCOMPARE(r.startBcd, bcdOf(QDateTime(rig.clock.now().date().addDays(-daysAgo), start)));
    QTEST(r.interval, "interval");
    QTEST(r.points, "points");
    QCOMPARE(int(r.flags), flags);
    QTEST(r.wav, "wav");

    // Levels as the memory image reads them: the low 12 bits, 0.0 outside 20.0 to 140.0.
    // The upper bits carry the meter's range and, off the range, its over or under mark.
    const int rangeMark = (flags & 0x0C) << 10;
    QList<int> zeros;
    for (int i = 0; i < r.points; ++i) {
        const int word = be(image, r.start + 24 + 2 * i, 2);
        const int tenths = word & 0x0FFF;
        const bool inRange = tenths >= 200 && tenths <= 1400;
        if (!inRange)
            zeros.append(i);
        QCOMPARE(word & 0xF000, rangeMark | (inRange ? 0 : mark));
    }
    QCOMPARE(zeros, noLevel);
}

void TestSimulatedMeter::downloadBeyondMemoryAndWithoutStart()
{
    Rig rig;
    SimulatedMeter &m = rig.meter;
    ReplyBuffer r{};
    QCOMPARE(m.open(kMeterVendorId, kMeterProductId), 0);
    QCOMPARE(m.writeCommand(makeFrame(MeterCommand('p'))), 0);
    QVERIFY(m.readReply(r) != 0); // no transfer started

    // A header that asks for more than the memory holds still gets every block.
    QCOMPARE(m.writeCommand(makeFrame(MeterCommand('P'))), 0);
    QCOMPARE(m.readReply(r), 0);
    for (int block = 1; block < 0x40000 / 32; ++block) {
        QCOMPARE(m.writeCommand(makeFrame(MeterCommand('p'))), 0);
        QCOMPARE(m.readReply(r), 0);
    }
    QCOMPARE(int(r[0]), 0xFF);
    QCOMPARE(int(r[31]), 0xFF);

    QCOMPARE(m.writeCommand(makeFrame(MeterCommand('q'))), 0);
    QCOMPARE(m.writeCommand(makeFrame(MeterCommand('p'))), 0);
    QVERIFY(m.readReply(r) != 0); // the transfer ended
}

void TestSimulatedMeter::informationReply()
{
    Rig rig;
    const auto r = rig.exchange(makeFrame(MeterCommand('Y')));
    QVERIFY(r);
    QCOMPARE((*r)[9] << 8 | (*r)[10], rig.meter.setCount());
    QCOMPARE((*r)[11] << 16 | (*r)[12] << 8 | (*r)[13], rig.meter.lastAddress());
    QCOMPARE(int((*r)[15]), 2);
    QCOMPARE(int((*r)[15]), rig.meter.recordingInterval());
    const int expectedClock[] = {0x24, 0x03, 0x05, 0x14, 0x07, 0x09};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(int((*r)[25 + i]), expectedClock[i]);
    QCOMPARE(int((*r)[31]), int(SimulatedMeter::kFirmwareVersion));
}

void TestSimulatedMeter::byteWriteAndRead_data()
{
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("data");
    QTest::addColumn<bool>("stored");
    QTest::newRow("header interval") << 15 << 30 << true;
    QTest::newRow("record area") << 0x012345 << 0xA7 << true;
    QTest::newRow("last byte") << kMemorySize - 1 << 0x5A << true;
    QTest::newRow("past the memory") << kMemorySize << 0x11 << false;
    QTest::newRow("top of address space") << 0xFFFFFF << 0x22 << false;
}

void TestSimulatedMeter::byteWriteAndRead()
{
    QFETCH(int, address);
    QFETCH(int, data);
    QFETCH(bool, stored);
    Rig rig;
    const QByteArray before = rig.meter.memory();
    const CommandFrame w = makeFrame(MeterCommand('W'), std::uint8_t(address >> 16), std::uint8_t(address >> 8),
                                     std::uint8_t(address), std::uint8_t(data));
    const auto written = rig.exchange(w);
    const auto read = rig.exchange(makeFrame(MeterCommand('r'), w[2], w[3], w[4]));
    // Every address is answered; where there is no memory the byte goes nowhere and reads 0xFF.
    QVERIFY(written && read);
    QVERIFY(std::equal(w.begin(), w.end(), written->begin()));
    QCOMPARE(int((*read)[0]), 0x02);
    QCOMPARE(int((*read)[1]), int('r'));
    QCOMPARE(int((*read)[6]), stored ? data : 0xFF);
    if (stored)
        QCOMPARE(int(quint8(rig.meter.memory()[address])), data);
    else
        QCOMPARE(rig.meter.memory(), before);
}

void TestSimulatedMeter::clockBlockSetsMeterClock()
{
    Rig rig;
    SimulatedMeter &m = rig.meter;
    DataBlock block{};
    block[0] = 0x58; // 23:59:58 on 31 December 2023
    block[1] = 0x59;
    block[2] = 0x23;
    block[3] = 0x31;
    block[4] = 0x12;
    block[6] = 0x23;

    QCOMPARE(m.open(kMeterVendorId, kMeterProductId), 0);
    QVERIFY(m.writeBlock(block) != 0); // no set-clock command before it
    QCOMPARE(m.writeCommand(makeFrame(MeterCommand('t'), 'c')), 0);
    m.settle();
    QCOMPARE(m.writeBlock(block), 0);
    ReplyBuffer r{};
    QVERIFY(m.readReply(r) != 0); // set clock has no reply

    rig.clock.advance(3000);
    MeterStatus s = rig.status();
    QCOMPARE(s.clockYear, 0x24);
    QCOMPARE(s.clockMonth, 0x01);
    QCOMPARE(s.clockDay, 0x01);
    QCOMPARE(s.clockHours, 0x00);
    QCOMPARE(s.clockMinutes, 0x00);
    QCOMPARE(s.clockSeconds, 0x01);

    // A block naming no valid date leaves the clock running as it was.
    block[4] = 0x13;
    m.close();
    QCOMPARE(m.open(kMeterVendorId, kMeterProductId), 0);
    QCOMPARE(m.writeCommand(makeFrame(MeterCommand('t'), 'c')), 0);
    QCOMPARE(m.writeBlock(block), 0);
    rig.clock.advance(1000);
    s = rig.status();
    QCOMPARE(s.clockMonth, 0x01);
    QCOMPARE(s.clockSeconds, 0x02);
}

void TestSimulatedMeter::eraseEmptiesMemory()
{
    Rig rig;
    rig.writeByte(15, 7);
    rig.keys("w");
    const CommandFrame erase = {0x02, 'e', 'r', 'a', 's', 'e', 0x03};
    const auto r = rig.exchange(erase);
    QVERIFY(r);
    QVERIFY(std::equal(erase.begin(), erase.end(), r->begin()));
    QVERIFY(!rig.status().recording);

    QCOMPARE(rig.meter.setCount(), 0);
    QCOMPARE(rig.meter.lastAddress(), 255);
    QCOMPARE(rig.meter.recordingInterval(), 7); // the setting survives
    const QByteArray image = rig.download();
    QCOMPARE(image.size(), 256);
    QCOMPARE(at(image, 0), 0x04);
    QCOMPARE(at(image, 31), 0x05);
    QCOMPARE(be(image, 9, 2), 0);
    QCOMPARE(int(rig.exchange(makeFrame(MeterCommand('Y'))).value()[10]), 0);
}

void TestSimulatedMeter::recordingAppendsRecord_data()
{
    QTest::addColumn<char>("key");
    QTest::addColumn<QByteArray>("wav");
    QTest::addColumn<int>("interval");
    QTest::addColumn<QByteArray>("modeKeys");
    QTest::addColumn<double>("sound");
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("word"); // each point's two bytes as the meter stores them

    // "LFC" gives 30-90, SLOW, C; "LLFC" 50-110, SLOW, C. 12 s of recording.
    QTest::newRow("with WAV") << 'v' << QByteArray("A0000002") << 5 << QByteArray("LFC") << 72.3
                              << 0x00 << 3 << 0x02D3;
    QTest::newRow("without WAV") << 'w' << QByteArray("00000000") << 5 << QByteArray("LFC") << 72.3
                                 << 0x00 << 3 << 0x02D3;
    QTest::newRow("interval 00:00, two a second")
        << 'w' << QByteArray("00000000") << 0 << QByteArray("LFC") << 72.3 << 0x00 << 25 << 0x02D3;
    QTest::newRow("interval beyond a minute")
        << 'w' << QByteArray("00000000") << 90 << QByteArray("LFC") << 72.3 << 0x00 << 1 << 0x02D3;
    QTest::newRow("range mark") << 'w' << QByteArray("00000000") << 5 << QByteArray("LLFC") << 72.3
                                << 0x04 << 3 << 0x12D3;
    QTest::newRow("top of the range") << 'w' << QByteArray("00000000") << 5 << QByteArray("LFC") << 90.0
                                      << 0x00 << 3 << 0x0384;
    QTest::newRow("bottom of the range") << 'w' << QByteArray("00000000") << 5 << QByteArray("LFC") << 30.0
                                         << 0x00 << 3 << 0x012C;
    QTest::newRow("over the range") << 'w' << QByteArray("00000000") << 5 << QByteArray("LFC") << 95.0
                                    << 0x00 << 3 << 0x8FFF;
    QTest::newRow("under the range") << 'w' << QByteArray("00000000") << 5 << QByteArray("LFC") << 25.0
                                     << 0x00 << 3 << 0x4000;
}

void TestSimulatedMeter::recordingAppendsRecord()
{
    QFETCH(char, key);
    QFETCH(int, interval);
    QFETCH(QByteArray, modeKeys);
    QFETCH(double, sound);
    QFETCH(int, points);
    QFETCH(int, word);
    Rig rig;
    const int setsBefore = rig.meter.setCount();
    // The interval as the setup dialog sets it: bytes 14 and 15, then end of settings.
    QVERIFY(rig.writeByte(14, 0));
    QVERIFY(rig.writeByte(15, std::uint8_t(interval)));
    QVERIFY(rig.exchange(makeFrame(MeterCommand('b'))));
    QCOMPARE(int(rig.exchange(makeFrame(MeterCommand('Y'))).value()[15]), interval);
    rig.keys(modeKeys);
    rig.settleSound(sound);
    const QDateTime started = rig.clock.now();
    rig.keys(QByteArray(1, key));
    rig.clock.advance(12000);
    QVERIFY(rig.status().recording);
    rig.keys("u");
    rig.clock.advance(10000);
    QVERIFY(!rig.status().recording);

    const QByteArray image = rig.download();
    const QList<Record> recs = records(image);
    QCOMPARE(recs.size(), setsBefore + 1);
    const Record &r = recs.last();
    QVERIFY(r.markersOk);
    QCOMPARE(r.points, points);
    for (int i = 0; i < r.points; ++i)
        QCOMPARE(be(image, r.start + 24 + 2 * i, 2), word);
    QCOMPARE(r.interval, interval);
    QTEST(int(r.flags), "flags");
    QCOMPARE(r.startBcd, bcdOf(started));
    QTEST(r.wav, "wav");
    QCOMPARE(r.end, rig.meter.lastAddress());
}

void TestSimulatedMeter::recordingStopsWhenMemoryFull()
{
    Rig rig;
    // Claim the memory is in use up to 29 bytes before its end: room for one point.
    const int last = kMemorySize - 29;
    QVERIFY(rig.writeByte(11, std::uint8_t(last >> 16)));
    QVERIFY(rig.writeByte(12, std::uint8_t(last >> 8)));
    QVERIFY(rig.writeByte(13, std::uint8_t(last)));
    const int sets = rig.meter.setCount();

    rig.keys("w");
    rig.clock.advance(5000);
    MeterStatus s = rig.status();
    QVERIFY(s.memoryFull);
    QVERIFY(!s.recording);
    QCOMPARE(rig.meter.setCount(), sets + 1);
    QCOMPARE(rig.meter.lastAddress(), kMemorySize - 1);
    const QByteArray memory = rig.meter.memory();
    QCOMPARE(be(memory, last + 1 + 11, 3), 1);
    QCOMPARE(at(memory, kMemorySize - 2), 0x5A);
    QCOMPARE(at(memory, kMemorySize - 1), 0xA5);

    rig.keys("w"); // no room for another record
    QVERIFY(!rig.status().recording);
    QCOMPARE(rig.meter.setCount(), sets + 1);

    QVERIFY(rig.exchange({0x02, 'e', 'r', 'a', 's', 'e', 0x03}));
    QVERIFY(!rig.status().memoryFull);
}

QTEST_GUILESS_MAIN(TestSimulatedMeter)
#include "tst_SimulatedMeter.moc"
