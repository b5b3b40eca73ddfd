// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliCommand.h"

namespace ql708::cli {

// ql708-cli export FILE.rec --set N [--format txt|csv|iso] [-o OUT]
// ql708-cli export FILE.ghf [--format txt|csv|iso] [-o OUT]
// Writes data set N of a collection file (counted from 1, as "sets" lists them), or the chart
// of a graph file, as the graph windows save graph text: one line per point, txt with TABs, csv
// with commas, iso comma-separated with ISO 8601 date-times. Without --format the type follows
// OUT's extension (csv for .csv, else txt). Without -o the lines go to standard output.
// Exit status 0 when written, 1 when a file cannot be read or written or the set does not
// exist, 2 for a wrong command line, 3 when the collection holds no readable data set.
int runExport(CliArgs &args, CliContext &context);

} // namespace ql708::cli
