// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliCommand.h"

namespace ql708::cli {

// ql708-cli download [--simulate] -o FILE.rec: reads the meter's logger memory as the window
// program does and writes it as a data set collection file ("-o -": to the standard output),
// with a progress bar on a terminal and plain lines otherwise. Exit status 0 when the file was
// written, 3 when the memory holds no readable data set, 1 on a failure; SIGINT or SIGTERM
// ends the transfer with the meter's abort, writes nothing, and exits with 130 or 143.
int runDownload(CliArgs &args, CliContext &context);

} // namespace ql708::cli
