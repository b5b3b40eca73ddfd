// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

namespace ql708::graph {

// What WAV playback needs of a media player: one file at a time, lengths and positions in
// milliseconds. The program plays through the system's audio output; tests put a fake in.
class MediaPlayer {
public:
    virtual ~MediaPlayer() = default;
    // Opens the file for playing, stopped at its start. False, with the reason in
    // errorString(), when it cannot be played; then no file is open.
    virtual bool open(const QString &path) = 0;
    virtual void close() = 0;
    // Plays from the current position (on from where a pause left it).
    virtual void play() = 0;
    virtual void pause() = 0;
    // Stops, back at the start.
    virtual void stop() = 0;
    virtual void seek(qint64 ms) = 0;
    virtual qint64 length() const = 0;
    virtual qint64 position() const = 0;
    // The open file has played to its end.
    virtual bool atEnd() const = 0;
    // Empty while all is well; why opening or playing failed otherwise.
    virtual QString errorString() const = 0;
};

} // namespace ql708::graph
