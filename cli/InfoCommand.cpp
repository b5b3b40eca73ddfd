// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/InfoCommand.h"

#include "cli/CliMeter.h"
#include "common/Printable.h"
#include "common/StringTable.h"
#include "meter/LoggerSetup.h"

namespace ql708::cli {

namespace {

void print(QTextStream &out, const MeterInformation &m)
{
    const StringTable &t = StringTable::of(QStringLiteral("frmSetup"));
    auto label = [&t](const char *name) {
        return t.sectionText(QStringLiteral("caption"), QString::fromLatin1(name), Language::English).trimmed();
    };
    const std::pair<const char *, QString> lines[] = {
        {"lblVer", m.version},           {"lblMeterTime", m.meterTime},
        {"lblInt", m.interval + QStringLiteral(" s")},
        {"lblDataSets", m.dataSets},     {"lblMemoryAvailable", m.memoryAvailable + QStringLiteral(" points")},
        {"lblSN", m.serial},             {"lbl94dB", m.cal94},
        {"lbl70dB", m.cal70}};
    for (const auto &[name, value] : lines) {
        QString l = label(name);
        if (!l.endsWith(QLatin1Char(':')))
            l += QLatin1Char(':');
        out << l << ' ' << printable(value) << '\n'; // the meter's own text
    }
}

} // namespace

int runInfo(CliArgs &args, CliContext &context)
{
    const bool simulate = args.flag(QStringLiteral("--simulate"));
    if (!args.finish())
        return kExitUsage;

    MeterConnection meter(context, simulate);
    if (!meter.connect(context.err))
        return kExitFailed;
    MeterLink &link = meter.link;
    LoggerSetup setup(link);
    MeterInformation info;
    const int code = setup.readInformation(info);
    if (!info.version.isEmpty())
        print(context.out, info);
    context.out.flush();
    if (code != setup_result::kOk)
        return failWith(context.err, setupFailure(informationMessage(code), code), code);
    return kExitOk;
}

} // namespace ql708::cli
