// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/InfoCommand.h"

#include "cli/CliMeter.h"
#include "cli/JsonOutput.h"
#include "common/Printable.h"
#include "common/StringTable.h"
#include "meter/LoggerSetup.h"

namespace ql708::cli {

namespace {

// A number with a full stop, whatever the locale, so that scripts read it.
QString decimal(double v, int decimals) { return QString::number(v, 'f', decimals); }

void print(QTextStream &out, const MeterInformation &m)
{
    const StringTable &t = StringTable::of(QStringLiteral("frmSetup"));
    auto label = [&t](const char *name) {
        return t.sectionText(QStringLiteral("caption"), QString::fromLatin1(name), Language::English).trimmed();
    };
    const std::pair<const char *, QString> lines[] = {
        {"lblVer", decimal(m.versionHundredths / 100.0, 2)},
        {"lblMeterTime", m.clockIso},
        {"lblInt", m.interval + QStringLiteral(" s")},
        {"lblDataSets", m.dataSets},
        {"lblMemoryAvailable", m.memoryAvailable + QStringLiteral(" points")},
        {"lblSN", m.serial},
        {"lbl94dB", decimal(m.cal94Tenths / 10.0, 1)},
        {"lbl70dB", decimal(m.cal70Raw / 256.0, 2) + QStringLiteral("  (") + QString::number(m.cal70Raw) + QLatin1Char(')')}};
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
    const bool json = args.flag(QStringLiteral("--json"));
    if (!args.finish())
        return kExitUsage;

    MeterConnection meter(context, simulate);
    if (!meter.connect(context.err))
        return kExitFailed;
    MeterLink &link = meter.link;
    LoggerSetup setup(link);
    MeterInformation info;
    const int code = setup.readInformation(info);
    // What was read before a failure is shown; the JSON document only when it is whole.
    if (json && code == setup_result::kOk)
        context.out << informationJson(info);
    else if (!json && !info.version.isEmpty())
        print(context.out, info);
    context.out.flush();
    if (code != setup_result::kOk)
        return failWith(context.err, setupFailure(informationMessage(code), code), code);
    return kExitOk;
}

} // namespace ql708::cli
