// SPDX-License-Identifier: GPL-3.0-or-later
// --trace and --replay reach a command that talks to a meter through its link, without the
// command doing anything for them.
#include "cli/MeterSession.h"
#include "cli/StatusCommand.h"
#include "meter/TraceFormat.h"
#include "meter/sim/SimulatedMeter.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScriptedLink.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ql708;
using namespace ql708::cli;

namespace {

const Command kStatus = {"status", "[--simulate] [--count N]", "", runStatus};

struct Run {
    int status = 0;
    QString out, err;
};

// The command as the tool runs it: the simulated meter with --simulate, else no meter at all.
Run run(const QStringList &words)
{
    test::FakeClock clock;
    Run r;
    QTextStream out(&r.out), err(&r.err);
    CliContext context{out, err, [](bool simulate) -> std::unique_ptr<HidLink> {
                           if (simulate)
                               return std::make_unique<SimulatedMeter>(SimulatedMeter::kDefaultSeed, 0);
                           auto absent = std::make_unique<test::ScriptedLink>();
                           absent->devicePresent = false;
                           return absent;
                       }};
    CliArgs args(words);
    r.status = runWithMeter(kStatus, args, context, QStringLiteral("ql708-cli test status"));
    if (!args.error().isEmpty())
        r.err += args.error();
    return r;
}

} // namespace

class tst_MeterSession : public QObject {
    Q_OBJECT
private slots:
    void replayPrintsWhatWasRecorded();
    void traceOptionFaults_data();
    void traceOptionFaults();
};

void tst_MeterSession::replayPrintsWhatWasRecorded()
{
    QTemporaryDir dir;
    const QString trace = dir.filePath(QStringLiteral("t.txt"));
    const Run recorded = run({"--simulate", "--count", "3", "--trace", trace});
    QCOMPARE(recorded.status, kExitOk);
    QCOMPARE(recorded.out.count(QLatin1Char('\n')), 3);
    QFile file(trace);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readLine().startsWith(kTraceHeading));
    QVERIFY(file.readLine().startsWith("# ql708-cli test status, started "));

    const Run replayed = run({"--replay", trace, "--count", "3"});
    QCOMPARE(replayed.status, kExitOk);
    QCOMPARE(replayed.out, recorded.out);
    QCOMPARE(replayed.err, QString());

    // A replay recorded again is the same trace.
    const QString again = dir.filePath(QStringLiteral("again.txt"));
    QCOMPARE(run({"--replay", trace, "--count", "3", "--trace", again}).status, kExitOk);
    QFile second(again);
    QVERIFY(second.open(QIODevice::ReadOnly));
    file.seek(0);
    QCOMPARE(second.readAll().split('\n').mid(2), file.readAll().split('\n').mid(2));
}

void tst_MeterSession::traceOptionFaults_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("errText");
    QTest::addColumn<int>("lines"); // status lines printed
    QTest::newRow("replay instead of the meter, not with it")
        << QStringList{"--replay", "TRACE", "--simulate"} << kExitUsage << "--replay takes the place of the meter" << 0;
    QTest::newRow("no trace to replay") << QStringList{"--replay", "DIR/none.txt"} << kExitFailed
                                        << "cannot read the trace DIR/none.txt: " << 0;
    QTest::newRow("not a trace") << QStringList{"--replay", "DIR"} << kExitFailed << "cannot read the trace DIR" << 0;
    QTest::newRow("nowhere to write") << QStringList{"--simulate", "--trace", "DIR/no/t.txt"} << kExitFailed
                                      << "cannot write the trace DIR/no/t.txt: " << 0;
    QTest::newRow("a wrong command line writes no trace")
        << QStringList{"--simulate", "--count", "x", "--trace", "DIR/new.txt"} << kExitUsage
        << "--count takes a whole number" << 0;
    QTest::newRow("trace onto the trace replayed") << QStringList{"--replay", "TRACE", "--trace", "DIR/./two.txt"}
                                                   << kExitFailed << "would write over the trace --replay plays back"
                                                   << 0;
    QTest::newRow("trace without its file") << QStringList{"--simulate", "--trace"} << kExitUsage
                                            << "--trace needs a value" << 0;
    QTest::newRow("more polls than recorded")
        << QStringList{"--replay", "TRACE", "--count", "3"} << kExitFailed
        << "ql708-cli: TRACE: the trace ends after line 23, but the program went on\n"
           "  expected: the end of the trace\n  actual:   close\n"
        << 2;
    QTest::newRow("fewer polls than recorded") << QStringList{"--replay", "TRACE", "--count", "1"} << kExitOk
                                               << "the command ended before the trace TRACE did; its operations "
                                                  "from line 17 on were not replayed"
                                               << 1;
}

void tst_MeterSession::traceOptionFaults()
{
    QFETCH(QStringList, words);
    QFETCH(int, status);
    QFETCH(QString, errText);
    QFETCH(int, lines);
    QTemporaryDir dir;
    const QString trace = dir.filePath(QStringLiteral("two.txt"));
    QCOMPARE(run({"--simulate", "--count", "2", "--trace", trace}).status, kExitOk);
    QFile recorded(trace);
    QVERIFY(recorded.open(QIODevice::ReadOnly));
    const QByteArray before = recorded.readAll();
    recorded.close();
    for (QString &w : words)
        w.replace(QLatin1String("TRACE"), trace).replace(QLatin1String("DIR"), dir.path());
    errText.replace(QLatin1String("TRACE"), trace).replace(QLatin1String("DIR"), dir.path());

    const Run r = run(words);
    QCOMPARE(r.status, status);
    QVERIFY2(r.err.contains(errText), qPrintable(r.err));
    QCOMPARE(r.out.count(QLatin1Char('\n')), lines);
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("new.txt"))));
    QVERIFY(recorded.open(QIODevice::ReadOnly));
    QCOMPARE(recorded.readAll(), before); // the trace replayed is never written over
}

QTEST_GUILESS_MAIN(tst_MeterSession)
#include "tst_MeterSession.moc"
