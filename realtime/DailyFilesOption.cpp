// SPDX-License-Identifier: GPL-3.0-or-later
#include "realtime/DailyFilesOption.h"

#include "common/Paths.h"

#include <QDir>
#include <QSettings>

namespace ql708::realtime {

namespace {
const char kOnKey[] = "RealTimeDailyFiles";
const char kFolderKey[] = "RealTimeDailyFilesFolder";

QString baseFolder()
{
    const QString data = paths::dataFolder();
    return data.isEmpty() ? paths::writableAppFolder() : data;
}
} // namespace

QString defaultDailyFilesFolder() { return QDir::cleanPath(baseFolder() + QStringLiteral("/monitor")); }

QString dailyFilesFolder(const QString &typed)
{
    QString path = typed.trimmed();
    if (path.isEmpty())
        return {};
    if (path == QLatin1String("~") || path.startsWith(QLatin1String("~/")))
        path = QDir::homePath() + path.mid(1);
    return QDir::cleanPath(QDir(baseFolder()).absoluteFilePath(path));
}

DailyFilesOption readDailyFilesOption()
{
    QSettings store(paths::settingsFile(), QSettings::IniFormat);
    DailyFilesOption o;
    o.on = store.value(kOnKey).toString() == QLatin1String("true");
    const QVariant folder = store.value(kFolderKey);
    if (folder.typeId() == QMetaType::QString)
        o.folder = dailyFilesFolder(folder.toString());
    if (o.folder.isEmpty())
        o.folder = defaultDailyFilesFolder();
    return o;
}

void writeDailyFilesOption(const DailyFilesOption &option)
{
    QSettings store(paths::settingsFile(), QSettings::IniFormat);
    store.setValue(kOnKey, option.on);
    store.setValue(kFolderKey, option.folder);
    store.sync();
}

} // namespace ql708::realtime
