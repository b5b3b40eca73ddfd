// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartState.h"
#include "cli/ExportCommand.h"
#include "common/DateTime.h"
#include "data/CollectionFile.h"
#include "tests/data/ImageBuilder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ql708;
using namespace ql708::cli;

class TestExportCommand : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }
    void commands_data();
    void commands();

private:
    QTemporaryDir m_dir;
};

void TestExportCommand::initTestCase()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    // Two sets: 3 points of 65.0 dB from 5 March 2024 14:07:09 every 2 s, and one of 70.0 dB.
    QVERIFY(data::writeCollection(m_dir.filePath("sets.rec"),
                                  test::buildImage({test::steadyRecord(3, 650), test::steadyRecord(1, 700)})));
    chart::ChartModel m;
    m.setSubsets(2);
    m.setPoints(3);
    const double t = toTDateTime(QDateTime(QDate(2011, 5, 12), QTime(14, 3, 7, 5)));
    for (int p = 0; p < 2; ++p) {
        m.setX(0, p, t + p * kSecond);
        m.setY(0, p, 65.3f);
        m.setY(1, p, 66.0f);
    }
    QString error;
    QVERIFY2(chart::saveChartModelFile(m, m_dir.filePath("two.ghf"), &error), qPrintable(error));
    QFile bad(m_dir.filePath("bad.ghf"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("xx");
}

void TestExportCommand::commands_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("set 1 as txt") << QStringList{"sets.rec", "--set", "1"} << 0
                                  << "05/03/2024\t14:07:09.0\t65.0\r\n05/03/2024\t14:07:11.0\t65.0\r\n"
                                     "05/03/2024\t14:07:13.0\t65.0\r\n"
                                  << "";
    QTest::newRow("set 2 as csv") << QStringList{"sets.rec", "--set=2", "--format", "csv"} << 0
                                  << "05/03/2024, 14:07:09.0, 70.0\r\n" << "";
    QTest::newRow("iso") << QStringList{"sets.rec", "--set", "2", "--format", "iso"} << 0
                         << "2024-03-05T14:07:09.000, 70.0\r\n" << "";
    QTest::newRow("chart of two series, never-filled point left out")
        << QStringList{"two.ghf", "--format", "csv"} << 0
        << "12/05/2011, 14:03:07.5, 65.3,66.0\r\n12/05/2011, 14:03:08.5, 65.3,66.0\r\n" << "";
    QTest::newRow("no set 3") << QStringList{"sets.rec", "--set", "3"} << 1 << "" << "holds 2 data sets; there is no set 3";
    QTest::newRow("set 0") << QStringList{"sets.rec", "--set", "0"} << 2 << "" << "--set 0 is too small";
    QTest::newRow("no set given") << QStringList{"sets.rec"} << 2 << "" << "--set N is needed";
    QTest::newRow("set of a chart") << QStringList{"two.ghf", "--set", "1"} << 2 << "" << "--set is for collection files";
    QTest::newRow("format") << QStringList{"two.ghf", "--format", "xls"} << 2 << "" << "not \"xls\"";
    QTest::newRow("other file") << QStringList{"a.wav"} << 2 << "" << "neither a .rec nor a .ghf file";
    QTest::newRow("missing") << QStringList{"missing.rec", "--set", "1"} << 1 << "" << "cannot read";
    QTest::newRow("damaged chart") << QStringList{"bad.ghf"} << 1 << "" << "too short to be a graph";
    QTest::newRow("-o names the lines") << QStringList{"sets.rec", "--set", "1", "-o", "set.csv"} << 0
                                        << "set.csv: 3 lines\n" << "";
    QTest::newRow("-o that cannot be written") << QStringList{"sets.rec", "--set", "1", "-o", "no/dir/set.csv"} << 1
                                               << "" << "cannot write";
}

void TestExportCommand::commands()
{
    QFETCH(QStringList, words);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    for (QString &w : words)
        if (w.contains(QLatin1Char('.')) && !w.startsWith(QLatin1Char('-')))
            w = m_dir.filePath(w);
    QString outText, errText;
    QTextStream outStream(&outText), errStream(&errText);
    CliContext context{outStream, errStream, {}};
    CliArgs args(words);
    QCOMPARE(runExport(args, context), status);
    outStream.flush();
    errStream.flush();
    errText += args.error();
    QCOMPARE(outText.replace(m_dir.path() + QLatin1Char('/'), QString()), out);
    QVERIFY2(err.isEmpty() ? errText.isEmpty() : errText.contains(err), qPrintable(errText));
    if (words.contains(QStringLiteral("-o")) && status == 0)
        QCOMPARE(QFile(m_dir.filePath("set.csv")).size(), qint64(3 * 30));
}

QTEST_GUILESS_MAIN(TestExportCommand)
#include "tst_ExportCommand.moc"
