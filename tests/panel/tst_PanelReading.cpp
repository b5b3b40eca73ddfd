// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/StringTable.h"
#include "panel/PanelReading.h"

#include <QLocale>
#include <QTest>

using namespace ql708;

Q_DECLARE_METATYPE(PanelView)

class tst_PanelReading : public QObject {
    Q_OBJECT
private slots:
    void readsWhatTheLcdShows_data();
    void readsWhatTheLcdShows();
};

void tst_PanelReading::readsWhatTheLcdShows_data()
{
    QTest::addColumn<PanelView>("view");
    QTest::addColumn<Language>("language");
    QTest::addColumn<QString>("reading");

    QTest::newRow("test pattern, French decimal comma")
        << PanelView{} << Language::French << QStringLiteral("188,8 dBA, FAST, gamme 30 à 130 dB");

    PanelView every;
    every.digits = {kDigitLetterE, kDigitSmallR, kDigitSmallR, kDigitBlank};
    every.dBA = false, every.dBC = true, every.fast = false, every.slow = true;
    every.rangeLow = 70, every.rangeHigh = 130;
    every.clock = {1, 2, 3, 0, kNoDigit, kNoDigit};
    every.max = every.rec = every.full = every.under = every.over = true;
    QTest::newRow("Err and every mark, English")
        << every << Language::English
        << QStringLiteral("Err dBC, SLOW, range 70 to 130 dB, clock 12:30:--, MAX, REC, FULL, UNDER, OVER");

    PanelView blinking;
    blinking.digits = {kDigitBlank, 0, 4, 5};
    blinking.clock = {0, 9, 0, 5, 5, 9};
    blinking.blinkRunning = true; // in the off phase: neither label shows right now
    blinking.full = true;
    QTest::newRow("blinking MAX and MIN both count, French")
        << blinking << Language::French
        << QStringLiteral("04,5 dBA, FAST, gamme 30 à 130 dB, horloge 09:05:59, MAX, MIN, PLEIN");
}

void tst_PanelReading::readsWhatTheLcdShows()
{
    QFETCH(PanelView, view);
    QFETCH(Language, language);
    QFETCH(QString, reading);
    QLocale::setDefault(QLocale(language == Language::French ? QLocale::French : QLocale::English));
    setActiveLanguage(language);
    QCOMPARE(lcdReading(view), reading);
}

QTEST_GUILESS_MAIN(tst_PanelReading)
#include "tst_PanelReading.moc"
