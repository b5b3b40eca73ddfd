// SPDX-License-Identifier: GPL-3.0-or-later
#include "leq/LeqLog.h"

#include "common/NumberFormat.h"
#include "common/Paths.h"

#include <QDir>
#include <QFileInfo>

namespace ql708::leq {

QString logPath() { return paths::writableAppFolder() + QStringLiteral("/temp/LEQ.txt"); }

bool LeqLog::open(const QString &path)
{
    close();
    m_error.clear();
    m_file.setFileName(path);
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        m_error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), QStringLiteral("cannot create the folder"));
        return false;
    }
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        fail();
        return false;
    }
    return true;
}

void LeqLog::write(const QString &timeText, float levelDb)
{
    if (!m_file.isOpen())
        return;
    const QByteArray line = (timeText + QLatin1Char('\t') + formatLevel(levelDb) + QStringLiteral("\r\n")).toUtf8();
    if (m_file.write(line) != line.size())
        fail();
}

void LeqLog::flush()
{
    if (m_file.isOpen() && !m_file.flush())
        fail();
}

void LeqLog::close()
{
    if (!m_file.isOpen())
        return;
    flush();
    m_file.close();
}

// A log that stops being writable (a full disk) is closed; the run goes on without it.
void LeqLog::fail()
{
    m_error = QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(m_file.fileName()), m_file.errorString());
    m_file.close();
}

} // namespace ql708::leq
