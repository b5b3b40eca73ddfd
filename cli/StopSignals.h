// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <csignal>

namespace ql708::cli {

// SIGINT (Ctrl+C) and SIGTERM caught for as long as it lives, so that a command ends at a
// point of its own choosing instead of being killed in the middle of a line or a transfer.
// The previous handlers come back when it goes. One at a time.
class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals &) = delete;
    StopSignals &operator=(const StopSignals &) = delete;

    bool requested() const;
    // The signal that asked, 0 before one did.
    int signal() const;
    // The exit status of a command ended by that signal, as a shell shows it: 130, 143.
    int exitStatus() const { return 128 + signal(); }

private:
    struct sigaction m_int {}, m_term {};
};

} // namespace ql708::cli
