// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliCommand.h"

#include <QFileDevice>

namespace ql708::cli {

bool writeStandardOutput(CliContext &context, const QByteArray &bytes, QString &error)
{
    context.out.flush();
    QIODevice *device = context.binaryOut ? context.binaryOut : context.out.device();
    if (!device) {
        error = QStringLiteral("no standard output");
        return false;
    }
    bool written = device->write(bytes) == bytes.size();
    if (auto *file = qobject_cast<QFileDevice *>(device))
        written = file->flush() && written;
    if (!written)
        error = device->errorString();
    return written;
}

} // namespace ql708::cli
