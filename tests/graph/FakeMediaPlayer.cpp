// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/graph/FakeMediaPlayer.h"

#include <QFileInfo>

#include <algorithm>

namespace ql708::test {

void FakeMediaPlayer::advance(qint64 ms)
{
    if (playing)
        pos = std::min(pos + ms, length());
}

bool FakeMediaPlayer::open(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    log << QStringLiteral("open ") + name;
    if (!refuseOpen.isEmpty()) {
        failure = refuseOpen;
        return false;
    }
    if (!lengths.contains(name)) {
        failure = QStringLiteral("cannot decode ") + name;
        return false;
    }
    failure.clear();
    openName = name;
    pos = 0;
    playing = false;
    return true;
}

void FakeMediaPlayer::close()
{
    log << QStringLiteral("close");
    openName.clear();
    playing = false;
}

void FakeMediaPlayer::play()
{
    log << QStringLiteral("play");
    playing = !openName.isEmpty();
}

void FakeMediaPlayer::pause()
{
    log << QStringLiteral("pause");
    playing = false;
}

void FakeMediaPlayer::stop()
{
    log << QStringLiteral("stop");
    playing = false;
    pos = 0;
}

void FakeMediaPlayer::seek(qint64 ms)
{
    log << QStringLiteral("seek %1").arg(ms);
    pos = ms;
}

} // namespace ql708::test
