#include "cli/SetsCommand.h"
#include "data/DataSetList.h"
#include "data/MemoryImage.h"
#include "tests/data/ImageBuilder.h"

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
    test::RecordShape a = test::steadyRecord(3, 655), b = test::steadyRecord(0);
    a.points[1] = 0x0400;
    a.wave = "A0000001";
    b.rate = 61;
    b.flags = 0x0C;
    b.start = QByteArray::fromHex("991231235959");
    // The name a file gives a recording reaches the terminal with its control characters shown.
    test::RecordShape c = test::steadyRecord(0);
    c.wave = QByteArray("\x1b]0;x\x07\\A");
    data::DataSetList sets;
    const QByteArray image = test::buildImage({a, b, c});
    QCOMPARE(data::ParseMemoryImage(image, data::lastAddressOf(image), sets), 0);
    const QStringList lines = setsTable(sets);
    QCOMPARE(lines.size(), 4);
    QCOMPARE(lines[0].split('\t').size(), 12);
    QCOMPARE(lines[1], QStringLiteral("1\t2024-03-05\t14:07:09\t00:02\t3\tdBA\tFAST\t30-90\tA0000001\t102.4\t65.5\t77.8"));
    QCOMPARE(lines[2], QStringLiteral("2\t2099-12-31\t23:59:59\t00:02\t0\tdBC\tSLOW\t30-130\t\t\t\t0.0"));
    QCOMPARE(lines[3].section('\t', 8, 8), QStringLiteral("\\x1B]0;x\\x07\\\\A"));
}

void TestSetsCommand::exitStatus_data()
{
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("status");
    for (int r : {0, 33, 34, 35})
        QTest::addRow("%d", r) << r << 0;
    for (int r : {31, 32})
        QTest::addRow("%d", r) << r << 3;
}

void TestSetsCommand::exitStatus()
{
    QFETCH(int, result);
    QTEST(setsExitStatus(result), "status");
}

QTEST_GUILESS_MAIN(TestSetsCommand)
#include "tst_SetsCommand.moc"
