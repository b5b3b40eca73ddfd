// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Clock.h"

#include <QElapsedTimer>
#include <QThread>

namespace ql708 {

QDateTime Clock::now() const { return QDateTime::currentDateTime(); }

qint64 Clock::tickMs() const
{
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer.elapsed();
}

void Clock::pause() { QThread::msleep(1); }

void Clock::sleepMs(int ms)
{
    if (ms > 0)
        QThread::msleep(ulong(ms));
}

namespace {
Clock systemClock;
Clock *installed = &systemClock;
} // namespace

Clock &clock() { return *installed; }

void setClock(Clock *c) { installed = c ? c : &systemClock; }

void delayMs(int ms)
{
    Clock &c = clock();
    const qint64 start = c.tickMs();
    while (c.tickMs() - start <= ms)
        c.pause();
}

} // namespace ql708
