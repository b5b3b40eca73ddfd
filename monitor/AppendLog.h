// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace ql708::monitor {

// One of the monitor's files: lines are only ever added at its end, so what the disk holds stays
// whole whatever happens to the process. Lines wait in memory until flush() writes them and
// sync() puts them on the disk. A write that fails (a full disk, a folder that went away) keeps
// the lines that did not reach the file and tries again at the next flush; while the disk stays
// full the oldest of them go once more than kMaxPending bytes wait, and are counted.
class AppendLog {
public:
    static constexpr qsizetype kMaxPending = 4 * 1024 * 1024;

    AppendLog(QString path, QByteArray heading);
    ~AppendLog();
    AppendLog(const AppendLog &) = delete;
    AppendLog &operator=(const AppendLog &) = delete;

    // Opens the file to add to it, or creates it with its heading. A last line without its line
    // end (the process was killed while writing it) is cut off, never added to: the file ends
    // with whole lines again. False, with the reason in notes, when the file cannot be opened;
    // the next flush tries again.
    bool open();
    // The last whole line the file held when it was opened (the heading's included); empty for
    // a new file.
    const QByteArray &lastLineAtOpen() const { return m_lastLine; }

    void append(const QByteArray &line);
    // Writes what waits; false while the file cannot take it.
    bool flush();
    // Writes what waits and has the system put the file on the disk.
    bool sync();

    const QString &path() const { return m_path; }
    qsizetype pendingBytes() const { return m_pending.size(); }
    qint64 droppedLines() const { return m_dropped; }
    // What went wrong or right again since the last call, one sentence each: a failure is told
    // once, and so is its end.
    QStringList takeNotes();

private:
    bool openFile();
    void repairTail();
    void failed(const QString &why);
    void dropOldest();

    QString m_path;
    QByteArray m_heading;
    int m_fd = -1;
    QByteArray m_pending;
    bool m_midLine = false; // the first waiting line is the rest of one that partly reached the file
    QByteArray m_lastLine;
    qint64 m_dropped = 0;
    bool m_failing = false;
    QStringList m_notes;
};

} // namespace ql708::monitor
