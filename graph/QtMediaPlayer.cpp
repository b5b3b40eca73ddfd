// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/QtMediaPlayer.h"

#include "common/StringTable.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QEventLoop>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

namespace ql708::graph {

namespace {

constexpr int kLoadTimeoutMs = 5000;

MediaPlayerFactory &factory()
{
    static MediaPlayerFactory f;
    return f;
}

QString text(const char *key) { return ids(QStringLiteral("frmGraph"), QString::fromLatin1(key)); }

// The media back end is chosen once, at the first use of the multimedia module. The other
// back end of the system's Qt build crashes inside the player's constructor when its
// plug-ins are not installed, which its package does not require; this one needs nothing
// beyond the libraries the module itself depends on. A choice the user made stands.
void chooseBackend()
{
    static const bool chosen = [] {
        if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
            qputenv("QT_MEDIA_BACKEND", "ffmpeg");
        return true;
    }();
    Q_UNUSED(chosen);
}

bool settled(QMediaPlayer::MediaStatus s)
{
    return s == QMediaPlayer::LoadedMedia || s == QMediaPlayer::InvalidMedia || s == QMediaPlayer::BufferedMedia;
}

} // namespace

QtMediaPlayer::QtMediaPlayer() = default;

QtMediaPlayer::~QtMediaPlayer() = default;

bool QtMediaPlayer::haveOutput()
{
    chooseBackend();
    // Playing without an output device brings the back end down: refuse before that.
    if (QMediaDevices::audioOutputs().isEmpty()) {
        m_error = text("IDS_91");
        return false;
    }
    if (!m_player) {
        m_player = std::make_unique<QMediaPlayer>();
        m_output = std::make_unique<QAudioOutput>();
        m_player->setAudioOutput(m_output.get());
    }
    m_output->setDevice(QMediaDevices::defaultAudioOutput());
    return true;
}

bool QtMediaPlayer::open(const QString &path)
{
    m_error.clear();
    if (!haveOutput())
        return false;
    QEventLoop wait;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &wait, &QEventLoop::quit);
    QObject::connect(m_player.get(), &QMediaPlayer::mediaStatusChanged, &wait, [&wait](QMediaPlayer::MediaStatus s) {
        if (settled(s))
            wait.quit();
    });
    QObject::connect(m_player.get(), &QMediaPlayer::errorOccurred, &wait, &QEventLoop::quit);
    m_player->setSource(QUrl::fromLocalFile(path));
    if (!settled(m_player->mediaStatus()) && m_player->error() == QMediaPlayer::NoError) {
        timeout.start(kLoadTimeoutMs);
        wait.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (m_player->mediaStatus() == QMediaPlayer::LoadedMedia || m_player->mediaStatus() == QMediaPlayer::BufferedMedia)
        return true;
    m_error = m_player->error() != QMediaPlayer::NoError ? m_player->errorString() : text("IDS_93");
    m_player->setSource(QUrl());
    return false;
}

void QtMediaPlayer::close()
{
    if (m_player)
        m_player->setSource(QUrl());
}

void QtMediaPlayer::play()
{
    if (m_player && haveOutput())
        m_player->play();
}

void QtMediaPlayer::pause()
{
    if (m_player)
        m_player->pause();
}

void QtMediaPlayer::stop()
{
    if (m_player)
        m_player->stop();
}

void QtMediaPlayer::seek(qint64 ms)
{
    if (m_player)
        m_player->setPosition(ms);
}

qint64 QtMediaPlayer::length() const { return m_player ? m_player->duration() : 0; }

qint64 QtMediaPlayer::position() const
{
    if (!m_player)
        return 0;
    return atEnd() ? m_player->duration() : m_player->position();
}

bool QtMediaPlayer::atEnd() const { return m_player && m_player->mediaStatus() == QMediaPlayer::EndOfMedia; }

QString QtMediaPlayer::errorString() const
{
    if (!m_error.isEmpty())
        return m_error;
    return m_player && m_player->error() != QMediaPlayer::NoError ? m_player->errorString() : QString();
}

std::unique_ptr<MediaPlayer> createMediaPlayer()
{
    if (factory())
        return factory()();
    return std::make_unique<QtMediaPlayer>();
}

void setMediaPlayerFactory(MediaPlayerFactory f) { factory() = std::move(f); }

} // namespace ql708::graph
