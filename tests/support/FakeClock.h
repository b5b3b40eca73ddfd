// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/Clock.h"

namespace ql708::test {

// A clock that moves only when told to; a busy wait advances it by 1 ms per pause.
// Installs itself on construction and puts the system clock back on destruction.
class FakeClock : public Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)));
    ~FakeClock() override;

    QDateTime now() const override;
    qint64 tickMs() const override { return m_tick; }
    void pause() override { advance(1); }
    void sleepMs(int ms) override { advance(ms > 0 ? ms : 0); }

    void advance(qint64 ms) { m_tick += ms; }
    void setNow(const QDateTime &t) { m_start = t; m_tickAtStart = m_tick; }

private:
    QDateTime m_start;
    qint64 m_tick = 1000;
    qint64 m_tickAtStart = 1000;
};

} // namespace ql708::test
