// SPDX-License-Identifier: GPL-3.0-or-later
#include "meter/LoggerDownload.h"

#include "meter/MeterLog.h"

namespace ql708 {

namespace {

using namespace memory_layout;

struct Transfer {
    int received = 0;
    int remaining = 0;
};

int startTransfer(MeterLink &link)
{
    using namespace download_result;
    switch (link.openSession()) {
    case MeterLink::Session::NoDevice: return kNoDevice;
    case MeterLink::Session::NoTimeouts: return kNoTimeouts;
    case MeterLink::Session::Open: break;
    }
    switch (link.exchange({MeterCommand::MemoryStart})) {
    case MeterLink::Exchange::WriteFailed: return kStartWrite;
    case MeterLink::Exchange::Done: break;
    default: return kStartRead;
    }
    const ReplyBuffer &r = link.reply();
    return r[kHeaderFirstAt] == kHeaderFirst && r[kHeaderLastAt] == kHeaderLast ? kOk : kNotMemory;
}

int readBlocks(MeterLink &link, QByteArray &image, Transfer &t, const DownloadProgress &progress)
{
    using namespace download_result;
    while (t.remaining != 0) {
        if (progress.stopRequested && progress.stopRequested())
            return kStopped;
        const MeterLink::Exchange e = link.exchange({MeterCommand::MemoryNext});
        if (e != MeterLink::Exchange::Done) {
            link.closeDevice();
            return e == MeterLink::Exchange::WriteFailed ? kBlockWrite : kBlockRead;
        }
        image.append(reinterpret_cast<const char *>(link.reply().data()), kBlockSize);
        t.received += kBlockSize;
        t.remaining -= kBlockSize;
        if (progress.advance)
            progress.advance(t.received);
    }
    return kOk;
}

} // namespace

int downloadSize(qint64 lastAddress)
{
    qint64 size = lastAddress + 1;
    if (size > kFullDownload || size < kHeaderSize)
        size = kFullDownload;
    return int((size + kBlockSize - 1) / kBlockSize * kBlockSize);
}

int ReadLoggerMemory(MeterLink &link, QByteArray &image, qint32 &lastAddress, const DownloadProgress &progress)
{
    using namespace download_result;
    image.clear();
    Transfer t;
    int result = startTransfer(link);
    if (result == kOk) {
        const ReplyBuffer &first = link.reply();
        lastAddress = qint32(first[kLastAddressAt] << 16 | first[kLastAddressAt + 1] << 8 | first[kLastAddressAt + 2]);
        const int size = downloadSize(lastAddress);
        qCDebug(lcDownload, "last address %d: %d bytes to read", lastAddress, size);
        if (progress.begin)
            progress.begin(size);
        image.reserve(size);
        image.append(reinterpret_cast<const char *>(first.data()), kBlockSize);
        t.received = kBlockSize;
        t.remaining = size - kBlockSize;
        result = readBlocks(link, image, t, progress);
    }
    if (result == kOk && link.exchange({MeterCommand::MemoryEnd, false}) != MeterLink::Exchange::Done)
        result = kEndWrite;
    if (progress.end)
        progress.end();
    if (t.received < t.remaining && result != kStopped)
        result = kBrokeOff;
    qCDebug(lcDownload, "ended with %d after %d bytes", result, t.received);
    return result;
}

void abortDownload(MeterLink &link)
{
    link.hid().settle();
    link.exchange({MeterCommand::Abort, false});
}

} // namespace ql708
