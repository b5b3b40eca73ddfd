// ql708-cli: the meter's live status on the terminal, from the same cores as the window program.
#include "cli/DownloadCommand.h"
#include "cli/SetsCommand.h"
#include "cli/StatusLine.h"
#include "common/Clock.h"
#include "meter/HidapiLink.h"
#include "meter/MeterLink.h"
#include "meter/sim/SimulatedMeter.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <memory>

using namespace ql708;

namespace {

constexpr int kPollMs = 500;
constexpr int kHandshakeTries = 3;

int usage(int code)
{
    std::fprintf(code ? stderr : stdout,
                 "Usage: ql708-cli status [--simulate] [--count N]\n"
                 "  Prints the meter's decoded status every 500 ms, N times (default 10).\n");
    return code;
}

bool connectMeter(MeterLink &link)
{
    for (int i = 0; i < kHandshakeTries; ++i) {
        if (i > 0)
            delayMs(kPollMs);
        if (link.tick(true).kind == PollResult::Connected)
            return true;
    }
    return false;
}

int runStatus(HidLink &hid, long long count)
{
    MeterLink link(hid);
    if (!connectMeter(link)) {
        std::fprintf(stderr, "ql708-cli: no meter answered (USB 04D9:E000). Is it plugged in and "
                             "switched on, and may this user open it?\n");
        return 1;
    }
    for (long long n = 0; n < count;) {
        delayMs(kPollMs);
        const PollResult r = link.tick(true);
        if (r.kind == PollResult::StatusRead) {
            std::printf("%s\n", qPrintable(statusLine(ql708::clock().now(), r.status)));
            std::fflush(stdout);
            ++n;
        } else if (r.kind == PollResult::Lost) {
            std::fprintf(stderr, "ql708-cli: the meter stopped answering.\n");
            return 1;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2 || args[1] == QLatin1String("--help"))
        return usage(args.size() < 2 ? 2 : 0);
    if (args[1] == QLatin1String("sets"))
        return runSetsCommand(args.mid(2));
    if (args[1] == QLatin1String("download"))
        return runDownloadCommand(args.mid(2));
    if (args[1] != QLatin1String("status"))
        return usage(2);
    bool simulate = false;
    long long count = 10;
    for (int i = 2; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--simulate")) {
            simulate = true;
        } else if (args[i] == QLatin1String("--count") && i + 1 < args.size()) {
            bool ok = false;
            count = args[++i].toLongLong(&ok);
            if (!ok || count < 1) {
                std::fprintf(stderr, "ql708-cli: --count takes a whole number of 1 or more\n");
                return 2;
            }
        } else {
            return usage(2);
        }
    }
    std::unique_ptr<HidLink> hid;
    if (simulate)
        hid = std::make_unique<SimulatedMeter>();
    else
        hid = std::make_unique<HidapiLink>();
    return runStatus(*hid, count);
}
