// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace ql708 {

// The file dialogs of the program's commands, shown through the modal runner. A filter comes
// as the string tables hold it: "Description|*.EXT|Description|*.EXT"; the patterns match
// either case.
// Each returns the chosen path, or an empty text when the user cancels. A dialog opens in the
// folder last chosen in one for the same suffix, when it still exists, else in folder, and
// offers folder in its side bar.
QString askOpenFileName(QWidget *parent, const QString &folder, const QString &filter, const QString &suffix);
// Asks before replacing an existing file. A name typed without extension takes that of the
// type chosen in the dialog (suffix until one is chosen); chosenFilter, when given, receives
// the index of the type chosen.
QString askSaveFileName(QWidget *parent, const QString &folder, const QString &filter, const QString &suffix,
                        int *chosenFilter = nullptr);

// The folder the file dialogs open first: the data folder, or the program's folder without one.
QString dialogFolder(const QString &dataFolder);

// The filter as the dialog takes it: one entry per description, its patterns in both cases.
QStringList dialogNameFilters(const QString &filter);

} // namespace ql708
