// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry for ql708-cli's command line: the input is the words after the program's
// name, one per line. Every command runs as typed, in a folder of its own that holds a
// collection file a.rec, a graph file a.ghf and a trace t.txt, and two damaged files, far.ghf
// and esc.rec (see makeFixtures; a '/' in a word becomes '_', so
// no file outside it is touched), against the simulated meter on a clock that runs only while
// the program waits. The meter goes after a few hundred operations, which ends any run that
// polls until interrupted. The monitor is left out: it ends only on a signal, and its --mqtt would
// reach for any host the words name. Whatever the words, the exit status is one the usage names, and
// nothing written to the terminal holds an escape or a bell.
#include "chart/ChartState.h"
#include "common/DateTime.h"
#include "cli/CliMain.h"
#include "cli/SetsCommand.h"
#include "fuzz/FuzzSupport.h"
#include "meter/sim/SimulatedMeter.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>

#include <cstdint>
#include <memory>

using namespace ql708;
using namespace ql708::cli;

namespace {

// The simulated meter, gone after a number of operations.
class ShortLivedMeter : public SimulatedMeter {
public:
    int close() override { return alive() ? SimulatedMeter::close() : 1; }
    int open(std::uint16_t v, std::uint16_t p) override { return alive() ? SimulatedMeter::open(v, p) : 1; }
    int setTimeouts(int r, int w) override { return alive() ? SimulatedMeter::setTimeouts(r, w) : 1; }
    int writeCommand(const CommandFrame &f) override { return alive() ? SimulatedMeter::writeCommand(f) : 1; }
    int settle() override { return alive() ? SimulatedMeter::settle() : 1; }
    int readReply(ReplyBuffer &r) override { return alive() ? SimulatedMeter::readReply(r) : 1; }
    int writeBlock(const DataBlock &b) override { return alive() ? SimulatedMeter::writeBlock(b) : 1; }
    int serialText(QByteArray &t) override { return alive() ? SimulatedMeter::serialText(t) : 1; }

private:
    bool alive() { return ++m_operations <= kLife; }
    static constexpr int kLife = 400;
    int m_operations = 0;
};

struct Run {
    int status = 0;
    QByteArray out, err;
};

Run run(const QStringList &words)
{
    QBuffer outBuffer, errBuffer;
    outBuffer.open(QIODevice::WriteOnly);
    errBuffer.open(QIODevice::WriteOnly);
    Run r;
    {
        QTextStream out(&outBuffer), err(&errBuffer);
        CliContext context{out, err, [](bool) { return std::make_unique<ShortLivedMeter>(); }};
        r.status = runCli(words, context);
    }
    r.out = outBuffer.data();
    r.err = errBuffer.data();
    return r;
}

QByteArray fileBytes(const QString &name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QList<std::pair<QString, QByteArray>> &fixtures()
{
    static QList<std::pair<QString, QByteArray>> files;
    return files;
}

void makeFixtures()
{
    run({QStringLiteral("download"), QStringLiteral("--simulate"), QStringLiteral("-o"), QStringLiteral("a.rec")});
    run({QStringLiteral("status"), QStringLiteral("--simulate"), QStringLiteral("--count"), QStringLiteral("2"),
         QStringLiteral("--trace"), QStringLiteral("t.txt")});
    chart::ChartModel chart;
    chart.setSubsets(2);
    chart.setPoints(3);
    for (int p = 0; p < 3; ++p)
        for (int s = 0; s < 2; ++s)
            chart.setX(s, p, 45000.0 + p * ql708::kSecond), chart.setY(s, p, 60.0f + float(p + s));
    chart::saveChartModelFile(chart, QStringLiteral("a.ghf"), nullptr);
    // A graph file from elsewhere with a time far beyond the calendar, and a collection whose
    // first set names its recording with terminal escapes.
    chart.setX(0, 1, 2.1e144);
    chart::saveChartModelFile(chart, QStringLiteral("far.ghf"), nullptr);
    QByteArray escapes = fileBytes(QStringLiteral("a.rec"));
    escapes.replace(256 + 15, 8, QByteArray("\x1b[2J\x1b]0\x07"));
    QFile esc(QStringLiteral("esc.rec"));
    if (esc.open(QIODevice::WriteOnly))
        esc.write(escapes);
    esc.close();
    for (const char *name : {"a.rec", "t.txt", "a.ghf", "far.ghf", "esc.rec"})
        fixtures().append({QString::fromLatin1(name), fileBytes(QString::fromLatin1(name))});
}

bool holdsControls(const QByteArray &text) { return text.contains('\x1b') || text.contains('\x07'); }

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);
    fuzz::useStepClock();
    const fuzz::ScratchFolder folder;
    makeFixtures();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QStringList words = fuzz::wordsOf(data, size);
    if (words.contains(QStringLiteral("monitor")))
        return 0;
    const fuzz::ScratchFolder folder(fixtures());
    const Run r = run(words);
    if ((r.status != kExitOk && r.status != kExitFailed && r.status != kExitUsage && r.status != kExitNoDataSets) ||
        holdsControls(r.out) || holdsControls(r.err))
        __builtin_trap();
    return 0;
}
