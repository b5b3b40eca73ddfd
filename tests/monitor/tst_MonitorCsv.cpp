// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/MonitorCsv.h"
#include "monitor/MqttMessages.h"
#include "tests/monitor/MonitorFixture.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QTest>
#include <QTimeZone>

using namespace ql708;
using namespace ql708::monitor;

class TestMonitorCsv : public QObject {
    Q_OBJECT
private slots:
    void timesWithTheirOffset_data();
    void timesWithTheirOffset();
    void badTimes_data();
    void badTimes();
    void readingsReadBack();
    void linesThatAreNoReadings_data();
    void linesThatAreNoReadings();
    void sameInEveryLocale();
};

void TestMonitorCsv::timesWithTheirOffset_data()
{
    QTest::addColumn<QDateTime>("time");
    QTest::addColumn<QByteArray>("text");

    const QTimeZone paris("Europe/Paris");
    QTest::newRow("winter") << QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9, 500), paris)
                            << QByteArray("2024-03-05T14:07:09.500+01:00");
    QTest::newRow("summer") << QDateTime(QDate(2024, 7, 1), QTime(0, 0), paris) << QByteArray("2024-07-01T00:00:00.000+02:00");
    QTest::newRow("west of UTC") << QDateTime(QDate(2024, 1, 2), QTime(23, 59, 59, 999), QTimeZone("America/New_York"))
                                 << QByteArray("2024-01-02T23:59:59.999-05:00");
    QTest::newRow("quarter hours") << QDateTime(QDate(2024, 1, 2), QTime(5, 45), QTimeZone("Asia/Kathmandu"))
                                   << QByteArray("2024-01-02T05:45:00.000+05:45");
    QTest::newRow("UTC") << QDateTime(QDate(1999, 12, 31), QTime(23, 0), QTimeZone::utc())
                         << QByteArray("1999-12-31T23:00:00.000+00:00");
}

void TestMonitorCsv::timesWithTheirOffset()
{
    QFETCH(QDateTime, time);
    QFETCH(QByteArray, text);
    const Stamp t = Stamp::of(time);
    QCOMPARE(isoTime(t), text);
    QCOMPARE(isoTime(t, false), text.left(19) + text.right(6));
    const auto back = parseIsoTime(text);
    QVERIFY(back);
    QCOMPARE(back->msecs, time.toMSecsSinceEpoch());
    QCOMPARE(back->offsetSeconds, time.offsetFromUtc());
    QCOMPARE(t.localDate(), time.date());
    QCOMPARE(t.localHour(), time.time().hour());
    // What other programs read: the same instant.
    QCOMPARE(QDateTime::fromString(QString::fromLatin1(text), Qt::ISODateWithMs).toMSecsSinceEpoch(), time.toMSecsSinceEpoch());
}

void TestMonitorCsv::badTimes_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("no offset") << QByteArray("2024-03-05T14:07:09.500");
    QTest::newRow("Z") << QByteArray("2024-03-05T14:07:09.500Z");
    QTest::newRow("no such day") << QByteArray("2024-02-30T14:07:09.500+01:00");
    QTest::newRow("hour 24") << QByteArray("2024-03-05T24:00:00.000+01:00");
    QTest::newRow("letters") << QByteArray("2024-03-05T14:0x:09.500+01:00");
    QTest::newRow("offset beyond 18 h") << QByteArray("2024-03-05T14:07:09.500+19:00");
    QTest::newRow("space for T") << QByteArray("2024-03-05 14:07:09.500+01:00");
}

void TestMonitorCsv::badTimes()
{
    QFETCH(QByteArray, text);
    QVERIFY(!parseIsoTime(text));
}

void TestMonitorCsv::readingsReadBack()
{
    const QDateTime t(QDate(2024, 3, 5), QTime(14, 7, 9, 500));
    Reading r = test::readingAt(t, 55.3);
    QCOMPARE(readingLine(r).mid(29), QByteArray(",55.3,A,FAST,30-130,"));
    r.aWeighting = false;
    r.fast = false;
    r.rangeCode = kRange50to110;
    r.under = true;
    r.tenths = 500;
    QCOMPARE(readingLine(r).mid(29), QByteArray(",50.0,C,SLOW,50-110,under"));
    const auto back = parseReadingsLine(readingLine(r));
    QVERIFY(back && back->reading);
    QCOMPARE(back->reading->tenths, std::uint16_t(500));
    QVERIFY(!back->reading->aWeighting && !back->reading->fast && back->reading->under && !back->reading->over);
    QCOMPARE(back->reading->rangeCode, std::uint8_t(kRange50to110));
    QCOMPARE(back->time.msecs, t.toMSecsSinceEpoch());
    // An over reading is left out of the figures.
    QCOMPARE(test::readingAt(t, 130.0, true).figureLevel(), kOutOfRangeLevel);

    const auto gap = parseReadingsLine(gapLine(Stamp::of(t)));
    QVERIFY(gap && !gap->reading);
    QCOMPARE(gap->time.msecs, t.toMSecsSinceEpoch());
}

void TestMonitorCsv::linesThatAreNoReadings_data()
{
    QTest::addColumn<QByteArray>("line");
    const QByteArray t = "2024-03-05T14:07:09.500+01:00";
    QTest::newRow("heading") << QByteArray(kReadingsHeading);
    QTest::newRow("torn") << t + ",55";
    QTest::newRow("a field more") << t + ",55.3,A,FAST,30-130,,x";
    QTest::newRow("comma decimal") << t + ",55;3,A,FAST,30-130,";
    QTest::newRow("two decimals") << t + ",55.32,A,FAST,30-130,";
    QTest::newRow("beyond any range") << t + ",200.1,A,FAST,30-130,";
    QTest::newRow("no such range") << t + ",55.3,A,FAST,40-100,";
    QTest::newRow("no such weighting") << t + ",55.3,Z,FAST,30-130,";
    QTest::newRow("unknown mark") << t + ",55.3,A,FAST,30-130,loud";
    QTest::newRow("gap with a level") << t + ",55.3,,,,gap";
}

void TestMonitorCsv::linesThatAreNoReadings()
{
    QFETCH(QByteArray, line);
    QVERIFY(!parseReadingsLine(line));
}

void TestMonitorCsv::sameInEveryLocale()
{
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    const Reading r = test::readingAt(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)), 1234.5 / 10);
    QVERIFY(readingLine(r).contains(",123.5,"));
    QCOMPARE(decimal(97.345), QByteArray("97.3"));
    QCOMPARE(decimal(std::nullopt), QByteArray());
    const QJsonObject level = QJsonDocument::fromJson(levelJson(r)).object();
    QCOMPARE(level.value("level").toDouble(), 123.5);
    QCOMPARE(level.value("weighting").toString(), QString("A"));
    QCOMPARE(level.value("over").toBool(), false);
    QLocale::setDefault(QLocale::c());
}

QTEST_GUILESS_MAIN(TestMonitorCsv)
#include "tst_MonitorCsv.moc"
