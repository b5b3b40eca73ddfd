// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/SpanIndex.h"

#include <QTest>
#include <cmath>
#include <random>
#include <vector>

using namespace ql708;
using namespace ql708::analysis;

namespace {

enum class Grid { Tenths, Free };

// Levels that wander like a street: a slow swell, passing peaks, some gaps and out-of-range
// readings, on the logger's 0.1 dB grid or not.
std::vector<float> streetLevels(unsigned seed, int n, Grid grid)
{
    std::mt19937 gen(seed);
    std::uniform_real_distribution<double> noise(-3.0, 3.0);
    std::uniform_int_distribution<int> oneIn(0, 199);
    std::vector<float> v(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const double peak = (i % 1500 < 40) ? 30.0 * (1 - (i % 1500) / 40.0) : 0.0;
        const double level = 60 + 12 * std::sin(i * 3e-4) + noise(gen) + peak;
        const int pick = oneIn(gen);
        if (pick == 0)
            v[size_t(i)] = kGapLevel;
        else if (pick == 1)
            v[size_t(i)] = 0.0f;
        else
            v[size_t(i)] = grid == Grid::Tenths ? float(std::round(level * 10) * 0.1) : float(level);
    }
    return v;
}

// What the whole-run functions give for readings first..last, out-of-range left out like gaps.
struct Direct {
    std::vector<float> run;
    LevelSummary summary;
    int outOfRange = 0;
    double osha = 0, niosh = 0;
    int atOrAbove85 = 0;

    Direct(const std::vector<float> &v, int first, int last)
    {
        for (int i = first; i <= last; ++i) {
            const float l = v[size_t(i)];
            outOfRange += l == 0.0f;
            run.push_back(l == 0.0f ? kGapLevel : l);
            if (isGapLevel(run.back()))
                continue;
            osha += l >= 80 ? std::pow(2.0, (l - 90.0) / 5.0) : 0.0;
            niosh += l >= 80 ? std::pow(2.0, (l - 85.0) / 3.0) : 0.0;
            atOrAbove85 += l >= 85.0f;
        }
        summary = summarizeLevels(run);
    }
};

float tenth(float v) { return float(std::llround(double(v) * 10.0)); }

} // namespace

class TestSpanIndex : public QObject {
    Q_OBJECT
private slots:
    void agreesWithTheWholeRunFunctions_data();
    void agreesWithTheWholeRunFunctions();
    void shortSpansLateInALongSeriesStayExact();
    void levelsSpreadTooWideAreAnsweredDirectly();
    void cursorsInEitherOrderAndBeyondTheEnds();
    void anEmptySeriesHasNoFigures();
};

void TestSpanIndex::agreesWithTheWholeRunFunctions_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<bool>("onGrid");
    QTest::addColumn<unsigned>("seed");
    QTest::newRow("tenths, many blocks") << 60'000 << true << 1u;
    QTest::newRow("free levels, many blocks") << 60'000 << false << 2u;
    QTest::newRow("whole blocks only") << 3 * PercentileIndex::kBlock << true << 3u;
    QTest::newRow("shorter than a block") << 200 << true << 4u;
}

void TestSpanIndex::agreesWithTheWholeRunFunctions()
{
    QFETCH(int, n);
    QFETCH(bool, onGrid);
    QFETCH(unsigned, seed);
    const std::vector<float> v = streetLevels(seed, n, onGrid ? Grid::Tenths : Grid::Free);
    const SpanIndex index({{}, v, 0.5, true});

    std::mt19937 gen(seed + 100);
    std::uniform_int_distribution<int> at(0, n - 1);
    std::uniform_int_distribution<int> shortLength(0, 300);
    for (int k = 0; k < 300; ++k) {
        int first = at(gen), last = at(gen);
        if (k % 3 == 0) // short spans, often inside one block
            last = std::min(n - 1, first + shortLength(gen));
        if (k == 0)
            first = 0, last = n - 1;
        const SpanFigures f = index.figures(last, first);
        if (first > last)
            std::swap(first, last);
        const Direct d(v, first, last);
        const QString where = QString("%1..%2").arg(first).arg(last);

        QCOMPARE(f.first, first);
        QCOMPARE(f.readings, last - first + 1);
        QCOMPARE(f.outOfRange, d.outOfRange);
        QCOMPARE(f.gaps, f.readings - d.summary.count - d.outOfRange);
        QCOMPARE(f.levels.count, d.summary.count);
        if (d.summary.count == 0) {
            QVERIFY2(!f.leq && !f.exceeded, qPrintable(where));
            continue;
        }
        QCOMPARE(f.levels.max, d.summary.max);
        QCOMPARE(f.levels.min, d.summary.min);
        QCOMPARE(f.levels.maxIndex, first + d.summary.maxIndex);
        QCOMPARE(f.levels.minIndex, first + d.summary.minIndex);
        QVERIFY2(std::fabs(f.levels.mean - d.summary.mean) < 1e-9, qPrintable(where));
        QVERIFY2(std::fabs(*f.leq - *equivalentLevel(d.run)) < 1e-9, qPrintable(where));
        QVERIFY2(std::fabs(f.exposure.osha->percent - 100 * d.osha * 0.5 / 28800) < 1e-9 * (1 + d.osha), qPrintable(where));
        QVERIFY2(std::fabs(f.exposure.niosh->percent - 100 * d.niosh * 0.5 / 28800) < 1e-9 * (1 + d.niosh), qPrintable(where));
        QCOMPARE(f.exposure.secondsAtOrAboveLimit, d.atOrAbove85 * 0.5);

        const ExceededLevels e = *exceededLevels(d.run);
        if (onGrid) {
            QCOMPARE(f.exceeded->l10, e.l10);
            QCOMPARE(f.exceeded->l50, e.l50);
            QCOMPARE(f.exceeded->l90, e.l90);
        } else {
            QCOMPARE(tenth(f.exceeded->l10), tenth(e.l10));
            QCOMPARE(tenth(f.exceeded->l50), tenth(e.l50));
            QCOMPARE(tenth(f.exceeded->l90), tenth(e.l90));
        }
    }
}

void TestSpanIndex::shortSpansLateInALongSeriesStayExact()
{
    // A loud first half (120 dB) and a quiet second half (30.x dB): a running energy sum would
    // have lost the quiet readings' digits long before the end.
    const int n = 1'000'000;
    std::vector<float> v(size_t(n), 120.0f);
    for (int i = n / 2; i < n; ++i)
        v[size_t(i)] = 30.0f + float(i % 7) * 0.1f;
    const SpanIndex index({{}, v, 1.0, true});
    for (const int length : {1, 2, 7, 300, 5000}) {
        const int first = n - length - 13;
        const std::vector<float> run(v.begin() + first, v.begin() + first + length);
        const SpanFigures f = index.figures(first, first + length - 1);
        QVERIFY(std::fabs(*f.leq - *equivalentLevel(run)) < 1e-9);
    }
    // And a span over both halves, the loud reading first.
    const std::vector<float> both(v.begin() + n / 2 - 1, v.end());
    QVERIFY(std::fabs(*index.figures(n / 2 - 1, n - 1).leq - *equivalentLevel(both)) < 1e-9);
}

void TestSpanIndex::levelsSpreadTooWideAreAnsweredDirectly()
{
    // A text file may hold any finite number; tenths cannot be counted over such a spread.
    std::vector<float> v = streetLevels(7, 20'000, Grid::Free);
    v[100] = 1e7f;
    v[15'000] = -2000.0f;
    const SpanIndex index({{}, v, 1.0, true});
    for (const auto &[first, last] : {std::pair{0, 19'999}, {50, 9000}, {14'000, 14'100}}) {
        std::vector<float> run(v.begin() + first, v.begin() + last + 1);
        for (float &l : run)
            l = l == 0.0f ? kGapLevel : l;
        const ExceededLevels e = *exceededLevels(run);
        const ExceededLevels f = *index.figures(first, last).exceeded;
        QCOMPARE(f.l10, e.l10);
        QCOMPARE(f.l50, e.l50);
        QCOMPARE(f.l90, e.l90);
    }
}

void TestSpanIndex::cursorsInEitherOrderAndBeyondTheEnds()
{
    const std::vector<float> v = streetLevels(9, 10'000, Grid::Tenths);
    const SpanIndex index({{}, v, 1.0, true});
    const SpanFigures whole = index.whole();
    const SpanFigures beyond = index.figures(20'000, -5);
    QCOMPARE(beyond.first, 0);
    QCOMPARE(beyond.last, 9999);
    QCOMPARE(*beyond.leq, *whole.leq);
    QCOMPARE(beyond.levels.maxIndex, whole.levels.maxIndex);
    const SpanFigures one = index.figures(4321, 4321);
    QCOMPARE(one.readings, 1);
    QCOMPARE(one.levels.count, isMeasuredLevel(v[4321]) ? 1 : 0);
}

void TestSpanIndex::anEmptySeriesHasNoFigures()
{
    const SpanFigures f = SpanIndex(LevelSeries{}).whole();
    QCOMPARE(f.first, -1);
    QCOMPARE(f.readings, 0);
    QVERIFY(!f.leq && !f.sel && !f.exceeded && !f.exposure.lex8h);
}

QTEST_GUILESS_MAIN(TestSpanIndex)
#include "tst_SpanIndex.moc"
