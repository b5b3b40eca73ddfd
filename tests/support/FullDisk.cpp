// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/FullDisk.h"

#include <QFile>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace ql708::test {

namespace {

constexpr char kFiller[] = "filler";

bool writeText(const char *path, const QByteArray &text)
{
    const int fd = ::open(path, O_WRONLY);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, text.constData(), size_t(text.size())) == text.size();
    ::close(fd);
    return ok;
}

// A mount namespace of this thread's own whose mounts reach no other: as root directly, else
// as root of a new user namespace (which needs a process of one thread).
bool ownMountNamespace()
{
    static const bool made = [] {
        if (::unshare(CLONE_NEWNS) != 0) {
            const QByteArray uid = QByteArray::number(::getuid()), gid = QByteArray::number(::getgid());
            if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
                return false;
            writeText("/proc/self/setgroups", "deny");
            if (!writeText("/proc/self/uid_map", "0 " + uid + " 1") || !writeText("/proc/self/gid_map", "0 " + gid + " 1"))
                return false;
        }
        return ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    }();
    return made;
}

rlimit g_sizeLimit{};

} // namespace

FullDisk::FullDisk()
{
    m_mounted = ownMountNamespace() &&
                ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", MS_NOSUID, "size=256k,mode=0700") == 0;
}

FullDisk::~FullDisk()
{
    release();
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

void FullDisk::fill()
{
    if (m_full)
        return;
    m_full = true;
    if (!m_mounted) {
        // A write past the limit fails with EFBIG instead of ending the process.
        std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &g_sizeLimit);
        rlimit none = g_sizeLimit;
        none.rlim_cur = 0;
        ::setrlimit(RLIMIT_FSIZE, &none);
        return;
    }
    const int fd = ::open(QFile::encodeName(filePath(QLatin1String(kFiller))).constData(), O_WRONLY | O_CREAT, 0600);
    const QByteArray block(4096, 'f');
    while (::write(fd, block.constData(), size_t(block.size())) > 0) {
    }
    while (::write(fd, "f", 1) > 0) {
    }
    ::close(fd);
}

void FullDisk::release()
{
    if (!m_full)
        return;
    m_full = false;
    if (m_mounted)
        QFile::remove(filePath(QLatin1String(kFiller)));
    else
        ::setrlimit(RLIMIT_FSIZE, &g_sizeLimit);
}

QString FullDisk::reason() const { return QString::fromLocal8Bit(std::strerror(m_mounted ? ENOSPC : EFBIG)); }

} // namespace ql708::test
