// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/JsonOutput.h"
#include "cli/SetsCommand.h"
#include "data/DataSetList.h"
#include "data/MemoryImage.h"
#include "tests/data/ImageBuilder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace ql708;
using namespace ql708::cli;

class TestSetsCommand : public QObject {
    Q_OBJECT
private slots:
    void linesPerSet();
    void exitStatus_data();
    void exitStatus();
};

void TestSetsCommand::linesPerSet()
{
    test::RecordShape a = test::steadyRecord(4, 655), b = test::steadyRecord(0), c = test::steadyRecord(2, 0);
    a.points[1] = 0x0400;
    a.points[3] = 0x0FFF; // over the range: left out of the figures, counted
    c.points[1] = 0x0FFF;
    a.wave = "A0000001";
    b.rate = 61;
    b.flags = 0x0C;
    b.start = QByteArray::fromHex("991231235959");
    // The name a file gives a recording reaches the terminal with its control characters shown.
    c.wave = QByteArray("\x1b]0;x\x07\\A");
    data::DataSetList sets;
    const QByteArray image = test::buildImage({a, b, c});
    QCOMPARE(data::ParseMemoryImage(image, data::lastAddressOf(image), sets), 0);
    const QStringList lines = setsTable(sets);
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines[0].split('\t').size(), 13);
    QCOMPARE(lines[1], QStringLiteral("1\t2024-03-05\t14:07:09\t00:02\t4\tdBA\tFAST\t30-90\tA0000001\t102.4\t65.5\t77.8\t1"));
    // Without a measured level a set shows no figures, not 0.0.
    QCOMPARE(lines[2], QStringLiteral("2\t2099-12-31\t23:59:59\t00:02\t0\tdBC\tSLOW\t30-130\t\t\t\t\t0"));
    QCOMPARE(lines[3], QStringLiteral("3\t2024-03-05\t14:07:09\t00:02\t2\tdBA\tFAST\t30-90\t\\x1B]0;x\\x07\\\\A\t\t\t\t2"));

    // The same as one JSON document: numbers as numbers, null where a line has an empty field.
    const QJsonObject o = QJsonDocument::fromJson(cli::setsJson(QStringLiteral("x.rec"), 0, sets)).object();
    QCOMPARE(o.value("file").toString(), QStringLiteral("x.rec"));
    QCOMPARE(o.value("result").toInt(-1), 0);
    const QJsonArray list = o.value("sets").toArray();
    QCOMPARE(list.size(), 3);
    const QJsonObject first = list[0].toObject(), second = list[1].toObject();
    QCOMPARE(first.value("set").toInt(), 1);
    QCOMPARE(first.value("start").toString(), QStringLiteral("2024-03-05T14:07:09"));
    QCOMPARE(first.value("rate_s").toInt(), 2);
    QCOMPARE(first.value("points").toInt(), 4);
    QCOMPARE(first.value("weighting").toString(), QStringLiteral("A"));
    QCOMPARE(first.value("time_weighting").toString(), QStringLiteral("FAST"));
    QCOMPARE(first.value("range_db").toString(), QStringLiteral("30-90"));
    QCOMPARE(first.value("wave").toString(), QStringLiteral("A0000001"));
    QCOMPARE(first.value("max_db").toDouble(), 102.4); // one decimal, not the float's 102.40000152...
    QCOMPARE(first.value("min_db").toDouble(), 65.5);
    QCOMPARE(first.value("average_db").toDouble(), 77.8);
    QCOMPARE(first.value("out_of_range").toInt(), 1);
    QVERIFY(second.value("max_db").isNull());
    QVERIFY(second.value("average_db").isNull());
    QVERIFY(second.value("wave").isNull());
    QCOMPARE(second.value("weighting").toString(), QStringLiteral("C"));
    QCOMPARE(list[2].toObject().value("wave").toString(), QStringLiteral("\x1b]0;x\x07\\A"));
}

void TestSetsCommand::exitStatus_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<int>("lastAddress"); // -1: as the header gives it
    QTest::addColumn<int>("status");
    const QByteArray one = test::buildImage({test::steadyRecord(3)});
    QTest::newRow("0") << one << -1 << 0;
    QTest::newRow("34 with a set") << one << 285 << 0;
    QTest::newRow("31") << test::buildImage({}, 0) << -1 << 3;
    QTest::newRow("32") << test::buildImage({test::steadyRecord(3)}, 4001) << -1 << 3;
    QTest::newRow("34 before the first set") << one << 255 << 3;
}

void TestSetsCommand::exitStatus()
{
    QFETCH(QByteArray, image);
    QFETCH(int, lastAddress);
    data::DataSetList sets;
    const int result = data::ParseMemoryImage(image, lastAddress < 0 ? data::lastAddressOf(image) : lastAddress, sets);
    QTEST(setsExitStatus(result, sets), "status");
}

QTEST_GUILESS_MAIN(TestSetsCommand)
#include "tst_SetsCommand.moc"
