// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/StatusCommand.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FaultyLink.h"
#include "tests/support/ScriptedLink.h"

#include <QTest>

#include <csignal>

using namespace ql708;
using namespace ql708::cli;

class tst_StatusCommand : public QObject {
    Q_OBJECT
private slots:
    void countsPolls_data();
    void countsPolls();
};

void tst_StatusCommand::countsPolls_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("lines");    // status lines printed
    QTest::addColumn<QString>("errText");
    QTest::addColumn<int>("messages"); // on err
    QTest::newRow("default ten") << QStringList{} << "" << 0 << 10 << "" << 0;
    QTest::newRow("unframed replies end the run all the same")
        << QStringList{"--count", "3"} << "unframed" << 0 << 0 << "a reply without its frame (02 ... 03): 00 " << 3;
    QTest::newRow("no meter points to the udev rule") << QStringList{} << "absent" << 1 << 0 << "70-ql708.rules" << 1;
    // 0 polls until interrupted: here until the meter goes, after more than the default ten.
    QTest::newRow("0 runs until the meter goes")
        << QStringList{"--count", "0"} << "stops after 15" << 1 << 14 << "the meter stopped answering" << 5;
    QTest::newRow("0 ends at Ctrl+C after its line") << QStringList{"--count", "0"} << "interrupted" << 0 << 3 << "" << 0;
    QTest::newRow("bad option runs nothing") << QStringList{"--count"} << "absent" << 2 << 0 << "" << 0;
}

void tst_StatusCommand::countsPolls()
{
    QFETCH(QStringList, words);
    QFETCH(QString, fault);
    QFETCH(int, status);
    QFETCH(int, lines);
    QFETCH(QString, errText);
    QFETCH(int, messages);
    test::FakeClock clock;
    test::ScriptedLink meter;
    int statuses = 0;
    meter.answerLikeMeter([&](const CommandFrame &, ReplyBuffer &) {
        if (fault == QLatin1String("interrupted") && ++statuses == 3)
            std::raise(SIGINT);
    });
    meter.devicePresent = fault != QLatin1String("absent");
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    CliContext context{outStream, errStream, [&](bool) {
                           auto link = std::make_unique<test::FaultyLink>(meter);
                           link->corruptFraming = fault == QLatin1String("unframed");
                           link->answerOnly = fault == QLatin1String("stops after 15") ? 15 : -1;
                           return link;
                       }};
    CliArgs args(words);
    QCOMPARE(runStatus(args, context), status);
    QCOMPARE(out.count(QLatin1Char('\n')), lines);
    QVERIFY2(err.contains(errText), qPrintable(err));
    QCOMPARE(err.count(QStringLiteral("ql708-cli")), messages);
}

QTEST_GUILESS_MAIN(tst_StatusCommand)
#include "tst_StatusCommand.moc"
