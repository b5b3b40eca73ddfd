// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/StatusLine.h"

#include <QLocale>
#include <QTest>

using namespace ql708;

class TestStatusLine : public QObject {
    Q_OBJECT
private slots:
    void formatsEveryField();
};

void TestStatusLine::formatsEveryField()
{
    QLocale::setDefault(QLocale(QLocale::French)); // the level keeps its full stop
    MeterStatus s;
    s.maxMinActive = true;
    s.maxMinMode = kMaxHeld;
    s.maxLevel = 1234;
    s.aWeighting = true;
    s.fastResponse = false;
    s.rangeCode = kRange50to110;
    s.recording = true;
    s.over = true;
    s.clockHours = 0x09;
    s.clockMinutes = 0x05;
    s.clockSeconds = 0x59;
    const QString line = statusLine(QDateTime(QDate(2026, 12, 9), QTime(10, 0, 1)), s);
    QCOMPARE(line, QStringLiteral("2026-12-09T10:00:01  123.4 dBA SLOW 50-110dB maxmin=MAX rec=yes "
                                  "over=yes under=no full=no clock=09:05:59"));
}

QTEST_GUILESS_MAIN(TestStatusLine)
#include "tst_StatusLine.moc"
