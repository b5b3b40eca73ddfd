#include "data/TextFiles.h"

#include <QSaveFile>

namespace ql708::data {

TextSeparator separatorOfTableFile(const QString &path)
{
    return path.right(3).compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0 ? TextSeparator::Comma
                                                                                 : TextSeparator::Tab;
}

TextFileOutcome saveText(const QString &path, const std::function<TextFileOutcome(QIODevice &)> &write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        TextFileOutcome failed;
        failed.error = file.errorString();
        return failed;
    }
    TextFileOutcome outcome = write(file);
    if (!outcome.ok) {
        file.cancelWriting();
        return outcome;
    }
    if (!file.commit()) {
        outcome.ok = false;
        outcome.error = file.errorString();
    }
    return outcome;
}

bool writeLines(QIODevice &out, const QByteArray &lines, TextFileOutcome &outcome)
{
    if (out.write(lines) == lines.size())
        return true;
    outcome.ok = false;
    outcome.error = out.errorString();
    return false;
}

} // namespace ql708::data
