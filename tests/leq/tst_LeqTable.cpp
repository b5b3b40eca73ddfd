// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/StringTable.h"
#include "leq/LeqTable.h"

#include <QTest>

using namespace ql708;
using namespace ql708::leq;

namespace {

TDateTime at(int second) { return toTDateTime(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 0).addSecs(second))); }

// One row per level, a second apart; kGapLevel for a second without readings. The Leq column
// holds the level plus 100, so the two columns cannot be mixed up.
LeqTable tableOf(const QList<float> &levels)
{
    LeqTable t;
    for (int i = 0; i < levels.size(); ++i)
        t.append(at(i), levels[i], isGapLevel(levels[i]) ? kGapLevel : levels[i] + 100);
    return t;
}

} // namespace

class TestLeqTable : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }
    void cleanup() { setActiveLanguage(Language::English); }
    void cellsAsShownAndSaved();
    void summaryFigures_data();
    void summaryFigures();
    void summaryTextInBothLanguages();
};

void TestLeqTable::cellsAsShownAndSaved()
{
    const LeqTable t = tableOf({65.24f, kGapLevel});
    QCOMPARE(t.rows(), 2);
    const QStringList first = {t.cellText(0, 0), t.cellText(0, 1), t.cellText(0, 2), t.cellText(0, 3), t.cellText(0, 4)};
    QCOMPARE(first, (QStringList{"1", "05/03/2024", "14:07:00", "65.2", "165.2"}));
    QCOMPARE(t.cellText(1, LeqTable::No), QStringLiteral("2"));
    QCOMPARE(t.cellText(1, LeqTable::Time), QStringLiteral("14:07:01"));
    QVERIFY(t.cellText(1, LeqTable::Spl).isEmpty());
    QVERIFY(t.cellText(1, LeqTable::Leq).isEmpty());
    QCOMPARE(t.cellText(0, LeqTable::Spl, QLocale(QLocale::French, QLocale::France)), QStringLiteral("65,2"));
}

void TestLeqTable::summaryFigures_data()
{
    QTest::addColumn<QList<float>>("levels");
    QTest::addColumn<QList<float>>("expected"); // Leq, Lmax, Lmin, L10, L50, L90; empty: no levels
    QTest::newRow("empty") << QList<float>{} << QList<float>{};
    QTest::newRow("only gaps") << QList<float>{kGapLevel, kGapLevel} << QList<float>{};
    // Ten levels 60..69 in shuffled order: L10 is the 9th lowest, L50 the 5th, L90 the 1st.
    QTest::newRow("ten seconds") << QList<float>{64, 61, 69, 60, 66, 63, 68, 62, 67, 65}
                                 << QList<float>{165, 69, 60, 68, 64, 60};
    // The last row without levels: the Leq is the last second's that had them; gaps left out.
    QTest::newRow("gaps left out") << QList<float>{70, kGapLevel, 50, kGapLevel}
                                   << QList<float>{150, 70, 50, 70, 50, 50};
}

void TestLeqTable::summaryFigures()
{
    QFETCH(QList<float>, levels);
    QFETCH(QList<float>, expected);
    const LeqSummary s = summarize(tableOf(levels));
    QCOMPARE(s.seconds, int(levels.size()));
    if (expected.isEmpty()) {
        QCOMPARE(s.levels.count, 0);
        QVERIFY(!s.leq && !s.exceeded);
        return;
    }
    const QList<float> got = {*s.leq, s.levels.max, s.levels.min, s.exceeded->l10, s.exceeded->l50, s.exceeded->l90};
    QCOMPARE(got, expected);
    QCOMPARE(s.start, at(0));
}

void TestLeqTable::summaryTextInBothLanguages()
{
    const LeqSummary s = summarize(tableOf({60, 80}));
    QCOMPARE(summaryText(s), QStringLiteral("Start: 05/03/2024 14:07:00\nSeconds: 2\nLeq: 180.0 dB\n"
                                            "Lmax: 80.0 dB\nLmin: 60.0 dB\nL10: 80.0 dB\nL50: 60.0 dB\nL90: 60.0 dB\n"));
    setActiveLanguage(Language::French);
    const QString french = summaryText(s, QLocale(QLocale::French, QLocale::France));
    QVERIFY2(french.startsWith(QStringLiteral("Début : 05/03/2024 14:07:00\nSecondes : 2\nLeq : 180,0 dB\n")),
             qPrintable(french));
    const QString none = summaryText(summarize(LeqTable()));
    QCOMPARE(none.count(QLatin1Char('\n')), 8);
}

QTEST_GUILESS_MAIN(TestLeqTable)
#include "tst_LeqTable.moc"
