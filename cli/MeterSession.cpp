// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/MeterSession.h"

#include "common/Printable.h"
#include "meter/LinkSession.h"

namespace ql708::cli {

namespace {

// Ends the running command from inside its link: the replay stopped, or a trace file failed.
struct SessionEnded {
    QString message;
};

} // namespace

bool talksToMeter(const Command &command)
{
    return QByteArray(command.options).contains("[--simulate]");
}

QString commandOptions(const Command &command)
{
    const QString own = QString::fromLatin1(command.options);
    return talksToMeter(command) ? own + QStringLiteral(" [--trace FILE] [--replay FILE]") : own;
}

int runWithMeter(const Command &command, CliArgs &args, CliContext &context, const QString &origin)
{
    TraceOptions options;
    options.traceFile = args.value(QStringLiteral("--trace")).value_or(QString());
    options.replayFile = args.value(QStringLiteral("--replay")).value_or(QString());
    if (!options.replayFile.isEmpty() && args.flag(QStringLiteral("--simulate"))) {
        args.fail(QStringLiteral("--replay takes the place of the meter; leave out --simulate"));
        return kExitUsage;
    }

    LinkSession session;
    // The files are opened once the command has read its options, so a wrong command line
    // leaves them alone.
    CliContext inner{context.out, context.err, [&](bool simulate) {
                         if (!session.prepare(options))
                             throw SessionEnded{session.error()};
                         return session.link([&] { return context.makeLink(simulate); }, origin,
                                             [](const QString &why) { throw SessionEnded{why}; });
                     }};
    int status = kExitFailed;
    try {
        status = command.run(args, inner);
    } catch (const SessionEnded &ended) {
        context.out.flush();
        context.err << "ql708-cli: " << printable(ended.message, true) << '\n';
        context.err.flush();
        return kExitFailed;
    }
    if (const ReplayProgress *replay = session.replay(); replay && replay->replayed < replay->total) {
        context.err << "ql708-cli: note: the command ended before the trace " << printable(options.replayFile)
                    << " did; its operations from line " << replay->nextLine << " on were not replayed\n";
        context.err.flush();
    }
    return status;
}

} // namespace ql708::cli
