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
#include "common/OptionHelp.h"
#include "common/Printable.h"

#include <QIODevice>

namespace ql708::cli {

namespace {

const OptionHelp kSimulate{"--simulate", nullptr,
                           "use the built-in simulated meter instead of the USB meter (a fresh one each run)"};

const char kUsageExit[] = "2    the command line was wrong (the fault is named on stderr)";

// Every subcommand with its options, output and exit statuses.
const Command kCommands[] = {
    {.name = "status",
     .options = "[--simulate] [--count N] [--csv | --json]",
     .summary = "prints the meter's status every 500 ms, N times (default 10; 0: until interrupted)",
     .run = runStatus,
     .details = {kSimulate,
                 {"--count", "N", "polls to make, one every 500 ms; 0: until Ctrl+C or SIGTERM (default: 10)"},
                 {"--csv", nullptr, "CSV: a heading line, then one line per poll"},
                 {"--json", nullptr, "one JSON object per line, a line per poll"}},
     .output = "One line per poll: the computer's time (ISO 8601), the shown level in dB, dBA or dBC,\n"
               "FAST or SLOW, the range, maxmin=off|MAX|MIN|MAX/MIN, rec=, over=, under=, full= (yes\n"
               "or no) and clock= (the meter clock).\n"
               "--csv: time (ISO 8601 with the UTC offset), level_db, weighting (A, C), time_weighting\n"
               "(FAST, SLOW), range_db, maxmin, recording, over, under, memory_full (yes, no),\n"
               "meter_clock. --json: the same names, the flags true or false.\n"
               "Levels have '.' as decimal separator in every locale. A poll without a usable reply\n"
               "is told on stderr and counts all the same.",
     .exits = "0    done, also when Ctrl+C or SIGTERM ended --count 0\n"
              "1    no meter answered, it stopped answering, or the output could not be written"},
    {.name = "download",
     .options = "[--simulate] -o FILE.rec",
     .summary = "copies the meter's logger memory into a data set collection file",
     .run = runDownload,
     .details = {kSimulate,
                 {"-o", "FILE.rec", "the collection file, replaced only once it is written whole;\n"
                                    "'-': the standard output",
                  "file:rec"}},
     .output = "The progress on stderr (a bar on a terminal, else a line at every tenth), then\n"
               "\"FILE.rec: N data sets, B bytes, result R\" on stdout (nothing with -o -).",
     .exits = "0    the file was written\n"
              "1    no meter, the meter records, the transfer failed (with its error code), or the\n"
              "     file could not be written\n"
              "3    the memory holds no readable data set\n"
              "130  interrupted by Ctrl+C (SIGINT), 143 by SIGTERM: the meter was told to end the\n"
              "     transfer, and no file was written (an earlier one stays as it was)"},
    {.name = "sets",
     .options = "[--json] FILE.rec",
     .summary = "lists the data sets of a collection file, one tab-separated line each",
     .run = runSets,
     .details = {{"FILE.rec", nullptr, "the data set collection file", "file:rec"},
                 {"--json", nullptr, "one JSON document in place of the lines"}},
     .output = "A heading line, then one line per data set, fields between tabs: set, date, time,\n"
               "rate, points, weighting, response, range, wave, max, min, average (dB with '.';\n"
               "empty without a measured level), out of range; then \"result<TAB>R\", the parser's\n"
               "result (0, 31 to 35).\n"
               "--json: {\"file\", \"result\", \"sets\": [{\"set\", \"start\", \"rate_s\", \"points\",\n"
               "\"weighting\", \"time_weighting\", \"range_db\", \"wave\", \"max_db\", \"min_db\",\n"
               "\"average_db\", \"out_of_range\"}]}, null for a figure without a value.",
     .exits = "0    the file holds a data set that can be read (results 0, 33 to 35)\n"
              "1    the file cannot be read\n"
              "3    it holds none (31, 32, or 34 before the first set)"},
    {.name = "export",
     .options = "FILE.rec --set N | FILE.ghf [--format txt|csv|iso] [-o OUT]",
     .summary = "writes a data set or a graph file's chart as text, one line per point",
     .run = runExport,
     .details = {{"FILE.rec|FILE.ghf", nullptr, "a data set collection file or a graph file", "file:rec|ghf"},
                 {"--set", "N", "the data set, counted from 1 as sets lists them; needed for a .rec"},
                 {"--format", "F", "txt (tabs), csv (commas) or iso (commas, ISO 8601 date-times)\n"
                                   "(default: csv when OUT ends in .csv, else txt)",
                  "words:txt csv iso"},
                 {"-o", "OUT", "the file to write, replaced only once it is written whole\n"
                               "(default, and '-': the standard output)",
                  "file:txt|csv"}},
     .output = "One line per point, CR LF line ends: date and time, level in dB (and the second\n"
               "series of a chart that has one). With -o FILE, \"FILE: N lines\" on stdout.",
     .exits = "0    written\n"
              "1    the file cannot be read, it holds no such set, or the output could not be written\n"
              "3    the collection holds no readable data set"},
    {.name = "stats",
     .options = "FILE.rec --set N | FILE.ghf | FILE.txt | FILE.csv [--from TIME] [--to TIME] [--threshold DB] [--json]",
     .summary = "prints the figures of a series or of its readings from TIME to TIME: levels, exposure and doses,\n"
                "      events, clock hours and Lden",
     .run = runStats,
     .details = {{"FILE", nullptr, "a data set collection file, a graph file or a text table", "file:rec|ghf|txt|csv"},
                 {"--set", "N", "the data set, counted from 1 as sets lists them; needed for a .rec"},
                 {"--from", "TIME", "the first reading's time: 2024-05-17T14:02:11 or the program's own\n"
                                    "date and time text (default: the series' start)"},
                 {"--to", "TIME", "the last reading's time, as --from (default: the series' end)"},
                 {"--threshold", "DB", "a reading at or above it belongs to an event (default: 85)"},
                 {"--json", nullptr, "one JSON document in place of the text"}},
     .output = "Sections of \"label: value\" lines: the span, levels, exposure (LEX,8h, the action and\n"
               "limit values, OSHA and NIOSH doses), events, clock hours and days (Lday, Levening,\n"
               "Lnight, Lden, with their coverage); '.' decimals in every locale. --json: the same\n"
               "figures as one document, numbers as numbers, times ISO 8601 with their UTC offset,\n"
               "null for a figure without a value.",
     .exits = "0    printed\n"
              "1    the file cannot be read, it holds no such set, or no reading lies in the span\n"
              "3    the collection holds no readable data set"},
    {.name = "clock",
     .options = "[--simulate]",
     .summary = "sets the meter clock to the computer's",
     .run = runClock,
     .details = {kSimulate},
     .output = "The meter's answer and the time it was set to, \"yyyy-MM-dd HH:mm:ss\".",
     .exits = "0    set\n"
              "1    no meter answered, or the meter refused (with its error code)"},
    {.name = "interval",
     .options = "[--simulate] MM:SS",
     .summary = "sets the recording interval, 00:00 to 01:00",
     .run = runInterval,
     .details = {kSimulate, {"MM:SS", nullptr, "the interval between two recorded points, 00:00 to 01:00"}},
     .output = "The meter's answer and the interval.",
     .exits = "0    set\n"
              "1    no meter answered, or the meter refused (with its error code)"},
    {.name = "erase",
     .options = "[--simulate] --yes",
     .summary = "erases the meter's logger memory (refused while the meter records)",
     .run = runErase,
     .details = {kSimulate, {"--yes", nullptr, "do it: every data set in the meter's memory is deleted"}},
     .output = "The meter's answer, and what to do before recording again.",
     .exits = "0    erased\n"
              "1    no meter answered, the meter records, or it refused (with its error code)\n"
              "2    the command line was wrong, or --yes was not given"},
    {.name = "info",
     .options = "[--simulate] [--json]",
     .summary = "prints the meter's firmware, clock, interval, data sets, free memory and serial number",
     .run = runInfo,
     .details = {kSimulate, {"--json", nullptr, "one JSON document in place of the lines"}},
     .output = "One \"label: value\" line each: firmware version, meter time (ISO 8601, the meter's own\n"
               "clock, without UTC offset), recording interval, data sets, memory available (points),\n"
               "serial number, 94 dB and 70 dB calibration values; numbers with '.' in every locale.\n"
               "--json: {\"firmware\", \"clock\", \"interval_s\", \"data_sets\", \"free_points\",\n"
               "\"serial\", \"cal_94_db\", \"cal_70_db\"}.",
     .exits = "0    all was read\n"
              "1    no meter answered, or a read failed (with its error code)"},
    {.name = "monitor",
     .options = "--out DIR [--simulate] [--mqtt HOST[:PORT]] [--topic PREFIX] [--threshold DB] [--min-duration S]",
     .summary = "logs the live level for days into DIR (daily files, minute and day summaries, events) and to an\n"
                "      MQTT broker, until Ctrl+C or SIGTERM; a meter that goes away is looked for again",
     .run = runMonitor,
     .details = {{"--out", "DIR", "the folder of the files, created when missing", "dir"},
                 kSimulate,
                 {"--mqtt", "HOST[:PORT]", "publish to this MQTT broker too (port 1883 unless given;\n"
                                           "[::1]:1883 for an IPv6 address)"},
                 {"--topic", "PREFIX", "the topics' prefix (default: ql708)"},
                 {"--threshold", "DB", "a reading at or above it belongs to an event (default: 85)"},
                 {"--min-duration", "S", "shorter runs above the threshold are no events (default: 0)"}},
     .output = "In DIR: YYYY-MM-DD.csv (every reading), YYYY-MM-DD-minutes.csv, days.csv and\n"
               "events.csv, CSV with '.' decimals and ISO 8601 times with their UTC offset. On stderr\n"
               "what happens: the meter going away and coming back, the broker, the disk.",
     .exits = "0    stopped by Ctrl+C or SIGTERM, every file complete\n"
              "1    DIR cannot be created, the broker cannot be set up, or a replayed trace ended or\n"
              "     departed from what the monitor sends"},
    {.name = "report",
     .options = "FILE.rec --set N -o OUT.pdf [--language fr|en]",
     .summary = "writes a data set's report as PDF: its chart under its figures, then its indicators,\n"
                "      hourly Leq and events",
     .run = runReport,
     .draws = true,
     .details = {{"FILE.rec", nullptr, "the data set collection file", "file:rec"},
                 {"--set", "N", "the data set, counted from 1 as sets lists them"},
                 {"-o", "OUT.pdf", "the PDF file, replaced only once it is written whole;\n"
                                   "'-': the standard output",
                  "file:pdf"},
                 {"--language", "fr|en", "the language of the page (default: fr)", "words:fr en"}},
     .output = "The PDF, and \"OUT.pdf: set N\" on stdout (nothing with -o -). No display is needed.",
     .exits = "0    written\n"
              "1    the file cannot be read, it holds no such set, or the PDF could not be written\n"
              "3    the collection holds no readable data set"},
};

// The options every command that talks to a meter takes besides its own.
const OptionHelp kMeterOptions[] = {
    {"--trace", "FILE", "write every exchange with the meter to FILE, one line each", "file:"},
    {"--replay", "FILE", "play a trace back in place of the meter, checking that the same\n"
                         "commands go out in the same order (not with --simulate)",
     "file:"},
};

// A command's options and words as its --help lists them, the trace options included.
std::vector<OptionHelp> allOptions(const Command &c)
{
    std::vector<OptionHelp> all = c.details;
    if (talksToMeter(c))
        all.insert(all.end(), std::begin(kMeterOptions), std::end(kMeterOptions));
    return all;
}

// Lines after the first indented under the first.
QString indented(const char *text, int column)
{
    return QString::fromUtf8(text).replace(QLatin1Char('\n'), QLatin1Char('\n') + QString(column, QLatin1Char(' ')));
}

const OptionHelp kEveryCommandOptions[] = {
    {"--help, -h", nullptr, "show the command's options with their defaults, its output and exit statuses"},
    {"--", nullptr, "end of the options: the words after it are words, even with a '-' first"},
};

void printCommandHelp(const Command &c, QTextStream &s)
{
    s << "Usage: ql708-cli " << c.name << ' ' << commandOptions(c) << "\n  " << c.summary << "\n\nOptions:\n";
    for (const OptionHelp &o : allOptions(c))
        s << optionHelpLine(o);
    for (const OptionHelp &o : kEveryCommandOptions)
        s << optionHelpLine(o);
    s << "\nOutput:\n  " << indented(c.output, 2) << "\n\nExit status:\n";
    // The statuses in order, the wrong command line's among them unless the command tells its own.
    const QStringList lines = QString::fromLatin1(c.exits).split(QLatin1Char('\n'));
    bool usageShown = QString::fromLatin1(c.exits).contains(QLatin1String("\n2 "));
    for (const QString &line : lines) {
        if (!usageShown && !line.startsWith(QLatin1Char(' ')) && line.section(QLatin1Char(' '), 0, 0).toInt() > 2) {
            s << "  " << kUsageExit << '\n';
            usageShown = true;
        }
        s << "  " << line << '\n';
    }
    if (!usageShown)
        s << "  " << kUsageExit << '\n';
}

std::vector<CompletionCommand> completionCommands()
{
    std::vector<CompletionCommand> commands;
    for (const Command &c : kCommands) {
        std::vector<OptionHelp> options = allOptions(c);
        options.insert(options.end(), std::begin(kEveryCommandOptions), std::end(kEveryCommandOptions) - 1); // not "--"
        commands.push_back({QString::fromLatin1(c.name), options});
    }
    return commands;
}

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
         "       ql708-cli --help | -h | --version | --bash-completion\n"
         "Commands:\n";
    for (const Command &c : kCommands)
        s << "  " << c.name << ' ' << commandOptions(c) << "\n      " << c.summary << '\n';
    s << "Options of the commands that talk to a meter:\n";
    s << optionHelpLine(kSimulate);
    for (const OptionHelp &o : kMeterOptions)
        s << optionHelpLine(o);
    s << "Options of every command:\n";
    for (const OptionHelp &o : kEveryCommandOptions)
        s << optionHelpLine(o);
    s << "Exit status: 0 done, 1 a failure (the meter, a file), 2 a wrong command line; see each\n"
         "command's --help for the others.\n"
         "ql708-cli --bash-completion prints the script that completes the commands in bash.\n";
}

int usageError(QTextStream &err, const QString &message)
{
    err << "ql708-cli: " << message << "\nTry 'ql708-cli --help'.\n";
    return kExitUsage;
}

int runCommand(const Command &command, QStringList words, CliContext &context)
{
    if (CliArgs::asksForHelp(words)) {
        printCommandHelp(command, context.out);
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
    if (first == QLatin1String("--bash-completion")) {
        context.out << bashCompletion(QStringLiteral("ql708-cli"),
                                      {{"--help, -h", nullptr, ""}, {"--version", nullptr, ""}}, completionCommands());
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
