// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cli/CliCommand.h"
#include "monitor/MonitorSession.h"
#include "monitor/MqttPublisher.h"

#include <optional>

namespace ql708::cli {

// What the monitor's command line asks for.
struct MonitorOptions {
    bool simulate = false;
    monitor::MonitorSettings settings;
    std::optional<monitor::MqttOptions> mqtt; // with --mqtt
};

// Takes the monitor's options from args; empty, with the fault left in args, when one is wrong.
std::optional<MonitorOptions> monitorOptions(CliArgs &args);

// ql708-cli monitor --out DIR [--simulate] [--mqtt HOST[:PORT]] [--topic PREFIX] [--threshold DB]
// [--min-duration S]: polls the meter for as long as it runs and writes the monitor's files into
// DIR (and publishes to the broker); the meter going away is told on err and never ends it.
// SIGINT and SIGTERM end it cleanly, with status 0.
int runMonitor(CliArgs &args, CliContext &context);

} // namespace ql708::cli
