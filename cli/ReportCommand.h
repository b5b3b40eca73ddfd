// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliCommand.h"

namespace ql708::cli {

// ql708-cli report FILE.rec --set N -o OUT.pdf [--language fr|en]
// Writes data set N of a collection file (counted from 1, as "sets" lists them) as a one-page
// PDF report: the page the DataLogger window prints while it shows the set, captioned with the
// file's name, its texts in French (the program's language at start) or English. Exit status 0 when written, 1 when a file cannot be read or written or the set
// does not exist, 2 for a wrong command line, 3 when the collection holds no readable data set.
int runReport(CliArgs &args, CliContext &context);

} // namespace ql708::cli
