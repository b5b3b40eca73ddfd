// SPDX-License-Identifier: GPL-3.0-or-later
#include "leq/LeqRun.h"

#include "common/Clock.h"
#include "analysis/LevelStatistics.h"
#include "graph/GraphTexts.h"
#include "meter/MeterLink.h"
#include "meter/MeterLog.h"

namespace ql708::leq {

LeqRun::LeqRun(MeterLink &link) : m_link(link) {}

LeqRun::~LeqRun() { end(); }

void LeqRun::start(std::optional<int> seconds, const QString &logPath)
{
    // A new log for every run, also one started over a running one.
    m_log.close();
    if (!m_log.open(logPath))
        qCWarning(lcLeq, "no log: %s", qPrintable(m_log.error()));
    if (seconds)
        m_secondsLeft = *seconds;
    if (!m_running)
        m_link.takeOver();
    m_running = true;
    // The session stays open for the run; how it opened shows in the reads that follow.
    m_link.openSession(kTimeoutMs);
    m_table.clear();
    m_secondSamples = 0;
    m_secondSumTenths = 0;
    m_failedReads = 0;
    m_started = false;
    m_completedSeconds = 0;
    qCDebug(lcLeq, "run of %d s started", m_secondsLeft);
}

void LeqRun::end()
{
    if (!m_running)
        return;
    m_running = false;
    m_log.close();
    // The session is left open: the poll's next exchange begins with a close.
    m_link.giveBack();
    qCDebug(lcLeq, "run ended after %d s", m_completedSeconds);
}

LeqRun::Tick LeqRun::tick()
{
    if (!m_running)
        return Tick::Idle;
    // The command is the poll's status command as the shared frame holds it; a write that
    // fails leaves nothing to read.
    if (m_link.exchange({MeterCommand::Status}) != MeterLink::Exchange::Done) {
        if (++m_failedReads > kFailuresPassed) {
            qCDebug(lcLeq, "read failed, the %dth of the run: run ended", m_failedReads);
            end();
            return Tick::TooManyFailures;
        }
        qCDebug(lcLeq, "read failed (%d in the run)", m_failedReads);
        return Tick::ReadFailed;
    }
    m_reading = decodeReading(m_link.reply());
    if (!m_reading.fromMeterClock)
        m_reading.time = pcClockTime(clock().now());
    m_log.write(logTimeText(), m_reading.levelDb);
    if (!m_started) {
        m_started = true;
        m_runningLeq = m_reading.levelDb;
        openSecond();
        return Tick::FirstReading;
    }
    if (m_reading.secondsByte == m_lastSecondByte) {
        ++m_secondSamples;
        m_secondSumTenths += m_reading.levelTenths;
        return Tick::SameSecond;
    }
    completeSecond();
    openSecond();
    return Tick::SecondCompleted;
}

// The reading just taken opens a second; its own level is not part of it.
void LeqRun::openSecond()
{
    m_lastSecondByte = m_reading.secondsByte;
    m_secondTime = m_reading.time;
    m_secondSamples = 0;
    m_secondSumTenths = 0;
}

// The readings of a second share their time text: it is formatted once a second.
const QString &LeqRun::logTimeText()
{
    if (m_logTextTime != m_reading.time || m_logText.isEmpty()) {
        m_logTextTime = m_reading.time;
        m_logText = graph::timeText(m_reading.time);
    }
    return m_logText;
}

void LeqRun::completeSecond()
{
    ++m_completedSeconds;
    if (m_secondSamples > 0) {
        const float spl = float(double(m_secondSumTenths) / (double(m_secondSamples) * 10.0));
        m_runningLeq = runningLeqStep(m_runningLeq, spl, m_completedSeconds);
        m_table.append(m_secondTime, spl, m_runningLeq);
        m_lastRate = m_secondSamples;
    } else {
        // No reading of its own: the row stays without levels, the second still counts.
        m_table.append(m_secondTime, kGapLevel, kGapLevel);
    }
    m_log.flush();
    if (--m_secondsLeft < 1)
        end();
}

} // namespace ql708::leq
