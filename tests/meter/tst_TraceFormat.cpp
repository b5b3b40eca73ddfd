// SPDX-License-Identifier: GPL-3.0-or-later
// Traces as written and as read back: every operation survives the round trip, and a garbled
// or cut trace is refused with the number of the line at fault, never read half.
#include "meter/TraceFormat.h"
#include "meter/TracingLink.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScriptedLink.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

using namespace ql708;

namespace {

const QByteArray kHead = QByteArray(kTraceHeading) + "\n";
const QByteArray kReply = " 02" + QByteArray(" 00").repeated(30) + " 03";

bool read(const QByteArray &text, std::vector<TraceEntry> &entries, QString &error)
{
    QBuffer in;
    in.setData(text);
    in.open(QIODevice::ReadOnly);
    return readTrace(in, entries, error);
}

// Every operation once, through a tracing link over a scripted meter.
QByteArray recordEveryOperation(test::FakeClock &clock)
{
    test::ScriptedLink meter;
    meter.answerLikeMeter();
    meter.serial = "SN 1\x7f";
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    TracingLink link(meter, out, QStringLiteral("every operation"));
    link.close();
    link.open(kMeterVendorId, kMeterProductId);
    link.setTimeouts(1000, 1000);
    link.writeCommand(makeFrame(MeterCommand('K')));
    clock.advance(7);
    link.settle();
    ReplyBuffer reply{};
    link.readReply(reply);
    link.writeCommand(makeFrame(MeterCommand('t'), 'c'));
    DataBlock block{};
    block[0] = 0x59, block[31] = 0xFF;
    link.writeBlock(block);
    QByteArray serial;
    link.serialText(serial);
    meter.replies.clear();
    meter.replyFor = nullptr;
    reply.fill(0xEE);
    link.readReply(reply); // fails, the buffer as it was
    return out.data();
}

} // namespace

class tst_TraceFormat : public QObject {
    Q_OBJECT
private slots:
    void everyOperationReadsBack();
    void faultsNameTheirLine_data();
    void faultsNameTheirLine();
    void damagedTracesNeverCrash();
};

void tst_TraceFormat::everyOperationReadsBack()
{
    test::FakeClock clock;
    const QByteArray trace = recordEveryOperation(clock);
    const QByteArray expected =
        kHead + "# every operation, started 2024-03-05T14:07:09\n"
                "0 close 0\n"
                "0 open 0 04d9 e000\n"
                "0 timeouts 0 1000 1000\n"
                "0 write 0 02 4b 00 00 00 00 03\n"
                "7 settle 0\n"
                "7 read 0 02 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 36 31 37 00 00 00 00 00 03\n"
                "7 write 0 02 74 63 00 00 00 03\n"
                "7 block 0 59 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 ff\n"
                "7 serial 0 53 4e 20 31 7f\n"
                "7 read 1" + QByteArray(" ee").repeated(32) + "\n";
    QCOMPARE(trace, expected);

    std::vector<TraceEntry> entries;
    QString error;
    QVERIFY2(read(trace, entries, error), qPrintable(error));
    QCOMPARE(int(entries.size()), 10);
    QByteArray again = kHead + "# every operation, started 2024-03-05T14:07:09\n";
    for (const TraceEntry &e : entries)
        again += traceLine(e);
    QCOMPARE(again, trace);
    QCOMPARE(entries[1].first, 0x04D9);
    QCOMPARE(entries[9].result, 1);
    QCOMPARE(entries[9].line, 12);
    QCOMPARE(traceRequest(entries[1]), QStringLiteral("open 04d9 e000"));
    QCOMPARE(traceRequest(entries[5]), QStringLiteral("read"));
}

void tst_TraceFormat::faultsNameTheirLine_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("error");
    const QByteArray ok = "5 close 0\n";
    QTest::newRow("empty file") << QByteArray() << "the file is empty, not a QL708 trace";
    QTest::newRow("no heading") << QByteArray("5 close 0\n") << "line 1: not a QL708 trace";
    QTest::newRow("later version") << QByteArray("# ql708 trace 2\n") << "line 1: not a QL708 trace";
    QTest::newRow("endless zeros") << QByteArray(5000, '\0') << "line 1: not a QL708 trace";
    QTest::newRow("cut in a reply") << kHead + ok + "9 read 0 02 00 0" << "line 3: cut off: the last line has no line end";
    QTest::newRow("cut after a whole line but its end") << kHead + ok + "9 close 0"
                                                        << "line 3: cut off: the last line has no line end";
    QTest::newRow("bad hex byte") << kHead + "# note\n\n" + ok + "9 write 0 02 4g 00 00 00 00 03\n"
                                  << "line 5: bad hex byte \"4g\" (byte 2 of 7)";
    QTest::newRow("three hex digits") << kHead + "9 write 0 02 041 00 00 00 00 03\n"
                                      << "line 2: bad hex byte \"041\"";
    QTest::newRow("a short frame") << kHead + "9 write 0 02 41 00 03\n" << "line 2: write needs 7 bytes, not 4";
    QTest::newRow("a long reply") << kHead + "9 read 0" + kReply + " 00\n" << "line 2: read needs 32 bytes, not 33";
    QTest::newRow("bytes after close") << kHead + "9 close 0 00\n" << "line 2: close needs 0 bytes, not 1";
    QTest::newRow("serial text too long") << kHead + "9 serial 0" + QByteArray(" 41").repeated(64) + "\n"
                                          << "line 2: serial holds at most 63 bytes, not 64";
    QTest::newRow("unknown operation") << kHead + "9 reboot 0\n" << "line 2: unknown operation \"reboot\"";
    QTest::newRow("no result") << kHead + "9 settle\n" << "line 2: an operation needs its time, its name and its result";
    QTest::newRow("result not a number") << kHead + "9 settle ok\n" << "line 2: the result \"ok\" is not a whole number";
    QTest::newRow("result beyond an int") << kHead + "9 settle 2147483648\n" << "line 2: the result \"2147483648\"";
    QTest::newRow("negative time") << kHead + "-1 settle 0\n" << "line 2: the time \"-1\" is not a number";
    QTest::newRow("ids not 4 digits") << kHead + "9 open 0 4d9 e000\n" << "line 2: open needs two ids";
    QTest::newRow("one time-out") << kHead + "9 timeouts 0 1000\n" << "line 2: timeouts needs 2 values after its result, not 1";
    QTest::newRow("time-out in hex") << kHead + "9 timeouts 0 0x10 16\n" << "line 2: timeouts needs two numbers";
    QTest::newRow("binary junk quoted printable") << kHead + "9 \x01\x02\x7f 0\n" << "line 2: unknown operation \"???\"";
    QTest::newRow("one operation over the limit") << kHead + QByteArray("0 settle 0\n").repeated(kMaxTraceOperations + 1)
                                                  << "line 1000002: more than 1000000 operations";
    QTest::newRow("a line too long") << kHead + QByteArray(2000, 'x') + "\n"
                                                << "line 2: longer than 1024 characters";
}

void tst_TraceFormat::faultsNameTheirLine()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, error);
    std::vector<TraceEntry> entries;
    QString got;
    QVERIFY(!read(text, entries, got));
    QVERIFY2(got.startsWith(error), qPrintable(got));
}

// Cut at every byte, or with bytes changed at random: read back or refused with a line
// number, never a crash and never more operations than the trace holds.
void tst_TraceFormat::damagedTracesNeverCrash()
{
    test::FakeClock clock;
    const QByteArray trace = recordEveryOperation(clock);
    static const QRegularExpression lineFault(QStringLiteral("^line [1-9][0-9]*: \\S"));
    std::vector<TraceEntry> entries;
    QString error;
    for (qsizetype cut = 1; cut < trace.size(); ++cut) {
        const bool read_ = read(trace.left(cut), entries, error);
        QVERIFY2(read_ == (trace[cut - 1] == '\n'), qPrintable(QString::number(cut)));
        QVERIFY(read_ || lineFault.match(error).hasMatch());
    }
    QRandomGenerator random(708);
    for (int round = 0; round < 3000; ++round) {
        QByteArray damaged = trace;
        for (int n = random.bounded(1, 4); n > 0; --n)
            damaged[random.bounded(int(damaged.size()))] = char(random.bounded(256));
        if (read(damaged, entries, error))
            QVERIFY(entries.size() <= 10);
        else
            QVERIFY2(lineFault.match(error).hasMatch(), qPrintable(error));
    }
}

QTEST_GUILESS_MAIN(tst_TraceFormat)
#include "tst_TraceFormat.moc"
