// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QWidget;

namespace ql708 {

class SingleFileCommands;
namespace datalogger {
class DataLoggerController;
}

// The File menu's Open and Save: each asks what is meant where two kinds of file fit, and
// hands the command to the data logger's collection files or to the single data set files.
// Save acts on a window by its kind, and follows the active window.
class FileCommands : public QObject {
    Q_OBJECT
public:
    FileCommands(QMdiArea &area, QAction &save, QWidget *dialogParent, datalogger::DataLoggerController &dataLogger,
                 SingleFileCommands &singleFiles);

    // Opens a file as Open would, by its extension: a collection (.rec) in the DataLogger
    // window, a graph file (.ghf) in a graph window, a table text file (.txt, .csv) in a tabular
    // view. True when it opened; a failure is told in a message.
    bool openFile(const QString &path);

signals:
    // A file was opened, through the dialog or not.
    void opened(const QString &path);

public slots:
    void Open1Click();
    // The Save command for a window: the DataLogger window saves its memory as a collection or
    // its shown set as a single file, any other graph window its chart, a tabular view and the
    // LEQ window their tables. True when a file was written.
    bool Save1Click(QMdiSubWindow *window);

private:
    QWidget *m_dialogParent;
    datalogger::DataLoggerController &m_dataLogger;
    SingleFileCommands &m_singleFiles;
};

} // namespace ql708
