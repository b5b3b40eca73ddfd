#pragma once

#include <QByteArrayView>
#include <QString>

namespace ql708 {

// Writes bytes as the whole file at path through a temporary file that replaces it only once
// every byte is written: a failed write leaves an earlier file as it was. False with the
// system's reason in reason (when given).
bool saveFile(const QString &path, QByteArrayView bytes, QString *reason = nullptr);

} // namespace ql708
