// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QtGlobal>

namespace ql708 {

// The one source of wall-clock time and of the monotonic tick; tests install a fake.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const;
    // Milliseconds on a monotonic counter.
    virtual qint64 tickMs() const;
    // Gives the processor away for a moment inside a busy wait.
    virtual void pause();
    // Gives the processor away for ms milliseconds, for a loop that waits long (a monitor
    // between two polls); a fake clock moves on by as much instead.
    virtual void sleepMs(int ms);
};

// The installed clock (the system clock unless a test installed another).
Clock &clock();
// Installs a clock; nullptr puts the system clock back. The caller keeps ownership.
void setClock(Clock *c);

// Busy wait until more than ms milliseconds have passed on the tick; processes no events.
void delayMs(int ms);

} // namespace ql708
