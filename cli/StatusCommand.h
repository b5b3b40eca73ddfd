// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliCommand.h"

namespace ql708::cli {

// ql708-cli status [--simulate] [--count N] [--csv | --json]: polls the meter every half second
// and prints each decoded status on out, N polls (0: until SIGINT or SIGTERM), as a line, as
// CSV after its heading, or as one JSON object per line; a poll without a usable reply is
// reported on err and counts all the same.
int runStatus(CliArgs &args, CliContext &context);

} // namespace ql708::cli
