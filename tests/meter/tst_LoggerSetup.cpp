// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/MemoryImage.h"
#include "meter/LoggerDownload.h"
#include "meter/LoggerSetup.h"
#include "meter/sim/SimulatedMeter.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FaultyLink.h"
#include "tests/support/ScriptedLink.h"

#include <QTest>

using namespace ql708;
using test::FaultyLink;

namespace {

// A simulated meter behind a fault-injecting link, on a fake clock at 5 March 2024 14:07:09.
struct Bench {
    test::FakeClock clock;
    SimulatedMeter sim;
    FaultyLink link{sim};
    MeterLink meter{link};
    LoggerSetup setup{meter};

    QList<char> letters() const
    {
        QList<char> out;
        for (const CommandFrame &f : link.frames)
            out.append(char(f[1]));
        return out;
    }
};

CommandFrame frame(char letter, int p2, int p3, int p4, int p5)
{
    return makeFrame(MeterCommand(letter), std::uint8_t(p2), std::uint8_t(p3), std::uint8_t(p4), std::uint8_t(p5));
}

} // namespace

class TestLoggerSetup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }
    void intervalFromTwoFields_data();
    void intervalFromTwoFields();
    void clockBlocks_data();
    void clockBlocks();
    void clockBlockAndKeptBytes();
    void informationDecode();
    void informationFromTheMeter();
    void eachFailureGivesItsCode_data();
    void eachFailureGivesItsCode();
    void echoChecksTheirBytes_data();
    void echoChecksTheirBytes();
    void writeMemoryByteTriesFiveTimes_data();
    void writeMemoryByteTriesFiveTimes();
    void quickRecordingThenDownload_data();
    void quickRecordingThenDownload();
    void quickRecordingEndsAfterAFailedAttempt();
    void eraseEmptiesTheMemory();
};

void TestLoggerSetup::intervalFromTwoFields_data()
{
    QTest::addColumn<QString>("minutes");
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("interval"); // what the meter records at afterwards
    QTest::newRow("01:00 is a minute") << "01" << "00" << 0 << 60;
    QTest::newRow("01:01 is too long") << "01" << "01" << 701 << 2;
    QTest::newRow("05:00 is too long") << "05" << "00" << 701 << 2;
    QTest::newRow("00:00 records at the display's pace") << "00" << "00" << 0 << 0;
    QTest::newRow("00:59") << "00" << "59" << 0 << 59;
    QTest::newRow("seconds field incomplete") << "00" << "5" << 701 << 2;
    QTest::newRow("minutes field with the mask's blank") << "0 " << "05" << 701 << 2;
    QTest::newRow("not digits") << "0x" << "05" << 701 << 2;
}

void TestLoggerSetup::intervalFromTwoFields()
{
    QFETCH(QString, minutes);
    QFETCH(QString, seconds);
    QFETCH(int, code);
    QFETCH(int, interval);
    Bench b;
    QCOMPARE(b.setup.setInterval(minutes, seconds), code);
    QCOMPARE(b.sim.recordingInterval(), interval);
    QVERIFY(!b.sim.isOpen());
    if (code == 0) {
        const QList<CommandFrame> expected = {frame('W', 0, 0, 14, 0), frame('W', 0, 0, 15, interval),
                                              frame('b', 0, 0, 0, 0)};
        QCOMPARE(b.link.frames, expected);
        QCOMPARE(intervalMessage(code), QStringLiteral("Recording Interval Setup Successfully "));
    } else {
        QVERIFY(b.link.frames.isEmpty());
        QCOMPARE(intervalMessage(code), QStringLiteral("Invalid Input"));
    }
}

void TestLoggerSetup::clockBlocks_data()
{
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<QByteArray>("head"); // second, minute, hour, day, month, 0, year in BCD
    QTest::newRow("5 March 2024 14:07:09") << QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9))
                                           << QByteArray::fromHex("09071405030024");
    QTest::newRow("BCD is not binary") << QDateTime(QDate(2024, 12, 31), QTime(23, 59, 58))
                                       << QByteArray::fromHex("58592331120024");
}

void TestLoggerSetup::clockBlocks()
{
    QFETCH(QDateTime, time);
    QFETCH(QByteArray, head);
    const DataBlock block = clockBlock(time);
    DataBlock expected{};
    std::copy(head.begin(), head.end(), expected.begin());
    QCOMPARE(block, expected);
}

void TestLoggerSetup::clockBlockAndKeptBytes()
{
    Bench b;
    int data = -1;
    QCOMPARE(b.setup.readByte(0x123456, data), 0);
    QCOMPARE(data, 0xFF); // no memory there
    b.clock.setNow(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)));
    // The meter's clock went astray before.
    b.sim.open(kMeterVendorId, kMeterProductId);
    b.sim.writeCommand(makeFrame(MeterCommand('t'), 'c'));
    b.sim.writeBlock(clockBlock(QDateTime(QDate(2020, 1, 1), QTime(0, 0))));
    QCOMPARE(b.sim.meterTime().date().year(), 2020);
    QCOMPARE(b.setup.setClock(), 0);
    // The frame keeps what the read left in its last two bytes.
    QCOMPARE(b.link.frames.last(), frame('t', 'c', 0, 0x56, 0));
    QCOMPARE(b.setup.keptParameters(), (MeterLink::Parameters{'c', 0, 0x56, 0}));
    QCOMPARE(b.sim.meterTime(), QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)));
    QCOMPARE(clockMessage(0), QStringLiteral("Meter time updated successfully \\n"));
    QCOMPARE(clockMessage(205), QStringLiteral("Meter time updated fail"));
}

void TestLoggerSetup::informationDecode()
{
    ReplyBuffer r{};
    r[9] = 0x01, r[10] = 0x02;             // 258 data sets
    r[11] = 0x00, r[12] = 0x01, r[13] = 0x1B; // last address 283
    r[15] = 45;
    r[18] = 0xFE;
    r[19] = 0x46, r[20] = 0x00;
    const std::uint8_t clock[] = {0x24, 0x03, 0x05, 0x14, 0x07, 0x09};
    std::copy(std::begin(clock), std::end(clock), r.begin() + 25);
    r[31] = 5;
    const MeterInformation m = decodeInformation(r);
    QCOMPARE(m.memoryAvailable, QStringLiteral("127986"));
    QCOMPARE(m.cal70, QStringLiteral("70.00  (17920)"));
    QCOMPARE(m.cal94, QStringLiteral("-0.2"));
    QCOMPARE(m.version, QStringLiteral("0.05"));
    QCOMPARE(m.meterTime, QStringLiteral("03/05/2024   14:07:09"));
    QCOMPARE(m.clockIso, QStringLiteral("2024-03-05T14:07:09"));
    QCOMPARE(m.versionHundredths, 5);
    QCOMPARE(m.cal94Tenths, -2);
    QCOMPARE(m.cal70Raw, 17920);
    QCOMPARE(m.interval, QStringLiteral("45"));
    QCOMPARE(m.dataSets, QStringLiteral("258"));

    r[11] = 0x04, r[12] = 0x00, r[13] = 0x00; // beyond the memory: less than nothing left
    r[19] = 0xFF, r[20] = 0xFF;
    r[18] = 0x7F;
    const MeterInformation odd = decodeInformation(r);
    QCOMPARE(odd.memoryAvailable, QStringLiteral("-2944"));
    QCOMPARE(odd.cal70, QStringLiteral("256.00  (65535)"));
    QCOMPARE(odd.cal94, QStringLiteral("12.7"));
}

void TestLoggerSetup::informationFromTheMeter()
{
    Bench b;
    MeterInformation info;
    QCOMPARE(b.setup.readInformation(info), 0);
    QCOMPARE(informationMessage(0), QStringLiteral("read data successfully"));
    QCOMPARE(info.serial, QStringLiteral("SIM-000708"));
    QCOMPARE(info.dataSets, QString::number(b.sim.setCount()));
    QCOMPARE(info.memoryAvailable, QString::number((256256 - b.sim.lastAddress()) / 2));
    QCOMPARE(info.meterTime, QStringLiteral("03/05/2024   14:07:09"));
    QCOMPARE(info.interval, QStringLiteral("2"));
    QCOMPARE(info.version, QStringLiteral("1.05"));
    QVERIFY(b.sim.isOpen()); // left open: the next exchange begins with a close
}

namespace {
enum Command { SetClock, Interval, Erase, Info, WriteByte, ReadByte, Quick };
enum Fault { Open, Timeouts, Write, Read, Echo, Block, Serial, AllOpens, AllWrites };
} // namespace

void TestLoggerSetup::eachFailureGivesItsCode_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("fault");
    QTest::addColumn<int>("at"); // which write or read fails
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    const QString open = QStringLiteral("fail to open device"), timeouts = QStringLiteral("fail to set timeout"),
                  write = QStringLiteral("fail to write command to device"),
                  noReply = QStringLiteral("no response from device, error code=");
    QTest::newRow("clock 201") << int(SetClock) << int(Open) << 1 << 201 << "Meter time updated fail";
    QTest::newRow("clock 202") << int(SetClock) << int(Timeouts) << 1 << 202 << "Meter time updated fail";
    QTest::newRow("clock 203") << int(SetClock) << int(Write) << 1 << 203 << "Meter time updated fail";
    QTest::newRow("clock 205") << int(SetClock) << int(Block) << 1 << 205 << "Meter time updated fail";
    QTest::newRow("interval 703") << int(Interval) << int(Open) << 1 << 703 << open;
    QTest::newRow("interval 704") << int(Interval) << int(Timeouts) << 1 << 704 << timeouts;
    QTest::newRow("interval 705") << int(Interval) << int(Write) << 1 << 705 << write;
    QTest::newRow("interval 706") << int(Interval) << int(Read) << 1 << 706 << noReply + "706";
    QTest::newRow("interval 707") << int(Interval) << int(Echo) << 1 << 707 << noReply + "707";
    QTest::newRow("interval 708, second byte") << int(Interval) << int(Write) << 2 << 708 << write;
    QTest::newRow("interval 709, second byte") << int(Interval) << int(Read) << 2 << 709 << noReply + "709";
    QTest::newRow("interval 708, end of settings") << int(Interval) << int(Write) << 3 << 708 << write;
    QTest::newRow("interval 709, end of settings") << int(Interval) << int(Read) << 3 << 709 << noReply + "709";
    QTest::newRow("erase 803") << int(Erase) << int(Open) << 1 << 803 << open;
    QTest::newRow("erase 804") << int(Erase) << int(Timeouts) << 1 << 804 << timeouts;
    QTest::newRow("erase 805") << int(Erase) << int(Write) << 1 << 805 << write;
    QTest::newRow("erase 806") << int(Erase) << int(Read) << 1 << 806 << "";
    QTest::newRow("erase 807") << int(Erase) << int(Echo) << 1 << 807 << noReply + "807";
    QTest::newRow("information 903") << int(Info) << int(Open) << 1 << 903 << open;
    QTest::newRow("information 904") << int(Info) << int(Timeouts) << 1 << 904 << timeouts;
    QTest::newRow("information 905") << int(Info) << int(Write) << 1 << 905 << write;
    QTest::newRow("information 906") << int(Info) << int(Read) << 1 << 906 << "";
    QTest::newRow("information 907") << int(Info) << int(Serial) << 1 << 907 << "can not read serail number";
    for (int c : {WriteByte, ReadByte}) {
        const char *name = c == WriteByte ? "write byte" : "read byte";
        QTest::addRow("%s 703", name) << c << int(Open) << 1 << 703 << "Error Code=703";
        QTest::addRow("%s 704", name) << c << int(Timeouts) << 1 << 704 << "Error Code=704";
        QTest::addRow("%s 708", name) << c << int(Write) << 1 << 708 << "Error Code=708";
        QTest::addRow("%s 709", name) << c << int(Read) << 1 << 709 << "Error Code=709";
        QTest::addRow("%s 707", name) << c << int(Echo) << 1 << 707 << "Error Code=707";
    }
    QTest::newRow("quick 9000") << int(Quick) << int(AllOpens) << 0 << 9000 << "";
    QTest::newRow("quick 9001") << int(Quick) << int(Timeouts) << 1 << 9001 << "";
    QTest::newRow("quick 9002") << int(Quick) << int(AllWrites) << 0 << 9002 << "";
    QTest::newRow("quick 806") << int(Quick) << int(Read) << 22 << 806 << "";
    QTest::newRow("quick 803") << int(Quick) << int(Open) << 2 << 803 << "";
}

void TestLoggerSetup::eachFailureGivesItsCode()
{
    QFETCH(int, command);
    QFETCH(int, fault);
    QFETCH(int, at);
    QFETCH(int, code);
    QFETCH(QString, message);
    Bench b;
    FaultyLink &l = b.link;
    switch (Fault(fault)) {
    case Open: l.failOpenAt = at; break;
    case Timeouts: l.failTimeoutsAt = at; break;
    case Write: l.failWriteAt = at; break;
    case Read: l.failReadAt = at; break;
    case Echo: l.corruptFraming = true; break;
    case Block: l.failBlockAt = at; break;
    case Serial: l.failSerial = true; break;
    case AllOpens: l.failAllOpens = true; break;
    case AllWrites: l.failAllWrites = true; break;
    }
    MeterInformation info;
    int data = 0;
    int got = -1;
    QString shown;
    switch (Command(command)) {
    case SetClock: shown = clockMessage(got = b.setup.setClock()); break;
    case Interval: shown = intervalMessage(got = b.setup.setInterval("00", "30")); break;
    case Erase: shown = eraseMessage(got = b.setup.eraseMemory()); break;
    case Info: shown = informationMessage(got = b.setup.readInformation(info)); break;
    case WriteByte: shown = byteMessage(got = b.setup.writeByte(300, 7)); break;
    case ReadByte: shown = byteMessage(got = b.setup.readByte(300, data)); break;
    case Quick: got = b.setup.quickRecording(1, 2); break;
    }
    QCOMPARE(got, code);
    if (command != Quick)
        QCOMPARE(shown, message);
    // The first failing step ends the exchange: nothing is written after a failed write.
    if (fault == Write && command != Interval)
        QCOMPARE(l.writes, at);
}

void TestLoggerSetup::echoChecksTheirBytes_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<int>("wrongByte"); // the echo differs from the frame in this byte
    QTest::addColumn<int>("code");
    QTest::newRow("read byte: letter") << int(ReadByte) << 1 << 707;
    QTest::newRow("read byte: address unchecked") << int(ReadByte) << 4 << 0;
    QTest::newRow("write byte: last byte") << int(WriteByte) << 6 << 707;
    QTest::newRow("erase: last letter") << int(Erase) << 5 << 807;
    QTest::newRow("interval: letter") << int(Interval) << 1 << 707;
    QTest::newRow("interval: data unchecked") << int(Interval) << 5 << 0;
    QTest::newRow("quick recording: letter") << int(Quick) << 1 << 9002;
    QTest::newRow("quick recording: data unchecked") << int(Quick) << 5 << 0;
}

void TestLoggerSetup::echoChecksTheirBytes()
{
    QFETCH(int, command);
    QFETCH(int, wrongByte);
    QFETCH(int, code);
    test::FakeClock clock;
    test::ScriptedLink hid;
    hid.replyFor = [&](const CommandFrame &f, ReplyBuffer &r) {
        r.fill(0);
        std::copy(f.begin(), f.end(), r.begin());
        // The quick recording's closing frame must come back whole.
        if (f[1] != 'b' || command != Quick)
            r[wrongByte] ^= 0xFF;
        return true;
    };
    MeterLink meter(hid);
    LoggerSetup setup(meter);
    int data = 0;
    switch (Command(command)) {
    case ReadByte: QCOMPARE(setup.readByte(5, data), code); break;
    case WriteByte: QCOMPARE(setup.writeByte(5, 1), code); break;
    case Erase: QCOMPARE(setup.eraseMemory(), code); break;
    case Interval: QCOMPARE(setup.setInterval("00", "10"), code); break;
    case Quick: QCOMPARE(setup.quickRecording(1, 2), code); break;
    default: QFAIL("no such row");
    }
}

void TestLoggerSetup::writeMemoryByteTriesFiveTimes_data()
{
    QTest::addColumn<int>("failedWrites");
    QTest::addColumn<int>("failedReads");
    QTest::addColumn<bool>("written");
    QTest::newRow("first try") << 0 << 0 << true;
    QTest::newRow("four writes fail") << 4 << 0 << true;
    QTest::newRow("five writes fail") << 5 << 0 << false;
    QTest::newRow("four reads fail") << 0 << 4 << true;
    QTest::newRow("five reads fail") << 0 << 5 << false;
}

void TestLoggerSetup::writeMemoryByteTriesFiveTimes()
{
    QFETCH(int, failedWrites);
    QFETCH(int, failedReads);
    QFETCH(bool, written);
    Bench b;
    QCOMPARE(b.meter.openSession(), MeterLink::Session::Open);
    b.link.failWriteAt = failedWrites ? 1 : 0;
    b.link.failWriteCount = failedWrites;
    b.link.failReadAt = failedReads ? 1 : 0;
    b.link.failReadCount = failedReads;
    const qint64 start = b.clock.tickMs();
    QCOMPARE(b.setup.writeMemoryByte(20, 0x42), written);
    QCOMPARE(b.link.writes, std::min(failedWrites + 1, 5));
    QCOMPARE(b.link.reads, failedWrites >= 5 ? 0 : std::min(failedReads + 1, 5));
    // 300 ms between tries, none after the last.
    QCOMPARE(b.clock.tickMs() - start >= 300 * std::min(failedWrites + failedReads, 4), true);
    QCOMPARE(b.sim.memory().at(20) == char(0x42), failedWrites < 5);
}

void TestLoggerSetup::quickRecordingThenDownload_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("interval");
    QTest::addColumn<QByteArray>("header"); // bytes 9 to 13
    QTest::addColumn<QByteArray>("record"); // bytes 256 to 269
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("downloaded");
    QTest::newRow("N = 1, interval 2") << 1 << 2 << QByteArray::fromHex("000100011B")
                                       << QByteArray::fromHex("A55A14240305140709" "0002000001") << 2 << 288;
    QTest::newRow("N = 3, interval 90") << 3 << 90 << QByteArray::fromHex("000100011F")
                                        << QByteArray::fromHex("A55A14240305140709" "011E000003") << 30 << 288;
    QTest::newRow("N = 20, interval 0") << 20 << 0 << QByteArray::fromHex("0001000141")
                                        << QByteArray::fromHex("A55A14240305140709" "0000000014") << 0 << 352;
}

void TestLoggerSetup::quickRecordingThenDownload()
{
    QFETCH(int, points);
    QFETCH(int, interval);
    QFETCH(QByteArray, header);
    QFETCH(QByteArray, record);
    QFETCH(int, rate);
    QFETCH(int, downloaded);
    Bench b;
    QCOMPARE(b.setup.quickRecording(points, interval), 0);
    const QByteArray memory = b.sim.memory();
    QCOMPARE(memory.mid(9, 5), header);
    QCOMPARE(memory.mid(256, 14), record);
    const int last = 2 * points + 281;
    QCOMPARE(memory.mid(last - 1, 2), QByteArray::fromHex("5AA5"));
    QCOMPARE(b.link.frames.last(), makeFrame(MeterCommand('b')));
    QCOMPARE(b.letters().count('W'), 21);

    QByteArray image;
    qint32 lastAddress = -1;
    QCOMPARE(ReadLoggerMemory(b.meter, image, lastAddress), 0);
    QCOMPARE(lastAddress, last);
    QCOMPARE(image.size(), downloaded);
    data::DataSetList sets;
    QCOMPARE(data::ParseMemoryImage(image, lastAddress, sets), 0);
    QCOMPARE(sets.count(), 1);
    QCOMPARE(sets.pointCounts[0], points);
    QCOMPARE(sets.rates[0], rate);
    QCOMPARE(sets.startTimes[0], toTDateTime(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9))));
}

void TestLoggerSetup::quickRecordingEndsAfterAFailedAttempt()
{
    Bench b;
    b.link.failOpenAt = 1; // the first attempt cannot open the device, the second writes it all
    QCOMPARE(b.setup.quickRecording(1, 2), 9000);
    QCOMPARE(b.letters().count('W'), 21);
    // The meter drops what the failed attempt may have left, and the settings change ends.
    QCOMPARE(b.letters().mid(21), (QList<char>{'Q', 'b'}));
    QCOMPARE(b.sim.setCount(), 1);

    Bench none;
    none.link.failAllOpens = true;
    QCOMPARE(none.setup.quickRecording(1, 2), 9000);
    QCOMPARE(none.link.opens, 5 + 1); // five attempts and the closing exchange
}

void TestLoggerSetup::eraseEmptiesTheMemory()
{
    Bench b;
    QVERIFY(b.sim.setCount() > 0);
    QCOMPARE(b.setup.eraseMemory(), 0);
    QCOMPARE(b.link.frames, (QList<CommandFrame>{makeFrame(MeterCommand('e'), 'r', 'a', 's', 'e')}));
    QCOMPARE(b.sim.setCount(), 0);
    QCOMPARE(eraseMessage(0), QStringLiteral("erase memory successfully"));
}

QTEST_GUILESS_MAIN(TestLoggerSetup)
#include "tst_LoggerSetup.moc"
