// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/StatusCommand.h"

#include "cli/CliMeter.h"
#include "cli/JsonOutput.h"
#include "cli/StatusLine.h"
#include "cli/StopSignals.h"
#include "common/Clock.h"

#include <limits>
#include <optional>

namespace ql708::cli {

namespace {
constexpr qint64 kDefaultPolls = 10;

enum class Listing { Lines, Csv, Json };

void print(Listing listing, const QDateTime &t, const MeterStatus &s, QTextStream &out)
{
    switch (listing) {
    case Listing::Lines: out << statusLine(t, s) << '\n'; break;
    case Listing::Csv: out << statusCsvLine(t, s) << '\n'; break;
    case Listing::Json: out << statusJson(t, s); break;
    }
}

// Prints what one poll brought; false when the meter is gone or the output cannot be written.
bool report(const PollResult &r, const MeterLink &link, Listing listing, CliContext &c)
{
    switch (r.kind) {
    case PollResult::StatusRead:
        print(listing, clock().now(), r.status, c.out);
        c.out.flush();
        return c.out.status() == QTextStream::Ok; // the caller says why the output failed
    case PollResult::StatusDropped:
        c.err << "ql708-cli: a reply without its frame (02 ... 03): " << replyHex(link.reply()) << '\n';
        break;
    case PollResult::Connected: // only while disconnected, and a lost meter ends the run
        return true;
    case PollResult::Nothing:
        c.err << "ql708-cli: the meter did not answer this poll\n";
        break;
    case PollResult::Lost:
        c.err << "ql708-cli: the meter stopped answering.\n";
        c.err.flush();
        return false;
    }
    c.err.flush();
    return true;
}

std::optional<Listing> listingOf(CliArgs &args)
{
    const bool csv = args.flag(QStringLiteral("--csv"));
    const bool json = args.flag(QStringLiteral("--json"));
    if (csv && json) {
        args.fail(QStringLiteral("--csv and --json exclude each other"));
        return std::nullopt;
    }
    return csv ? Listing::Csv : json ? Listing::Json : Listing::Lines;
}

} // namespace

int runStatus(CliArgs &args, CliContext &context)
{
    const bool simulate = args.flag(QStringLiteral("--simulate"));
    const qint64 polls = args.number(QStringLiteral("--count"), 0, std::numeric_limits<qint64>::max())
                             .value_or(kDefaultPolls);
    const std::optional<Listing> listing = listingOf(args);
    if (!args.finish() || !listing)
        return kExitUsage;

    MeterConnection meter(context, simulate);
    if (!meter.connect(context.err))
        return kExitFailed;
    MeterLink &link = meter.link;
    if (*listing == Listing::Csv)
        context.out << kStatusCsvHeading << '\n';
    // A run that goes on until interrupted ends at Ctrl+C or SIGTERM after the line it is on,
    // as asked, not killed in the middle of one.
    std::optional<StopSignals> stop;
    if (polls == 0)
        stop.emplace();
    const auto stopped = [&stop] { return stop && stop->requested(); };
    for (qint64 n = 0; (polls == 0 || n < polls) && !stopped(); ++n) {
        delayMs(MeterLink::kPollMs);
        if (stopped())
            break;
        if (!report(link.tick(true), link, *listing, context))
            return kExitFailed;
    }
    return kExitOk;
}

} // namespace ql708::cli
