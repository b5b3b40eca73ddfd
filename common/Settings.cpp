// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Settings.h"

#include "common/Paths.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QtEndian>
#include <cstring>

namespace ql708::settings {

namespace {
const char kKey[] = "RealTimeRate";
} // namespace

bool isRealTimeRate(double seconds) { return seconds > 0.0 && seconds <= kMaxRealTimeRate; }

float readRealTimeRate()
{
    QSettings store(paths::settingsFile(), QSettings::IniFormat);
    const QVariant v = store.value(kKey);
    // Only the 8-byte double the program writes counts; text, numbers and other sizes are foreign.
    if (v.typeId() != QMetaType::QByteArray || v.toByteArray().size() != 8)
        return kDefaultRealTimeRate;
    const double rate = qFromLittleEndian<double>(v.toByteArray().constData());
    if (!isRealTimeRate(rate))
        return kDefaultRealTimeRate;
    return float(rate);
}

void writeRealTimeRate(float rate)
{
    QByteArray bytes(8, '\0');
    qToLittleEndian<double>(double(rate), bytes.data());
    QSettings store(paths::settingsFile(), QSettings::IniFormat);
    store.setValue(kKey, bytes);
    store.sync();
}

namespace {

QVariant read(const QString &key)
{
    QSettings store(paths::settingsFile(), QSettings::IniFormat);
    return store.value(key);
}

void write(const QString &key, const QVariant &value)
{
    QSettings store(paths::settingsFile(), QSettings::IniFormat);
    store.setValue(key, value);
    store.sync();
}

const QString kLanguageKey = QStringLiteral("Language");
const QString kRecentKey = QStringLiteral("RecentFiles");

} // namespace

Language readLanguage()
{
    return read(kLanguageKey).toString() == QLatin1String("en") ? Language::English : Language::French;
}

void writeLanguage(Language language)
{
    write(kLanguageKey, language == Language::English ? QStringLiteral("en") : QStringLiteral("fr"));
}

QByteArray readWindowLayout(const QString &name)
{
    const QVariant v = read(QStringLiteral("Windows/") + name);
    return v.typeId() == QMetaType::QByteArray ? v.toByteArray() : QByteArray();
}

void writeWindowLayout(const QString &name, const QByteArray &layout) { write(QStringLiteral("Windows/") + name, layout); }

QStringList readRecentFiles()
{
    QStringList files = read(kRecentKey).toStringList();
    files.removeAll(QString());
    files.removeDuplicates();
    return files.mid(0, kRecentFiles);
}

QStringList addRecentFile(const QString &path)
{
    const QString file = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QStringList files = readRecentFiles();
    files.removeAll(file);
    files.prepend(file);
    files = files.mid(0, kRecentFiles);
    write(kRecentKey, files);
    return files;
}

QString readLastFolder(const QString &kind) { return read(QStringLiteral("LastFolders/") + kind).toString(); }

void writeLastFolder(const QString &kind, const QString &folder) { write(QStringLiteral("LastFolders/") + kind, folder); }

} // namespace ql708::settings
