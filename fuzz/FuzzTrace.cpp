// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer entry for the trace reader (--replay FILE): a trace that reads must write back line
// for line to entries that read the same, and replay to a program that asks what it recorded.
#include "meter/ReplayLink.h"
#include "meter/TraceFormat.h"

#include <QBuffer>

#include <cstdint>

using namespace ql708;

namespace {

bool read(const QByteArray &text, std::vector<TraceEntry> &entries)
{
    QBuffer in;
    in.setData(text);
    in.open(QIODevice::ReadOnly);
    QString error;
    const bool ok = readTrace(in, entries, error);
    if (!ok && !error.startsWith(QLatin1String("line ")) && !error.startsWith(QLatin1String("the file is empty")))
        __builtin_trap();
    return ok;
}

bool same(const TraceEntry &a, const TraceEntry &b)
{
    return a.ms == b.ms && a.op == b.op && a.result == b.result && a.first == b.first && a.second == b.second &&
           a.size == b.size && a.bytes == b.bytes;
}

// Asks the replay for each recorded operation in turn, as the program that recorded it did.
void replay(const std::vector<TraceEntry> &entries)
{
    bool stopped = false;
    ReplayLink link(entries, QStringLiteral("fuzzed"), [&stopped](const QString &) { stopped = true; });
    for (const TraceEntry &e : entries) {
        CommandFrame frame{};
        DataBlock block{};
        ReplyBuffer reply{};
        QByteArray serial;
        std::copy_n(e.bytes.begin(), frame.size(), frame.begin());
        std::copy_n(e.bytes.begin(), block.size(), block.begin());
        int result = 0;
        switch (e.op) {
        case TraceEntry::Close: result = link.close(); break;
        case TraceEntry::Open: result = link.open(std::uint16_t(e.first), std::uint16_t(e.second)); break;
        case TraceEntry::Timeouts: result = link.setTimeouts(e.first, e.second); break;
        case TraceEntry::Write: result = link.writeCommand(frame); break;
        case TraceEntry::Settle: result = link.settle(); break;
        case TraceEntry::Read: result = link.readReply(reply); break;
        case TraceEntry::Block: result = link.writeBlock(block); break;
        case TraceEntry::Serial: result = link.serialText(serial); break;
        }
        if (stopped || result != e.result)
            __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::vector<TraceEntry> entries;
    if (!read(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), entries))
        return 0;
    QByteArray again = QByteArray(kTraceHeading) + '\n';
    for (const TraceEntry &e : entries)
        again += traceLine(e);
    std::vector<TraceEntry> reread;
    if (!read(again, reread) || reread.size() != entries.size())
        __builtin_trap();
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (!same(entries[i], reread[i]) || !sameRequest(entries[i], reread[i]))
            __builtin_trap();
    replay(entries);
    return 0;
}
