// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliCommand.h"

namespace ql708::cli {

// Whether a command talks to a meter: every such command lists [--simulate] among its options.
// It then takes the trace options too, without doing anything for them: they act in the link
// that context.makeLink gives it.
bool talksToMeter(const Command &command);

// The command's options for the usage text, the trace options included where they apply.
QString commandOptions(const Command &command);

// Runs a command that talks to a meter with the trace options: --trace FILE records every
// operation of the link into FILE; --replay FILE plays a recorded trace back in place of the
// meter (so not with --simulate). A replay that departs from its trace, or a trace that cannot
// be read or written, ends the command with kExitFailed and its message on err. origin names
// the program and the command in the trace's heading.
int runWithMeter(const Command &command, CliArgs &args, CliContext &context, const QString &origin);

} // namespace ql708::cli
