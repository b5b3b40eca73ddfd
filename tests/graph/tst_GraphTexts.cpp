// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/GraphTexts.h"

#include <QTest>

using namespace ql708;
using namespace ql708::graph;

namespace {
// 14 March 2024, 14:02:11.
TDateTime at() { return toTDateTime(QDateTime(QDate(2024, 3, 14), QTime(14, 2, 11))); }
} // namespace

class TestGraphTexts : public QObject {
    Q_OBJECT
private slots:
    void texts_data();
    void texts();
    void exportLinesEndWithLineFeeds();
};

void TestGraphTexts::texts_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("dateTime");
    QTest::addColumn<QString>("readout");
    QTest::addColumn<QString>("duration");
    QTest::newRow("C") << "C" << "14 Mar 2024 14:02:11" << "65.4dB@14:02:11" << "150.0 s";
    QTest::newRow("French") << "fr_FR" << "14/03/2024 14:02:11" << "65,4dB@14:02:11" << "150,0 s";
    QTest::newRow("US: four-digit year, no time zone") << "en_US" << "3/14/2024 2:02:11 PM" << "65.4dB@2:02:11 PM"
                                                      << "150.0 s";
}

void TestGraphTexts::texts()
{
    QFETCH(QString, locale);
    QFETCH(QString, dateTime);
    QFETCH(QString, readout);
    QFETCH(QString, duration);
    const QLocale l(locale);
    QCOMPARE(dateTimeText(at(), l), dateTime);
    QCOMPARE(readoutText(65.37, at(), l), readout);
    QCOMPARE(durationText(150.0, l), duration);
}

void TestGraphTexts::exportLinesEndWithLineFeeds()
{
    const QString text = statisticsText({{QStringLiteral("Start Time:"), QStringLiteral("x")},
                                         {QStringLiteral("Maximum:"), QStringLiteral("80.1"), QStringLiteral("t"), true},
                                         {QStringLiteral("Avg.:"), QString()}});
    QCOMPARE(text, QStringLiteral("Start Time:x\nMaximum:80.1@t\nAvg.:\n"));
}

QTEST_APPLESS_MAIN(TestGraphTexts)
#include "tst_GraphTexts.moc"
