// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/WavNaming.h"

#include <QTest>

using namespace ql708::graph;

class TestWavNaming : public QObject {
    Q_OBJECT
private slots:
    void fileNames_data();
    void fileNames();
    void fileCount_data();
    void fileCount();
    void namesRecording_data();
    void namesRecording();
};

void TestWavNaming::fileNames_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("name");
    QTest::newRow("the chosen file") << "A0000001.WAV" << 0 << "A0000001.WAV";
    QTest::newRow("1 to 2") << "A0000001.WAV" << 1 << "A0000002.WAV";
    QTest::newRow("09 to 0A") << "A0000009.WAV" << 1 << "A000000A.WAV";
    QTest::newRow("0Z to 10") << "A000000Z.WAV" << 1 << "A0000010.WAV";
    QTest::newRow("ZZ to 00, no carry beyond") << "A00000ZZ.WAV" << 1 << "A0000000.WAV";
    QTest::newRow("36 steps carry once") << "A0000001.WAV" << 36 << "A0000011.WAV";
    QTest::newRow("1296 steps come round") << "A0000001.WAV" << 1296 << "A0000001.WAV";
    QTest::newRow("1297 steps") << "A00000ZZ.WAV" << 1297 << "A0000000.WAV";
    QTest::newRow("lower case: 09 to 0a") << "a0000009.wav" << 1 << "a000000a.wav";
    QTest::newRow("lower case: 0z to 10") << "a000000z.wav" << 1 << "a0000010.wav";
    QTest::newRow("a stray character, then 1296 steps") << "A00000-1.WAV" << 1296 << "A00000Z1.WAV";
    QTest::newRow("digits only: capitals") << "10000009.WAV" << 1 << "1000000A.WAV";
    QTest::newRow("a stray character counts as the last") << "A00000-Z.WAV" << 1 << "A0000000.WAV";
    QTest::newRow("longer name keeps its tail") << "A0000001 copy.WAV" << 2 << "A0000003 copy.WAV";
    QTest::newRow("too short to count on") << "A1.WAV" << 1 << "";
    QTest::newRow("too short, first file") << "A1.WAV" << 0 << "A1.WAV";
}

void TestWavNaming::fileNames()
{
    QFETCH(QString, first);
    QFETCH(int, k);
    QTEST(wavFileName(first, k), "name");
}

void TestWavNaming::fileCount_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("files");
    QTest::newRow("2 s, 2701 points: 5400 s") << 2 << 2701 << 3;
    QTest::newRow("1 s, 1804 points: a rest of 3 s") << 1 << 1804 << 1;
    QTest::newRow("1 s, 1805 points: a rest of 4 s") << 1 << 1805 << 2;
    QTest::newRow("exactly 30 minutes") << 1 << 1801 << 1;
    QTest::newRow("2 s, 1000 points: 30 min and 3") << 2 << 1000 << 2;
    QTest::newRow("one point") << 2 << 1 << 1;
    QTest::newRow("no point") << 2 << 0 << 1;
    QTest::newRow("interval 0") << 0 << 40 << 1;
    QTest::newRow("a minute apart, 2 hours") << 60 << 121 << 4;
}

void TestWavNaming::fileCount()
{
    QFETCH(int, rate);
    QFETCH(int, points);
    QTEST(wavFileCount(rate, points), "files");
}

void TestWavNaming::namesRecording_data()
{
    QTest::addColumn<QString>("wave");
    QTest::addColumn<bool>("names");
    QTest::newRow("a name") << "A0000001" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("00: none") << "00000000" << false;
    QTest::newRow("one 0 is a name") << "0A000001" << true;
    QTest::newRow("a folder in it") << "../A0001" << false;
    QTest::newRow("a separator") << "A000/001" << false;
    QTest::newRow("a control character") << QString("A000\n001") << false;
}

void TestWavNaming::namesRecording()
{
    QFETCH(QString, wave);
    QTEST(::namesRecording(wave), "names");
}

QTEST_GUILESS_MAIN(TestWavNaming)
#include "tst_WavNaming.moc"
