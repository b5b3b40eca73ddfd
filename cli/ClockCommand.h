// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliCommand.h"

namespace ql708::cli {

// ql708-cli clock [--simulate]: sets the meter clock to the computer's. Exit status 0 when
// the clock block was sent, 1 on a failure (with its code).
int runClock(CliArgs &args, CliContext &context);

} // namespace ql708::cli
