// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ClockCommand.h"

#include "cli/CliMeter.h"
#include "common/Clock.h"
#include "meter/LoggerSetup.h"

namespace ql708::cli {

int runClock(CliArgs &args, CliContext &context)
{
    const bool simulate = args.flag(QStringLiteral("--simulate"));
    if (!args.finish())
        return kExitUsage;

    MeterConnection meter(context, simulate);
    if (!meter.connect(context.err))
        return kExitFailed;
    MeterLink &link = meter.link;
    LoggerSetup setup(link);
    const int code = setup.setClock();
    if (code != setup_result::kOk)
        return failWith(context.err, clockMessage(code), code);
    context.out << clockMessage(code).remove(QLatin1String("\\n")).trimmed() << ": "
                << clock().now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) << '\n';
    return kExitOk;
}

} // namespace ql708::cli
