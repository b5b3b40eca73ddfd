// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/TenthCounts.h"

#include <QTest>
#include <random>
#include <vector>

using namespace ql708;
using namespace ql708::analysis;

class TestTenthCounts : public QObject {
    Q_OBJECT
private slots:
    void sameAsSelectionOnTheLoggersGrid();
    void rangeAndClear();
};

// Levels on the 0.1 dB grid, as the meter gives them: the histogram answers what selection over
// all the readings answers, whatever their number.
void TestTenthCounts::sameAsSelectionOnTheLoggersGrid()
{
    std::mt19937 rng(7);
    for (const int n : {1, 2, 3, 10, 11, 99, 1000, 4321}) {
        std::vector<float> levels;
        TenthHistogram h(0.0f, 200.0f);
        for (int i = 0; i < n; ++i) {
            const float v = float(int(rng() % 900 + 300) * 0.1);
            levels.push_back(v);
            QVERIFY(h.add(v));
        }
        const auto expected = exceededLevels(levels);
        const auto got = h.exceeded();
        QVERIFY(got && expected);
        QCOMPARE(got->l10, expected->l10);
        QCOMPARE(got->l50, expected->l50);
        QCOMPARE(got->l90, expected->l90);
    }
}

void TestTenthCounts::rangeAndClear()
{
    TenthHistogram h(30.0f, 130.0f);
    QVERIFY(!h.exceeded());
    QVERIFY(!h.add(29.9f));
    QVERIFY(!h.add(130.1f));
    QVERIFY(!h.add(kGapLevel));
    QVERIFY(!h.add(kOutOfRangeLevel));
    QVERIFY(!h.exceeded());
    QVERIFY(h.add(30.0f) && h.add(130.0f) && h.add(130.04f));
    QCOMPARE(h.exceeded()->l90, 30.0f);
    QCOMPARE(h.exceeded()->l10, 130.0f);
    h.clear();
    QVERIFY(!h.exceeded());
}

QTEST_GUILESS_MAIN(TestTenthCounts)
#include "tst_TenthCounts.moc"
