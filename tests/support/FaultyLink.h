// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "meter/HidLink.h"

#include <QList>

namespace ql708::test {

// Wraps a working link and injects faults: fail the n-th open, write or read (1-based,
// counted from construction or the last reset), fail every one of them, corrupt the
// framing of replies, or stop answering after k good replies.
class FaultyLink : public HidLink {
public:
    explicit FaultyLink(HidLink &inner) : m_inner(inner) {}

    int close() override { return m_inner.close(); }
    int open(std::uint16_t vendorId, std::uint16_t productId) override;
    int setTimeouts(int readMs, int writeMs) override;
    int writeCommand(const CommandFrame &frame) override;
    int settle() override { return m_inner.settle(); }
    int readReply(ReplyBuffer &reply) override;
    int writeBlock(const DataBlock &block) override;
    int serialText(QByteArray &text) override;

    int failOpenAt = 0, failTimeoutsAt = 0, failWriteAt = 0, failReadAt = 0, failBlockAt = 0;
    // How many writes and reads in a row fail from failWriteAt and failReadAt on.
    int failWriteCount = 1, failReadCount = 1;
    bool failSerial = false;
    QByteArray serial; // when not empty, the serial text the meter gives in place of its own
    bool failAllOpens = false, failAllWrites = false, failAllReads = false;
    bool corruptFraming = false;  // replies come back without 0x02 / 0x03
    int answerOnly = -1;          // after this many good replies, every read fails

    int opens = 0, timeoutCalls = 0, writes = 0, reads = 0, blocks = 0;
    QList<CommandFrame> frames; // every frame the program tried to write, in order

private:
    HidLink &m_inner;
};

} // namespace ql708::test
