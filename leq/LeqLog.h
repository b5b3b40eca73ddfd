// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFile>
#include <QString>

namespace ql708::leq {

// The log of a run: every reading as a line of its time text, a TAB and its level, CR LF.
// Written as the run goes (not replaced at its end), so what was measured survives a crash;
// it reaches the disk at least once a second.
// temp/LEQ.txt in the program's writable folder.
QString logPath();

class LeqLog {
public:
    // Creates or truncates the file, and its folder when missing. False when it cannot be
    // written; error() then names the path and the reason, and the run goes on without a log.
    bool open(const QString &path);
    bool isOpen() const { return m_file.isOpen(); }
    const QString &error() const { return m_error; }

    void write(const QString &timeText, float levelDb);
    void flush();
    void close();

private:
    void fail();

    QFile m_file;
    QString m_error;
};

} // namespace ql708::leq
