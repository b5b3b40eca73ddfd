// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/DateTime.h"

#include <QTest>
#include <QTimeZone>

#include <optional>

using namespace ql708;

class TestDateTime : public QObject {
    Q_OBJECT
private slots:
    void typedDateTimes_data();
    void typedDateTimes();
};

void TestDateTime::typedDateTimes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QDateTime>("local"); // invalid: refused
    const QDateTime at(QDate(2024, 5, 17), QTime(14, 2, 11));
    const QDateTime utc(QDate(2024, 5, 17), QTime(12, 2, 11), QTimeZone::utc());
    QTest::newRow("ISO") << "2024-05-17T14:02:11" << "en_GB" << at;
    QTest::newRow("a space for the T") << "2024-05-17 14:02:11" << "en_GB" << at;
    QTest::newRow("no seconds") << " 2024-05-17T14:02 " << "en_GB" << QDateTime(QDate(2024, 5, 17), QTime(14, 2));
    QTest::newRow("UTC offset, taken to local time") << "2024-05-17T12:02:11Z" << "en_GB" << utc.toLocalTime();
    QTest::newRow("the program's text, British") << "17/05/2024 14:02:11" << "en_GB" << at;
    QTest::newRow("the program's text, French") << "17/05/2024 14:02:11" << "fr_FR" << at;
    QTest::newRow("the program's text, American") << "5/17/2024 2:02:11 PM" << "en_US" << at;
    QTest::newRow("no date") << "yesterday" << "en_GB" << QDateTime();
    QTest::newRow("no such day") << "2024-02-30T10:00:00" << "en_GB" << QDateTime();
    QTest::newRow("empty") << "" << "en_GB" << QDateTime();
}

void TestDateTime::typedDateTimes()
{
    QFETCH(QString, text);
    QFETCH(QString, locale);
    QFETCH(QDateTime, local);
    const std::optional<TDateTime> t = parseDateTime(text, QLocale(locale));
    QCOMPARE(t.has_value(), local.isValid());
    if (t)
        QCOMPARE(fromTDateTime(*t), local);
}

QTEST_GUILESS_MAIN(TestDateTime)
#include "tst_DateTime.moc"
