// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTemporaryDir>

namespace ql708::test {

// A folder whose file system can be made full: a small tmpfs mounted in a mount namespace of
// this thread's own (as root, or through a user namespace), so nothing outside the test sees
// it and it goes when the test ends. Where no file system can be mounted, fill() limits the
// size of the files the process writes to the bytes they hold, so a further write fails the
// same way, with the system's words for a file too large.
class FullDisk {
public:
    FullDisk();
    ~FullDisk();
    FullDisk(const FullDisk &) = delete;
    FullDisk &operator=(const FullDisk &) = delete;

    bool isTmpfs() const { return m_mounted; }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    // Takes every free byte; release() gives them back.
    void fill();
    void release();
    // The reason a writer reports once the disk is full.
    QString reason() const;

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    bool m_full = false;
};

} // namespace ql708::test
