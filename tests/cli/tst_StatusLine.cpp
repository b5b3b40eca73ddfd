// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/JsonOutput.h"
#include "cli/StatusLine.h"

#include <QLocale>
#include <QTest>
#include <QTimeZone>

using namespace ql708;

class TestStatusLine : public QObject {
    Q_OBJECT
private slots:
    void formatsEveryField();
    void csvAndJson_data();
    void csvAndJson();
};

namespace {
// dBA, SLOW, recording, the meter clock at 09:05:59.
MeterStatus slowRecording()
{
    MeterStatus s;
    s.aWeighting = true;
    s.fastResponse = false;
    s.recording = true;
    s.clockHours = 0x09;
    s.clockMinutes = 0x05;
    s.clockSeconds = 0x59;
    return s;
}
} // namespace

void TestStatusLine::formatsEveryField()
{
    QLocale::setDefault(QLocale(QLocale::French)); // the level keeps its full stop
    MeterStatus s = slowRecording();
    s.maxMinActive = true;
    s.maxMinMode = kMaxHeld;
    s.maxLevel = 1234;
    s.rangeCode = kRange50to110;
    s.over = true;
    const QString line = statusLine(QDateTime(QDate(2026, 12, 9), QTime(10, 0, 1)), s);
    QCOMPARE(line, QStringLiteral("2026-12-09T10:00:01  123.4 dBA SLOW 50-110dB maxmin=MAX rec=yes "
                                  "over=yes under=no full=no clock=09:05:59"));
}

// The listings for scripts, in a comma locale: '.' decimals, the time with its UTC offset,
// every field named; a range code the meter does not have leaves the field empty (null).
void TestStatusLine::csvAndJson_data()
{
    QTest::addColumn<quint8>("range");
    QTest::addColumn<QString>("csv");
    QTest::addColumn<QString>("json");
    QTest::newRow("50-110") << quint8(kRange50to110)
                            << "2026-12-09T10:00:01.250+01:00,65.3,A,SLOW,50-110,off,yes,no,yes,no,09:05:59"
                            << "{\"level_db\":65.3,\"maxmin\":\"off\",\"memory_full\":false,\"meter_clock\":\"09:05:59\","
                               "\"over\":false,\"range_db\":\"50-110\",\"recording\":true,"
                               "\"time\":\"2026-12-09T10:00:01.250+01:00\",\"time_weighting\":\"SLOW\",\"under\":true,"
                               "\"weighting\":\"A\"}\n";
    QTest::newRow("unknown range") << quint8(0x33)
                                   << "2026-12-09T10:00:01.250+01:00,65.3,A,SLOW,,off,yes,no,yes,no,09:05:59"
                                   << "{\"level_db\":65.3,\"maxmin\":\"off\",\"memory_full\":false,\"meter_clock\":\"09:05:59\","
                                      "\"over\":false,\"range_db\":null,\"recording\":true,"
                                      "\"time\":\"2026-12-09T10:00:01.250+01:00\",\"time_weighting\":\"SLOW\",\"under\":true,"
                                      "\"weighting\":\"A\"}\n";
}

void TestStatusLine::csvAndJson()
{
    QFETCH(quint8, range);
    QLocale::setDefault(QLocale(QLocale::French));
    MeterStatus s = slowRecording();
    s.level = 653;
    s.rangeCode = range;
    s.under = true;
    const QDateTime t(QDate(2026, 12, 9), QTime(10, 0, 1, 250), Qt::OffsetFromUTC, 3600);
    QTEST(statusCsvLine(t, s), "csv");
    QCOMPARE(QString(kStatusCsvHeading).count(','), statusCsvLine(t, s).count(','));
    QTEST(QString::fromUtf8(cli::statusJson(t, s)), "json");
}

QTEST_GUILESS_MAIN(TestStatusLine)
#include "tst_StatusLine.moc"
