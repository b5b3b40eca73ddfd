// SPDX-License-Identifier: GPL-3.0-or-later
#include "datalogger/DataLoggerController.h"

#include "chart/PESGraph.h"
#include "common/Clock.h"
#include "common/StringTable.h"
#include "data/CollectionFile.h"
#include "data/MemoryImage.h"
#include "graph/ChartSetup.h"
#include "graph/DataLoggerView.h"
#include "graph/GraphState.h"
#include "graph/GraphWindows.h"
#include "graph/TfrmGraph.h"
#include "meter/LoggerDownload.h"
#include "widgets/CommandsPause.h"
#include "widgets/FileDialog.h"
#include "widgets/MessageBoxes.h"
#include "widgets/TfrmScope.h"

#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QProgressBar>

#include <memory>

namespace ql708::datalogger {

namespace {

// Its texts are the main window's: the commands are on its menus.
const QString kTable = QStringLiteral("frmMain");
constexpr int kDataLoggerHeightLess = 60;
constexpr int kSettleMs = 300;

QString text(const char *key) { return ids(kTable, QString::fromLatin1(key)); }

// The download's progress window, created when the first block arrives and freed at the end.
DownloadProgress progressWindow(QWidget *parent, std::shared_ptr<std::unique_ptr<TfrmScope>> scope)
{
    DownloadProgress p;
    p.begin = [parent, scope](int total) {
        auto *s = new TfrmScope(parent);
        scope->reset(s);
        s->useForProgress(text("IDS_300"), total);
        for (QWidget *w : {s->SText1(), s->SText2(), s->lblBytesReceived(), s->lblTotalBytes()})
            w->show();
        s->lblTotalBytes()->setText(QString::number(total));
        s->lblBytesReceived()->setText(QStringLiteral("0"));
        s->showProgress();
        if (parent)
            parent->repaint();
    };
    p.advance = [scope](int received) {
        TfrmScope *s = scope->get();
        s->lblBytesReceived()->setText(QString::number(received));
        s->Progress1()->setValue(received);
        QCoreApplication::processEvents();
    };
    p.end = [scope] { scope->reset(); };
    return p;
}

} // namespace

DataLoggerController::DataLoggerController(MeterLink &meter, QMdiArea &area, QWidget *dialogParent,
                                           const QString &dataFolder, PausedCommands pausedByDownload)
    : QObject(&area), m_meter(meter), m_area(area), m_dialogParent(dialogParent), m_dataFolder(dataFolder),
      m_pausedByDownload(std::move(pausedByDownload))
{
}

void DataLoggerController::message(const QString &key, const QString &detail)
{
    showMessage(m_dialogParent, ids(kTable, key) + detail);
}

graph::TfrmGraph *DataLoggerController::showDataLoggerWindow(bool *created)
{
    graph::GraphWindows &windows = graph::GraphWindows::instance();
    if (created)
        *created = !windows.dataLogger;
    if (graph::TfrmGraph *w = windows.dataLogger) {
        w->showNormal();
        m_area.setActiveSubWindow(w);
        return w;
    }
    auto *w = graph::TfrmGraph::create(&m_area, graph::kDataLoggerCaption);
    windows.dataLogger = w;
    // A new window starts empty: the sets of a closed one are not there to click or save.
    m_sets = {};
    m_image.clear();
    auto *view = new graph::DataLoggerView(*w, m_sets);
    view->fillDataSetList();
    const QSize client = m_area.size();
    w->setGeometry(0, 0, client.width(), client.height() - kDataLoggerHeightLess);
    graph::PrepareDataLoggerChart(*w->PESGraph1());
    w->PESGraph1()->setAllowGraphAnnotHotSpots(true);
    m_area.setActiveSubWindow(w);
    return w;
}

graph::DataLoggerView *DataLoggerController::dataLoggerView()
{
    return graph::DataLoggerView::of(showDataLoggerWindow());
}

void DataLoggerController::LoadData1Click()
{
    if (!m_meter.meterConnected()) {
        message(QStringLiteral("IDS_75"));
        return;
    }
    if (m_meter.meterRecording()) {
        message(QStringLiteral("IDS_76"));
        return;
    }
    bool created = false;
    graph::TfrmGraph *w = showDataLoggerWindow(&created);
    if (created) {
        w->repaint();
        delayMs(kSettleMs);
    }
    // Commands that would replace the data set list wait too.
    const CommandsPause pause(m_pausedByDownload());
    const LinkTakeOver takeOver(m_meter);
    m_downloading = true;
    bool accepted = false;
    const int result = DownloadDataSets(&accepted);
    m_downloading = false;
    if (accepted) {
        graph::graphState().loggerDataUnsaved = true;
    } else if (result == data::parse_result::kNoSets) {
        message(QStringLiteral("IDS_77"));
    } else {
        message(QStringLiteral("IDS_78"), QString::number(result));
        abortDownload(m_meter);
    }
}

int DataLoggerController::DownloadDataSets(bool *accepted)
{
    if (accepted)
        *accepted = false;
    QByteArray image;
    qint32 lastAddress = -1;
    auto scope = std::make_shared<std::unique_ptr<TfrmScope>>();
    const int result = ReadLoggerMemory(m_meter, image, lastAddress, progressWindow(m_dialogParent, scope));
    if (result != download_result::kOk)
        return result;
    return acceptImage(image, lastAddress, accepted);
}

int DataLoggerController::acceptImage(const QByteArray &image, qint32 lastAddress, bool *accepted)
{
    data::DataSetList parsed;
    const int result = data::ParseMemoryImage(image, lastAddress, parsed);
    const bool replaced = data::parse_result::accepted(result, parsed);
    if (accepted)
        *accepted = replaced;
    if (!replaced)
        return result;
    // The window may have been closed while the memory was read.
    graph::DataLoggerView *view = dataLoggerView();
    m_sets = std::move(parsed);
    m_image = image;
    view->fillDataSetList();
    writeWorkingCopy(image);
    view->ShowDataSet(0);
    return result;
}

void DataLoggerController::writeWorkingCopy(const QByteArray &image)
{
    const QString folder = data::workingFolder(m_dataFolder);
    if (!QDir().mkpath(folder)) {
        showMessage(m_dialogParent, QDir::toNativeSeparators(folder));
        return;
    }
    const QString path = data::workingCopyPath(m_dataFolder);
    QString error;
    if (!data::writeCollection(path, image, &error))
        message(QStringLiteral("IDS_301"), QStringLiteral("\n%1\n%2").arg(QDir::toNativeSeparators(path), error));
}

QString DataLoggerController::openCollection()
{
    // The window opens first: a cancelled file dialog leaves it open and as it was.
    showDataLoggerWindow();
    const QString path =
        askOpenFileName(m_dialogParent, dialogFolder(m_dataFolder), text("IDS_42"), QStringLiteral("rec"));
    return !path.isEmpty() && openCollection(path) ? path : QString();
}

bool DataLoggerController::openCollection(const QString &path)
{
    showDataLoggerWindow();
    QByteArray image;
    QString error;
    const QString shownPath = QStringLiteral("\n") + QDir::toNativeSeparators(path);
    if (!data::readCollection(path, image, &error)) {
        message(QStringLiteral("IDS_302"), shownPath + QLatin1Char('\n') + error);
        return false;
    }
    bool accepted = false;
    if (!image.isEmpty())
        acceptImage(image, data::lastAddressOf(image), &accepted);
    if (!accepted) {
        message(QStringLiteral("IDS_303"), shownPath);
        return false;
    }
    dataLoggerView()->resetPlaybackAndZoom();
    return true;
}

bool DataLoggerController::saveCollection()
{
    const QString path =
        askSaveFileName(m_dialogParent, dialogFolder(m_dataFolder), text("IDS_17"), QStringLiteral("rec"));
    if (path.isEmpty())
        return false;
    const QString failed = QStringLiteral("\n%1\n").arg(QDir::toNativeSeparators(path));
    if (m_image.isEmpty()) {
        message(QStringLiteral("IDS_301"), failed + text("IDS_304"));
        return false;
    }
    QString error;
    if (data::writeCollection(path, m_image, &error))
        return true;
    message(QStringLiteral("IDS_301"), failed + error);
    return false;
}

} // namespace ql708::datalogger
