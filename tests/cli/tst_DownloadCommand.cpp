// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/DownloadCommand.h"
#include "meter/sim/SimulatedMeter.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FaultyLink.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ql708;
using namespace ql708::cli;

class TestDownloadCommand : public QObject {
    Q_OBJECT
private slots:
    void writesTheMemory_data();
    void writesTheMemory();
};

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

QTEST_GUILESS_MAIN(TestDownloadCommand)
#include "tst_DownloadCommand.moc"
