// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliMain.h"

#include "cli/ClockCommand.h"
#include "cli/DownloadCommand.h"
#include "cli/EraseCommand.h"
#include "cli/ExportCommand.h"
#include "cli/InfoCommand.h"
#include "cli/IntervalCommand.h"
#include "cli/MeterSession.h"
#include "cli/MonitorCommand.h"
#include "cli/ReportCommand.h"
#include "cli/SetsCommand.h"
#include "cli/StatsCommand.h"
#include "cli/StatusCommand.h"
#include "common/Printable.h"

#include <QIODevice>

namespace ql708::cli {

namespace {
// Every subcommand, one line each.
const Command kCommands[] = {
    {"status", "[--simulate] [--count N]",
     "prints the meter's status every 500 ms, N times (default 10; 0: until interrupted)", runStatus},
    {"download", "[--simulate] -o FILE.rec", "copies the meter's logger memory into a data set collection file",
     runDownload},
    {"sets", "FILE.rec", "lists the data sets of a collection file, one tab-separated line each", runSets},
    {"export", "FILE.rec --set N | FILE.ghf [--format txt|csv|iso] [-o OUT]",
     "writes a data set or a graph file's chart as text, one line per point", runExport},
    {"stats", "FILE.rec --set N | FILE.ghf | FILE.txt | FILE.csv [--from TIME] [--to TIME] [--threshold DB] [--json]",
     "prints the figures of a series or of its readings from TIME to TIME: levels, exposure and doses,\n"
     "      events, clock hours and Lden; TIME as 2024-05-17T14:02:11 or the program's own date and time",
     runStats},
    {"clock", "[--simulate]", "sets the meter clock to the computer's", runClock},
    {"interval", "[--simulate] MM:SS", "sets the recording interval, 00:00 to 01:00", runInterval},
    {"erase", "[--simulate] --yes", "erases the meter's logger memory (refused while the meter records)", runErase},
    {"info", "[--simulate]", "prints the meter's firmware, clock, interval, data sets, free memory and serial number",
     runInfo},
    {"monitor", "--out DIR [--simulate] [--mqtt HOST[:PORT]] [--topic PREFIX] [--threshold DB] [--min-duration S]",
     "logs the live level for days into DIR (daily files, minute and day summaries, events) and to an\n"
     "      MQTT broker, until Ctrl+C or SIGTERM; a meter that goes away is looked for again",
     runMonitor},
    {"report", "FILE.rec --set N -o OUT.pdf [--language fr|en]",
     "writes a data set's report as PDF: its chart under its figures, then its indicators, hourly Leq and events", runReport, true},
};

const Command *findCommand(const QString &name)
{
    for (const Command &c : kCommands)
        if (name == QLatin1String(c.name))
            return &c;
    return nullptr;
}

void printUsage(QTextStream &s)
{
    s << "Usage: ql708-cli COMMAND [OPTIONS]\n"
         "       ql708-cli --help | -h | --version\n"
         "Commands:\n";
    for (const Command &c : kCommands)
        s << "  " << c.name << ' ' << commandOptions(c) << "\n      " << c.summary << '\n';
    s << "Options of the commands that talk to a meter:\n"
         "  --simulate     use the built-in simulated meter instead of the USB meter (a fresh one\n"
         "                 each run)\n"
         "  --trace FILE   write every exchange with the meter to FILE, one line each\n"
         "  --replay FILE  play a trace back in place of the meter, checking that the same\n"
         "                 commands go out in the same order\n"
         "Options of every command:\n"
         "  --help, -h     show a command's usage\n";
}

int usageError(QTextStream &err, const QString &message)
{
    err << "ql708-cli: " << message << "\nTry 'ql708-cli --help'.\n";
    return kExitUsage;
}

int runCommand(const Command &command, QStringList words, CliContext &context)
{
    if (words.contains(QLatin1String("--help")) || words.contains(QLatin1String("-h"))) {
        context.out << "Usage: ql708-cli " << command.name << ' ' << commandOptions(command) << "\n  "
                    << command.summary << '\n';
        return kExitOk;
    }
    CliArgs args(std::move(words));
    const QString origin = QStringLiteral("ql708-cli %1 %2").arg(QLatin1String(QL708_VERSION), QLatin1String(command.name));
    const int status =
        talksToMeter(command) ? runWithMeter(command, args, context, origin) : command.run(args, context);
    if (!args.error().isEmpty())
        context.err << "ql708-cli " << command.name << ": " << printable(args.error()) << "\nTry 'ql708-cli " << command.name
                    << " --help'.\n";
    return status;
}

int runWords(QStringList words, CliContext &context)
{
    if (words.isEmpty()) {
        printUsage(context.err);
        return kExitUsage;
    }
    const QString first = words.takeFirst();
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        printUsage(context.out);
        return kExitOk;
    }
    if (first == QLatin1String("--version")) {
        context.out << "ql708-cli " << QL708_VERSION << '\n';
        return kExitOk;
    }
    if (const Command *command = findCommand(first))
        return runCommand(*command, std::move(words), context);
    return usageError(context.err, first.startsWith(QLatin1Char('-')) ? QStringLiteral("unknown option: %1").arg(printable(first))
                                                                    : QStringLiteral("unknown command: %1").arg(printable(first)));
}

} // namespace

bool commandDraws(const QString &word)
{
    const Command *command = findCommand(word);
    return command && command->draws;
}

int runCli(QStringList words, CliContext &context)
{
    const int status = runWords(std::move(words), context);
    context.out.flush();
    if (context.out.status() == QTextStream::Ok)
        return status;
    const QIODevice *device = context.out.device();
    context.err << "ql708-cli: cannot write the output: "
                << (device && !device->errorString().isEmpty() ? device->errorString() : QStringLiteral("write error"))
                << '\n';
    context.err.flush();
    return status == kExitOk ? kExitFailed : status;
}

} // namespace ql708::cli
