// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/CommandLine.h"

#include "common/Printable.h"

#include <QStringDecoder>

namespace ql708 {

std::optional<QStringList> commandLineWords(int argc, char **argv, QString &error)
{
    QStringList words;
    for (int i = 1; i < argc; ++i) {
        const QByteArrayView bytes(argv[i]);
        QStringDecoder utf8(QStringDecoder::Utf8,
                            QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        QString word = utf8(bytes);
        if (utf8.hasError()) {
            error = QStringLiteral("\"%1\" is not valid UTF-8, and this program reads file names as UTF-8 only; "
                                   "rename the file")
                        .arg(printable(bytes));
            return std::nullopt;
        }
        words << word;
    }
    return words;
}

} // namespace ql708
