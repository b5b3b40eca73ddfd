// SPDX-License-Identifier: GPL-3.0-or-later
#include "meter/sim/ReplyQueue.h"

#include <algorithm>

namespace ql708 {

std::int64_t ReplyQueue::accept(std::int64_t now)
{
    m_busyUntil = std::max(now, m_busyUntil) + m_frameMs;
    return m_busyUntil;
}

void ReplyQueue::push(const ReplyBuffer &reply, std::int64_t ready)
{
    if (int(m_replies.size()) < kCapacity)
        m_replies.push_back({reply, ready});
}

void ReplyQueue::holdUntil(std::int64_t until) { m_busyUntil = std::max(m_busyUntil, until); }

std::optional<std::int64_t> ReplyQueue::nextReadyTick() const
{
    if (m_replies.empty())
        return std::nullopt;
    return m_replies.front().ready;
}

ReplyBuffer ReplyQueue::take()
{
    const ReplyBuffer r = m_replies.front().reply;
    m_replies.pop_front();
    return r;
}

void ReplyQueue::reset()
{
    m_replies.clear();
    m_busyUntil = 0;
}

void ReplyQueue::shift(std::int64_t delta)
{
    for (Pending &p : m_replies)
        p.ready += delta;
    m_busyUntil += delta;
}

} // namespace ql708
