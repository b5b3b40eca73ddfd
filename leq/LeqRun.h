// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "leq/LeqLog.h"
#include "leq/LeqReading.h"
#include "leq/LeqTable.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace ql708 {
class MeterLink;
}

namespace ql708::leq {

// A timed LEQ measurement on the meter's live level: one status exchange per tick on a
// device session that stays open for the whole run, every reading logged, and the table grown
// by one row per completed second with the second's average level and the run's Leq. The
// run holds the link from start to end, so the live poll is stopped meanwhile. The window
// owns the timer that calls tick(); the work per tick does not depend on the run's length.
class LeqRun {
public:
    static constexpr int kTickMs = 40;
    static constexpr int kTimeoutMs = 100;
    // Failed reads a run passes over; the next one ends it.
    static constexpr int kFailuresPassed = 50;

    explicit LeqRun(MeterLink &link);
    ~LeqRun();
    LeqRun(const LeqRun &) = delete;
    LeqRun &operator=(const LeqRun &) = delete;

    // Starts a run afresh (also while one is going): writes the log at logPath, runs for
    // seconds (nullopt keeps the length of the previous run), takes the link over from the
    // poll and opens the session.
    void start(std::optional<int> seconds, const QString &logPath);
    // Ends the run: gives the link back and closes the log. Ending an ended run does nothing.
    void end();
    bool running() const { return m_running; }

    enum class Tick {
        Idle,            // no run
        ReadFailed,      // passed over
        TooManyFailures, // the 51st failed read: the run has ended
        FirstReading,    // the run's first good reading opened its first second
        SameSecond,      // the reading was added to the current second
        SecondCompleted, // a row was added; the run may have ended with it
    };
    Tick tick();

    const LeqTable &table() const { return m_table; }
    int secondsLeft() const { return m_secondsLeft; }
    // Leq of the run so far (dB, single precision).
    float runningLeq() const { return m_runningLeq; }
    // Readings in the second completed last that had any.
    int lastRate() const { return m_lastRate; }
    int failedReads() const { return m_failedReads; }
    // Why the log is not written (path and reason), empty while it is.
    const QString &logError() const { return m_log.error(); }

private:
    void openSecond();
    void completeSecond();
    const QString &logTimeText();

    MeterLink &m_link;
    LeqLog m_log;
    LeqTable m_table;
    LeqReading m_reading;
    bool m_running = false;
    bool m_started = false;
    std::int32_t m_secondsLeft = 0;
    std::uint8_t m_lastSecondByte = 0;
    TDateTime m_secondTime = 0.0;
    std::int32_t m_secondSamples = 0;
    std::int64_t m_secondSumTenths = 0;
    std::int32_t m_completedSeconds = 0;
    float m_runningLeq = 0.0f;
    std::int32_t m_failedReads = 0;
    int m_lastRate = 0;
    TDateTime m_logTextTime = 0.0;
    QString m_logText;
};

} // namespace ql708::leq
