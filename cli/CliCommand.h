// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliArgs.h"
#include "common/OptionHelp.h"
#include "meter/HidLink.h"

#include <QIODevice>
#include <QTextStream>
#include <functional>
#include <memory>
#include <vector>

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
    // Where "-o -" writes bytes that are no text (a collection, a PDF); out's own device when
    // not given.
    QIODevice *binaryOut = nullptr;
};

// "-o -" names the standard output in place of a file.
inline bool isStandardOutput(const QString &path) { return path == QLatin1String("-"); }

// Writes bytes that are no text to the standard output, after what out holds; false with the
// reason when they could not all be written.
bool writeStandardOutput(CliContext &context, const QByteArray &bytes, QString &error);

// One subcommand: its name, its synopsis for the usage text, what it does, and the function
// that runs it; for its --help its options and words, its output and its exit statuses. A
// fault in the command line is left in args for the caller to report. A command that talks to
// a meter lists [--simulate] in its synopsis. A command that draws pages runs with a display,
// offscreen unless QT_QPA_PLATFORM names one; the others need none.
struct Command {
    const char *name;
    const char *options;
    const char *summary;
    int (*run)(CliArgs &args, CliContext &context);
    bool draws = false;
    std::vector<OptionHelp> details = {};
    const char *output = "";
    const char *exits = "";
};

} // namespace ql708::cli
