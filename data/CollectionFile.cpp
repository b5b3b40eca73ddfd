// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/CollectionFile.h"

#include "common/Paths.h"
#include "common/SaveFile.h"
#include "data/MemoryImage.h"

#include <QFile>

#include <algorithm>

namespace ql708::data {

namespace {

bool fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

} // namespace

QString workingFolder(const QString &dataFolder)
{
    if (dataFolder.isEmpty())
        return paths::writableAppFolder() + QStringLiteral("/temp");
    return dataFolder + QStringLiteral("temp");
}

QString workingCopyPath(const QString &dataFolder)
{
    return workingFolder(dataFolder) + QStringLiteral("/DataSetsTemp.tmp");
}

bool readCollection(const QString &path, QByteArray &image, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, file.errorString());
    QByteArray bytes = file.read(memory_layout::kLastAddressAt + 3);
    const qint32 last = lastAddressOf(bytes);
    if (last >= bytes.size())
        bytes += file.read(qint64(last) + 1 - bytes.size());
    if (file.error() != QFileDevice::NoError)
        return fail(error, file.errorString());
    image = bytes.left(last >= 0 ? qsizetype(last) + 1 : bytes.size());
    return true;
}

QByteArrayView collectionBytes(QByteArrayView image)
{
    const qint32 last = lastAddressOf(image);
    return image.first(last < 0 ? image.size() : std::min<qsizetype>(qsizetype(last) + 1, image.size()));
}

bool writeCollection(const QString &path, QByteArrayView image, QString *error)
{
    return saveFile(path, collectionBytes(image), error);
}

} // namespace ql708::data
