// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/SimulatedRecording.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cmath>
#include <vector>

using namespace ql708::graph;

namespace {

quint32 u32(const QByteArray &b, int at) { return qFromLittleEndian<quint32>(b.constData() + at); }
quint16 u16(const QByteArray &b, int at) { return qFromLittleEndian<quint16>(b.constData() + at); }

QByteArray read(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The root mean square of one second of a 16-bit mono file, from second `from` on.
double rmsOfSecond(const QByteArray &wav, double from)
{
    const int first = int(from * kSimulatedSampleRate);
    double sum = 0.0;
    for (int s = first; s < first + kSimulatedSampleRate; ++s) {
        const double v = qFromLittleEndian<qint16>(wav.constData() + 44 + 2 * s);
        sum += v * v;
    }
    return std::sqrt(sum / kSimulatedSampleRate);
}

} // namespace

class TestSimulatedRecording : public QObject {
    Q_OBJECT
private slots:
    void filesFollowTheSet();
    void leavesExistingFilesAlone();
};

void TestSimulatedRecording::filesFollowTheSet()
{
    // 1000 points every 2 s: 30 minutes and 198 s, loud for the first 1000 s, then quiet.
    std::vector<float> levels(1000, 40.0f);
    std::fill(levels.begin(), levels.begin() + 500, 90.0f);
    QTemporaryDir dir;
    QString error;
    QVERIFY(writeSimulatedRecording(dir.path(), QStringLiteral("A0000001"), 2, levels.data(), 1000, &error));
    const QByteArray first = read(dir.filePath(QStringLiteral("A0000001.WAV")));
    const QByteArray second = read(dir.filePath(QStringLiteral("A0000002.WAV")));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("A0000003.WAV"))));

    QCOMPARE(first.left(4), QByteArray("RIFF"));
    QCOMPARE(u32(first, 4), quint32(first.size() - 8));
    QCOMPARE(first.mid(8, 8), QByteArray("WAVEfmt "));
    QCOMPARE(u16(first, 20), quint16(1)); // PCM
    QCOMPARE(u16(first, 22), quint16(1)); // mono
    QCOMPARE(u32(first, 24), quint32(kSimulatedSampleRate));
    QCOMPARE(u32(first, 28), quint32(2 * kSimulatedSampleRate));
    QCOMPARE(u16(first, 34), quint16(16));
    QCOMPARE(first.mid(36, 4), QByteArray("data"));
    // 1800 s and 198 s, sped up 60 times.
    QCOMPARE(u32(first, 40), quint32(30 * 2 * kSimulatedSampleRate));
    QCOMPARE(u32(second, 40), quint32(3.3 * 2 * kSimulatedSampleRate));
    QCOMPARE(u32(first, 40) + 44, quint32(first.size()));
    // 90 dB is far louder than 40 dB.
    QVERIFY(rmsOfSecond(first, 0.0) > 10.0 * rmsOfSecond(first, 25.0));
    QVERIFY(rmsOfSecond(first, 25.0) > 0.0);
}

void TestSimulatedRecording::leavesExistingFilesAlone()
{
    const std::vector<float> levels(1000, 60.0f);
    QTemporaryDir dir;
    {
        QFile real(dir.filePath(QStringLiteral("A0000001.WAV")));
        QVERIFY(real.open(QIODevice::WriteOnly));
        real.write("a real recording");
    }
    QString error;
    QVERIFY(writeSimulatedRecording(dir.path(), QStringLiteral("A0000001"), 2, levels.data(), 1000, &error));
    QCOMPARE(read(dir.filePath(QStringLiteral("A0000001.WAV"))), QByteArray("a real recording"));
    QVERIFY(QFile::exists(dir.filePath(QStringLiteral("A0000002.WAV"))));

    const QString blocked = dir.filePath(QStringLiteral("A0000001.WAV/inside"));
    QVERIFY(!writeSimulatedRecording(blocked, QStringLiteral("B0000001"), 2, levels.data(), 10, &error));
    QVERIFY2(error.contains(QStringLiteral("B0000001.WAV")), qPrintable(error));
}

QTEST_GUILESS_MAIN(TestSimulatedRecording)
#include "tst_SimulatedRecording.moc"
