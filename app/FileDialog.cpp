#include "app/FileDialog.h"

#include "widgets/ModalRunner.h"

#include <QFileDialog>

namespace ql708 {

namespace {

QString askFileName(QWidget *parent, QFileDialog::AcceptMode mode, const QString &folder, const QString &filter,
                    const QString &suffix)
{
    QFileDialog dialog(parent);
    dialog.setObjectName(mode == QFileDialog::AcceptOpen ? QStringLiteral("OpenDialog1") : QStringLiteral("SaveDialog1"));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setDirectory(folder);
    dialog.setNameFilters(dialogNameFilters(filter));
    dialog.setDefaultSuffix(suffix);
    if (runModal(dialog) != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

} // namespace

QStringList dialogNameFilters(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString &p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            patterns << p.trimmed().toLower();
            if (p.trimmed().toUpper() != patterns.last())
                patterns << p.trimmed().toUpper();
        }
        out << QStringLiteral("%1 (%2)").arg(parts[i].trimmed(), patterns.join(QLatin1Char(' ')));
    }
    return out;
}

QString askOpenFileName(QWidget *parent, const QString &folder, const QString &filter, const QString &suffix)
{
    return askFileName(parent, QFileDialog::AcceptOpen, folder, filter, suffix);
}

QString askSaveFileName(QWidget *parent, const QString &folder, const QString &filter, const QString &suffix)
{
    return askFileName(parent, QFileDialog::AcceptSave, folder, filter, suffix);
}

} // namespace ql708
