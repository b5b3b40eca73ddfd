// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "data/DataSetList.h"

#include <QByteArray>
#include <QList>
#include <QObject>

#include <functional>

class QMdiArea;
class QWidget;

namespace ql708 {
class MeterLink;
namespace graph {
class DataLoggerView;
class TfrmGraph;
} // namespace graph
} // namespace ql708

namespace ql708::datalogger {

// The commands of the meter's logger memory: "Load Data" (the download), the collection open
// and save, and the one data set list they fill, shown in the DataLogger window. A failed
// download or a rejected image leaves the list, the window and the working copy as they were.
class DataLoggerController : public QObject {
    Q_OBJECT
public:
    // The commands that wait while a download holds the link, as they are at its start.
    using PausedCommands = std::function<QList<QObject *>()>;
    // Dialogs and messages open over dialogParent, the DataLogger window in area; files go
    // to and file dialogs start from dataFolder, which the caller keeps up to date.
    DataLoggerController(MeterLink &meter, QMdiArea &area, QWidget *dialogParent, const QString &dataFolder,
                         PausedCommands pausedByDownload);

    const data::DataSetList &dataSets() const { return m_sets; }
    // A download is running (it lets the window process events between blocks).
    bool downloading() const { return m_downloading; }

    // Reads the logger memory with a progress window, parses it and shows set 0; returns 0,
    // a parser result or a download code (117 to 126), and tells in accepted (when given)
    // whether the sets were put in the list. The caller has taken the link over.
    int DownloadDataSets(bool *accepted = nullptr);

    // Opens a collection file in the DataLogger window, which opens first: the one chosen in
    // the file dialog (its path returned when it opened, else empty), or path (true when its
    // sets are shown). A failure is told in a message.
    QString openCollection();
    bool openCollection(const QString &path);
    // Saves the memory the DataLogger window shows as a collection file; true when written.
    bool saveCollection();

public slots:
    void LoadData1Click();

private:
    // The DataLogger window, created and prepared when there is none; created tells which.
    graph::TfrmGraph *showDataLoggerWindow(bool *created = nullptr);
    graph::DataLoggerView *dataLoggerView();
    // Parses an image and, when it holds data sets, puts them in the list and the window,
    // writes the working copy and shows set 0. Returns the parser's result and tells in
    // accepted whether the sets were put in the list.
    int acceptImage(const QByteArray &image, qint32 lastAddress, bool *accepted);
    void writeWorkingCopy(const QByteArray &image);
    void message(const QString &key, const QString &detail = QString());

    MeterLink &m_meter;
    QMdiArea &m_area;
    QWidget *m_dialogParent;
    const QString &m_dataFolder;
    PausedCommands m_pausedByDownload;
    data::DataSetList m_sets;
    bool m_downloading = false;
    // The image whose sets the list shows, saved as a collection from here (its working copy
    // may have failed to be written).
    QByteArray m_image;
};

} // namespace ql708::datalogger
