// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FileCommands.h"

#include "app/SingleFileCommands.h"
#include "common/StringTable.h"
#include "datalogger/DataLoggerController.h"
#include "graph/GraphState.h"
#include "graph/TfrmGraph.h"
#include "graph/TfrmList.h"
#include "leq/LeqTable.h"
#include "leq/TfrmLEQ.h"
#include "widgets/ModalRunner.h"
#include "widgets/TfrmOpenSave.h"

#include <QAction>
#include <QFileInfo>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

namespace ql708 {

namespace {

QString text(const char *key) { return ids(QStringLiteral("frmMain"), QString::fromLatin1(key)); }

bool isDataLogger(const QMdiSubWindow *w)
{
    return qobject_cast<const graph::TfrmGraph *>(w) && graph::graphKind(w->windowTitle()) == graph::GraphKind::DataLogger;
}

bool canSave(const QMdiSubWindow *w)
{
    return qobject_cast<const graph::TfrmGraph *>(w) || qobject_cast<const graph::TfrmList *>(w) ||
           qobject_cast<const leq::TfrmLEQ *>(w);
}

} // namespace

FileCommands::FileCommands(QMdiArea &area, QAction &save, QWidget *dialogParent,
                           datalogger::DataLoggerController &dataLogger, SingleFileCommands &singleFiles)
    : QObject(&area), m_dialogParent(dialogParent), m_dataLogger(dataLogger), m_singleFiles(singleFiles)
{
    // Graph windows, tabular views and the LEQ window can be saved; the command follows the
    // active window.
    save.setEnabled(false);
    connect(&area, &QMdiArea::subWindowActivated, &save, [&save](QMdiSubWindow *w) { save.setEnabled(canSave(w)); });
}

void FileCommands::Open1Click()
{
    TfrmOpenSave chooser(m_dialogParent);
    chooser.setWindowTitle(text("IDS_36"));
    chooser.btnOpenSets()->setText(text("IDS_37"));
    const bool commaDecimals = QLocale().decimalPoint() == QLatin1String(",");
    chooser.btnOpenSingleSet()->setText(text(commaDecimals ? "IDS_38" : "IDS_39"));
    const int result = runModal(chooser);
    QString path;
    if (result == TfrmOpenSave::Sets)
        path = m_dataLogger.openCollection();
    else if (result == TfrmOpenSave::SingleSet)
        path = m_singleFiles.OpenSingleFile();
    if (!path.isEmpty())
        emit opened(path);
}

bool FileCommands::openFile(const QString &path)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    const bool done = extension == QLatin1String("rec") ? m_dataLogger.openCollection(path)
                                                         : m_singleFiles.OpenSingleFile(path);
    if (done)
        emit opened(path);
    return done;
}

bool FileCommands::Save1Click(QMdiSubWindow *window)
{
    if (auto *list = qobject_cast<graph::TfrmList *>(window))
        return m_singleFiles.WriteTableText(*list);
    if (auto *leqWindow = qobject_cast<leq::TfrmLEQ *>(window))
        return m_singleFiles.WriteTableText(leq::textTable(leqWindow->table()));
    auto *graphWindow = qobject_cast<graph::TfrmGraph *>(window);
    if (!graphWindow)
        return false;
    if (!isDataLogger(window))
        return m_singleFiles.SaveGraph(*graphWindow);
    TfrmOpenSave chooser(m_dialogParent);
    chooser.setWindowTitle(text("IDS_16"));
    const int result = runModal(chooser);
    if (result == TfrmOpenSave::Sets)
        return m_dataLogger.saveCollection();
    return result == TfrmOpenSave::SingleSet && m_singleFiles.SaveGraph(*graphWindow);
}

} // namespace ql708
