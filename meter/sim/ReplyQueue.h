// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "meter/Protocol.h"

#include <cstdint>
#include <deque>
#include <optional>

namespace ql708 {

// The meter's side of the link: it handles the reports the computer writes one at a time,
// each taking one frame of the link, in the order they came, and holds its replies until
// the computer reads them. Closing the device on the computer's side does not reach the
// meter, so replies wait across a close and a late one is read by the next read, whichever
// command that read follows. Times are clock ticks in milliseconds.
class ReplyQueue {
public:
    // Replies beyond this many unread ones are lost, as the meter has no room to keep them.
    static constexpr int kCapacity = 8;

    // Milliseconds the link takes per report; 0 for a link that takes no time.
    int frameMs() const { return m_frameMs; }
    void setFrameMs(int ms) { m_frameMs = ms; }

    // A report reaches the meter at tick now; returns the tick by which it is handled.
    std::int64_t accept(std::int64_t now);
    // Queues the reply to the report accepted last, readable from tick ready.
    void push(const ReplyBuffer &reply, std::int64_t ready);
    // The meter handles nothing before tick until (it is busy).
    void holdUntil(std::int64_t until);

    // The tick from which the oldest unread reply can be read; nullopt when none is queued.
    std::optional<std::int64_t> nextReadyTick() const;
    // Takes the oldest unread reply; only when one is queued.
    ReplyBuffer take();
    // Drops every unread reply.
    void clear() { m_replies.clear(); }
    // Forgets everything: replies and the meter's work in hand.
    void reset();
    // Moves every tick by delta (another clock took over).
    void shift(std::int64_t delta);

private:
    struct Pending {
        ReplyBuffer reply;
        std::int64_t ready;
    };
    std::deque<Pending> m_replies;
    std::int64_t m_busyUntil = 0;
    int m_frameMs = 0;
};

} // namespace ql708
