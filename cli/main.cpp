// ql708-cli: the meter from the terminal, through the same cores as the window program.
#include "cli/ClockCommand.h"
#include "cli/CliCommand.h"
#include "cli/DownloadCommand.h"
#include "cli/ExportCommand.h"
#include "cli/EraseCommand.h"
#include "cli/InfoCommand.h"
#include "cli/IntervalCommand.h"
#include "cli/MeterSession.h"
#include "cli/MonitorCommand.h"
#include "cli/ReportCommand.h"
#include "cli/SetsCommand.h"
#include "cli/StatusCommand.h"
#include "meter/HidapiLink.h"
#include "meter/sim/SimulatedMeter.h"

#include <QApplication>
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

using namespace ql708;
using namespace ql708::cli;

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
     "writes a data set's one-page report, its chart under its figures, as PDF", runReport, true},
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

std::unique_ptr<HidLink> makeLink(bool simulate)
{
    if (simulate)
        return std::make_unique<SimulatedMeter>();
    return std::make_unique<HidapiLink>();
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
        context.err << "ql708-cli " << command.name << ": " << args.error() << "\nTry 'ql708-cli " << command.name
                    << " --help'.\n";
    return status;
}

// Only a command that draws starts the GUI, offscreen unless told otherwise.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char *argv[])
{
    const Command *command = argc > 1 ? findCommand(QString::fromLocal8Bit(argv[1])) : nullptr;
    if (!command || !command->draws)
        return std::make_unique<QCoreApplication>(argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QApplication>(argc, argv);
}

} // namespace

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
    QTextStream out(stdout), err(stderr);
    CliContext context{out, err, makeLink};
    QStringList words = QCoreApplication::arguments().mid(1);
    if (words.isEmpty()) {
        printUsage(err);
        return kExitUsage;
    }
    const QString first = words.takeFirst();
    if (first == QLatin1String("--help") || first == QLatin1String("-h")) {
        printUsage(out);
        return kExitOk;
    }
    if (first == QLatin1String("--version")) {
        out << "ql708-cli " << QL708_VERSION << '\n';
        return kExitOk;
    }
    if (const Command *command = findCommand(first))
        return runCommand(*command, std::move(words), context);
    return usageError(err, first.startsWith(QLatin1Char('-')) ? QStringLiteral("unknown option: %1").arg(first)
                                                            : QStringLiteral("unknown command: %1").arg(first));
}
