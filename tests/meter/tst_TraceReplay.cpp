// SPDX-License-Identifier: GPL-3.0-or-later
// A session recorded from the simulated meter plays back the same, and a program that departs
// from the recording is stopped at the line where it does.
#include "data/MemoryImage.h"
#include "meter/LoggerDownload.h"
#include "meter/MeterLink.h"
#include "meter/ReplayLink.h"
#include "meter/TracingLink.h"
#include "meter/sim/SimulatedMeter.h"
#include "tests/support/FakeClock.h"

#include <QBuffer>
#include <QTest>

using namespace ql708;

namespace {

// What a session saw: every poll's outcome with the reply it read, the key's result, and the
// logger memory downloaded with the data sets in it.
struct Session {
    QList<PollResult::Kind> kinds;
    QList<ReplyBuffer> replies;
    QList<bool> aWeighting;
    bool keySent = false;
    int download = -1;
    QByteArray image;
    qint32 lastAddress = -1;
    int parse = -1;
    data::DataSetList sets;
};

enum class Variant { AsRecorded, OtherKey, NoKey, PollBeforeDownload, PollAtEnd };

// The handshake, five status polls, the A/C key and the poll that shows it, then a download of
// the logger memory (the simulated meter's example sets, some 2.6 kB), as the window program
// makes them; a variant departs from that.
Session runSession(HidLink &hid, test::FakeClock &clock, Variant variant = Variant::AsRecorded)
{
    MeterLink link(hid);
    Session s;
    auto poll = [&] {
        clock.advance(500);
        const PollResult r = link.tick(true);
        s.kinds << r.kind;
        s.replies << link.reply();
        s.aWeighting << r.status.aWeighting;
    };
    for (int i = 0; i < 6; ++i)
        poll();
    if (variant != Variant::NoKey)
        s.keySent = link.keyExchange(MeterCommand(variant == Variant::OtherKey ? 'F' : 'C'));
    poll();
    if (variant == Variant::PollBeforeDownload)
        poll();
    s.download = ReadLoggerMemory(link, s.image, s.lastAddress);
    s.parse = data::ParseMemoryImage(s.image, s.lastAddress, s.sets);
    if (variant == Variant::PollAtEnd)
        poll();
    return s;
}

QByteArray record(test::FakeClock &clock, Session &recorded)
{
    SimulatedMeter meter(SimulatedMeter::kDefaultSeed, 0);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    TracingLink tracing(meter, out, QStringLiteral("tst_TraceReplay"));
    recorded = runSession(tracing, clock);
    return out.data();
}

std::vector<TraceEntry> parse(const QByteArray &trace)
{
    QBuffer in;
    in.setData(trace);
    in.open(QIODevice::ReadOnly);
    std::vector<TraceEntry> entries;
    QString error;
    if (!readTrace(in, entries, error))
        qFatal("the recorded trace does not read back: %s", qPrintable(error));
    return entries;
}

// The number of the first line that holds text, counting from 1.
int lineOf(const QByteArray &trace, const QByteArray &text)
{
    const QList<QByteArray> lines = trace.split('\n');
    for (int i = 0; i < lines.size(); ++i)
        if (lines[i].contains(text))
            return i + 1;
    return 0;
}

} // namespace

class tst_TraceReplay : public QObject {
    Q_OBJECT
private slots:
    void replayGivesTheSameSession();
    void departureStopsAtItsLine_data();
    void departureStopsAtItsLine();
};

void tst_TraceReplay::replayGivesTheSameSession()
{
    test::FakeClock clock;
    Session recorded;
    const QByteArray trace = record(clock, recorded);
    QVERIFY(trace.startsWith(QByteArray(kTraceHeading) + "\n# tst_TraceReplay, started 2024-03-05T14:07:09\n"));
    // The recording is a real one: connected, five readings, and the key switched the weighting.
    QCOMPARE(recorded.kinds.first(), PollResult::Connected);
    QCOMPARE(recorded.kinds.count(PollResult::StatusRead), 6);
    QVERIFY(recorded.keySent);
    QVERIFY(recorded.aWeighting.last() != recorded.aWeighting[1]);
    QVERIFY(trace.contains(" write 0 02 43 00 00 00 05 03\n")); // the key carries the last sequence
    QVERIFY(trace.contains("\n3000 timeouts 0 500 500\n"));    // times on the program's clock
    QCOMPARE(recorded.download, download_result::kOk);
    QCOMPARE(recorded.parse, data::parse_result::kOk);
    QCOMPARE(recorded.sets.count(), 5);

    int stops = 0;
    ReplayLink replay(parse(trace), QStringLiteral("session.txt"), [&](const QString &) { ++stops; });
    const Session replayed = runSession(replay, clock);
    QCOMPARE(stops, 0);
    QCOMPARE(replayed.kinds, recorded.kinds);
    QCOMPARE(replayed.replies, recorded.replies);
    QCOMPARE(replayed.keySent, recorded.keySent);
    QCOMPARE(replayed.download, recorded.download);
    QCOMPARE(replayed.lastAddress, recorded.lastAddress);
    QCOMPARE(replayed.image, recorded.image);
    QCOMPARE(replayed.parse, recorded.parse);
    QCOMPARE(replayed.sets.startTimes, recorded.sets.startTimes);
    QCOMPARE(replayed.sets.pointCounts, recorded.sets.pointCounts);
    QCOMPARE(replayed.sets.modeFlags, recorded.sets.modeFlags);
    QCOMPARE(replayed.sets.waveNames, recorded.sets.waveNames);
    QCOMPARE(replayed.sets.levels, recorded.sets.levels);
    QCOMPARE(replayed.sets.times, recorded.sets.times);
    QCOMPARE(replay.progress()->replayed, replay.progress()->total);
}

void tst_TraceReplay::departureStopsAtItsLine_data()
{
    QTest::addColumn<Variant>("variant");
    QTest::addColumn<QByteArray>("lineText"); // the line the message names
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("actual");
    QTest::newRow("another key") << Variant::OtherKey << QByteArray(" write 0 02 43 ")
                                 << "  expected: write 02 43 00 00 00 05 03"
                                 << "  actual:   write 02 46 00 00 00 05 03\n                      ^";
    QTest::newRow("no key: the poll's time-outs come first")
        << Variant::NoKey << QByteArray(" timeouts 0 500 500") << "  expected: timeouts 500 500"
        << "  actual:   timeouts 1000 1000";
    QTest::newRow("a poll where the download began")
        << Variant::PollBeforeDownload << QByteArray(" write 0 02 50 ") << "  expected: write 02 50 00 00 00 06 03"
        << "  actual:   write 02 41 00 00 00 07 03";
    QTest::newRow("past the end") << Variant::PollAtEnd << QByteArray() << "  expected: the end of the trace"
                                  << "  actual:   close";
}

void tst_TraceReplay::departureStopsAtItsLine()
{
    QFETCH(Variant, variant);
    QFETCH(QByteArray, lineText);
    QFETCH(QString, expected);
    QFETCH(QString, actual);
    test::FakeClock clock;
    Session recorded;
    const QByteArray trace = record(clock, recorded);

    QStringList messages;
    ReplayLink replay(parse(trace), QStringLiteral("session.txt"), [&](const QString &m) { messages << m; });
    const Session replayed = runSession(replay, clock, variant);
    QCOMPARE(messages.size(), 1); // told once; afterwards the meter is gone
    const QString where = lineText.isEmpty()
                              ? QStringLiteral("session.txt: the trace ends after line %1, but the program went on")
                                    .arg(trace.count('\n'))
                              : QStringLiteral("session.txt line %1: the program departs from the trace")
                                    .arg(lineOf(trace, lineText));
    QVERIFY2(messages[0].startsWith(where + QLatin1Char('\n')), qPrintable(messages[0]));
    QVERIFY2(messages[0].contains(expected) && messages[0].contains(actual), qPrintable(messages[0]));
    QVERIFY(replay.progress()->stopped);
    // The poll after the departure finds no meter.
    QVERIFY(replayed.kinds.last() != PollResult::StatusRead);
    ReplyBuffer untouched{};
    untouched[0] = 0x5A;
    QCOMPARE(replay.readReply(untouched), -1);
    QCOMPARE(untouched[0], 0x5A);
}

QTEST_GUILESS_MAIN(tst_TraceReplay)
#include "tst_TraceReplay.moc"
