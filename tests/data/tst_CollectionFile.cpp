// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/CollectionFile.h"
#include "data/MemoryImage.h"
#include "tests/data/ImageBuilder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ql708;
using namespace ql708::data;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void putFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

class TestCollectionFile : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void failuresGiveTheReason();
    void workingCopyPlace();
};

void TestCollectionFile::roundTrip_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArray>("saved"); // what a save of the opened image writes
    const QByteArray exact = test::buildImage({test::steadyRecord(3), test::steadyRecord(1)});
    QTest::newRow("exact") << exact << exact;
    QTest::newRow("extra bytes dropped") << exact + QByteArray(100, '\xFF') << exact;
    QTest::newRow("shorter than its last address") << exact.left(280) << exact.left(280);
    QTest::newRow("zero length") << QByteArray() << QByteArray();
    QTest::newRow("shorter than the header") << QByteArray(5, '\x04') << QByteArray(5, '\x04');
}

void TestCollectionFile::roundTrip()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, saved);
    QTemporaryDir dir;
    putFile(dir.filePath("in.rec"), file);
    QByteArray image("stale");
    QString error;
    QVERIFY(readCollection(dir.filePath("in.rec"), image, &error));
    QCOMPARE(image, saved);
    QVERIFY(writeCollection(dir.filePath("out.rec"), image, &error));
    QCOMPARE(fileBytes(dir.filePath("out.rec")), saved);
}

void TestCollectionFile::failuresGiveTheReason()
{
    QTemporaryDir dir;
    QByteArray image;
    QString error;
    QVERIFY(!readCollection(dir.filePath("missing.rec"), image, &error));
    QVERIFY(!error.isEmpty());
    error.clear();
    QVERIFY(!writeCollection(dir.filePath("no/such/folder/x.rec"), test::buildImage({}), &error));
    QVERIFY(!error.isEmpty());
}

void TestCollectionFile::workingCopyPlace()
{
    QCOMPARE(workingCopyPath(QStringLiteral("/home/u/Documents/QL708/")),
             QStringLiteral("/home/u/Documents/QL708/temp/DataSetsTemp.tmp"));
    QVERIFY(workingFolder(QString()).endsWith(QStringLiteral("/temp")));
}

QTEST_GUILESS_MAIN(TestCollectionFile)
#include "tst_CollectionFile.moc"
