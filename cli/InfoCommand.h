// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliCommand.h"

namespace ql708::cli {

// ql708-cli info [--simulate] [--json]: prints the meter's information, one "label value" line
// each: firmware version, clock (ISO 8601), recording interval, data sets, free memory, serial
// number and calibration values, numbers with '.' in every locale; with --json one JSON
// document. Exit status 0 when all was read, 1 on a failure (with its code).
int runInfo(CliArgs &args, CliContext &context);

} // namespace ql708::cli
