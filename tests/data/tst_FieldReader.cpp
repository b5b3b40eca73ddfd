// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/FieldReader.h"

#include <QTest>

using namespace ql708;
using namespace ql708::data;

Q_DECLARE_METATYPE(std::optional<float>)

class TestFieldReader : public QObject {
    Q_OBJECT
private slots:
    void dateTimes_data();
    void dateTimes();
    void levels_data();
    void levels();
};

void TestFieldReader::dateTimes_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QByteArray>("date"); // with a 'T' inside: one ISO field
    QTest::addColumn<QByteArray>("time");
    QTest::addColumn<QDateTime>("expected"); // invalid: not readable
    const QLocale uk(QLocale::English, QLocale::UnitedKingdom), us(QLocale::English, QLocale::UnitedStates);
    const QLocale fr(QLocale::French, QLocale::France), de(QLocale::German, QLocale::Germany);
    const QDate may12(2011, 5, 12);
    QTest::newRow("day first") << uk << QByteArray("12/05/2011") << QByteArray("14:03:07.0")
                               << QDateTime(may12, QTime(14, 3, 7));
    QTest::newRow("month first") << us << QByteArray("5/12/2011") << QByteArray("14:03:07.0")
                                 << QDateTime(may12, QTime(14, 3, 7));
    QTest::newRow("dots and spaces of a csv") << de << QByteArray(" 12.05.2011 ") << QByteArray(" 14:03:07.5 ")
                                              << QDateTime(may12, QTime(14, 3, 7, 5));
    QTest::newRow("milliseconds as written: .5 is 5 ms") << fr << QByteArray("12/05/2011") << QByteArray("14:03:07.5")
                                                         << QDateTime(may12, QTime(14, 3, 7, 5));
    QTest::newRow("milliseconds after a comma") << fr << QByteArray("12/05/2011") << QByteArray("14:03:07,250")
                                                << QDateTime(may12, QTime(14, 3, 7, 250));
    QTest::newRow("no seconds") << fr << QByteArray("12/05/2011") << QByteArray("14:03")
                                << QDateTime(may12, QTime(14, 3));
    QTest::newRow("two-digit year") << uk << QByteArray("12/05/11") << QByteArray("14:03:07")
                                    << QDateTime(may12, QTime(14, 3, 7));
    QTest::newRow("year first whatever the locale") << us << QByteArray("2011-05-12") << QByteArray("2:03:07 PM")
                                                    << QDateTime(may12, QTime(14, 3, 7));
    QTest::newRow("12 AM is midnight") << us << QByteArray("5/12/2011") << QByteArray("12:00:01 am")
                                       << QDateTime(may12, QTime(0, 0, 1));
    QTest::newRow("ISO field") << fr << QByteArray("2011-05-12T14:03:07.005") << QByteArray()
                               << QDateTime(may12, QTime(14, 3, 7, 5));
    QTest::newRow("abc") << uk << QByteArray("abc") << QByteArray("14:03:07") << QDateTime();
    QTest::newRow("13th month") << uk << QByteArray("12/13/2011") << QByteArray("14:03:07") << QDateTime();
    QTest::newRow("31 April") << uk << QByteArray("31/04/2011") << QByteArray("14:03:07") << QDateTime();
    QTest::newRow("minute 60") << uk << QByteArray("12/05/2011") << QByteArray("14:60:00") << QDateTime();
    QTest::newRow("hour 0 of a 12-hour clock") << us << QByteArray("5/12/2011") << QByteArray("0:30:00 AM")
                                               << QDateTime();
    QTest::newRow("hour 24") << uk << QByteArray("12/05/2011") << QByteArray("24:00:00") << QDateTime();
    QTest::newRow("four digits of milliseconds") << uk << QByteArray("12/05/2011") << QByteArray("14:03:07.1234")
                                                 << QDateTime();
    QTest::newRow("time trailing text") << uk << QByteArray("12/05/2011") << QByteArray("14:03:07 x") << QDateTime();
    QTest::newRow("two numbers only") << uk << QByteArray("12/05") << QByteArray("14:03:07") << QDateTime();
    QTest::newRow("bad ISO") << uk << QByteArray("2011-05-32T14:03:07.000") << QByteArray() << QDateTime();
}

void TestFieldReader::dateTimes()
{
    QFETCH(QLocale, locale);
    QFETCH(QByteArray, date);
    QFETCH(QByteArray, time);
    QFETCH(QDateTime, expected);
    const FieldReader reader(locale);
    const std::optional<TDateTime> t = date.contains('T') ? reader.isoDateTime(date) : reader.dateTime(date, time);
    QCOMPARE(t.has_value(), expected.isValid());
    if (t)
        QCOMPARE(fromTDateTime(*t), expected);
}

void TestFieldReader::levels_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<std::optional<float>>("level");
    QTest::newRow("full stop") << QByteArray("65.3") << std::optional<float>(65.3f);
    QTest::newRow("comma") << QByteArray("65,3") << std::optional<float>(65.3f);
    QTest::newRow("leading space of a csv") << QByteArray(" 65.3") << std::optional<float>(65.3f);
    QTest::newRow("signs") << QByteArray("-1.5") << std::optional<float>(-1.5f);
    QTest::newRow("whole") << QByteArray("+70") << std::optional<float>(70.0f);
    QTest::newRow("abc") << QByteArray("abc") << std::optional<float>();
    QTest::newRow("two marks") << QByteArray("1.234,5") << std::optional<float>();
    QTest::newRow("only a mark") << QByteArray(".") << std::optional<float>();
    QTest::newRow("empty") << QByteArray("  ") << std::optional<float>();
    QTest::newRow("NAN") << QByteArray("NAN") << std::optional<float>();
}

void TestFieldReader::levels()
{
    QFETCH(QByteArray, text);
    QFETCH(std::optional<float>, level);
    QCOMPARE(FieldReader::level(text), level);
}

QTEST_GUILESS_MAIN(TestFieldReader)
#include "tst_FieldReader.moc"
