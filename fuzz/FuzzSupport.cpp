// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz/FuzzSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace ql708::fuzz {

QDateTime StepClock::now() const
{
    return QDateTime(QDate(2024, 6, 3), QTime(10, 15)).addMSecs(m_tick);
}

void useStepClock()
{
    static StepClock clock;
    setClock(&clock);
}

QStringList wordsOf(const std::uint8_t *data, std::size_t size, int maxWords)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QStringList words;
    for (QByteArray word : bytes.split('\n')) {
        for (const QByteArray &part : word.split('\0')) {
            if (words.size() == maxWords)
                return words;
            QString w = QString::fromUtf8(part);
            w.replace(QLatin1Char('/'), QLatin1Char('_'));
            words << w;
        }
    }
    return words;
}

ScratchFolder::ScratchFolder(const QList<std::pair<QString, QByteArray>> &keep) : m_started(QDir::currentPath())
{
    static QTemporaryDir folder;
    QDir here(folder.path());
    QDir::setCurrent(here.path());
    for (const QString &name : here.entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (QFileInfo(here.filePath(name)).isDir())
            QDir(here.filePath(name)).removeRecursively();
        else
            here.remove(name);
    }
    for (const auto &[name, bytes] : keep) {
        QFile f(name);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }
}

ScratchFolder::~ScratchFolder() { QDir::setCurrent(m_started); }

} // namespace ql708::fuzz
