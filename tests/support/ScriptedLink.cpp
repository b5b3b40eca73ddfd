// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/ScriptedLink.h"

namespace ql708::test {

int ScriptedLink::close()
{
    calls.append(Call{'c'});
    return 0;
}

int ScriptedLink::open(std::uint16_t, std::uint16_t)
{
    calls.append(Call{'o'});
    return devicePresent ? 0 : 1;
}

int ScriptedLink::setTimeouts(int readMs, int)
{
    calls.append(Call{'t', {}, readMs});
    return 0;
}

int ScriptedLink::writeCommand(const CommandFrame &frame)
{
    calls.append(Call{'w', frame});
    m_last = frame;
    return 0;
}

int ScriptedLink::settle()
{
    calls.append(Call{'s'});
    return 0;
}

int ScriptedLink::readReply(ReplyBuffer &reply)
{
    calls.append(Call{'r'});
    if (!replies.empty()) {
        reply = replies.front();
        replies.pop_front();
        return 0;
    }
    if (replyFor && replyFor(m_last, reply))
        return 0;
    return 1;
}

int ScriptedLink::writeBlock(const DataBlock &block)
{
    calls.append(Call{'b'});
    blocks.append(block);
    return 0;
}

int ScriptedLink::serialText(QByteArray &text)
{
    calls.append(Call{'n'});
    text = serial;
    return 0;
}

void ScriptedLink::answerLikeMeter(std::function<void(const CommandFrame &, ReplyBuffer &)> fillStatus)
{
    replyFor = [fillStatus](const CommandFrame &f, ReplyBuffer &r) {
        r.fill(0);
        r[0] = kStx;
        r[31] = kEtx;
        if (f[1] == 'K') {
            r[23] = '6', r[24] = '1', r[25] = '7';
            return true;
        }
        r[30] = f[5];
        if (fillStatus)
            fillStatus(f, r);
        return true;
    };
}

QList<CommandFrame> ScriptedLink::written() const
{
    QList<CommandFrame> out;
    for (const Call &c : calls)
        if (c.op == 'w')
            out.append(c.frame);
    return out;
}

} // namespace ql708::test
