// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#ifndef QL708_DATA_DIR
#define QL708_DATA_DIR ""
#endif

namespace ql708::paths {

namespace {
QString g_root;
bool g_documentsAvailable = true;
} // namespace

void setTestRoot(const QString &root, bool documentsAvailable)
{
    g_root = root;
    g_documentsAvailable = documentsAvailable;
}

QString documentsFolder()
{
    if (!g_root.isEmpty())
        return g_documentsAvailable ? g_root + QStringLiteral("/Documents") : QString();
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
}

QString dataFolder()
{
    const QString docs = documentsFolder();
    if (docs.isEmpty())
        return {};
    const QString folder = docs + QStringLiteral("/QL708/");
    if (QDir().mkpath(folder))
        return folder;
    return docs + QLatin1Char('/');
}

QString writableAppFolder()
{
    if (!g_root.isEmpty())
        return g_root + QStringLiteral("/AppData");
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

QString installDataFolder()
{
    // Beside the executable in an install (../share/ql708), else the build tree's copy.
    const QString installed =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../share/ql708");
    if (QFileInfo::exists(installed))
        return QDir::cleanPath(installed);
    return QStringLiteral(QL708_DATA_DIR);
}

QString helpFile() { return installDataFolder() + QStringLiteral("/QL708Help.htm"); }

QString settingsFile()
{
    if (!g_root.isEmpty())
        return g_root + QStringLiteral("/Config/QL708.conf");
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/QL708/QL708.conf");
}

} // namespace ql708::paths
