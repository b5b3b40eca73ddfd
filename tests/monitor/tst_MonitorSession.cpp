// SPDX-License-Identifier: GPL-3.0-or-later
// Runs with TZ=Europe/Paris: offsets +01:00 in winter, +02:00 in summer.
#include "monitor/MonitorCsv.h"
#include "monitor/MonitorSession.h"
#include "tests/monitor/MonitorFixture.h"
#include "tests/support/FullDisk.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeZone>

#include <algorithm>

using namespace ql708;
using namespace ql708::monitor;
using test::fileLines;
using test::readingAt;

namespace {

QDateTime at(int y, int mo, int d, int h, int mi, int s = 0, int ms = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms));
}

QList<QByteArray> firstFields(const QString &path)
{
    QList<QByteArray> keys;
    for (const QByteArray &line : fileLines(path).mid(1))
        keys << firstField(line).toByteArray();
    return keys;
}

struct Run {
    explicit Run(const QString &folder, double interval = 0.5)
        : session({folder, {85.0f, 0.0}, {}, interval}, [this](const QString &n) { notes << n; })
    {
    }
    void start(const QDateTime &now)
    {
        QString error;
        QVERIFY2(session.start(now, error), qPrintable(error));
    }
    // Readings of level dB every stepMs from `from`, before `to`; gives the time after the last.
    QDateTime feed(QDateTime from, const QDateTime &to, double dB, int stepMs = 500)
    {
        for (; from < to; from = from.addMSecs(stepMs))
            session.reading(readingAt(from, dB));
        return from;
    }
    QStringList notes;
    MonitorSession session;
};

} // namespace

class TestMonitorSession : public QObject {
    Q_OBJECT
private slots:
    void readingsAndTheirMinute();
    void midnightAndDaylightSaving_data();
    void midnightAndDaylightSaving();
    void aDayOnceItsNightIsOver_data();
    void aDayOnceItsNightIsOver();
    void eventsAsTheyEnd();
    void aRestartKeepsTheDayWhole();
    void aKilledRunIsRepairedAndCarriedOn();
    void aFullDiskIsToldAndCaughtUp();
    void oneMonitorAFolder();
};

void TestMonitorSession::readingsAndTheirMinute()
{
    QTemporaryDir dir;
    const QString folder = dir.filePath("mon"); // created by the session
    test::FakePublisher publisher;
    Run run(folder);
    run.start(at(2024, 3, 5, 14, 6, 59));
    run.session.setPublisher(&publisher);
    QDateTime t = run.feed(at(2024, 3, 5, 14, 7), at(2024, 3, 5, 14, 7, 30), 60.0);
    t = run.feed(t, at(2024, 3, 5, 14, 7, 59, 500), 70.0);
    run.session.reading(readingAt(t, 130.0, true)); // over: counted, left out of the figures
    run.session.reading(readingAt(at(2024, 3, 5, 14, 8), 65.0));
    run.session.tick(at(2024, 3, 5, 14, 8, 1)); // a second on: the lines are in the files

    const QList<QByteArray> readings = fileLines(folder + "/2024-03-05.csv");
    QCOMPARE(readings.size(), 1 + 121);
    QCOMPARE(readings[0], QByteArray(kReadingsHeading));
    QCOMPARE(readings[1], QByteArray("2024-03-05T14:07:00.000+01:00,60.0,A,FAST,30-130,"));
    QCOMPARE(readings[120], QByteArray("2024-03-05T14:07:59.500+01:00,130.0,A,FAST,30-130,over"));
    // 60 readings at 60 dB and 59 at 70 dB: Leq 10 lg((60·10^6 + 59·10^7) / 119) = 67.4.
    const QList<QByteArray> minutes = fileLines(folder + "/2024-03-05-minutes.csv");
    QCOMPARE(minutes.size(), 2);
    QCOMPARE(minutes[0], QByteArray(kMinutesHeading));
    QCOMPARE(minutes[1], QByteArray("2024-03-05T14:07:00+01:00,120,1,67.4,70.0,60.0,70.0,60.0,60.0,A"));
    QCOMPARE(publisher.payloads("level").size(), 121);
    QCOMPARE(publisher.payloads("minute"),
             QList<QByteArray>{"{\"start\":\"2024-03-05T14:07:00+01:00\",\"readings\":120,\"out_of_range\":1,"
                               "\"leq\":67.4,\"lmax\":70.0,\"lmin\":60.0,\"l10\":70.0,\"l50\":60.0,\"l90\":60.0,"
                               "\"weighting\":\"A\"}"});
    QVERIFY(run.notes.isEmpty());
}

void TestMonitorSession::midnightAndDaylightSaving_data()
{
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QStringList>("expected"); // file: first field of each line

    QTest::newRow("midnight") << at(2024, 3, 5, 23, 59, 58)
                              << QStringList{"2024-03-05-minutes.csv: 2024-03-05T23:59:00+01:00",
                                             "2024-03-05.csv: 2024-03-05T23:59:58.000+01:00",
                                             "2024-03-05.csv: 2024-03-05T23:59:59.000+01:00",
                                             "2024-03-06-minutes.csv: 2024-03-06T00:00:00+01:00",
                                             "2024-03-06.csv: 2024-03-06T00:00:00.000+01:00",
                                             "2024-03-06.csv: 2024-03-06T00:00:01.000+01:00"};
    QTest::newRow("clocks go forward") << at(2024, 3, 31, 1, 59, 58)
                                       << QStringList{"2024-03-31-minutes.csv: 2024-03-31T01:59:00+01:00",
                                                      "2024-03-31-minutes.csv: 2024-03-31T03:00:00+02:00",
                                                      "2024-03-31.csv: 2024-03-31T01:59:58.000+01:00",
                                                      "2024-03-31.csv: 2024-03-31T01:59:59.000+01:00",
                                                      "2024-03-31.csv: 2024-03-31T03:00:00.000+02:00",
                                                      "2024-03-31.csv: 2024-03-31T03:00:01.000+02:00"};
    QTest::newRow("clocks go back: the hour twice")
        << QDateTime(QDate(2024, 10, 27), QTime(0, 59, 58), QTimeZone::utc()) // 02:59:58 summer time
        << QStringList{"2024-10-27-minutes.csv: 2024-10-27T02:59:00+02:00",
                       "2024-10-27-minutes.csv: 2024-10-27T02:00:00+01:00",
                       "2024-10-27.csv: 2024-10-27T02:59:58.000+02:00", "2024-10-27.csv: 2024-10-27T02:59:59.000+02:00",
                       "2024-10-27.csv: 2024-10-27T02:00:00.000+01:00", "2024-10-27.csv: 2024-10-27T02:00:01.000+01:00"};
}

void TestMonitorSession::midnightAndDaylightSaving()
{
    QFETCH(QDateTime, start);
    QFETCH(QStringList, expected);
    QTemporaryDir dir;
    Run run(dir.path());
    const QDateTime local = start.toLocalTime();
    run.start(local);
    for (int i = 0; i < 4; ++i)
        run.session.reading(readingAt(local.addSecs(i), 50.0));
    run.session.tick(local.addSecs(180));
    QStringList names = QDir(dir.path()).entryList({"2*.csv"}, QDir::Files);
    std::sort(names.begin(), names.end()); // "-minutes" before ".csv"
    QStringList got;
    for (const QString &name : names)
        for (const QByteArray &key : firstFields(dir.filePath(name)))
            got << name + ": " + key;
    QCOMPARE(got, expected);
}

void TestMonitorSession::aDayOnceItsNightIsOver_data()
{
    QTest::addColumn<QDate>("date");
    QTest::newRow("a day of 24 hours") << QDate(2024, 3, 5);
    QTest::newRow("a night of 7 hours") << QDate(2024, 3, 30);
    QTest::newRow("a night of 9 hours") << QDate(2024, 10, 26);
}

// A reading every 30 s at 60 dB from 07:00 to 07:00 the next morning: Ld = Le = Ln = 60 dB,
// Lden 66.4, each period covered in full whatever its length on the clock that day.
void TestMonitorSession::aDayOnceItsNightIsOver()
{
    QFETCH(QDate, date);
    QTemporaryDir dir;
    Run run(dir.path(), 30.0);
    const QDateTime from(date, QTime(7, 0)), to(date.addDays(1), QTime(7, 0));
    run.start(from);
    run.feed(from, to, 60.0, 30'000);
    run.session.tick(to.addSecs(-1)); // a day after the last sync: a sync
    QCOMPARE(fileLines(dir.filePath("days.csv")).size(), 0);
    run.session.reading(readingAt(to, 60.0));
    run.session.tick(to.addSecs(61));
    const QList<QByteArray> days = fileLines(dir.filePath("days.csv"));
    QCOMPARE(days.size(), 2);
    QCOMPARE(days[0], QByteArray(kDaysHeading));
    // The calendar day from 07:00 on: 17 hours of 24.
    QCOMPARE(days[1], date.toString("yyyy-MM-dd").toLatin1() + ",2040,70.8,60.0,60.0,100.0,60.0,100.0,60.0,100.0,66.4,A");
}

void TestMonitorSession::eventsAsTheyEnd()
{
    QTemporaryDir dir;
    test::FakePublisher publisher;
    Run run(dir.path());
    QDateTime t = at(2024, 3, 5, 14, 7);
    run.start(t);
    run.session.setPublisher(&publisher);
    for (const double dB : {60.0, 90.0, 92.0, 60.0, 95.0, 95.0}) {
        run.session.reading(readingAt(t, dB));
        t = t.addMSecs(500);
    }
    run.session.gap(t); // the meter went away during the second event
    run.session.gap(t.addSecs(2)); // still away: no second gap line
    run.session.tick(t.addSecs(60));
    // 90 and 92 dB for half a second each: SEL = 10 lg(0.5 · (10^9 + 10^9.2)) = 91.1 dB.
    QCOMPARE(fileLines(dir.filePath("events.csv")),
             (QList<QByteArray>{kEventsHeading, "2024-03-05T14:07:00.500+01:00,1.0,92.0,91.1,no",
                                "2024-03-05T14:07:02.000+01:00,1.0,95.0,95.0,yes"}));
    QCOMPARE(publisher.payloads("event").size(), 2);
    QCOMPARE(publisher.payloads("event")[1], QByteArray("{\"start\":\"2024-03-05T14:07:02.000+01:00\",\"duration\":1.0,"
                                                        "\"lmax\":95.0,\"sel\":95.0,\"touches_gap\":true}"));
    const QList<QByteArray> readings = fileLines(dir.filePath("2024-03-05.csv"));
    QCOMPARE(readings.size(), 1 + 6 + 1);
    QCOMPARE(readings.last(), QByteArray("2024-03-05T14:07:03.000+01:00,,,,,gap"));
}

// A monitor stopped at noon and started again at one carries on with the same day: its line
// in days.csv counts the readings of both runs, and no minute or event is written twice.
void TestMonitorSession::aRestartKeepsTheDayWhole()
{
    QTemporaryDir dir;
    const QDate date(2024, 3, 5);
    {
        Run first(dir.path(), 30.0);
        first.start(QDateTime(date, QTime(7, 0)));
        const QDateTime t = first.feed(QDateTime(date, QTime(7, 0)), QDateTime(date, QTime(11, 59)), 60.0, 30'000);
        first.feed(t, QDateTime(date, QTime(12, 0, 15)), 90.0, 30'000); // an event the stop ends
        first.session.stop(QDateTime(date, QTime(12, 0, 20)));
    }
    const QList<QByteArray> minutesBefore = fileLines(dir.filePath("2024-03-05-minutes.csv"));
    QCOMPARE(minutesBefore.last().left(25), QByteArray("2024-03-05T12:00:00+01:00"));
    Run second(dir.path(), 30.0);
    second.start(QDateTime(date, QTime(12, 0, 40)));
    QVERIFY2(second.notes.join('\n').contains("2024-03-05.csv: its 601 readings summed anew"), qPrintable(second.notes.join('\n')));
    second.feed(QDateTime(date, QTime(12, 0, 45)), QDateTime(date.addDays(1), QTime(7, 0, 30)), 60.0, 30'000);
    second.session.tick(QDateTime(date.addDays(1), QTime(7, 2)));

    const QList<QByteArray> minuteKeys = firstFields(dir.filePath("2024-03-05-minutes.csv"));
    QCOMPARE(minuteKeys.count("2024-03-05T12:00:00+01:00"), 1);
    QCOMPARE(minuteKeys.size(), 17 * 60);
    QCOMPARE(fileLines(dir.filePath("events.csv")).size(), 2);
    QCOMPARE(fileLines(dir.filePath("events.csv"))[1], QByteArray("2024-03-05T11:59:00.000+01:00,90.0,90.0,109.5,yes"));
    const QList<QByteArray> days = fileLines(dir.filePath("days.csv"));
    QCOMPARE(days.size(), 2);
    // 07:00 to 12:00:00 and 12:00:45 to 23:59:45, every 30 s: 601 + 1439 readings.
    QVERIFY2(days[1].startsWith("2024-03-05,2040,70.8,"), days[1].constData());
    // One gap line where the first run stopped, none where the second began.
    const QList<QByteArray> readings = fileLines(dir.filePath("2024-03-05.csv"));
    QCOMPARE(readings.count("2024-03-05T12:00:20.000+01:00,,,,,gap"), 1);
    QCOMPARE(std::count_if(readings.begin(), readings.end(), [](const QByteArray &l) { return l.endsWith(",gap"); }), 1);
    QCOMPARE(readings.count(QByteArray(kReadingsHeading)), 1);
}

// What a process killed in the middle of a line leaves: the torn line goes, the break is marked,
// and the minute it was in comes out of the readings that reached the disk.
void TestMonitorSession::aKilledRunIsRepairedAndCarriedOn()
{
    QTemporaryDir dir;
    {
        QFile f(dir.filePath("2024-03-05.csv"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(kReadingsHeading) + "\n"
                "2024-03-05T14:07:00.000+01:00,60.0,A,FAST,30-130,\n"
                "2024-03-05T14:07:00.500+01:00,70.0,A,FAST,30-130,\n"
                "2024-03-05T14:07:01.000+01:00,88.0,A,FAST,30-130,\n"
                "2024-03-05T14:07:01.5");
    }
    Run run(dir.path());
    run.start(at(2024, 3, 5, 14, 9, 30));
    run.session.reading(readingAt(at(2024, 3, 5, 14, 9, 30), 55.0));
    run.session.stop(at(2024, 3, 5, 14, 9, 31));
    QCOMPARE(fileLines(dir.filePath("2024-03-05.csv")),
             (QList<QByteArray>{kReadingsHeading, "2024-03-05T14:07:00.000+01:00,60.0,A,FAST,30-130,",
                                "2024-03-05T14:07:00.500+01:00,70.0,A,FAST,30-130,",
                                "2024-03-05T14:07:01.000+01:00,88.0,A,FAST,30-130,",
                                "2024-03-05T14:09:30.000+01:00,,,,,gap",
                                "2024-03-05T14:09:30.000+01:00,55.0,A,FAST,30-130,",
                                "2024-03-05T14:09:31.000+01:00,,,,,gap"}));
    QCOMPARE(fileLines(dir.filePath("2024-03-05-minutes.csv")).mid(1),
             (QList<QByteArray>{"2024-03-05T14:07:00+01:00,3,0,83.3,88.0,60.0,88.0,70.0,60.0,A",
                                "2024-03-05T14:09:00+01:00,1,0,55.0,55.0,55.0,55.0,55.0,55.0,A"}));
    QCOMPARE(fileLines(dir.filePath("events.csv")).mid(1),
             QList<QByteArray>{"2024-03-05T14:07:01.000+01:00,0.5,88.0,85.0,yes"});
    QVERIFY2(run.notes.join('\n').contains("cut short"), qPrintable(run.notes.join('\n')));
}

void TestMonitorSession::aFullDiskIsToldAndCaughtUp()
{
    test::FullDisk disk;
    const QString folder = disk.filePath("mon");
    Run run(folder);
    QDateTime t = at(2024, 3, 5, 14, 7);
    run.start(t);
    t = run.feed(t, t.addSecs(2), 60.0);
    run.session.tick(t);
    disk.fill();
    int fed = 4;
    // What the file's last block still holds goes in; then every flush fails.
    for (int s = 0; s < 200 && run.notes.isEmpty(); ++s, fed += 2) {
        t = run.feed(t, t.addSecs(1), 61.0);
        run.session.tick(t);
    }
    for (int s = 0; s < 30; ++s, fed += 2) {
        t = run.feed(t, t.addSecs(1), 61.0);
        run.session.tick(t);
    }
    // Each file that cannot take its lines says so once, not at every retry.
    QStringList told = run.notes;
    QVERIFY2(told.size() <= 2 && told[0].contains("2024-03-05.csv") && told.last().contains(disk.reason()),
             qPrintable(told.join('\n')));
    told.removeDuplicates();
    QCOMPARE(told.size(), run.notes.size());
    disk.release();
    t = run.feed(t, t.addSecs(1), 62.0);
    run.session.tick(t);
    QVERIFY2(run.notes.join('\n').contains("is written again; nothing was lost"), qPrintable(run.notes.join('\n')));
    QCOMPARE(fileLines(folder + "/2024-03-05.csv").size(), 1 + fed + 2);
}

// Two monitors in one folder would write every line of the summaries twice; a folder that takes
// no file is told at the start, not at the first reading.
void TestMonitorSession::oneMonitorAFolder()
{
    QTemporaryDir dir;
    const QDateTime t = at(2024, 3, 5, 14, 7);
    Run first(dir.path());
    first.start(t);
    Run second(dir.path());
    QString error;
    QVERIFY(!second.session.start(t, error));
    QVERIFY2(error.contains("another monitor") && error.contains(dir.path()), qPrintable(error));
    first.session.stop(t.addSecs(1));
    QVERIFY2(second.session.start(t.addSecs(2), error), qPrintable(error));
    second.session.stop(t.addSecs(3));

    // A monitor that was killed leaves its lock behind with a process that is gone.
    QProcess gone;
    gone.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("echo $$")});
    QVERIFY(gone.waitForFinished());
    QFile lock(dir.filePath(".ql708-monitor.lock"));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(gone.readAllStandardOutput().trimmed() + "\nql708-cli\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();
    Run third(dir.path());
    third.start(t.addSecs(4));

    QFile file(dir.filePath("file"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    Run nowhere(dir.filePath("file/mon"));
    QVERIFY(!nowhere.session.start(t, error));
    QCOMPARE(error, "cannot create the folder " + dir.filePath("file/mon"));
}

QTEST_GUILESS_MAIN(TestMonitorSession)
#include "tst_MonitorSession.moc"
