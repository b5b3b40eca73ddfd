// SPDX-License-Identifier: GPL-3.0-or-later
#include "meter/LinkSession.h"

#include "meter/TracingLink.h"

#include <QFile>

#include <filesystem>

namespace ql708 {

LinkSession::LinkSession() = default;
LinkSession::~LinkSession() = default;

namespace {

// Whether two names reach one file (through links or other spellings); false when either is
// missing.
bool sameFile(const QString &a, const QString &b)
{
    std::error_code error;
    return std::filesystem::equivalent(QFile::encodeName(a).toStdString(), QFile::encodeName(b).toStdString(), error) &&
           !error;
}

} // namespace

bool LinkSession::prepare(const TraceOptions &options)
{
    m_options = options;
    if (!options.replayFile.isEmpty() && !options.traceFile.isEmpty() && sameFile(options.replayFile, options.traceFile)) {
        m_error = QStringLiteral("--trace %1 would write over the trace --replay plays back; name another file")
                      .arg(options.traceFile);
        return false;
    }
    if (!options.replayFile.isEmpty()) {
        QFile in(options.replayFile);
        if (!in.open(QIODevice::ReadOnly)) {
            m_error = QStringLiteral("cannot read the trace %1: %2").arg(options.replayFile, in.errorString());
            return false;
        }
        QString fault;
        if (!readTrace(in, m_entries, fault)) {
            m_error = QStringLiteral("%1 %2").arg(options.replayFile, fault);
            return false;
        }
    }
    if (!options.traceFile.isEmpty()) {
        m_trace = std::make_unique<QFile>(options.traceFile);
        // Unbuffered: each line reaches the file as soon as its operation returns.
        if (!m_trace->open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered)) {
            m_error = QStringLiteral("cannot write the trace %1: %2").arg(options.traceFile, m_trace->errorString());
            m_trace.reset();
            return false;
        }
    }
    return true;
}

std::unique_ptr<HidLink> LinkSession::link(const std::function<std::unique_ptr<HidLink>()> &makeMeter,
                                           const QString &origin, ReplayLink::StopHandler onStop)
{
    std::unique_ptr<HidLink> link;
    if (replaying()) {
        auto replay = std::make_unique<ReplayLink>(std::move(m_entries), m_options.replayFile, std::move(onStop));
        m_replay = replay->progress();
        link = std::move(replay);
    } else {
        link = makeMeter();
    }
    if (m_trace)
        link = std::make_unique<TracingLink>(std::move(link), std::move(m_trace), origin);
    return link;
}

} // namespace ql708
