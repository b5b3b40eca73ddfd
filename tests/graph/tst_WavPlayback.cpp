// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/WavPlayback.h"
#include "tests/graph/FakeMediaPlayer.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <vector>

using namespace ql708;
using namespace ql708::graph;

namespace {

constexpr TDateTime kStart = 45357.375;
constexpr qint64 kFull = 1800000;

QString buttonsText(const PlaybackButtons &b)
{
    QStringList on;
    if (b.play)
        on << QStringLiteral("Play");
    if (b.pause)
        on << QStringLiteral("Pause");
    if (b.stop)
        on << QStringLiteral("Stop");
    return on.join(QLatin1Char(' '));
}

// A set of n points every rate seconds whose recording lies in a temporary folder: the files
// named with their lengths, all but those left out written there.
struct Rig {
    QTemporaryDir dir;
    std::vector<double> x;
    test::FakeMediaPlayer *player = nullptr;
    WavPlayback playback;

    Rig(int rate, int n, const QHash<QString, qint64> &files) : playback(make(this))
    {
        for (int k = 0; k < n; ++k)
            x.push_back(kStart + k * (rate / 86400.0));
        for (auto it = files.cbegin(); it != files.cend(); ++it) {
            QFile f(dir.filePath(it.key()));
            f.open(QIODevice::WriteOnly);
        }
        player->lengths = files;
        QVERIFY(playback.associate(dir.filePath(QStringLiteral("A0000001.WAV")), rate, n));
        player->log.clear();
    }
    static std::unique_ptr<MediaPlayer> make(Rig *rig)
    {
        auto p = std::make_unique<test::FakeMediaPlayer>();
        rig->player = p.get();
        return p;
    }
    Series chart() const { return {x.data(), nullptr, int(x.size())}; }
    // Seconds after the first point where a tick put the line's text.
    double shownSeconds(const WavPlayback::Tick &t) const { return std::round((t.line.shown - kStart) * 86400.0 * 10) / 10; }
};

const QHash<QString, qint64> kThreeFiles{{"A0000001.WAV", kFull}, {"A0000002.WAV", kFull}, {"A0000003.WAV", kFull}};

} // namespace

class TestWavPlayback : public QObject {
    Q_OBJECT
private slots:
    void associateOpensTheChosenFile();
    void openFailureLeavesNoButton();
    void playAtPoint900OpensTheSecondFile();
    void pauseThenPlayContinues();
    void pauseTwiceResumes();
    void stopThenPlayRestarts();
    void lineCrossesIntoTheNextFile();
    void lastFileEndStops();
    void missingNextFileEndsPlayback();
    void playerErrorEndsPlayback();
};

void TestWavPlayback::associateOpensTheChosenFile()
{
    Rig rig(2, 2701, kThreeFiles);
    QVERIFY(rig.playback.isOpen());
    QCOMPARE(rig.playback.fileCount(), 3);
    QCOMPARE(rig.playback.baseName(), QStringLiteral("A0000001.WAV"));
    QCOMPARE(rig.playback.folder(), rig.dir.path() + QLatin1Char('/'));
    QCOMPARE(buttonsText(rig.playback.buttons()), QStringLiteral("Play"));
    QVERIFY(!rig.playback.timerRunning());
}

void TestWavPlayback::openFailureLeavesNoButton()
{
    Rig rig(2, 2701, kThreeFiles);
    rig.player->refuseOpen = QStringLiteral("No audio output device is available.");
    QVERIFY(!rig.playback.associate(rig.dir.filePath(QStringLiteral("A0000001.WAV")), 2, 2701));
    QVERIFY(!rig.playback.isOpen());
    QCOMPARE(rig.playback.errorText(), rig.player->refuseOpen);
    QCOMPARE(buttonsText(rig.playback.buttons()), QString());
    QVERIFY(!rig.playback.play(0, rig.chart()));
}

void TestWavPlayback::playAtPoint900OpensTheSecondFile()
{
    Rig rig(2, 2701, kThreeFiles);
    QVERIFY(rig.playback.play(900, rig.chart()));
    QCOMPARE(rig.player->log, (QStringList{"stop", "close", "open A0000002.WAV", "seek 0", "play"}));
    QCOMPARE(rig.playback.loadedFile(), 1);
    QCOMPARE(buttonsText(rig.playback.buttons()), QStringLiteral("Pause Stop"));
    QVERIFY(rig.playback.timerRunning());
    // The line starts on point 900 (1800 s), 2 s ahead of the sound.
    QCOMPARE(rig.shownSeconds(rig.playback.tick(rig.chart())), 1802.0);
}

void TestWavPlayback::pauseThenPlayContinues()
{
    Rig rig(2, 2701, kThreeFiles);
    rig.playback.play(450, rig.chart());
    rig.player->advance(5000);
    rig.playback.pause();
    QVERIFY(rig.playback.isPaused() && !rig.playback.timerRunning());
    QCOMPARE(buttonsText(rig.playback.buttons()), QStringLiteral("Play Pause Stop"));
    rig.player->log.clear();
    QVERIFY(rig.playback.play(0, rig.chart())); // the line's point does not matter now
    QCOMPARE(rig.player->log, QStringList{"play"});
    QCOMPARE(rig.player->pos, qint64(905000));
    QVERIFY(!rig.playback.isPaused() && rig.playback.timerRunning());
    QCOMPARE(buttonsText(rig.playback.buttons()), QStringLiteral("Pause Stop"));
}

void TestWavPlayback::pauseTwiceResumes()
{
    Rig rig(2, 2701, kThreeFiles);
    rig.playback.play(0, rig.chart());
    rig.playback.pause();
    rig.playback.pause();
    QVERIFY(rig.player->playing);
    QVERIFY(!rig.playback.isPaused() && rig.playback.timerRunning());
    QCOMPARE(buttonsText(rig.playback.buttons()), QStringLiteral("Pause Stop"));
}

void TestWavPlayback::stopThenPlayRestarts()
{
    Rig rig(2, 2701, kThreeFiles);
    rig.playback.play(450, rig.chart());
    rig.player->advance(60000);
    rig.playback.pause();
    rig.playback.stop();
    QVERIFY(!rig.playback.isPaused() && !rig.playback.timerRunning());
    QCOMPARE(buttonsText(rig.playback.buttons()), QStringLiteral("Play"));
    rig.player->log.clear();
    rig.playback.play(450, rig.chart());
    QCOMPARE(rig.player->log, (QStringList{"seek 900000", "play"}));
}

void TestWavPlayback::lineCrossesIntoTheNextFile()
{
    Rig rig(2, 2701, kThreeFiles);
    rig.playback.play(0, rig.chart());
    rig.player->advance(kFull);
    rig.player->log.clear();
    const WavPlayback::Tick end = rig.playback.tick(rig.chart());
    QCOMPARE(end.end, WavPlayback::End::NextFile);
    QCOMPARE(rig.shownSeconds(end), 1802.0);
    QCOMPARE(rig.player->log, (QStringList{"stop", "close", "open A0000002.WAV", "seek 0", "play"}));
    QCOMPARE(rig.playback.wantedFile(), 1);
    QCOMPARE(rig.playback.loadedFile(), 1);
    rig.player->advance(900000);
    QCOMPARE(rig.shownSeconds(rig.playback.tick(rig.chart())), 2702.0);
    QVERIFY(rig.playback.timerRunning());
}

void TestWavPlayback::lastFileEndStops()
{
    // 30 minutes and 3: the second file is short.
    Rig rig(2, 991, {{"A0000001.WAV", kFull}, {"A0000002.WAV", 180000}});
    rig.playback.play(945, rig.chart());
    QCOMPARE(rig.player->pos, qint64(90000));
    rig.player->advance(180000);
    const WavPlayback::Tick end = rig.playback.tick(rig.chart());
    QCOMPARE(end.end, WavPlayback::End::Finished);
    QCOMPARE(rig.shownSeconds(end), 1980.0); // held at the last point
    QCOMPARE(buttonsText(rig.playback.buttons()), QStringLiteral("Play"));
    QVERIFY(!rig.playback.timerRunning());
    // Play starts over in the first file.
    rig.player->log.clear();
    rig.playback.play(0, rig.chart());
    QCOMPARE(rig.player->log, (QStringList{"stop", "close", "open A0000001.WAV", "seek 0", "play"}));
}

void TestWavPlayback::missingNextFileEndsPlayback()
{
    Rig rig(2, 2701, {{"A0000001.WAV", kFull}});
    rig.playback.play(0, rig.chart());
    rig.player->advance(kFull);
    const WavPlayback::Tick end = rig.playback.tick(rig.chart());
    QCOMPARE(end.end, WavPlayback::End::FileMissing);
    QVERIFY(rig.playback.missingFile().endsWith(QStringLiteral("A0000002.WAV")));
    QCOMPARE(buttonsText(rig.playback.buttons()), QString());
    QVERIFY(!rig.playback.timerRunning());
    QVERIFY(!rig.player->playing);
    // Play on the line in a missing file says which.
    Rig again(2, 2701, {{"A0000001.WAV", kFull}});
    QVERIFY(!again.playback.play(1800, again.chart()));
    QVERIFY(again.playback.missingFile().endsWith(QStringLiteral("A0000003.WAV")));
    QCOMPARE(buttonsText(again.playback.buttons()), QString());
}

void TestWavPlayback::playerErrorEndsPlayback()
{
    Rig rig(2, 2701, kThreeFiles);
    rig.playback.play(0, rig.chart());
    rig.player->failure = QStringLiteral("device lost");
    const WavPlayback::Tick t = rig.playback.tick(rig.chart());
    QCOMPARE(t.end, WavPlayback::End::Failed);
    QCOMPARE(rig.playback.errorText(), QStringLiteral("device lost"));
    QVERIFY(!rig.playback.isOpen() && !rig.playback.timerRunning());
    QCOMPARE(buttonsText(rig.playback.buttons()), QString());
}

QTEST_GUILESS_MAIN(TestWavPlayback)
#include "tst_WavPlayback.moc"
