// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/DataSetList.h"

#include <QByteArray>
#include <QObject>

class QMdiSubWindow;

namespace ql708 {

class TfrmMain;
namespace graph {
class DataLoggerView;
class TfrmGraph;
} // namespace graph

// The main window's commands for the meter's logger memory: "Load Data" (the download), the
// collection open and save, and the one data set list they fill, shown in the DataLogger
// window. A failed download or a rejected image leaves the list, the window and the working
// copy as they were.
class DataLoggerCommands : public QObject {
    Q_OBJECT
public:
    explicit DataLoggerCommands(TfrmMain &main);

    const data::DataSetList &dataSets() const { return m_sets; }
    // A download is running (it lets the window process events between blocks).
    bool downloading() const { return m_downloading; }

    // Reads the logger memory with a progress window, parses it and shows set 0; returns 0,
    // a parser result or a download code (117 to 126), and tells in accepted (when given)
    // whether the sets were put in the list. The caller has taken the link over.
    int DownloadDataSets(bool *accepted = nullptr);

public slots:
    void LoadData1Click();
    void Open1Click();
    // The Save command for a window: the DataLogger window saves its memory as a collection or
    // its shown set as a single file, any other graph window its chart, a tabular view and the
    // LEQ window their tables. True when a file was written.
    bool Save1Click(QMdiSubWindow *window);

private:
    // The DataLogger window, created and prepared when there is none; created tells which.
    graph::TfrmGraph *showDataLoggerWindow(bool *created = nullptr);
    graph::DataLoggerView *dataLoggerView();
    // Parses an image and, when it holds data sets, puts them in the list and the window,
    // writes the working copy and shows set 0. Returns the parser's result and tells in
    // accepted whether the sets were put in the list.
    int acceptImage(const QByteArray &image, qint32 lastAddress, bool *accepted);
    void writeWorkingCopy(const QByteArray &image);
    void openCollection();
    bool saveCollection();
    QString dialogFolder() const;
    void message(const QString &key, const QString &detail = QString());

    TfrmMain &m_main;
    data::DataSetList m_sets;
    bool m_downloading = false;
    // The image whose sets the list shows, saved as a collection from here (its working copy
    // may have failed to be written).
    QByteArray m_image;
};

} // namespace ql708
