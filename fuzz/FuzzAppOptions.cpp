// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry for ql708's command line: the input is the words after the program's name,
// one per line. The options are read as the program reads them and, when they hold no fault,
// the trace options prepare the link (a '/' in a word becomes '_', so every file lies in a
// folder of the target's own that holds a trace t.txt) and a few polls go through it to the
// simulated meter or the replayed trace.
#include "app/AppOptions.h"
#include "fuzz/FuzzSupport.h"
#include "meter/MeterLink.h"
#include "meter/sim/SimulatedMeter.h"

#include <cstdint>
#include <memory>

using namespace ql708;

namespace {

const QList<std::pair<QString, QByteArray>> kFixtures = {
    {QStringLiteral("t.txt"), QByteArray("# ql708 trace 1\n"
                                         "0 close 0\n"
                                         "0 open 0 04d9 e000\n"
                                         "0 timeouts 0 1000 1000\n"
                                         "0 write 0 02 4b 00 00 00 00 03\n"
                                         "0 settle 0\n")},
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz::useStepClock();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const fuzz::ScratchFolder folder(kFixtures);
    const AppOptions options = AppOptions::parse(QStringList{QStringLiteral("ql708")} + fuzz::wordsOf(data, size));
    if (!options.error.isEmpty() || options.showHelp || options.showVersion)
        return 0;
    LinkSession session;
    if (!session.prepare(options.trace))
        return 0;
    const std::unique_ptr<HidLink> hid = session.link([] { return std::make_unique<SimulatedMeter>(); },
                                                      QStringLiteral("fuzz"), [](const QString &) {});
    MeterLink link(*hid);
    for (int i = 0; i < 3; ++i)
        link.tick(true);
    return 0;
}
