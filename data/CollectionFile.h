// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace ql708::data {

// A data set collection file (.rec) and the working copy hold the logger memory image
// unchanged, from offset 0 to the last address in use, with nothing added.

// The folder of the working copy: the data folder's "temp", or the program's own writable
// folder's when there is no data folder.
QString workingFolder(const QString &dataFolder);
// The working copy, "DataSetsTemp.tmp" in the working folder.
QString workingCopyPath(const QString &dataFolder);

// Reads a collection file: its bytes up to its last address in use (bytes 11-13); what
// follows is not read. A file shorter than that gives the bytes it holds. On failure error
// holds the reason.
bool readCollection(const QString &path, QByteArray &image, QString *error = nullptr);

// The bytes of image a collection file holds: 0 to its last address in use, or to its end
// when it is shorter.
QByteArrayView collectionBytes(QByteArrayView image);

// Writes image bytes 0 to the image's last address in use (or to its end when it is
// shorter) through a temporary file, so a failed write leaves an earlier file as it was.
bool writeCollection(const QString &path, QByteArrayView image, QString *error = nullptr);

} // namespace ql708::data
