// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "meter/HidLink.h"
#include "meter/ReplayLink.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QFile;

namespace ql708 {

// The options --trace FILE and --replay FILE, which both programs take.
struct TraceOptions {
    QString traceFile;  // record every operation of the link into this file
    QString replayFile; // play this trace back in place of the meter
};

// The link of one session of a program, as its options ask: the meter, or a recorded trace
// played back in its place, recorded into a trace when one is to be written.
class LinkSession {
public:
    LinkSession();
    ~LinkSession();

    // Reads the trace to replay and creates the trace to write, so that a missing or garbled
    // file is reported before anything is sent. False with error() set on a fault.
    bool prepare(const TraceOptions &options);
    const QString &error() const { return m_error; }
    bool replaying() const { return !m_options.replayFile.isEmpty(); }

    // The link to talk through, once prepared: the replay, or the meter makeMeter gives (not
    // called when replaying), wrapped so every operation is written to the trace when one is
    // asked for; origin names the program in the trace's heading. Call once.
    std::unique_ptr<HidLink> link(const std::function<std::unique_ptr<HidLink>()> &makeMeter,
                                  const QString &origin, ReplayLink::StopHandler onStop);
    // How far the replay went, also once the link is gone; null when not replaying.
    const ReplayProgress *replay() const { return m_replay.get(); }

private:
    TraceOptions m_options;
    std::vector<TraceEntry> m_entries;
    std::unique_ptr<QFile> m_trace;
    std::shared_ptr<const ReplayProgress> m_replay;
    QString m_error;
};

} // namespace ql708
