// SPDX-License-Identifier: GPL-3.0-or-later
#include "meter/LoggerDownload.h"
#include "tests/support/FaultyLink.h"
#include "tests/support/ScriptedLink.h"

#include <QTest>

using namespace ql708;
using test::FaultyLink;
using test::ScriptedLink;

namespace {

// A meter whose logger memory holds a header with the given last address; "P" and "p" read
// it block by block, 0xFF past its end. Status commands are echoed so a poll can run first.
struct MemoryMeter {
    ScriptedLink hid;
    QByteArray memory = QByteArray(256, '\0');
    int next = 0;
    explicit MemoryMeter(qint64 lastAddress, std::uint8_t lastHeaderByte = 0x05)
    {
        memory[0] = 0x04;
        memory[31] = char(lastHeaderByte);
        memory[11] = char(lastAddress >> 16), memory[12] = char(lastAddress >> 8), memory[13] = char(lastAddress);
        hid.replyFor = [this](const CommandFrame &f, ReplyBuffer &r) {
            if (f[1] == 'A') {
                r[30] = f[5];
                return true;
            }
            if (f[1] == 'P')
                next = 0;
            else if (f[1] != 'p')
                return false;
            for (int i = 0; i < 32; ++i)
                r[i] = next + i < memory.size() ? std::uint8_t(memory[next + i]) : 0xFF;
            next += 32;
            return true;
        };
    }
    int count(char letter) const
    {
        int n = 0;
        for (const CommandFrame &f : hid.written())
            n += f[1] == letter;
        return n;
    }
};

enum Fault { None, Open, Timeouts, WriteP, ReadP, WriteBlock2, ReadBlock2, WriteBlock5000, WriteEnd, Answer10, Answer5000 };

} // namespace

class TestLoggerDownload : public QObject {
    Q_OBJECT
private slots:
    void readsWholeBlocks_data();
    void readsWholeBlocks();
    void failuresGiveTheirCode_data();
    void failuresGiveTheirCode();
    void exchangeKeepsSequenceAndChecksEcho();
};

void TestLoggerDownload::readsWholeBlocks_data()
{
    QTest::addColumn<qint64>("lastAddress");
    QTest::addColumn<int>("bytes");
    QTest::newRow("one set of one point") << qint64(283) << 288;
    QTest::newRow("empty memory") << qint64(255) << 256;
    QTest::newRow("0x3FFFF") << qint64(0x3FFFF) << 0x40000;
    QTest::newRow("0x40000 reads the full size") << qint64(0x40000) << 0x40000;
    QTest::newRow("below 255 reads the full size") << qint64(254) << 0x40000;
}

void TestLoggerDownload::readsWholeBlocks()
{
    QFETCH(qint64, lastAddress);
    QFETCH(int, bytes);
    MemoryMeter m(lastAddress);
    MeterLink link(m.hid);
    int total = -1, ends = 0;
    QList<int> counters;
    const DownloadProgress progress{[&](int t) { total = t; }, [&](int r) { counters.append(r); }, [&] { ++ends; }, {}};
    QByteArray image("old");
    qint32 last = -1;
    QCOMPARE(ReadLoggerMemory(link, image, last, progress), 0);
    QCOMPARE(last, qint32(lastAddress));
    QCOMPARE(image.size(), bytes);
    QCOMPARE(image.left(256), m.memory.left(256));
    QCOMPARE(total, bytes);
    QCOMPARE(counters.size(), bytes / 32 - 1);
    QCOMPARE(counters.first(), 64);
    QCOMPARE(counters.last(), bytes);
    QCOMPARE(ends, 1);
    QCOMPARE(m.count('P'), 1);
    QCOMPARE(m.count('p'), bytes / 32 - 1);
    QCOMPARE(m.hid.written().last()[1], std::uint8_t('q'));
    QVERIFY(m.hid.calls.last().op != 'c'); // the device stays open for the next exchange to close
}

void TestLoggerDownload::failuresGiveTheirCode_data()
{
    QTest::addColumn<int>("fault");
    QTest::addColumn<std::uint8_t>("lastHeaderByte");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("closed"); // the last thing done to the device was a close
    QTest::newRow("no device") << int(Open) << std::uint8_t(5) << 117 << true; // never opened
    QTest::newRow("time-outs") << int(Timeouts) << std::uint8_t(5) << 118 << false;
    QTest::newRow("P not written") << int(WriteP) << std::uint8_t(5) << 119 << false;
    QTest::newRow("no reply to P") << int(ReadP) << std::uint8_t(5) << 120 << false;
    QTest::newRow("first block not memory") << int(None) << std::uint8_t(4) << 121 << false;
    QTest::newRow("second p not written, early") << int(WriteBlock2) << std::uint8_t(5) << 126 << true;
    QTest::newRow("no reply to the second p, early") << int(ReadBlock2) << std::uint8_t(5) << 126 << true;
    QTest::newRow("p not written, late") << int(WriteBlock5000) << std::uint8_t(5) << 123 << true;
    QTest::newRow("q not written") << int(WriteEnd) << std::uint8_t(5) << 125 << false;
    QTest::newRow("silent after 10 of 8192 blocks") << int(Answer10) << std::uint8_t(5) << 126 << true;
    QTest::newRow("silent after 5000 of 8192 blocks") << int(Answer5000) << std::uint8_t(5) << 124 << true;
}

void TestLoggerDownload::failuresGiveTheirCode()
{
    QFETCH(int, fault);
    QFETCH(std::uint8_t, lastHeaderByte);
    QFETCH(int, code);
    QFETCH(bool, closed);
    MemoryMeter m(0x3FFFF, lastHeaderByte);
    FaultyLink faulty(m.hid);
    switch (Fault(fault)) {
    case None: break;
    case Open: faulty.failOpenAt = 1; break;
    case Timeouts: faulty.failTimeoutsAt = 1; break;
    case WriteP: faulty.failWriteAt = 1; break;
    case ReadP: faulty.failReadAt = 1; break;
    case WriteBlock2: faulty.failWriteAt = 3; break;
    case ReadBlock2: faulty.failReadAt = 3; break;
    case WriteBlock5000: faulty.failWriteAt = 5001; break;
    case WriteEnd: faulty.failWriteAt = 8193; break;
    case Answer10: faulty.answerOnly = 10; break;
    case Answer5000: faulty.answerOnly = 5000; break;
    }
    MeterLink link(faulty);
    int ends = 0;
    QByteArray image;
    qint32 last = -1;
    QCOMPARE(ReadLoggerMemory(link, image, last, {{}, {}, [&] { ++ends; }, {}}), code);
    QCOMPARE(ends, 1);
    QCOMPARE(m.hid.calls.last().op == 'c', closed);

    m.hid.calls.clear();
    abortDownload(link);
    QCOMPARE(m.hid.calls.size(), 2);
    QCOMPARE(m.hid.calls[0].op, 's');
    QCOMPARE(m.hid.calls[1].frame[1], std::uint8_t('Q'));
}

void TestLoggerDownload::exchangeKeepsSequenceAndChecksEcho()
{
    MemoryMeter m(283);
    m.hid.answerLikeMeter(); // framed replies: byte 0 is 0x02, so only a one-byte echo matches
    MeterLink link(m.hid);
    link.tick(true);
    link.tick(true);
    link.tick(true);
    QCOMPARE(int(link.sequence()), 2);
    QCOMPARE(link.openSession(), MeterLink::Session::Open);
    QCOMPARE(link.exchange({MeterCommand('p')}), MeterLink::Exchange::Done);
    QCOMPARE(m.hid.written().last()[5], std::uint8_t(2));
    QCOMPARE(link.exchange({MeterCommand('b'), true, 1}), MeterLink::Exchange::Done);
    QCOMPARE(link.exchange({MeterCommand('b'), true, 2}), MeterLink::Exchange::EchoMismatch);
    QCOMPARE(link.exchange({MeterCommand('W'), true, 0, MeterLink::Parameters{0, 0, 15, 30}}), MeterLink::Exchange::Done);
    const CommandFrame sent = m.hid.written().last();
    QCOMPARE(sent, (CommandFrame{0x02, 'W', 0, 0, 15, 30, 0x03}));
    // The parameters were this command's only: the shared frame still carries the sequence.
    QCOMPARE(link.frame()[5], std::uint8_t(2));
    QCOMPARE(link.frame()[4], std::uint8_t(0));
}

QTEST_GUILESS_MAIN(TestLoggerDownload)
#include "tst_LoggerDownload.moc"
