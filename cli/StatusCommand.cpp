// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/StatusCommand.h"

#include "cli/CliMeter.h"
#include "cli/StatusLine.h"
#include "common/Clock.h"

#include <csignal>
#include <limits>

namespace ql708::cli {

namespace {
constexpr qint64 kDefaultPolls = 10;

volatile std::sig_atomic_t interrupted = 0;
extern "C" void onInterrupt(int) { interrupted = 1; }

// A run that goes on until interrupted ends at Ctrl+C after the line it is on, as asked, not
// killed in the middle of one.
class EndOnInterrupt {
public:
    explicit EndOnInterrupt(bool wanted) : m_wanted(wanted)
    {
        interrupted = 0;
        if (m_wanted)
            m_previous = std::signal(SIGINT, onInterrupt);
    }
    ~EndOnInterrupt()
    {
        if (m_wanted)
            std::signal(SIGINT, m_previous);
    }
    bool asked() const { return interrupted != 0; }

private:
    bool m_wanted;
    void (*m_previous)(int) = SIG_DFL;
};

// Prints what one poll brought; false when the meter is gone or the output cannot be written.
bool report(const PollResult &r, const MeterLink &link, CliContext &c)
{
    switch (r.kind) {
    case PollResult::StatusRead:
        c.out << statusLine(clock().now(), r.status) << '\n';
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
} // namespace

int runStatus(CliArgs &args, CliContext &context)
{
    const bool simulate = args.flag(QStringLiteral("--simulate"));
    const qint64 polls = args.number(QStringLiteral("--count"), 0, std::numeric_limits<qint64>::max())
                             .value_or(kDefaultPolls);
    if (!args.finish())
        return kExitUsage;

    MeterConnection meter(context, simulate);
    if (!meter.connect(context.err))
        return kExitFailed;
    MeterLink &link = meter.link;
    const EndOnInterrupt interrupt(polls == 0);
    for (qint64 n = 0; (polls == 0 || n < polls) && !interrupt.asked(); ++n) {
        delayMs(MeterLink::kPollMs);
        if (interrupt.asked())
            break;
        if (!report(link.tick(true), link, context))
            return kExitFailed;
    }
    return kExitOk;
}

} // namespace ql708::cli
