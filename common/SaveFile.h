// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QString>

#include <memory>

class QFileDevice;
class QIODevice;

namespace ql708 {

// One whole file written in one go or in pieces. A regular file (or a new one) is written to a
// temporary file beside it that replaces it only once every byte reached the disk, so a failed
// or cancelled write leaves an earlier file as it was. A target that is no regular file (a
// FIFO, a terminal, a device such as /dev/full, the standard output through /dev/stdout) is
// written directly and never replaced.
class SaveFile {
public:
    explicit SaveFile(const QString &path);
    ~SaveFile(); // what was not committed is thrown away
    SaveFile(const SaveFile &) = delete;
    SaveFile &operator=(const SaveFile &) = delete;

    // False with reason() when the file cannot be created.
    bool open();
    // Where the bytes go, once open. A write that fails there makes commit() fail.
    QIODevice &device();
    // Writes every byte; false with reason() when they did not all go.
    bool write(QByteArrayView bytes);
    // Flushes, syncs and puts the file in place; false with reason() when any byte did not
    // reach the file, and then an earlier file is kept.
    bool commit();
    // Throws away what was written; an earlier file is kept.
    void cancel();
    // Why the file could not be written, in the system's words ("No space left on device").
    const QString &reason() const { return m_reason; }

private:
    bool fail(const QString &reason);

    QString m_path;
    std::unique_ptr<QFileDevice> m_file;
    bool m_direct = false;
    bool m_failed = false;
    QString m_reason;
};

// Writes bytes as the whole file at path through SaveFile. False with the reason in reason
// (when given).
bool saveFile(const QString &path, QByteArrayView bytes, QString *reason = nullptr);

} // namespace ql708
