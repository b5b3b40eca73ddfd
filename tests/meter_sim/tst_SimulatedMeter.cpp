#include "common/DateTime.h"
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
        return decodeMeterStatus(exchange(makeFrame('A', 0, 0, 0, sequence)).value_or(ReplyBuffer{}));
    }
    void keys(const QByteArray &letters)
    {
        for (char k : letters) {
            meter.close();
            meter.open(kMeterVendorId, kMeterProductId);
            meter.setTimeouts(500, 500);
            meter.writeCommand(makeFrame(k));
        }
        meter.close();
    }
    std::optional<ReplyBuffer> writeByte(int address, std::uint8_t data)
    {
        return exchange(makeFrame('W', std::uint8_t(address >> 16), std::uint8_t(address >> 8),
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
        auto block = exchange(makeFrame('P'));
        if (!block)
            return {};
        image.append(reinterpret_cast<const char *>(block->data()), 32);
        const int last = std::uint8_t(image[11]) << 16 | std::uint8_t(image[12]) << 8 | std::uint8_t(image[13]);
        const int size = (last + 1 + 31) / 32 * 32;
        while (image.size() < size) {
            ReplyBuffer r{};
            if (meter.writeCommand(makeFrame('p')) || meter.readReply(r))
                return {};
            image.append(reinterpret_cast<const char *>(r.data()), 32);
        }
        meter.writeCommand(makeFrame('q'));
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
    QList<int> tenths;
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
        for (int j = p + 24; j < r.end - 1; j += 2)
            r.tenths.append((at(image, j) & 0x0F) << 8 | at(image, j + 1));
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
    void repliesOnlyAfterTheirCommand();
    void openNeedsMeterIds_data();
    void openNeedsMeterIds();
    void unpluggedMeterFails();
    void levelFlagsFollowRange_data();
    void levelFlagsFollowRange();
    void fastSettlesSoonerThanSlow();
    void maxMinTracksExtremes();
    void downloadFindsExampleSets();
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
    const auto r = rig.exchange(makeFrame('K'));
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
    const auto r = rig.exchange(makeFrame('A', 0, 0, 0, std::uint8_t(sequence)));
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

void TestSimulatedMeter::repliesOnlyAfterTheirCommand()
{
    Rig rig;
    SimulatedMeter &m = rig.meter;
    ReplyBuffer r{};
    QVERIFY(m.readReply(r) != 0); // closed
    QCOMPARE(m.open(kMeterVendorId, kMeterProductId), 0);
    QVERIFY(m.readReply(r) != 0); // nothing asked

    QCOMPARE(m.writeCommand(makeFrame('A', 0, 0, 0, 7)), 0);
    QCOMPARE(m.readReply(r), 0);
    QVERIFY(m.readReply(r) != 0); // one reply per command

    // A key replaces the pending reply with none.
    QCOMPARE(m.writeCommand(makeFrame('K')), 0);
    QCOMPARE(m.writeCommand(makeFrame('F')), 0);
    QVERIFY(m.readReply(r) != 0);

    for (char noReply : {'q', 'Q'}) {
        QCOMPARE(m.writeCommand(makeFrame(noReply)), 0);
        QVERIFY(m.readReply(r) != 0);
    }
    // A frame without its framing bytes is ignored.
    CommandFrame bad = makeFrame('K');
    bad[6] = 0;
    QCOMPARE(m.writeCommand(bad), 0);
    QVERIFY(m.readReply(r) != 0);

    // Closing drops a reply not yet read.
    QCOMPARE(m.writeCommand(makeFrame('K')), 0);
    m.close();
    QCOMPARE(m.open(kMeterVendorId, kMeterProductId), 0);
    QVERIFY(m.readReply(r) != 0);
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
    QCOMPARE(m.writeCommand(makeFrame('K')), 0);
    m.setPluggedIn(false);

    ReplyBuffer r{};
    QByteArray serial;
    QVERIFY(m.readReply(r) != 0);
    QVERIFY(m.writeCommand(makeFrame('K')) != 0);
    QVERIFY(m.setTimeouts(1000, 1000) != 0);
    QVERIFY(m.serialText(serial) != 0);
    QVERIFY(m.open(kMeterVendorId, kMeterProductId) != 0);
    QVERIFY(!rig.exchange(makeFrame('K')));

    m.setPluggedIn(true);
    QVERIFY(rig.exchange(makeFrame('K')));
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
    QVERIFY(recs.size() >= 3);
    QCOMPARE(recs.size(), rig.meter.setCount());
    QSet<int> intervals, ranges, weightings;
    int withWav = 0;
    for (const Record &r : recs) {
        QVERIFY(r.markersOk);
        QVERIFY(r.points > 0);
        QVERIFY(r.interval >= 1 && r.interval <= 60);
        intervals << r.interval;
        ranges << (r.flags & 0x0C);
        weightings << (r.flags & 0x02);
        const QDateTime start(QDate(2000 + bcdToInt(r.startBcd[0]), bcdToInt(r.startBcd[1]), bcdToInt(r.startBcd[2])),
                              QTime(bcdToInt(r.startBcd[3]), bcdToInt(r.startBcd[4]), bcdToInt(r.startBcd[5])));
        QVERIFY(start.isValid());
        QVERIFY(start < rig.clock.now());
        if (!r.wav.startsWith("00")) {
            ++withWav;
            QCOMPARE(r.wav, QByteArray("A0000001"));
        }
        for (int t : r.tenths)
            QVERIFY2(t >= 300 && t <= 1300, qPrintable(QString::number(t)));
    }
    QVERIFY(intervals.size() >= 3);
    QVERIFY(ranges.size() >= 3);
    QCOMPARE(weightings.size(), 2);
    QCOMPARE(withWav, 1);
    QCOMPARE(recs.last().end, last);
}

void TestSimulatedMeter::downloadBeyondMemoryAndWithoutStart()
{
    Rig rig;
    SimulatedMeter &m = rig.meter;
    ReplyBuffer r{};
    QCOMPARE(m.open(kMeterVendorId, kMeterProductId), 0);
    QCOMPARE(m.writeCommand(makeFrame('p')), 0);
    QVERIFY(m.readReply(r) != 0); // no transfer started

    // A header that asks for more than the memory holds still gets every block.
    QCOMPARE(m.writeCommand(makeFrame('P')), 0);
    QCOMPARE(m.readReply(r), 0);
    for (int block = 1; block < 0x40000 / 32; ++block) {
        QCOMPARE(m.writeCommand(makeFrame('p')), 0);
        QCOMPARE(m.readReply(r), 0);
    }
    QCOMPARE(int(r[0]), 0xFF);
    QCOMPARE(int(r[31]), 0xFF);

    QCOMPARE(m.writeCommand(makeFrame('q')), 0);
    QCOMPARE(m.writeCommand(makeFrame('p')), 0);
    QVERIFY(m.readReply(r) != 0); // the transfer ended
}

void TestSimulatedMeter::informationReply()
{
    Rig rig;
    const auto r = rig.exchange(makeFrame('Y'));
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
    QTest::addColumn<bool>("answered");
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
    QFETCH(bool, answered);
    Rig rig;
    const QByteArray before = rig.meter.memory();
    const CommandFrame w = makeFrame('W', std::uint8_t(address >> 16), std::uint8_t(address >> 8),
                                     std::uint8_t(address), std::uint8_t(data));
    const auto written = rig.exchange(w);
    const auto read = rig.exchange(makeFrame('r', w[2], w[3], w[4]));
    QCOMPARE(bool(written), answered);
    QCOMPARE(bool(read), answered);
    if (!answered) {
        QCOMPARE(rig.meter.memory(), before);
        return;
    }
    QVERIFY(std::equal(w.begin(), w.end(), written->begin()));
    QCOMPARE(int((*read)[0]), 0x02);
    QCOMPARE(int((*read)[1]), int('r'));
    QCOMPARE(int((*read)[6]), data);
    QCOMPARE(int(quint8(rig.meter.memory()[address])), data);
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
    QCOMPARE(m.writeCommand(makeFrame('t', 'c')), 0);
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
    QCOMPARE(m.writeCommand(makeFrame('t', 'c')), 0);
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
    QCOMPARE(int(rig.exchange(makeFrame('Y')).value()[10]), 0);
}

void TestSimulatedMeter::recordingAppendsRecord_data()
{
    QTest::addColumn<char>("key");
    QTest::addColumn<QByteArray>("wav");
    QTest::newRow("with WAV") << 'v' << QByteArray("A0000002");
    QTest::newRow("without WAV") << 'w' << QByteArray("00000000");
}

void TestSimulatedMeter::recordingAppendsRecord()
{
    QFETCH(char, key);
    Rig rig;
    const int setsBefore = rig.meter.setCount();
    // Interval 5 s as the setup dialog sets it: bytes 14 and 15, then end of settings.
    QVERIFY(rig.writeByte(14, 0));
    QVERIFY(rig.writeByte(15, 5));
    QVERIFY(rig.exchange(makeFrame('b')));
    rig.keys("LFC"); // 30-90, SLOW, C
    rig.settleSound(72.3);
    const QDateTime started = rig.clock.now();
    rig.keys(QByteArray(1, key));
    rig.clock.advance(12000); // points at 0, 5 and 10 s
    QVERIFY(rig.status().recording);
    rig.keys("u");
    rig.clock.advance(10000);
    QVERIFY(!rig.status().recording);

    const QList<Record> recs = records(rig.download());
    QCOMPARE(recs.size(), setsBefore + 1);
    const Record &r = recs.last();
    QVERIFY(r.markersOk);
    QCOMPARE(r.points, 3);
    QCOMPARE(r.tenths, QList<int>({723, 723, 723}));
    QCOMPARE(r.interval, 5);
    QCOMPARE(int(r.flags), 0x00);
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
