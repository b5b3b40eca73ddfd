// SPDX-License-Identifier: GPL-3.0-or-later
#include "meter/ReplayLink.h"

#include "meter/MeterLog.h"

#include <algorithm>

namespace ql708 {

namespace {

// What a stopped replay answers: the meter is gone.
constexpr int kGone = -1;

TraceEntry request(TraceEntry::Op op, int first = 0, int second = 0, const std::uint8_t *data = nullptr,
                   int size = 0)
{
    TraceEntry e;
    e.op = op;
    e.first = first;
    e.second = second;
    if (data)
        e.setBytes(data, size);
    return e;
}

// Carets under the characters in which two lines differ.
QString differences(const QString &a, const QString &b)
{
    QString marks(std::max(a.size(), b.size()), QLatin1Char(' '));
    for (qsizetype i = 0; i < marks.size(); ++i)
        if (i >= a.size() || i >= b.size() || a[i] != b[i])
            marks[i] = QLatin1Char('^');
    while (marks.endsWith(QLatin1Char(' ')))
        marks.chop(1);
    return marks;
}

} // namespace

ReplayLink::ReplayLink(std::vector<TraceEntry> entries, QString name, StopHandler onStop)
    : m_entries(std::move(entries)), m_name(std::move(name)), m_onStop(std::move(onStop))
{
    m_progress->total = m_entries.size();
    m_progress->nextLine = m_entries.empty() ? 0 : m_entries.front().line;
}

void ReplayLink::stop(const QString &message)
{
    m_progress->stopped = true;
    qCDebug(lcLink, "replay stopped: %s", qPrintable(message));
    if (m_onStop)
        m_onStop(message);
}

const TraceEntry *ReplayLink::replay(const TraceEntry &asked)
{
    ReplayProgress &p = *m_progress;
    if (p.stopped)
        return nullptr;
    const QString actual = traceRequest(asked);
    if (p.replayed >= m_entries.size()) {
        const int last = m_entries.empty() ? 0 : m_entries.back().line;
        stop(QStringLiteral("%1: the trace ends after line %2, but the program went on\n"
                            "  expected: the end of the trace\n"
                            "  actual:   %3")
                 .arg(m_name)
                 .arg(last)
                 .arg(actual));
        return nullptr;
    }
    const TraceEntry &recorded = m_entries[p.replayed];
    if (!sameRequest(recorded, asked)) {
        const QString expected = traceRequest(recorded);
        QString message = QStringLiteral("%1 line %2: the program departs from the trace\n"
                                         "  expected: %3\n"
                                         "  actual:   %4")
                              .arg(m_name)
                              .arg(recorded.line)
                              .arg(expected, actual);
        if (const QString marks = differences(expected, actual); recorded.op == asked.op && !marks.isEmpty())
            message += QStringLiteral("\n            ") + marks;
        stop(message);
        return nullptr;
    }
    ++p.replayed;
    p.nextLine = p.replayed < m_entries.size() ? m_entries[p.replayed].line : 0;
    return &recorded;
}

int ReplayLink::answer(const TraceEntry &asked)
{
    const TraceEntry *e = replay(asked);
    return e ? e->result : kGone;
}

int ReplayLink::close()
{
    return answer(request(TraceEntry::Close));
}

int ReplayLink::open(std::uint16_t vendorId, std::uint16_t productId)
{
    return answer(request(TraceEntry::Open, vendorId, productId));
}

int ReplayLink::setTimeouts(int readMs, int writeMs)
{
    return answer(request(TraceEntry::Timeouts, readMs, writeMs));
}

int ReplayLink::writeCommand(const CommandFrame &frame)
{
    return answer(request(TraceEntry::Write, 0, 0, frame.data(), int(frame.size())));
}

int ReplayLink::settle()
{
    return answer(request(TraceEntry::Settle));
}

int ReplayLink::readReply(ReplyBuffer &reply)
{
    const TraceEntry *e = replay(request(TraceEntry::Read));
    if (!e)
        return kGone;
    std::copy_n(e->bytes.begin(), reply.size(), reply.begin()); // a read entry holds all 32
    return e->result;
}

int ReplayLink::writeBlock(const DataBlock &block)
{
    return answer(request(TraceEntry::Block, 0, 0, block.data(), int(block.size())));
}

int ReplayLink::serialText(QByteArray &text)
{
    const TraceEntry *e = replay(request(TraceEntry::Serial));
    if (!e)
        return kGone;
    text = QByteArray(reinterpret_cast<const char *>(e->bytes.data()), e->size);
    return e->result;
}

} // namespace ql708
