// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/FakeClock.h"

namespace ql708::test {

FakeClock::FakeClock(QDateTime start) : m_start(std::move(start)) { setClock(this); }

FakeClock::~FakeClock()
{
    // A fake that replaced this one stays installed.
    if (&clock() == this)
        setClock(nullptr);
}

QDateTime FakeClock::now() const { return m_start.addMSecs(m_tick - m_tickAtStart); }

} // namespace ql708::test
