// SPDX-License-Identifier: GPL-3.0-or-later
#include "meter/TracingLink.h"

#include "common/Clock.h"
#include "meter/MeterLog.h"

#include <QFileDevice>
#include <QIODevice>

namespace ql708 {

TracingLink::TracingLink(HidLink &inner, QIODevice &out, const QString &origin)
    : m_inner(inner), m_out(out), m_startTick(clock().tickMs())
{
    write(QByteArray(kTraceHeading) + "\n# " + origin.toUtf8() + ", started " +
          clock().now().toString(Qt::ISODate).toLatin1() + '\n');
}

TracingLink::TracingLink(std::unique_ptr<HidLink> inner, std::unique_ptr<QIODevice> out, const QString &origin)
    : TracingLink(*inner, *out, origin)
{
    m_ownedInner = std::move(inner);
    m_ownedOut = std::move(out);
}

TracingLink::~TracingLink() = default;

void TracingLink::write(const QByteArray &text)
{
    if (m_out.write(text) == text.size())
        return;
    if (!m_writeFailed) { // once: the session goes on without its trace
        const auto *file = qobject_cast<QFileDevice *>(&m_out);
        qCWarning(lcLink, "the trace %s cannot be written: %s", file ? qPrintable(file->fileName()) : "",
                  qPrintable(m_out.errorString()));
    }
    m_writeFailed = true;
}

int TracingLink::record(TraceEntry::Op op, int result, int first, int second, const std::uint8_t *data, int size)
{
    TraceEntry e;
    e.ms = clock().tickMs() - m_startTick;
    e.op = op;
    e.result = result;
    e.first = first;
    e.second = second;
    if (data)
        e.setBytes(data, size);
    write(traceLine(e));
    return result;
}

int TracingLink::close() { return record(TraceEntry::Close, m_inner.close()); }

int TracingLink::open(std::uint16_t vendorId, std::uint16_t productId)
{
    return record(TraceEntry::Open, m_inner.open(vendorId, productId), vendorId, productId);
}

int TracingLink::setTimeouts(int readMs, int writeMs)
{
    return record(TraceEntry::Timeouts, m_inner.setTimeouts(readMs, writeMs), readMs, writeMs);
}

int TracingLink::writeCommand(const CommandFrame &frame)
{
    return record(TraceEntry::Write, m_inner.writeCommand(frame), 0, 0, frame.data(), int(frame.size()));
}

int TracingLink::settle() { return record(TraceEntry::Settle, m_inner.settle()); }

int TracingLink::readReply(ReplyBuffer &reply)
{
    // The buffer as the read left it, whatever the result: a replay hands back the same.
    return record(TraceEntry::Read, m_inner.readReply(reply), 0, 0, reply.data(), int(reply.size()));
}

int TracingLink::writeBlock(const DataBlock &block)
{
    return record(TraceEntry::Block, m_inner.writeBlock(block), 0, 0, block.data(), int(block.size()));
}

int TracingLink::serialText(QByteArray &text)
{
    const int result = m_inner.serialText(text);
    return record(TraceEntry::Serial, result, 0, 0, reinterpret_cast<const std::uint8_t *>(text.constData()),
                  int(std::min<qsizetype>(text.size(), TraceEntry::kMaxSerialText)));
}

} // namespace ql708
