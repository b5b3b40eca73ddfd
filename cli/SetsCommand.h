// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliCommand.h"

#include <optional>

namespace ql708::data {
struct DataSetList;
}

namespace ql708::cli {

// The memory or the file holds no data set that can be read.
constexpr int kExitNoDataSets = 3;

// ql708-cli sets [--json] FILE.rec: the data sets of a collection file, one tab-separated line
// each after a heading line, then "result<TAB>N" with the parser's result; with --json one
// JSON document of the same. Exit status 0 when the
// file holds a set that can be read (results 0 and 33 to 35), 3 when it holds none (31, 32,
// and 34 for a memory that ends before its first record), 1 when the file cannot be read.
int runSets(CliArgs &args, CliContext &context);

// Reads a collection file and finds its set N (counted from 1, as "sets" lists them): the set's
// index in sets, or nothing after telling why on err, with the exit status in status.
std::optional<int> readSet(const QString &path, qint64 set, data::DataSetList &sets, QTextStream &err, int &status);

// The heading line and one line per set.
QStringList setsTable(const data::DataSetList &sets);
// The exit status for a parser result and the sets it gave.
int setsExitStatus(int parseResult, const data::DataSetList &sets);

} // namespace ql708::cli
