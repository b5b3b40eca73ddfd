// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/DownloadCommand.h"

#include "cli/CliMeter.h"
#include "cli/SetsCommand.h"
#include "cli/StopSignals.h"
#include "common/Printable.h"
#include "data/CollectionFile.h"
#include "data/MemoryImage.h"
#include "meter/LoggerDownload.h"

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace ql708::cli {

namespace {

constexpr int kBarWidth = 40;
constexpr int kPlainSteps = 10;

// A bar redrawn in place on a terminal; elsewhere a line at every tenth of the transfer.
DownloadProgress progressOn(QTextStream &err)
{
    struct State {
        int total = 0;
        int shownStep = -1;
    };
    auto state = std::make_shared<State>();
    const bool terminal = isatty(fileno(stderr));
    DownloadProgress p;
    p.begin = [state](int total) { state->total = total; };
    p.advance = [state, terminal, &err](int received) {
        if (terminal) {
            const int filled = int(qint64(received) * kBarWidth / state->total);
            err << "\r[" << QString(filled, QLatin1Char('#')) << QString(kBarWidth - filled, QLatin1Char(' ')) << "] "
                << received << '/' << state->total << " bytes";
        } else {
            const int step = int(qint64(received) * kPlainSteps / state->total);
            if (step == state->shownStep)
                return;
            state->shownStep = step;
            err << "received " << received << " of " << state->total << " bytes\n";
        }
        err.flush();
    };
    p.end = [state, terminal, &err] {
        if (terminal && state->total > 0)
            err << '\n';
        err.flush();
    };
    return p;
}

int fail(QTextStream &err, const QString &message, int status = kExitFailed)
{
    err << "ql708-cli: " << message << '\n';
    return status;
}

// Ctrl+C or SIGTERM during the transfer: the meter is told to end it, so that it does not stay
// inside it, and the output file is left as it was.
int stopped(MeterLink &link, const StopSignals &stop, QTextStream &err, const QString &path)
{
    abortDownload(link);
    const QString kept = isStandardOutput(path) ? QString() : QStringLiteral("; %1 is left as it was").arg(printable(path));
    return fail(err, QStringLiteral("download interrupted: the meter was told to end the transfer%1").arg(kept),
                stop.exitStatus());
}

int writeImage(const QString &path, const QByteArray &image, CliContext &context)
{
    QString error;
    const bool written = isStandardOutput(path) ? writeStandardOutput(context, data::collectionBytes(image).toByteArray(), error)
                                                : data::writeCollection(path, image, &error);
    if (!written)
        return fail(context.err, QStringLiteral("cannot write %1: %2").arg(printable(path), error));
    return kExitOk;
}

} // namespace

int runDownload(CliArgs &args, CliContext &context)
{
    const bool simulate = args.flag(QStringLiteral("--simulate"));
    const std::optional<QString> path = args.requiredValue(QStringLiteral("-o"), QStringLiteral("FILE.rec"));
    if (!args.finish())
        return kExitUsage;

    const StopSignals stop;
    MeterConnection meter(context, simulate);
    if (!meter.connect(context.err))
        return kExitFailed;
    MeterLink &link = meter.link;
    if (!meterIdle(link, context.err,
                   QStringLiteral("The meter is recording data, please stop recording before loading data.")))
        return kExitFailed;

    QByteArray image;
    qint32 lastAddress = -1;
    DownloadProgress progress = progressOn(context.err);
    progress.stopRequested = [&stop] { return stop.requested(); };
    const int code = ReadLoggerMemory(link, image, lastAddress, progress);
    if (code == download_result::kStopped || stop.requested())
        return stopped(link, stop, context.err, *path);
    if (code != download_result::kOk) {
        abortDownload(link);
        return fail(context.err, QStringLiteral("the download failed, error code=%1").arg(code));
    }
    data::DataSetList sets;
    const int result = data::ParseMemoryImage(image, lastAddress, sets);
    if (result == data::parse_result::kNoSets)
        return fail(context.err, QStringLiteral("there are no data sets in the meter's memory."), kExitNoDataSets);
    if (!data::parse_result::accepted(result, sets)) {
        abortDownload(link);
        return fail(context.err, QStringLiteral("the memory holds no readable data sets, error code=%1").arg(result),
                    kExitNoDataSets);
    }
    if (const int status = writeImage(*path, image, context); status != kExitOk || isStandardOutput(*path))
        return status;
    context.out << printable(*path) << ": " << sets.count() << " data sets, " << lastAddress + 1 << " bytes, result " << result
                << '\n';
    return kExitOk;
}

} // namespace ql708::cli
