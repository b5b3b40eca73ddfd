// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ClockCommand.h"
#include "cli/EraseCommand.h"
#include "cli/InfoCommand.h"
#include "cli/IntervalCommand.h"
#include "meter/sim/SimulatedMeter.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FaultyLink.h"

#include <QTest>

using namespace ql708;
using namespace ql708::cli;

// The tool's logger setup commands against the simulated meter: clock, interval, erase, info.
class TestSetupCliCommands : public QObject {
    Q_OBJECT
private slots:
    // A comma locale: what the tool prints for scripts keeps its full stops.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::French)); }
    void commandsAndTheirFailures_data();
    void commandsAndTheirFailures();
};

void TestSetupCliCommands::commandsAndTheirFailures_data()
{
    QTest::addColumn<QStringList>("words"); // the command's name first
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::addColumn<int>("interval"); // the meter's recording interval afterwards
    QTest::addColumn<bool>("erased");
    QTest::newRow("clock") << QStringList{"clock"} << "" << 0
                           << "Meter time updated successfully: 2024-03-05 14:07:09" << "" << 2 << false;
    QTest::newRow("clock block lost") << QStringList{"clock"} << "block" << 1 << ""
                                      << "Meter time updated fail, error code=205" << 2 << false;
    QTest::newRow("interval 01:00") << QStringList{"interval", "01:00"} << "" << 0 << "Successfully: 01:00" << "" << 60 << false;
    QTest::newRow("interval 00:00") << QStringList{"interval", "00:00"} << "" << 0 << "" << "" << 0 << false;
    QTest::newRow("interval 01:01") << QStringList{"interval", "01:01"} << "" << 2 << "" << "Invalid Input: \"01:01\"" << 2 << false;
    QTest::newRow("interval 1:00") << QStringList{"interval", "1:00"} << "" << 2 << "" << "Invalid Input" << 2 << false;
    QTest::newRow("interval without value") << QStringList{"interval"} << "" << 2 << "" << "" << 2 << false;
    QTest::newRow("interval, no reply") << QStringList{"interval", "00:10"} << "read 2" << 1 << ""
                                        << "no response from device, error code=706" << 2 << false;
    QTest::newRow("erase without --yes") << QStringList{"erase"} << "" << 2 << "" << "give --yes" << 2 << false;
    QTest::newRow("erase") << QStringList{"erase", "--yes"} << "" << 0 << "Please power off and power on meter" << ""
                           << 2 << true;
    QTest::newRow("erase while recording") << QStringList{"erase", "--yes"} << "recording" << 1 << ""
                                           << "please stop recording before erasing" << 2 << false;
    // The meter erased; only its answer was lost.
    QTest::newRow("erase, no reply") << QStringList{"erase", "--yes"} << "read 3" << 1 << ""
                                     << "no response from device, error code=806" << 2 << true;
    QTest::newRow("info") << QStringList{"info"} << "" << 0 << "SN: SIM-000708\n94dB cali: -0.2\n70dB cali: 70.00  (17920)"
                          << "" << 2 << false;
    QTest::newRow("info: the meter's escapes shown") << QStringList{"info"} << "escapes" << 0
                                                     << "SN: \\x1B[2J\\x1B]0;x\\x07\n" << "" << 2 << false;
    QTest::newRow("info: ISO date, full stops") << QStringList{"info"} << "" << 0
                                                << "FirmWare Version: 1.05\nMeter Time: 2024-03-05T14:07:09\n" << "" << 2
                                                << false;
    QTest::newRow("info without serial") << QStringList{"info"} << "serial" << 1 << "Meter Time: 2024-03-05T14:07:09"
                                         << "can not read serail number, error code=907" << 2 << false;
    QTest::newRow("info --json") << QStringList{"info", "--json"} << "" << 0
                                 << "\"cal_70_db\": 70,\n    \"cal_94_db\": -0.2,\n    \"clock\": \"2024-03-05T14:07:09\",\n"
                                    "    \"data_sets\": 5,\n    \"firmware\": 1.05,\n"
                                 << "" << 2 << false;
    QTest::newRow("info --json: a document only when whole") << QStringList{"info", "--json"} << "serial" << 1 << ""
                                                            << "error code=907" << 2 << false;
    QTest::newRow("no meter") << QStringList{"info"} << "absent" << 1 << "" << "no meter answered" << 2 << false;
}

void TestSetupCliCommands::commandsAndTheirFailures()
{
    QFETCH(QStringList, words);
    QFETCH(QString, fault);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QFETCH(int, interval);
    QFETCH(bool, erased);
    test::FakeClock clock;
    SimulatedMeter meter;
    meter.setPluggedIn(fault != QLatin1String("absent"));
    if (fault == QLatin1String("recording")) {
        meter.open(kMeterVendorId, kMeterProductId);
        meter.writeCommand(makeFrame(MeterCommand('w')));
        meter.close();
    }
    const int sets = meter.setCount();
    QString outText, errText;
    QTextStream outStream(&outText), errStream(&errText);
    CliContext context{outStream, errStream, [&](bool simulate) {
                           auto link = std::make_unique<test::FaultyLink>(meter);
                           link->failBlockAt = fault == QLatin1String("block") ? 1 : 0;
                           link->failSerial = fault == QLatin1String("serial");
                           if (fault == QLatin1String("escapes"))
                               link->serial = "\x1b[2J\x1b]0;x\x07";
                           if (fault.startsWith(QLatin1String("read ")))
                               link->failReadAt = fault.mid(5).toInt();
                           return simulate ? std::move(link) : nullptr;
                       }};
    const QString name = words.takeFirst();
    CliArgs args(words << QStringLiteral("--simulate"));
    using Run = int (*)(CliArgs &, CliContext &);
    const Run run = name == QLatin1String("clock")      ? runClock
                    : name == QLatin1String("interval") ? runInterval
                    : name == QLatin1String("erase")    ? runErase
                                                        : runInfo;
    QCOMPARE(run(args, context), status);
    outStream.flush();
    errStream.flush();
    if (name == QLatin1String("info") && words.contains(QLatin1String("--json")) && status != 0)
        QVERIFY2(outText.isEmpty(), qPrintable(outText)); // no half a document
    else
        QVERIFY2(outText.contains(out), qPrintable(outText));
    QVERIFY2(errText.contains(err) || args.error().contains(err), qPrintable(errText + args.error()));
    QCOMPARE(meter.recordingInterval(), interval);
    QCOMPARE(meter.setCount(), erased ? 0 : sets);
}

QTEST_GUILESS_MAIN(TestSetupCliCommands)
#include "tst_SetupCliCommands.moc"
