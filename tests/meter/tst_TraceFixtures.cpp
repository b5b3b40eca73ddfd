// SPDX-License-Identifier: GPL-3.0-or-later
// Recorded traces in tests/fixtures/traces/ played through the poll with its status decode,
// and through the download with the memory image parser, as a meter's trace sent with a report
// would be.
#include "data/MemoryImage.h"
#include "meter/LoggerDownload.h"
#include "meter/MeterLink.h"
#include "meter/ReplayLink.h"

#include <QFile>
#include <QTest>

using namespace ql708;

namespace {

bool loadFixture(const QString &name, std::vector<TraceEntry> &entries, QString &error)
{
    QFile in(qEnvironmentVariable("QL708_FIXTURES") + QStringLiteral("/traces/") + name);
    if (!in.open(QIODevice::ReadOnly)) {
        error = in.fileName() + QStringLiteral(": ") + in.errorString();
        return false;
    }
    return readTrace(in, entries, error);
}

// A poll as a word: C connected, N nothing, D dropped, L lost, or the level shown in tenths of
// a dB with the weighting (A or C) and M while MAX is held.
QString pollWord(const PollResult &r)
{
    switch (r.kind) {
    case PollResult::Connected: return QStringLiteral("C");
    case PollResult::Nothing: return QStringLiteral("N");
    case PollResult::StatusDropped: return QStringLiteral("D");
    case PollResult::Lost: return QStringLiteral("L");
    case PollResult::StatusRead: break;
    }
    const MeterStatus &s = r.status;
    return QString::number(s.shownLevel()) + (s.aWeighting ? QLatin1Char('A') : QLatin1Char('C')) +
           (s.maxMinActive && s.maxMinMode == kMaxHeld ? QStringLiteral("M") : QString());
}

// A download as words: the download's and the parser's results, then each set's point count
// and WAV name.
QString downloadWords(MeterLink &link)
{
    QByteArray image;
    qint32 lastAddress = -1;
    const int download = ReadLoggerMemory(link, image, lastAddress);
    data::DataSetList sets;
    const int parse = data::ParseMemoryImage(image, lastAddress, sets);
    QStringList words{QStringLiteral("download=%1 parse=%2").arg(download).arg(parse)};
    for (int i = 0; i < sets.count(); ++i)
        words << QString::number(sets.pointCounts[std::size_t(i)]) + sets.waveNames[std::size_t(i)];
    return words.join(QLatin1Char(' '));
}

} // namespace

class tst_TraceFixtures : public QObject {
    Q_OBJECT
private slots:
    void traces_data();
    void traces();
};

void tst_TraceFixtures::traces_data()
{
    QTest::addColumn<QString>("fixture");
    QTest::addColumn<QString>("script"); // what the program did: t a poll tick, kX the key X, d a download
    QTest::addColumn<QString>("polls");  // what each tick and download gave
    QTest::newRow("keys") << "status-keys.txt" << "t t t t t t kC t kM t t kN t t"
                          << "C 453A 444A 447A 454A 447A 494C 496CM 496CM 488C 490C";
    // A read timed out while the meter was busy (so Q), one poll found no device, and one reply
    // lost its closing byte.
    QTest::newRow("glitches") << "status-glitches.txt" << "t t t t t t t t t t t"
                              << "C 453A 444A N 455A 455A 449A N 446A D 442A";
    // ql708-cli download: the simulated meter's example sets.
    QTest::newRow("download") << "download-example-sets.txt"
                              << "t t d" << "C 450A download=0 parse=0 300A0000001 600 120 40 45";
    // The same with one byte of the memory changed: the third record's end marker is no longer
    // found where it was, so that record runs on to the next marker and the last record ends
    // beyond the memory in use.
    QTest::newRow("damaged record") << "download-damaged-record.txt"
                                    << "t t d" << "C 450A download=0 parse=34 300A0000001 600 173 45";
}

void tst_TraceFixtures::traces()
{
    QFETCH(QString, fixture);
    QFETCH(QString, script);
    QFETCH(QString, polls);
    std::vector<TraceEntry> entries;
    QString stopped;
    QVERIFY2(loadFixture(fixture, entries, stopped), qPrintable(stopped));
    ReplayLink replay(std::move(entries), fixture, [&](const QString &why) { stopped = why; });
    MeterLink link(replay);
    QStringList got;
    for (const QString &step : script.split(QLatin1Char(' '))) {
        if (step == QLatin1String("t"))
            got << pollWord(link.tick(true));
        else if (step == QLatin1String("d"))
            got << downloadWords(link);
        else
            QVERIFY(link.keyExchange(MeterCommand(step.at(1).toLatin1())));
    }
    QCOMPARE(stopped, QString());
    QCOMPARE(got.join(QLatin1Char(' ')), polls);
    QCOMPARE(replay.progress()->replayed, replay.progress()->total);
}

QTEST_GUILESS_MAIN(tst_TraceFixtures)
#include "tst_TraceFixtures.moc"
