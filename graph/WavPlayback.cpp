// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/WavPlayback.h"

#include "graph/WavNaming.h"

#include <QDir>
#include <QFileInfo>

namespace ql708::graph {

namespace {

constexpr PlaybackButtons kNone{};
constexpr PlaybackButtons kPlayOnly{true, false, false};
constexpr PlaybackButtons kPlaying{false, true, true};
constexpr PlaybackButtons kPaused{true, true, true};

} // namespace

WavPlayback::WavPlayback(std::unique_ptr<MediaPlayer> player) : m_player(std::move(player)) {}

void WavPlayback::reset()
{
    if (m_open) {
        m_player->stop();
        m_player->close();
    }
    m_open = m_paused = m_timer = false;
    m_buttons = kNone;
}

bool WavPlayback::associate(const QString &path, int rate, int pointCount)
{
    reset();
    m_error.clear();
    m_missingFile.clear();
    m_open = m_player->open(path);
    if (!m_open) {
        m_error = m_player->errorString();
        return false;
    }
    const RecordingFiles files = recordingFiles(path, rate, pointCount);
    m_folder = files.folder;
    m_baseName = files.firstName;
    m_rate = rate;
    m_fileCount = files.count;
    m_wantedFile = m_loadedFile = 0;
    m_buttons = kPlayOnly;
    return true;
}

bool WavPlayback::openFile(int k)
{
    m_loadedFile = k;
    m_player->stop();
    m_player->close();
    const QString name = wavFileName(m_baseName, k);
    const QString path = m_folder + name;
    if (name.isEmpty() || !QFileInfo::exists(path)) {
        m_open = false;
        m_missingFile = QDir::toNativeSeparators(path);
        return false;
    }
    m_open = m_player->open(path);
    if (!m_open)
        m_error = m_player->errorString();
    return m_open;
}

bool WavPlayback::play(int from, const Series &chart)
{
    if (!m_open)
        return false;
    if (m_paused) {
        m_paused = false;
        m_player->play();
        m_buttons = kPlaying;
        m_timer = true;
        return true;
    }
    m_error.clear();
    m_missingFile.clear();
    m_wantedFile = fileOfPoint(m_rate, from, m_fileCount);
    if (m_wantedFile != m_loadedFile && !openFile(m_wantedFile)) {
        endPlayback(kNone);
        return false;
    }
    m_segment = segmentOf(m_wantedFile, chart);
    const TDateTime x = from >= 0 && from < chart.n ? chart.x[from] : m_segment.start;
    m_player->seek(startPosition(m_segment, x, m_player->length()));
    m_player->play();
    m_buttons = kPlaying;
    m_timer = true;
    return true;
}

void WavPlayback::pause()
{
    if (!m_open)
        return;
    if (m_paused) {
        // The button toggles: pressed again it resumes, and the line follows again.
        m_paused = false;
        m_player->play();
        m_buttons = kPlaying;
        m_timer = true;
        return;
    }
    m_player->pause();
    m_paused = true;
    m_timer = false;
    m_buttons = kPaused;
}

void WavPlayback::stop()
{
    if (!m_open)
        return;
    m_player->stop();
    endPlayback(kPlayOnly);
}

void WavPlayback::endPlayback(PlaybackButtons left)
{
    m_timer = false;
    m_paused = false;
    m_buttons = left;
}

WavPlayback::Tick WavPlayback::tick(const Series &chart)
{
    Tick t;
    if (!m_open || chart.n <= 0)
        return t;
    if (const QString error = m_player->errorString(); !error.isEmpty()) {
        m_error = error;
        m_player->stop();
        m_open = false;
        endPlayback(kNone);
        t.end = End::Failed;
        return t;
    }
    const qint64 length = m_player->length();
    const bool ended = m_player->atEnd();
    t.line = placeLine(m_segment, ended ? length : m_player->position(), length, chart.x[chart.n - 1]);
    t.placed = true;
    if (!ended)
        return t;
    if (m_wantedFile >= m_fileCount - 1) {
        m_player->stop();
        endPlayback(kPlayOnly);
        t.end = End::Finished;
        return t;
    }
    ++m_wantedFile;
    m_error.clear();
    if (!openFile(m_wantedFile)) {
        endPlayback(kNone);
        t.end = m_error.isEmpty() ? End::FileMissing : End::Failed;
        return t;
    }
    m_segment = segmentOf(m_wantedFile, chart);
    m_player->seek(0);
    m_player->play();
    t.end = End::NextFile;
    return t;
}

} // namespace ql708::graph
