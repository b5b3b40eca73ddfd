// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliCommand.h"

namespace ql708::cli {

// ql708-cli stats FILE.rec --set N | FILE.ghf | FILE.txt | FILE.csv [--from TIME] [--to TIME]
// [--threshold DB] [--json]: the figures of a series, whole or the readings stamped from TIME
// to TIME (both included): the statistic panels' figures, the exposure and doses, the events at
// or above the threshold (85 dB unless given), the clock hours and the days' Lden. Text lines
// "name: value" in sections, or with --json one JSON document. Exit statuses as the export
// command's; 1 as well when the span holds no reading.
int runStats(CliArgs &args, CliContext &context);

} // namespace ql708::cli
