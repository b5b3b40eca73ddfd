#include "cli/DownloadCommand.h"

#include "common/Clock.h"
#include "data/CollectionFile.h"
#include "data/MemoryImage.h"
#include "meter/HidapiLink.h"
#include "meter/LoggerDownload.h"
#include "meter/MeterLink.h"
#include "meter/sim/SimulatedMeter.h"

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace ql708 {

namespace {

constexpr int kPollMs = 500;
constexpr int kHandshakeTries = 3;
constexpr int kBarWidth = 40;
constexpr int kPlainSteps = 10;

int usage()
{
    std::fprintf(stderr, "Usage: ql708-cli download [--simulate] -o FILE.rec\n"
                         "  Reads the meter's logger memory and writes it as a data set collection file.\n");
    return 2;
}

// The handshake, then one status to learn whether the meter records.
bool connectMeter(MeterLink &link)
{
    for (int i = 0; i < kHandshakeTries; ++i) {
        if (i > 0)
            delayMs(kPollMs);
        if (link.tick(true).kind == PollResult::Connected)
            return link.tick(true).kind == PollResult::StatusRead;
    }
    return false;
}

DownloadProgress terminalProgress()
{
    auto total = std::make_shared<int>(0);
    auto shownStep = std::make_shared<int>(-1);
    const bool terminal = isatty(fileno(stderr));
    DownloadProgress p;
    p.begin = [total](int bytes) { *total = bytes; };
    p.advance = [=](int received) {
        if (terminal) {
            const int filled = int(qint64(received) * kBarWidth / *total);
            std::fprintf(stderr, "\r[%s%s] %d/%d bytes", QByteArray(filled, '#').constData(),
                         QByteArray(kBarWidth - filled, ' ').constData(), received, *total);
            return;
        }
        const int step = int(qint64(received) * kPlainSteps / *total);
        if (step != *shownStep) {
            *shownStep = step;
            std::fprintf(stderr, "received %d of %d bytes\n", received, *total);
        }
    };
    p.end = [terminal, total] {
        if (terminal && *total > 0)
            std::fprintf(stderr, "\n");
    };
    return p;
}

int download(HidLink &hid, const QString &path)
{
    MeterLink link(hid);
    if (!connectMeter(link)) {
        std::fprintf(stderr, "ql708-cli: no meter answered (USB 04D9:E000).\n");
        return 1;
    }
    if (link.meterRecording()) {
        std::fprintf(stderr, "ql708-cli: The meter is recording data, please stop recording before loading data.\n");
        return 1;
    }
    QByteArray image;
    qint32 lastAddress = -1;
    const int code = ReadLoggerMemory(link, image, lastAddress, terminalProgress());
    if (code != download_result::kOk) {
        abortDownload(link);
        std::fprintf(stderr, "ql708-cli: the download failed, error code=%d\n", code);
        return 1;
    }
    data::DataSetList sets;
    const int result = data::ParseMemoryImage(image, lastAddress, sets);
    if (result == data::parse_result::kNoSets) {
        std::fprintf(stderr, "ql708-cli: there are no data sets in the meter's memory.\n");
        return 3;
    }
    if (!data::parse_result::accepted(result)) {
        abortDownload(link);
        std::fprintf(stderr, "ql708-cli: the memory holds no readable data sets, error code=%d\n", result);
        return 3;
    }
    QString error;
    if (!data::writeCollection(path, image, &error)) {
        std::fprintf(stderr, "ql708-cli: cannot write %s: %s\n", qPrintable(path), qPrintable(error));
        return 1;
    }
    std::printf("%s: %d data sets, %d bytes, result %d\n", qPrintable(path), sets.count(), lastAddress + 1, result);
    return 0;
}

} // namespace

int runDownloadCommand(const QStringList &args)
{
    bool simulate = false;
    QString path;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--simulate"))
            simulate = true;
        else if (args[i] == QLatin1String("-o") && i + 1 < args.size())
            path = args[++i];
        else
            return usage();
    }
    if (path.isEmpty())
        return usage();
    std::unique_ptr<HidLink> hid;
    if (simulate)
        hid = std::make_unique<SimulatedMeter>();
    else
        hid = std::make_unique<HidapiLink>();
    return download(*hid, path);
}

} // namespace ql708
