// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/FaultyLink.h"

namespace ql708::test {

namespace {
bool inRun(int n, int from, int count) { return from > 0 && n >= from && n < from + count; }
} // namespace

int FaultyLink::open(std::uint16_t vendorId, std::uint16_t productId)
{
    ++opens;
    if (failAllOpens || opens == failOpenAt)
        return 1;
    return m_inner.open(vendorId, productId);
}

int FaultyLink::setTimeouts(int readMs, int writeMs)
{
    ++timeoutCalls;
    if (timeoutCalls == failTimeoutsAt)
        return 1;
    return m_inner.setTimeouts(readMs, writeMs);
}

int FaultyLink::writeCommand(const CommandFrame &frame)
{
    ++writes;
    frames.append(frame);
    if (failAllWrites || inRun(writes, failWriteAt, failWriteCount))
        return 1;
    return m_inner.writeCommand(frame);
}

int FaultyLink::readReply(ReplyBuffer &reply)
{
    ++reads;
    if (failAllReads || inRun(reads, failReadAt, failReadCount))
        return 1;
    if (answerOnly >= 0 && reads > answerOnly)
        return 1;
    const int rc = m_inner.readReply(reply);
    if (rc == 0 && corruptFraming) {
        reply[0] = 0x00;
        reply[31] = 0x00;
    }
    return rc;
}

int FaultyLink::writeBlock(const DataBlock &block)
{
    ++blocks;
    if (blocks == failBlockAt)
        return 1;
    return m_inner.writeBlock(block);
}

int FaultyLink::serialText(QByteArray &text)
{
    if (failSerial)
        return 1;
    if (serial.isEmpty())
        return m_inner.serialText(text);
    text = serial;
    return 0;
}

} // namespace ql708::test
