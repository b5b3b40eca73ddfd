// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliArgs.h"
#include "meter/HidLink.h"

#include <QTextStream>
#include <functional>
#include <memory>

namespace ql708::cli {

// Exit statuses: done, the meter or a file failed, the command line was wrong.
constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

// What every subcommand works with: the two output streams and the way to the meter.
struct CliContext {
    QTextStream &out;
    QTextStream &err;
    // The USB meter, or the built-in simulated one; tests hand in their own link. A command
    // that talks to a meter gets the trace options' link through it (see MeterSession.h).
    std::function<std::unique_ptr<HidLink>(bool simulate)> makeLink;
};

// One subcommand: its name, its options for the usage text, what it does, and the function
// that runs it. A fault in the command line is left in args for the caller to report. A
// command that talks to a meter lists [--simulate] among its options. A command that draws
// pages runs with a display, offscreen unless QT_QPA_PLATFORM names one; the others need none.
struct Command {
    const char *name;
    const char *options;
    const char *summary;
    int (*run)(CliArgs &args, CliContext &context);
    bool draws = false;
};

} // namespace ql708::cli
