// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graph/MediaPlayer.h"

#include <QHash>
#include <QStringList>

namespace ql708::test {

// A media player that plays nothing: files open when their name is listed with a length, the
// position moves only when the test advances it, and every call is logged ("open A0000002.WAV",
// "seek 900000", "play", "pause", "stop", "close").
class FakeMediaPlayer : public graph::MediaPlayer {
public:
    QHash<QString, qint64> lengths; // file name -> length in ms
    QString refuseOpen;             // when set, every open fails with this reason
    QString failure;                // an error the player raises while playing
    QStringList log;
    QString openName;
    qint64 pos = 0;
    bool playing = false;

    // Plays on by ms, to the file's end at most.
    void advance(qint64 ms);

    bool open(const QString &path) override;
    void close() override;
    void play() override;
    void pause() override;
    void stop() override;
    void seek(qint64 ms) override;
    qint64 length() const override { return lengths.value(openName, 0); }
    qint64 position() const override { return pos; }
    bool atEnd() const override { return !openName.isEmpty() && pos >= length(); }
    QString errorString() const override { return failure; }
};

} // namespace ql708::test
