// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/MemoryImage.h"
#include "tests/data/ImageBuilder.h"
#include "tests/support/FakeClock.h"

#include <QTest>

#include <numeric>

using namespace ql708;
using namespace ql708::data;
using test::RecordShape;
using test::buildImage;
using test::steadyRecord;

namespace {

const QDateTime kNow(QDate(2025, 11, 20), QTime(8, 30, 15));

// A list that a rejected image must leave as it was.
DataSetList sentinelList()
{
    DataSetList l;
    l.startTimes = {1.0};
    l.rates = {7};
    l.pointCounts = {0};
    return l;
}

// A full memory whose header counts 4000 sets and whose records hold no marker at all.
QByteArray setsWithoutMarkers()
{
    QByteArray image(256256, '\0');
    image[0] = 0x04;
    image[9] = char(4000 >> 8), image[10] = char(4000 & 0xFF);
    const int last = image.size() - 1;
    image[11] = char(last >> 16), image[12] = char(last >> 8 & 0xFF), image[13] = char(last & 0xFF);
    image[31] = 0x05;
    return image;
}

QByteArray truncated(QByteArray image, int size)
{
    image.truncate(size);
    return image;
}

} // namespace

class TestMemoryImage : public QObject {
    Q_OBJECT
private slots:
    void walksRecords_data();
    void walksRecords();
    void repairsFields_data();
    void repairsFields();
    void extremesAndAverage_data();
    void extremesAndAverage();
};

void TestMemoryImage::walksRecords_data()
{
    QTest::addColumn<QByteArray>("image");
    QTest::addColumn<int>("lastAddress"); // -1: as the header gives it
    QTest::addColumn<int>("result");
    QTest::addColumn<QList<int>>("counts"); // empty for 31 and 32: the list stays as it was

    RecordShape countTooBig = steadyRecord(3);
    countTooBig.countField = 5;
    RecordShape countTooSmall = steadyRecord(3);
    countTooSmall.countField = 1;
    RecordShape badStart = steadyRecord(3);
    badStart.startMarkers = false;
    RecordShape badEnd = steadyRecord(3);
    badEnd.endMarkers = false;
    const QByteArray ten = buildImage({steadyRecord(10), steadyRecord(2)});
    QList<RecordShape> many(4000, steadyRecord(1));

    QTest::newRow("one clean set") << buildImage({steadyRecord(3)}) << -1 << 0 << QList<int>{3};
    QTest::newRow("sets of 5, 0 and 7") << buildImage({steadyRecord(5), steadyRecord(0), steadyRecord(7)}) << -1
                                        << 0 << QList<int>{5, 0, 7};
    QTest::newRow("4000 sets") << buildImage(many) << -1 << 0 << QList<int>(4000, 1);
    QTest::newRow("no set") << buildImage({steadyRecord(3)}, 0) << -1 << 31 << QList<int>{};
    QTest::newRow("4001 sets") << buildImage({steadyRecord(3)}, 4001) << -1 << 32 << QList<int>{};
    QTest::newRow("image without a header") << QByteArray(8, '\x01') << -1 << 31 << QList<int>{};
    QTest::newRow("count above the points held: markers found")
        << buildImage({countTooBig, steadyRecord(2)}) << -1 << 0 << QList<int>{3, 2};
    QTest::newRow("count below the points held: markers found")
        << buildImage({countTooSmall, steadyRecord(2)}) << -1 << 0 << QList<int>{3, 2};
    QTest::newRow("start markers wrong") << buildImage({badStart}) << -1 << 33 << QList<int>{3};
    QTest::newRow("end markers wrong") << buildImage({badEnd}) << -1 << 33 << QList<int>{3};
    QTest::newRow("4000 sets without markers") << setsWithoutMarkers() << -1 << 33 << QList<int>(4000, 0);
    // 10 points from 280: a bound at 287 holds 4 whole points, and the next record is not read.
    QTest::newRow("record past the last address") << ten << 287 << 34 << QList<int>{4};
    QTest::newRow("bound inside a point") << ten << 288 << 34 << QList<int>{4};
    QTest::newRow("truncated file") << truncated(ten, 290) << -1 << 34 << QList<int>{5};
    QTest::newRow("second head past the last address")
        << buildImage({steadyRecord(3), steadyRecord(2)}) << 285 << 34 << QList<int>{3};
    // The header counts a set the memory has no room for: data cut short, not "no data".
    QTest::newRow("no head inside the last address") << buildImage({steadyRecord(3)}) << 255 << 34 << QList<int>{};
    QTest::newRow("file ends inside the first head") << truncated(ten, 270) << -1 << 34 << QList<int>{};
}

void TestMemoryImage::walksRecords()
{
    QFETCH(QByteArray, image);
    QFETCH(int, lastAddress);
    QFETCH(int, result);
    QFETCH(QList<int>, counts);
    test::FakeClock clock(kNow);
    DataSetList list = sentinelList();
    const qint32 bound = lastAddress < 0 ? lastAddressOf(image) : lastAddress;
    QCOMPARE(ParseMemoryImage(image, bound, list), result);
    QCOMPARE(parse_result::accepted(result, list), !counts.isEmpty());
    if (result == parse_result::kNoSets || result == parse_result::kTooManySets) {
        QCOMPARE(list.rates, std::vector<std::int32_t>{7});
        return;
    }
    QCOMPARE(QList<int>(list.pointCounts.begin(), list.pointCounts.end()), counts);
    const int total = std::accumulate(counts.begin(), counts.end(), 0);
    QCOMPARE(int(list.levels.size()), total);
    QCOMPARE(int(list.times.size()), total);
    QCOMPARE(list.summaries.size(), counts.size());
    QCOMPARE(list.waveNames.size(), counts.size());
    // Records follow one another: each starts after the last byte of the one before.
    QCOMPARE(list.recordStarts.empty() ? 256 : list.recordStarts[0], 256);
    for (int k = 1; k < list.count(); ++k)
        QCOMPARE(list.recordStarts[k], list.recordEnds[k - 1] + 1);
}

void TestMemoryImage::repairsFields_data()
{
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<int>("rate");
    QTest::addColumn<QByteArray>("wave");
    QTest::addColumn<int>("point");
    QTest::addColumn<QDateTime>("expectedStart");
    QTest::addColumn<int>("expectedRate");
    QTest::addColumn<QString>("expectedWave");
    QTest::addColumn<float>("expectedLevel");

    const QByteArray clean = QByteArray::fromHex("240305140709");
    const QDateTime cleanStart(QDate(2024, 3, 5), QTime(14, 7, 9));
    QTest::newRow("clean") << clean << 2 << QByteArray("00000000") << 0x0384 << cleanStart << 2 << QString() << 90.0f;
    QTest::newRow("31 June") << QByteArray::fromHex("240631101500") << 2 << QByteArray("00000000") << 0x0384
                             << kNow << 2 << QString() << 90.0f;
    QTest::newRow("hour 24") << QByteArray::fromHex("240305240709") << 2 << QByteArray("00000000") << 0x0384
                             << kNow << 2 << QString() << 90.0f;
    QTest::newRow("year 0xA4 takes this year") << QByteArray::fromHex("A40305140709") << 2 << QByteArray("00000000")
                                               << 0x0384 << QDateTime(QDate(2025, 3, 5), QTime(14, 7, 9)) << 2
                                               << QString() << 90.0f;
    QTest::newRow("month 0x1A takes this month") << QByteArray::fromHex("241A05140709") << 2 << QByteArray("00000000")
                                                 << 0x0384 << QDateTime(QDate(2024, 11, 5), QTime(14, 7, 9)) << 2
                                                 << QString() << 90.0f;
    QTest::newRow("second 0x5A takes this second") << QByteArray::fromHex("24030514075A") << 2
                                                   << QByteArray("00000000") << 0x0384
                                                   << QDateTime(QDate(2024, 3, 5), QTime(14, 7, 15)) << 2 << QString()
                                                   << 90.0f;
    QTest::newRow("rate 61") << clean << 61 << QByteArray("00000000") << 0x0384 << cleanStart << 2 << QString() << 90.0f;
    QTest::newRow("rate 60") << clean << 60 << QByteArray("00000000") << 0x0384 << cleanStart << 60 << QString() << 90.0f;
    QTest::newRow("wave named") << clean << 2 << QByteArray("A0000001") << 0x0384 << cleanStart << 2
                                << QStringLiteral("A0000001") << 90.0f;
    QTest::newRow("wave 0A named") << clean << 2 << QByteArray("0A000000") << 0x0384 << cleanStart << 2
                                   << QStringLiteral("0A000000") << 90.0f;
    QTest::newRow("140.1 dB") << clean << 2 << QByteArray("00000000") << 0x0579 << cleanStart << 2 << QString() << 0.0f;
    QTest::newRow("140.0 dB") << clean << 2 << QByteArray("00000000") << 0x0578 << cleanStart << 2 << QString() << 140.0f;
    QTest::newRow("20.0 dB") << clean << 2 << QByteArray("00000000") << 0x00C8 << cleanStart << 2 << QString() << 20.0f;
    QTest::newRow("19.9 dB") << clean << 2 << QByteArray("00000000") << 0x00C7 << cleanStart << 2 << QString() << 0.0f;
    QTest::newRow("upper bits ignored") << clean << 2 << QByteArray("00000000") << 0xF384 << cleanStart << 2
                                        << QString() << 90.0f;
}

void TestMemoryImage::repairsFields()
{
    QFETCH(QByteArray, start);
    QFETCH(int, rate);
    QFETCH(QByteArray, wave);
    QFETCH(int, point);
    QFETCH(QDateTime, expectedStart);
    QFETCH(int, expectedRate);
    QFETCH(QString, expectedWave);
    QFETCH(float, expectedLevel);
    test::FakeClock clock(kNow);
    RecordShape r;
    r.start = start;
    r.rate = std::uint8_t(rate);
    r.wave = wave;
    r.points = {std::uint16_t(point), 0x0384};
    DataSetList list;
    const QByteArray image = buildImage({r});
    QCOMPARE(ParseMemoryImage(image, lastAddressOf(image), list), 0);
    QCOMPARE(fromTDateTime(list.startTimes[0]), expectedStart);
    QCOMPARE(list.rates[0], expectedRate);
    QCOMPARE(list.waveNames[0], expectedWave);
    QCOMPARE(list.levels[0], expectedLevel);
    QCOMPARE(list.times[1], list.startTimes[0] + expectedRate / 86400.0);
}

void TestMemoryImage::extremesAndAverage_data()
{
    QTest::addColumn<QList<std::uint16_t>>("points");
    QTest::addColumn<int>("maxIndex");
    QTest::addColumn<int>("minIndex");
    QTest::addColumn<double>("average");
    QTest::addColumn<int>("outOfRange");

    QTest::newRow("first of equal extremes") << QList<std::uint16_t>{0x0384, 0x03E8, 0x03E8, 0x0258, 0x0258} << 1 << 3
                                             << (90.0 + 100.0 + 100.0 + 60.0 + 60.0) / 5 << 0;
    QTest::newRow("out of range left out") << QList<std::uint16_t>{0x0010, 0x0384, 0x0FFF, 0x0258} << 1 << 3 << 75.0 << 2;
    QTest::newRow("all out of range") << QList<std::uint16_t>{0x0010, 0x0FFF} << -1 << -1 << 0.0 << 2;
    QTest::newRow("no points") << QList<std::uint16_t>{} << -1 << -1 << 0.0 << 0;
}

void TestMemoryImage::extremesAndAverage()
{
    QFETCH(QList<std::uint16_t>, points);
    QFETCH(int, maxIndex);
    QFETCH(int, minIndex);
    QFETCH(double, average);
    QFETCH(int, outOfRange);
    RecordShape r;
    r.points = points;
    DataSetList list;
    const QByteArray image = buildImage({r});
    QCOMPARE(ParseMemoryImage(image, lastAddressOf(image), list), 0);
    const LevelSummary &s = list.summaries[0];
    QCOMPARE(s.maxIndex, maxIndex);
    QCOMPARE(s.minIndex, minIndex);
    QVERIFY(qAbs(s.mean - average) < 1e-5);
    QCOMPARE(s.outOfRange, outOfRange);
    QCOMPARE(list.recordEnds[0] - list.recordStarts[0] + 1, 26 + 2 * int(points.size()));
}

QTEST_GUILESS_MAIN(TestMemoryImage)
#include "tst_MemoryImage.moc"
