#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace ql708 {

// The main window's file dialogs, shown through the modal runner. A filter comes as the string
// tables hold it: "Description|*.EXT|Description|*.EXT"; the patterns match either case.
// Each returns the chosen path, or an empty text when the user cancels.
QString askOpenFileName(QWidget *parent, const QString &folder, const QString &filter, const QString &suffix);
// Asks before replacing an existing file.
QString askSaveFileName(QWidget *parent, const QString &folder, const QString &filter, const QString &suffix);

// The filter as the dialog takes it: one entry per description, its patterns in both cases.
QStringList dialogNameFilters(const QString &filter);

} // namespace ql708
