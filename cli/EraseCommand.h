// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliCommand.h"

namespace ql708::cli {

// ql708-cli erase [--simulate] --yes: erases the meter's logger memory, every data set in it.
// Without --yes nothing happens (exit status 2); while the meter records it refuses (1). Exit
// status 0 when the meter confirmed the erase, 1 on a failure (with its code).
int runErase(CliArgs &args, CliContext &context);

} // namespace ql708::cli
