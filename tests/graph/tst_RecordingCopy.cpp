// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/RecordingCopy.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace ql708::graph;

namespace {

void write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<none>");
}

} // namespace

class TestRecordingCopy : public QObject {
    Q_OBJECT
private slots:
    void copiesWhatThereIs();
    void failuresSayWhere();
};

void TestRecordingCopy::copiesWhatThereIs()
{
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("card"));
    const QString project = dir.filePath(QStringLiteral("data/A0000009"));
    QDir().mkpath(source);
    write(source + QStringLiteral("/A0000009.WAV"), "first");
    write(source + QStringLiteral("/A000000B.WAV"), "third"); // the second file is missing
    QDir().mkpath(project);
    write(project + QStringLiteral("/A0000009.WAV"), "an older copy");
    QList<int> steps;
    const RecordingCopyResult r =
        copyRecording(source, QStringLiteral("A0000009.WAV"), 4, project, [&](int m) { steps << m; });
    QCOMPARE(r.outcome, RecordingCopyResult::Copied);
    QCOMPARE(steps, (QList<int>{1, 2, 3}));
    QCOMPARE(read(project + QStringLiteral("/A0000009.WAV")), QByteArray("first"));
    QCOMPARE(read(project + QStringLiteral("/A000000B.WAV")), QByteArray("third"));
    QCOMPARE(QDir(project).entryList(QDir::Files), (QStringList{"A0000009.WAV", "A000000B.WAV"}));
}

void TestRecordingCopy::failuresSayWhere()
{
    QTemporaryDir dir;
    write(dir.filePath(QStringLiteral("A0000001.WAV")), "first");
    write(dir.filePath(QStringLiteral("a file")), "");
    const auto none = [](int) {};
    const QString blocked = dir.filePath(QStringLiteral("a file/A0000001"));
    const RecordingCopyResult folder = copyRecording(dir.path(), QStringLiteral("A0000001.WAV"), 2, blocked, none);
    QCOMPARE(folder.outcome, RecordingCopyResult::FolderNotCreated);
    QCOMPARE(folder.path, blocked);

    // A second "file" that cannot be read stops the copy and names it.
    QDir().mkpath(dir.filePath(QStringLiteral("A0000002.WAV")));
    const RecordingCopyResult file =
        copyRecording(dir.path(), QStringLiteral("A0000001.WAV"), 2, dir.filePath(QStringLiteral("project")), none);
    QCOMPARE(file.outcome, RecordingCopyResult::FileNotCopied);
    QCOMPARE(file.path, dir.filePath(QStringLiteral("A0000002.WAV")));
    QVERIFY(!file.reason.isEmpty());
}

QTEST_GUILESS_MAIN(TestRecordingCopy)
#include "tst_RecordingCopy.moc"
