// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/AppendLog.h"
#include "tests/monitor/MonitorFixture.h"
#include "tests/support/FullDisk.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ql708;
using namespace ql708::monitor;

namespace {
QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}
void write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

class TestAppendLog : public QObject {
    Q_OBJECT
private slots:
    void opensToAddWithoutTruncating_data();
    void opensToAddWithoutTruncating();
    void aFullDiskLosesNothingItCanHold();
    void aDiskFullForLongDropsTheOldestAndCountsThem();
};

void TestAppendLog::opensToAddWithoutTruncating_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QByteArray>("lastLine");
    QTest::addColumn<bool>("repaired");

    QTest::newRow("new file") << QByteArray() << QByteArray("H\nc\n") << QByteArray() << false;
    QTest::newRow("whole lines") << QByteArray("H\na\nb\n") << QByteArray("H\na\nb\nc\n") << QByteArray("b") << false;
    QTest::newRow("a torn last line is cut off") << QByteArray("H\na\nb,5") << QByteArray("H\na\nc\n") << QByteArray("a")
                                               << true;
    QTest::newRow("a torn heading") << QByteArray("H,x") << QByteArray("H\nc\n") << QByteArray() << true;
    QTest::newRow("only the heading") << QByteArray("H\n") << QByteArray("H\nc\n") << QByteArray("H") << false;
}

void TestAppendLog::opensToAddWithoutTruncating()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(QByteArray, lastLine);
    QFETCH(bool, repaired);
    QTemporaryDir dir;
    const QString path = dir.filePath("log.csv");
    if (!before.isEmpty())
        write(path, before);
    {
        AppendLog log(path, "H");
        QVERIFY(log.open());
        QCOMPARE(log.lastLineAtOpen(), lastLine);
        log.append("c");
        QVERIFY(log.flush());
        const QStringList notes = log.takeNotes();
        QCOMPARE(notes.size(), repaired ? 1 : 0);
        if (repaired)
            QVERIFY2(notes[0].contains("cut short"), qPrintable(notes[0]));
    }
    QCOMPARE(contents(path), after);
}

void TestAppendLog::aFullDiskLosesNothingItCanHold()
{
    test::FullDisk disk;
    const QString path = disk.filePath("log.csv");
    AppendLog log(path, "H");
    QVERIFY(log.open());
    QByteArray expected = "H\n";
    auto add = [&](int i) {
        const QByteArray line = "line " + QByteArray::number(i) + QByteArray(40, 'x');
        log.append(line);
        expected += line + '\n';
    };
    for (int i = 0; i < 10; ++i)
        add(i);
    QVERIFY(log.sync());
    disk.fill();
    // What the file's last block still holds goes in; then every flush fails.
    int i = 10;
    for (bool written = true; written && i < 1000; ++i) {
        add(i);
        written = log.flush();
    }
    for (int more = 0; more < 100; ++more, ++i) {
        add(i);
        QVERIFY(!log.flush());
    }
    QStringList notes = log.takeNotes();
    QCOMPARE(notes.size(), 1); // told once, not at every retry
    QVERIFY2(notes[0].contains(path) && notes[0].contains(disk.reason()), qPrintable(notes[0]));
    QVERIFY(log.pendingBytes() > 0);
    disk.release();
    QVERIFY(log.sync());
    notes = log.takeNotes();
    QCOMPARE(notes, QStringList{QString("%1 is written again; nothing was lost").arg(path)});
    QCOMPARE(contents(path), expected);
}

void TestAppendLog::aDiskFullForLongDropsTheOldestAndCountsThem()
{
    test::FullDisk disk;
    const QString path = disk.filePath("log.csv");
    AppendLog log(path, "H");
    QVERIFY(log.open());
    QVERIFY(log.sync());
    disk.fill();
    const QByteArray filler(1000, 'x');
    const int lines = int(AppendLog::kMaxPending / 1000) + 100;
    for (int i = 0; i < lines; ++i) {
        log.append(QByteArray::number(i) + ',' + filler);
        if (i % 1000 == 0)
            log.flush();
    }
    QVERIFY(log.pendingBytes() <= AppendLog::kMaxPending);
    QVERIFY(log.droppedLines() > 0);
    disk.release();
    // The tmpfs holds 256 kB: let through what it takes, which is the newest lines.
    log.flush();
    const QStringList notes = log.takeNotes();
    QVERIFY(notes.join('\n').contains("dropped"));
    const QList<QByteArray> written = test::fileLines(path);
    QCOMPARE(written[0], QByteArray("H"));
    // The lines in order, but for one run of the oldest that waited: as many as were dropped.
    QList<qint64> jumps;
    for (int k = 2; k < written.size(); ++k) {
        const qint64 step = written[k].left(written[k].indexOf(',')).toLongLong() -
                            written[k - 1].left(written[k - 1].indexOf(',')).toLongLong();
        if (step != 1)
            jumps << step - 1;
    }
    QCOMPARE(jumps, QList<qint64>{log.droppedLines()});
}

QTEST_GUILESS_MAIN(TestAppendLog)
#include "tst_AppendLog.moc"
