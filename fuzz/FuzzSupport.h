// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/Clock.h"

#include <QStringList>

#include <cstdint>

namespace ql708::fuzz {

// A clock that moves only while the program waits on it, a millisecond a step: the meter's
// 500 ms between polls take 500 steps, not half a second of the fuzzer's time.
class StepClock : public Clock {
public:
    QDateTime now() const override;
    qint64 tickMs() const override { return m_tick; }
    void pause() override { ++m_tick; }

private:
    qint64 m_tick = 0;
};

// Installs a step clock for the whole run.
void useStepClock();

// A command line from the input: words split at NUL and line feeds, at most maxWords of them.
// A '/' becomes '_', so that every file a word names lies in the current folder.
QStringList wordsOf(const std::uint8_t *data, std::size_t size, int maxWords = 16);

// The current folder while a run lasts: a folder of the target's own for the files the commands
// read and write, emptied of what the run before wrote and holding the files named in keep with
// their bytes. The folder the fuzzer was started in (where it leaves what it finds) is the
// current one again afterwards.
class ScratchFolder {
public:
    explicit ScratchFolder(const QList<std::pair<QString, QByteArray>> &keep = {});
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

private:
    QString m_started;
};

} // namespace ql708::fuzz
