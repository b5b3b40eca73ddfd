// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "meter/HidLink.h"

#include <QByteArray>
#include <QList>
#include <deque>
#include <functional>

namespace ql708::test {

// A link whose replies a test scripts; it records every call so tests can check
// what was sent and in which order.
class ScriptedLink : public HidLink {
public:
    struct Call {
        char op; // 'c' close, 'o' open, 't' timeouts, 'w' write, 's' settle, 'r' read, 'b' block, 'n' serial
        CommandFrame frame{};
        int timeout = 0;
    };

    int close() override;
    int open(std::uint16_t vendorId, std::uint16_t productId) override;
    int setTimeouts(int readMs, int writeMs) override;
    int writeCommand(const CommandFrame &frame) override;
    int settle() override;
    int readReply(ReplyBuffer &reply) override;
    int writeBlock(const DataBlock &block) override;
    int serialText(QByteArray &text) override;

    // Replies handed out by readReply in order; when none is queued, replyFor answers,
    // and when that is empty the read fails.
    std::deque<ReplyBuffer> replies;
    std::function<bool(const CommandFrame &, ReplyBuffer &)> replyFor;
    // Answers like a meter: the handshake identifies it, a status command gets a framed reply
    // echoing its sequence number, which fillStatus may complete.
    void answerLikeMeter(std::function<void(const CommandFrame &, ReplyBuffer &)> fillStatus = {});

    bool devicePresent = true;
    QByteArray serial = "SN0001";

    QList<Call> calls;
    QList<CommandFrame> written() const;
    QList<DataBlock> blocks;

private:
    CommandFrame m_last{};
};

} // namespace ql708::test
