#include "tests/support/FakeClock.h"

namespace ql708::test {

FakeClock::FakeClock(QDateTime start) : m_start(std::move(start)) { setClock(this); }

FakeClock::~FakeClock() { setClock(nullptr); }

QDateTime FakeClock::now() const { return m_start.addMSecs(m_tick - m_tickAtStart); }

} // namespace ql708::test
