// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "meter/HidLink.h"
#include "meter/TraceFormat.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace ql708 {

// How far a replay went; it outlives the replay for whoever asks afterwards.
struct ReplayProgress {
    std::size_t replayed = 0; // operations answered from the trace
    std::size_t total = 0;    // operations the trace holds
    int nextLine = 0;         // the line of the next operation to replay; 0 at the end
    bool stopped = false;     // the program departed from the trace or went past its end
};

// Plays a recorded trace back in place of the meter: each operation gets the result and the
// bytes the trace holds for it, provided the program asks for the same thing as when the
// trace was recorded (the same operation, the same frame, ids, time-outs or block). At the
// first difference, and when the program goes on past the trace's end, the replay stops: it
// tells its stop handler what happened, once, and from then on acts as a meter that is gone
// (every operation fails, reads leave the buffer as it was).
class ReplayLink : public HidLink {
public:
    // Told why the replay stopped: the trace's name and line, what it expected and what the
    // program did. A handler may throw to end the command that is running.
    using StopHandler = std::function<void(const QString &message)>;

    // name is how messages call the trace (its file name).
    ReplayLink(std::vector<TraceEntry> entries, QString name, StopHandler onStop);

    int close() override;
    int open(std::uint16_t vendorId, std::uint16_t productId) override;
    int setTimeouts(int readMs, int writeMs) override;
    int writeCommand(const CommandFrame &frame) override;
    int settle() override;
    int readReply(ReplyBuffer &reply) override;
    int writeBlock(const DataBlock &block) override;
    int serialText(QByteArray &text) override;

    std::shared_ptr<const ReplayProgress> progress() const { return m_progress; }

private:
    // The recorded entry when it asks for the same as request; null once stopped.
    const TraceEntry *replay(const TraceEntry &request);
    // The recorded result of the request, or a failure once stopped.
    int answer(const TraceEntry &request);
    void stop(const QString &message);

    std::vector<TraceEntry> m_entries;
    QString m_name;
    StopHandler m_onStop;
    std::shared_ptr<ReplayProgress> m_progress = std::make_shared<ReplayProgress>();
};

} // namespace ql708
