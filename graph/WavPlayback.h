// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graph/GraphStatistics.h"
#include "graph/MediaPlayer.h"
#include "graph/PlaybackTiming.h"

#include <QString>

#include <memory>

namespace ql708::graph {

// The media player's buttons that may be pressed.
struct PlaybackButtons {
    bool play = false, pause = false, stop = false;
    bool operator==(const PlaybackButtons &) const = default;
};

// The WAV recording that belongs to a data set, played in step with its chart: which of its
// 30-minute files is open, what Play, Pause and Stop do, and where each timer tick puts the
// playback line. The window owns the timer and the line; this says when the timer runs.
//
//   before a recording is open   no button
//   open, stopped                Play
//   playing                      Pause, Stop
//   paused                       Play, Pause, Stop (Play or Pause resumes)
class WavPlayback {
public:
    explicit WavPlayback(std::unique_ptr<MediaPlayer> player);

    // Stops and forgets the recording: no button, no timer.
    void reset();
    // Opens the first file of the recording of a set of pointCount points every rate seconds.
    // False when it cannot be played (errorText() says why); then nothing is open.
    bool associate(const QString &path, int rate, int pointCount);
    // Play: on from a pause, else from point `from` of the chart, in the file that holds it.
    // False when that file is missing (missingFile()) or cannot be opened (errorText()); then
    // no button is left.
    bool play(int from, const Series &chart);
    // Pauses; pressed while paused it resumes, like Play.
    void pause();
    void stop();

    // What a timer tick found besides the line's place.
    enum class End {
        None,        // still playing
        NextFile,    // the file ended and the next one plays
        Finished,    // the last file ended: stopped, Play may start again
        FileMissing, // the next file is not there: stopped, no button (missingFile())
        Failed       // the player failed, or the next file would not open: nothing open, no
                     // button (errorText() says why)
    };
    struct Tick {
        bool placed = false; // line holds the playback line's new place
        LinePlacement line;
        End end = End::None;
    };
    // Follows the sound every 200 ms while the timer runs.
    Tick tick(const Series &chart);

    bool isOpen() const { return m_open; }
    bool isPaused() const { return m_paused; }
    bool timerRunning() const { return m_timer; }
    PlaybackButtons buttons() const { return m_buttons; }
    int fileCount() const { return m_fileCount; }
    int wantedFile() const { return m_wantedFile; }
    int loadedFile() const { return m_loadedFile; }
    const QString &folder() const { return m_folder; }
    const QString &baseName() const { return m_baseName; }
    qint64 length() const { return m_player->length(); }
    // Why the player could not open or play a file, in its words.
    const QString &errorText() const { return m_error; }
    // The file that Play or the move to the next file did not find.
    const QString &missingFile() const { return m_missingFile; }

private:
    // Closes the open file and opens file k in its place.
    bool openFile(int k);
    void endPlayback(PlaybackButtons left);

    std::unique_ptr<MediaPlayer> m_player;
    bool m_open = false;
    bool m_paused = false;
    bool m_timer = false;
    PlaybackButtons m_buttons;
    QString m_folder;   // with a trailing separator
    QString m_baseName; // the first file's name, extension included
    int m_rate = 0;
    int m_fileCount = 0;
    int m_wantedFile = 0;
    int m_loadedFile = 0;
    Segment m_segment;
    QString m_error;
    QString m_missingFile;
};

} // namespace ql708::graph
