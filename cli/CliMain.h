// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliCommand.h"

#include <QStringList>

namespace ql708::cli {

// Runs ql708-cli on the words after the program's name: the usage, the version, or one
// command. Returns the exit status; when the output could not be written whole, says so on err
// and fails, whatever the command did.
int runCli(QStringList words, CliContext &context);

// Whether the command that word names draws pages (and so needs a GUI application).
bool commandDraws(const QString &word);

} // namespace ql708::cli
