#include "common/SaveFile.h"

#include <QSaveFile>

namespace ql708 {

bool saveFile(const QString &path, QByteArrayView bytes, QString *reason)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes.data(), bytes.size()) == bytes.size() && file.commit())
        return true;
    if (reason)
        *reason = file.errorString();
    return false;
}

} // namespace ql708
