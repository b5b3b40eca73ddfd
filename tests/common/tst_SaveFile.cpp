// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/SaveFile.h"
#include "tests/support/FullDisk.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

using namespace ql708;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

mode_t typeOf(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? st.st_mode & S_IFMT : 0;
}

} // namespace

class TestSaveFile : public QObject {
    Q_OBJECT
private slots:
    void fullDiskKeepsTheEarlierFile_data();
    void fullDiskKeepsTheEarlierFile();
    void replacesOnlyOnceWhole();
    void fifoIsWrittenNotReplaced();
    void deviceIsWrittenNotReplaced();
};

void TestSaveFile::fullDiskKeepsTheEarlierFile_data()
{
    QTest::addColumn<bool>("earlier");
    QTest::addColumn<int>("size");
    // A small file sits in the write buffer until the end; a large one fails on the way.
    QTest::newRow("new small file") << false << 100;
    QTest::newRow("earlier file, small") << true << 100;
    QTest::newRow("earlier file, large") << true << (1 << 20);
}

void TestSaveFile::fullDiskKeepsTheEarlierFile()
{
    QFETCH(bool, earlier);
    QFETCH(int, size);
    test::FullDisk disk;
    const QString path = disk.filePath("x.rec");
    const QByteArray before("the earlier file");
    if (earlier)
        QVERIFY(saveFile(path, before));
    disk.fill();
    QString reason;
    QVERIFY(!saveFile(path, QByteArray(size, 'n'), &reason));
    QCOMPARE(reason, disk.reason());
    disk.release();
    QCOMPARE(fileBytes(path), earlier ? before : QByteArray("<missing>"));
    // No temporary file is left behind.
    QCOMPARE(QDir(disk.filePath(".")).entryList(QDir::Files), earlier ? QStringList{"x.rec"} : QStringList{});
}

void TestSaveFile::replacesOnlyOnceWhole()
{
    test::FullDisk disk;
    const QString path = disk.filePath("x.txt");
    QVERIFY(saveFile(path, "old"));
    {
        SaveFile file(path);
        QVERIFY(file.open());
        QVERIFY(file.write("new "));
        QCOMPARE(fileBytes(path), QByteArray("old")); // nothing replaced while writing
        file.device().write("lines");
        QVERIFY(file.commit());
    }
    QCOMPARE(fileBytes(path), QByteArray("new lines"));
    {
        SaveFile cancelled(path);
        QVERIFY(cancelled.open());
        QVERIFY(cancelled.write("half"));
    }
    QCOMPARE(fileBytes(path), QByteArray("new lines"));
    QCOMPARE(QDir(disk.filePath(".")).entryList(QDir::Files), QStringList{"x.txt"});
}

void TestSaveFile::fifoIsWrittenNotReplaced()
{
    test::FullDisk disk;
    const QString path = disk.filePath("pipe");
    QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    std::future<QByteArray> received = std::async(std::launch::async, [&] {
        QFile in(path);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    });
    QVERIFY(saveFile(path, "through the pipe"));
    QCOMPARE(received.get(), QByteArray("through the pipe"));
    QCOMPARE(typeOf(path), mode_t(S_IFIFO));
}

void TestSaveFile::deviceIsWrittenNotReplaced()
{
    test::FullDisk disk;
    // The full-disk device, made inside the test's own file system.
    const QString path = disk.filePath("full");
    if (!disk.isTmpfs() || ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0600, makedev(1, 7)) != 0)
        QSKIP("no device node can be made here");
    QString reason;
    QVERIFY(!saveFile(path, "bytes", &reason));
    QCOMPARE(reason, QString::fromLocal8Bit(strerror(ENOSPC)));
    QCOMPARE(typeOf(path), mode_t(S_IFCHR));
}

QTEST_GUILESS_MAIN(TestSaveFile)
#include "tst_SaveFile.moc"
