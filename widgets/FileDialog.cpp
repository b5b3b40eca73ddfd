// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/FileDialog.h"

#include "widgets/ModalRunner.h"

#include "common/Settings.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace ql708 {

namespace {

QString askFileName(QWidget *parent, QFileDialog::AcceptMode mode, const QString &folder, const QString &filter,
                    const QString &suffix, int *chosenFilter = nullptr)
{
    QFileDialog dialog(parent);
    dialog.setObjectName(mode == QFileDialog::AcceptOpen ? QStringLiteral("OpenDialog1") : QStringLiteral("SaveDialog1"));
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    // The folder last used for this kind of file, with the data folder a click away.
    const QString last = settings::readLastFolder(suffix);
    dialog.setDirectory(!last.isEmpty() && QFileInfo(last).isDir() ? last : folder);
    dialog.setSidebarUrls(dialog.sidebarUrls() << QUrl::fromLocalFile(folder));
    const QStringList filters = dialogNameFilters(filter);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(suffix);
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &chosen) {
        static const QRegularExpression firstPattern(QStringLiteral("\\*\\.(\\w+)"));
        const QRegularExpressionMatch m = firstPattern.match(chosen);
        if (m.hasMatch())
            dialog.setDefaultSuffix(m.captured(1));
    });
    if (runModal(dialog) != QDialog::Accepted)
        return {};
    if (chosenFilter) {
        // Without details the dialog names the type by its description alone.
        const QString chosen = dialog.selectedNameFilter();
        *chosenFilter = -1;
        for (int i = 0; i < filters.size() && *chosenFilter < 0; ++i)
            if (filters[i] == chosen || filters[i].startsWith(chosen + QStringLiteral(" (")))
                *chosenFilter = i;
    }
    const QString chosen = dialog.selectedFiles().value(0);
    if (!chosen.isEmpty())
        settings::writeLastFolder(suffix, QFileInfo(chosen).absolutePath());
    return chosen;
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

QString askSaveFileName(QWidget *parent, const QString &folder, const QString &filter, const QString &suffix,
                        int *chosenFilter)
{
    return askFileName(parent, QFileDialog::AcceptSave, folder, filter, suffix, chosenFilter);
}

QString dialogFolder(const QString &dataFolder)
{
    return dataFolder.isEmpty() ? QCoreApplication::applicationDirPath() : dataFolder;
}

} // namespace ql708
