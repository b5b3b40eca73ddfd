// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/DataSetList.h"
#include "data/DataSetText.h"
#include "data/MemoryImage.h"
#include "tests/data/ImageBuilder.h"

#include <QTest>

#include <algorithm>

using namespace ql708;
using namespace ql708::data;
using test::RecordShape;
using test::buildImage;
using test::steadyRecord;

namespace {

// Three sets of 5, 0 and 7 points, recorded every 2 s, 1 s and 0 s.
DataSetList threeSets()
{
    RecordShape a = steadyRecord(5), b = steadyRecord(0), c = steadyRecord(7);
    a.rate = 2, b.rate = 1, c.rate = 0;
    c.start = QByteArray::fromHex("240306090000");
    DataSetList list;
    const QByteArray image = buildImage({a, b, c});
    ParseMemoryImage(image, lastAddressOf(image), list);
    return list;
}

void verifyTimes(const DataSetList &list)
{
    for (int i = 0; i < list.count(); ++i) {
        const std::size_t offset = list.offsetOf(i);
        for (std::size_t k = 0; k < std::size_t(list.pointCounts[i]); ++k)
            QCOMPARE(list.times[offset + k], pointTime(list.startTimes[i], list.rates[i], k));
    }
}

} // namespace

class TestDataSetList : public QObject {
    Q_OBJECT
private slots:
    void setsLieOneAfterAnother();
    void changeStartTimeMovesOneSet();
    void texts_data();
    void texts();
};

void TestDataSetList::setsLieOneAfterAnother()
{
    const DataSetList list = threeSets();
    QCOMPARE(list.count(), 3);
    QCOMPARE(list.offsetOf(0), std::size_t(0));
    QCOMPARE(list.offsetOf(1), std::size_t(5));
    QCOMPARE(list.offsetOf(2), std::size_t(5));
    QCOMPARE(list.levels.size(), std::size_t(12));
    QCOMPARE(list.times.size(), std::size_t(12));
    verifyTimes(list);
    QVERIFY(qAbs(list.times[4] - list.times[0] - 8 * kSecond) < 1e-9);
    // A rate of 0 gives every point the start time.
    QVERIFY(std::all_of(list.times.begin() + 5, list.times.end(), [&](double t) { return t == list.startTimes[2]; }));
}

void TestDataSetList::changeStartTimeMovesOneSet()
{
    DataSetList list = threeSets();
    const DataSetList before = list;
    const TDateTime moved = toTDateTime(QDateTime(QDate(2030, 1, 2), QTime(3, 4, 5)));
    list.changeStartTime(2, moved);
    QCOMPARE(list.startTimes[2], moved);
    QCOMPARE(list.startTimes[0], before.startTimes[0]);
    QVERIFY(std::equal(list.times.begin(), list.times.begin() + 5, before.times.begin()));
    QVERIFY(std::all_of(list.times.begin() + 5, list.times.end(), [&](double t) { return t == moved; }));
    QCOMPARE(list.levels, before.levels);
    verifyTimes(list);

    list.changeStartTime(0, moved);
    QCOMPARE(list.times[5], moved); // set 2 keeps its own new start
    QCOMPARE(list.times[0], moved);
    verifyTimes(list);
}

void TestDataSetList::texts_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("flags");
    QTest::addColumn<QString>("rateShown");
    QTest::addColumn<QString>("range");
    QTest::addColumn<QString>("weighting");
    QTest::addColumn<QString>("response");
    QTest::newRow("2 s, FAST A 30-90") << 2 << 0x03 << "00:02" << "30-90" << "dBA" << "FAST";
    QTest::newRow("60 s, SLOW C 50-110") << 60 << 0x04 << "01:00" << "50-110" << "dBC" << "SLOW";
    QTest::newRow("0 s, 70-130 with other bits") << 0 << 0xF9 << "00:00" << "70-130" << "dBC" << "FAST";
    QTest::newRow("59 s, 30-130") << 59 << 0x0E << "00:59" << "30-130" << "dBA" << "SLOW";
}

void TestDataSetList::texts()
{
    QFETCH(int, rate);
    QFETCH(int, flags);
    QTEST(rateText(rate), "rateShown");
    QTEST(rangeText(std::uint8_t(flags)), "range");
    QTEST(weightingText(std::uint8_t(flags)), "weighting");
    QTEST(responseText(std::uint8_t(flags)), "response");
}

QTEST_GUILESS_MAIN(TestDataSetList)
#include "tst_DataSetList.moc"
