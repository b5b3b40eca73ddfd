// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graph/MediaPlayer.h"

#include <functional>
#include <memory>

class QAudioOutput;
class QMediaPlayer;

namespace ql708::graph {

// The media player on the system's audio output. Opening waits (at most a few seconds) until
// the file is loaded, so its length is known when open() returns.
class QtMediaPlayer : public MediaPlayer {
public:
    QtMediaPlayer();
    ~QtMediaPlayer() override;

    bool open(const QString &path) override;
    void close() override;
    void play() override;
    void pause() override;
    void stop() override;
    void seek(qint64 ms) override;
    qint64 length() const override;
    qint64 position() const override;
    bool atEnd() const override;
    QString errorString() const override;

private:
    bool haveOutput();

    std::unique_ptr<QMediaPlayer> m_player;
    std::unique_ptr<QAudioOutput> m_output;
    QString m_error;
};

// The player a graph window plays its recording with: a QtMediaPlayer unless a test installed
// a factory of its own.
using MediaPlayerFactory = std::function<std::unique_ptr<MediaPlayer>()>;
std::unique_ptr<MediaPlayer> createMediaPlayer();
// An empty factory puts the system's player back.
void setMediaPlayerFactory(MediaPlayerFactory factory);

} // namespace ql708::graph
