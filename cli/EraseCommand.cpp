// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/EraseCommand.h"

#include "cli/CliMeter.h"
#include "common/StringTable.h"
#include "meter/LoggerSetup.h"

namespace ql708::cli {

int runErase(CliArgs &args, CliContext &context)
{
    const bool simulate = args.flag(QStringLiteral("--simulate"));
    const bool confirmed = args.flag(QStringLiteral("--yes"));
    if (!args.finish())
        return kExitUsage;
    if (!confirmed) {
        context.err << "ql708-cli erase: this deletes every data set in the meter's memory; give --yes to do it.\n";
        return kExitUsage;
    }

    MeterConnection meter(context, simulate);
    if (!meter.connect(context.err))
        return kExitFailed;
    MeterLink &link = meter.link;
    // Erasing while the meter records would cut the record it writes.
    if (!meterIdle(link, context.err, erasingWhileRecordingMessage()))
        return kExitFailed;
    LoggerSetup setup(link);
    const int code = setup.eraseMemory();
    if (code != setup_result::kOk)
        return failWith(context.err, setupFailure(eraseMessage(code), code), code);
    context.out << eraseMessage(code) << '\n'
                << StringTable::of(QStringLiteral("frmMain")).text(QStringLiteral("IDS_84"), Language::English) << '\n';
    return kExitOk;
}

} // namespace ql708::cli
