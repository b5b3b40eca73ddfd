// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/AppendLog.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ql708::monitor {

namespace {
// How far back from the end a torn line is looked for; a longer one is no line of ours.
constexpr qint64 kTail = 64 * 1024;
QString systemError(int e) { return QString::fromLocal8Bit(std::strerror(e)); }
} // namespace

AppendLog::AppendLog(QString path, QByteArray heading) : m_path(std::move(path)), m_heading(std::move(heading)) {}

AppendLog::~AppendLog()
{
    sync();
    if (m_fd >= 0)
        ::close(m_fd);
}

bool AppendLog::open()
{
    if (m_fd >= 0)
        return true;
    if (!openFile())
        return false;
    repairTail();
    struct stat st {};
    if (::fstat(m_fd, &st) == 0 && st.st_size == 0)
        m_pending.prepend(m_heading + '\n');
    return true;
}

bool AppendLog::openFile()
{
    m_fd = ::open(QFile::encodeName(m_path).constData(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (m_fd < 0) {
        failed(QStringLiteral("cannot open %1: %2").arg(m_path, systemError(errno)));
        return false;
    }
    return true;
}

void AppendLog::repairTail()
{
    struct stat st {};
    if (::fstat(m_fd, &st) != 0 || st.st_size == 0)
        return;
    const qint64 size = st.st_size;
    const qint64 from = size > kTail ? size - kTail : 0;
    QByteArray tail(qsizetype(size - from), '\0');
    if (::pread(m_fd, tail.data(), size_t(tail.size()), off_t(from)) != tail.size())
        return;
    if (!tail.endsWith('\n')) {
        const qsizetype end = tail.lastIndexOf('\n') + 1;
        if (end == 0 && from > 0) {
            // No line end in sight: end the line rather than cut off more than a line.
            m_pending.prepend('\n');
            m_notes << QStringLiteral("%1 ended without a line end; one added").arg(m_path);
        } else if (::ftruncate(m_fd, off_t(from + end)) == 0) {
            m_notes << QStringLiteral("%1: removed a last line cut short when the monitor was stopped (%2 bytes)")
                           .arg(m_path)
                           .arg(tail.size() - end);
            tail.truncate(end);
        }
    }
    const qsizetype lineEnd = tail.endsWith('\n') ? tail.size() - 1 : tail.size();
    const qsizetype lineStart = tail.lastIndexOf('\n', lineEnd - 1) + 1;
    if (lineStart > 0 || from == 0)
        m_lastLine = tail.mid(lineStart, lineEnd - lineStart);
}

void AppendLog::append(const QByteArray &line)
{
    m_pending += line;
    m_pending += '\n';
    if (m_pending.size() > kMaxPending)
        dropOldest();
}

void AppendLog::dropOldest()
{
    // The rest of a line partly written stays: the file must get its end.
    const qsizetype keep = m_midLine ? m_pending.indexOf('\n') + 1 : 0;
    qsizetype cut = keep;
    while (m_pending.size() - (cut - keep) > kMaxPending / 2) {
        const qsizetype next = m_pending.indexOf('\n', cut);
        if (next < 0)
            break;
        cut = next + 1;
        ++m_dropped;
    }
    m_pending.remove(keep, cut - keep);
    if (!m_failing)
        return;
    m_notes << QStringLiteral("%1: %2 lines dropped so far while the disk took nothing").arg(m_path).arg(m_dropped);
}

bool AppendLog::flush()
{
    if (m_pending.isEmpty())
        return true;
    if (!open())
        return false;
    qsizetype done = 0;
    while (done < m_pending.size()) {
        const ssize_t n = ::write(m_fd, m_pending.constData() + done, size_t(m_pending.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int e = n < 0 ? errno : ENOSPC;
            if (done > 0)
                m_midLine = m_pending[done - 1] != '\n';
            m_pending.remove(0, done);
            failed(QStringLiteral("cannot write %1: %2; %3 bytes wait in memory and are written as soon as it "
                                  "takes them")
                       .arg(m_path, systemError(e))
                       .arg(m_pending.size()));
            return false;
        }
        done += n;
    }
    m_pending.clear();
    m_midLine = false;
    if (m_failing) {
        m_failing = false;
        m_notes << (m_dropped > 0 ? QStringLiteral("%1 is written again; %2 lines were lost meanwhile").arg(m_path).arg(m_dropped)
                                  : QStringLiteral("%1 is written again; nothing was lost").arg(m_path));
    }
    return true;
}

bool AppendLog::sync()
{
    if (!flush())
        return false;
    if (m_fd >= 0 && ::fsync(m_fd) != 0 && errno != EINVAL && errno != ENOTSUP) {
        failed(QStringLiteral("cannot put %1 on the disk: %2").arg(m_path, systemError(errno)));
        return false;
    }
    return true;
}

void AppendLog::failed(const QString &why)
{
    if (m_failing)
        return;
    m_failing = true;
    m_notes << why;
}

QStringList AppendLog::takeNotes()
{
    QStringList notes;
    notes.swap(m_notes);
    return notes;
}

} // namespace ql708::monitor
