// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/DownloadCommand.h"
#include "meter/sim/SimulatedMeter.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FaultyLink.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

using namespace ql708;
using namespace ql708::cli;

class TestDownloadCommand : public QObject {
    Q_OBJECT
private slots:
    void writesTheMemory_data();
    void writesTheMemory();
    void interruptedTransfer_data();
    void interruptedTransfer();
    void toStandardOutput();
};

namespace {

// The meter's link, with a signal coming in as the n-th reply arrives: Ctrl+C in a terminal,
// SIGTERM from a service manager.
class SignallingLink : public test::FaultyLink {
public:
    SignallingLink(HidLink &inner, int signal, int atRead, QList<CommandFrame> &sent)
        : FaultyLink(inner), m_signal(signal), m_atRead(atRead), m_sent(sent)
    {
    }
    ~SignallingLink() override { m_sent = frames; }
    int readReply(ReplyBuffer &reply) override
    {
        const int rc = FaultyLink::readReply(reply);
        if (++m_reads == m_atRead)
            std::raise(m_signal);
        return rc;
    }

private:
    int m_signal, m_atRead, m_reads = 0;
    QList<CommandFrame> &m_sent;
};

} // namespace

void TestDownloadCommand::writesTheMemory_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("errText");
    QTest::newRow("written") << "" << 0 << "received";
    QTest::newRow("meter silent after a few blocks") << "silent" << 1 << "error code=126";
    QTest::newRow("no meter") << "absent" << 1 << "no meter answered";
    QTest::newRow("recording") << "recording" << 1 << "please stop recording";
}

void TestDownloadCommand::writesTheMemory()
{
    QFETCH(QString, fault);
    QFETCH(int, status);
    QFETCH(QString, errText);
    test::FakeClock clock;
    QTemporaryDir dir;
    SimulatedMeter meter;
    meter.setPluggedIn(fault != QLatin1String("absent"));
    if (fault == QLatin1String("recording")) {
        meter.open(kMeterVendorId, kMeterProductId);
        meter.writeCommand(makeFrame(MeterCommand('w')));
        meter.close();
    }
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    CliContext context{outStream, errStream, [&](bool simulate) {
                           auto link = std::make_unique<test::FaultyLink>(meter);
                           link->answerOnly = fault == QLatin1String("silent") ? 5 : -1;
                           return simulate ? std::move(link) : nullptr;
                       }};
    const QString path = dir.filePath("x.rec");
    CliArgs args({"--simulate", "-o", path});
    QCOMPARE(runDownload(args, context), status);
    QVERIFY2(err.contains(errText), qPrintable(err));
    QFile file(path);
    QCOMPARE(file.exists(), status == 0);
    if (status == 0) {
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), meter.memory().left(meter.lastAddress() + 1));
        QVERIFY(out.contains(QStringLiteral("%1 data sets").arg(meter.setCount())));
    }
}

void TestDownloadCommand::interruptedTransfer_data()
{
    QTest::addColumn<int>("signal");
    QTest::addColumn<int>("atRead"); // the handshake and the status take the first two
    QTest::addColumn<int>("status");
    QTest::newRow("Ctrl+C in the first block") << SIGINT << 3 << 130;
    QTest::newRow("SIGTERM a few blocks in") << SIGTERM << 10 << 143;
}

// The meter is told to end the transfer (Q, no closing q), the earlier file stays as it was, and
// the status is the signal's; the signal's handler is the one of before afterwards.
void TestDownloadCommand::interruptedTransfer()
{
    QFETCH(int, signal);
    QFETCH(int, atRead);
    QFETCH(int, status);
    test::FakeClock clock;
    QTemporaryDir dir;
    const QString path = dir.filePath("x.rec");
    QFile earlier(path);
    QVERIFY(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier") == 7);
    earlier.close();
    SimulatedMeter meter;
    QList<CommandFrame> frames; // the link goes with the command: its frames are kept here
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    CliContext context{outStream, errStream, [&](bool) {
                           return std::make_unique<SignallingLink>(meter, signal, atRead, frames);
                       }};
    CliArgs args({"--simulate", "-o", path});
    const auto before = std::signal(signal, SIG_IGN);
    QCOMPARE(runDownload(args, context), status);
    QVERIFY(std::signal(signal, before) == SIG_IGN);
    QVERIFY2(err.contains("download interrupted: the meter was told to end the transfer"), qPrintable(err));
    QVERIFY(earlier.open(QIODevice::ReadOnly));
    QCOMPARE(earlier.readAll(), QByteArray("earlier"));
    QList<char> letters;
    for (const CommandFrame &f : frames)
        letters << char(f[1]);
    QCOMPARE(letters.last(), 'Q');
    QVERIFY(!letters.contains('q'));
    QVERIFY(letters.count('p') < 8190); // it stopped well before the end
}

// "-o -": the memory's bytes on the standard output, and nothing else there.
void TestDownloadCommand::toStandardOutput()
{
    test::FakeClock clock;
    SimulatedMeter meter;
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    QBuffer binary;
    binary.open(QIODevice::WriteOnly);
    CliContext context{outStream, errStream, [&](bool) { return std::make_unique<test::FaultyLink>(meter); }, &binary};
    CliArgs args({"--simulate", "-o", "-"});
    QCOMPARE(runDownload(args, context), 0);
    QCOMPARE(binary.data(), meter.memory().left(meter.lastAddress() + 1));
    QVERIFY2(out.isEmpty(), qPrintable(out));
}

QTEST_GUILESS_MAIN(TestDownloadCommand)
#include "tst_DownloadCommand.moc"
