// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliCommand.h"

namespace ql708::cli {

// ql708-cli interval [--simulate] MM:SS: sets the meter's recording interval, 00:00 to 01:00
// (00:00: a reading at every update of the display). Exit status 0 when the meter took it,
// 2 for an interval it cannot take, 1 on a failure (with its code).
int runInterval(CliArgs &args, CliContext &context);

} // namespace ql708::cli
