// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/SaveFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace ql708 {

namespace {

constexpr int kMaxLinks = 40;

enum class Target { Replaced, Device, Descriptor };

// A target that exists and is no regular file is written as a device; a regular file named
// through /proc or /dev/fd (as /dev/stdout is) is a descriptor another program opened, which a
// file put in its place would not reach.
Target targetOf(const QString &path)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return Target::Replaced; // a new file
    if (!S_ISREG(st.st_mode))
        return Target::Device;
    QFileInfo link(path);
    for (int depth = 0; depth <= kMaxLinks; ++depth) {
        const QString name = link.absoluteFilePath();
        if (name.startsWith(QLatin1String("/proc/")) || name.startsWith(QLatin1String("/dev/fd/")))
            return Target::Descriptor;
        if (!link.isSymLink())
            break;
        link.setFile(link.symLinkTarget());
    }
    return Target::Replaced;
}

} // namespace

SaveFile::SaveFile(const QString &path) : m_path(path) {}

SaveFile::~SaveFile() = default;

bool SaveFile::open()
{
    const Target target = targetOf(m_path);
    m_direct = target != Target::Replaced;
    bool opened = false;
    if (m_direct) {
        // A descriptor is appended to, so a shell's ">>" keeps what the file held.
        auto file = std::make_unique<QFile>(m_path);
        opened = file->open(target == Target::Descriptor ? QIODevice::WriteOnly | QIODevice::Append
                                                         : QIODevice::WriteOnly);
        m_file = std::move(file);
    } else {
        auto file = std::make_unique<QSaveFile>(m_path);
        opened = file->open(QIODevice::WriteOnly);
        m_file = std::move(file);
    }
    return opened || fail(m_file->errorString());
}

QIODevice &SaveFile::device() { return *m_file; }

bool SaveFile::write(QByteArrayView bytes)
{
    if (!m_failed && m_file->write(bytes.data(), bytes.size()) == bytes.size())
        return true;
    if (!m_failed)
        fail(m_file->errorString());
    return false;
}

bool SaveFile::commit()
{
    if (!m_file || m_failed)
        return false;
    // The last block written may still sit in the buffer: it must reach the file before the
    // file replaces anything.
    if (m_file->error() != QFileDevice::NoError || !m_file->flush())
        return fail(m_file->errorString());
    if (m_direct) {
        m_file->close();
        return m_file->error() == QFileDevice::NoError || fail(m_file->errorString());
    }
    // A file system that cannot sync (EINVAL, ENOTSUP) has nothing more to report.
    if (::fsync(m_file->handle()) != 0 && errno != EINVAL && errno != ENOTSUP)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    auto &file = static_cast<QSaveFile &>(*m_file);
    if (!file.commit())
        return fail(file.errorString());
    m_file.reset();
    return true;
}

void SaveFile::cancel() { m_file.reset(); }

bool SaveFile::fail(const QString &reason)
{
    m_failed = true;
    m_reason = reason;
    if (m_file && !m_direct && m_file->isOpen())
        static_cast<QSaveFile &>(*m_file).cancelWriting();
    return false;
}

bool saveFile(const QString &path, QByteArrayView bytes, QString *reason)
{
    SaveFile file(path);
    if (file.open() && file.write(bytes) && file.commit())
        return true;
    if (reason)
        *reason = file.reason();
    return false;
}

} // namespace ql708
