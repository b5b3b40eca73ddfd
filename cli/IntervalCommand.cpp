// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/IntervalCommand.h"

#include "cli/CliMeter.h"
#include "common/Printable.h"
#include "meter/LoggerSetup.h"

namespace ql708::cli {

int runInterval(CliArgs &args, CliContext &context)
{
    const bool simulate = args.flag(QStringLiteral("--simulate"));
    const std::optional<QString> text = args.word(QStringLiteral("MM:SS"));
    if (!args.finish())
        return kExitUsage;
    const QStringList fields = text->split(QLatin1Char(':'));
    if (fields.size() != 2 || !parseInterval(fields[0], fields[1])) {
        context.err << "ql708-cli interval: " << intervalMessage(setup_result::kInvalidInput) << ": \"" << printable(*text)
                    << "\" (MM:SS from 00:00 to 01:00)\n";
        return kExitUsage;
    }

    MeterConnection meter(context, simulate);
    if (!meter.connect(context.err))
        return kExitFailed;
    MeterLink &link = meter.link;
    LoggerSetup setup(link);
    const int code = setup.setInterval(fields[0], fields[1]);
    if (code != setup_result::kOk)
        return failWith(context.err, intervalMessage(code), code);
    context.out << intervalMessage(code).trimmed() << ": " << *text << '\n';
    return kExitOk;
}

} // namespace ql708::cli
