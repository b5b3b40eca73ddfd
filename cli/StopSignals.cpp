// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/StopSignals.h"

namespace ql708::cli {

namespace {
volatile std::sig_atomic_t g_signal = 0;
extern "C" void noteSignal(int signal) { g_signal = signal; }
} // namespace

StopSignals::StopSignals()
{
    g_signal = 0;
    struct sigaction sa {};
    sa.sa_handler = noteSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, &m_int);
    sigaction(SIGTERM, &sa, &m_term);
}

StopSignals::~StopSignals()
{
    sigaction(SIGINT, &m_int, nullptr);
    sigaction(SIGTERM, &m_term, nullptr);
}

bool StopSignals::requested() const { return g_signal != 0; }

int StopSignals::signal() const { return g_signal; }

} // namespace ql708::cli
