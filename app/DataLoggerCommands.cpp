// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DataLoggerCommands.h"

#include "app/FileDialog.h"
#include "app/LeqCommands.h"
#include "app/MeterCommandsPause.h"
#include "app/SingleFileCommands.h"
#include "app/TfrmMain.h"
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
#include "graph/TfrmList.h"
#include "leq/TfrmLEQ.h"
#include "meter/LoggerDownload.h"
#include "panel/TfrmPanel.h"
#include "widgets/MessageBoxes.h"
#include "widgets/ModalRunner.h"
#include "widgets/TfrmOpenSave.h"
#include "widgets/TfrmScope.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>

#include <memory>

namespace ql708 {

namespace {

const QString kTable = QStringLiteral("frmMain");
constexpr int kDataLoggerHeightLess = 60;
constexpr int kSettleMs = 300;

QString text(const char *key) { return ids(kTable, QString::fromLatin1(key)); }

// The download's progress window, created when the first block arrives and freed at the end.
DownloadProgress progressWindow(TfrmMain &main, std::shared_ptr<std::unique_ptr<TfrmScope>> scope)
{
    DownloadProgress p;
    p.begin = [&main, scope](int total) {
        auto *s = new TfrmScope(&main);
        scope->reset(s);
        s->useForProgress(text("IDS_300"), total);
        for (QWidget *w : {s->SText1, s->SText2, s->lblBytesReceived, s->lblTotalBytes})
            w->show();
        s->lblTotalBytes->setText(QString::number(total));
        s->lblBytesReceived->setText(QStringLiteral("0"));
        s->showProgress();
        main.repaint();
    };
    p.advance = [scope](int received) {
        TfrmScope *s = scope->get();
        s->lblBytesReceived->setText(QString::number(received));
        s->Progress1->setValue(received);
        QCoreApplication::processEvents();
    };
    p.end = [scope] { scope->reset(); };
    return p;
}

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

DataLoggerCommands::DataLoggerCommands(TfrmMain &main) : QObject(&main), m_main(main)
{
    // Graph windows, tabular views and the LEQ window can be saved; the command follows the
    // active window.
    m_main.Save1->setEnabled(false);
    connect(m_main.mdiArea(), &QMdiArea::subWindowActivated, this,
            [this](QMdiSubWindow *w) { m_main.Save1->setEnabled(canSave(w)); });
}

void DataLoggerCommands::message(const QString &key, const QString &detail)
{
    showMessage(&m_main, ids(kTable, key) + detail);
}

QString DataLoggerCommands::dialogFolder() const { return ql708::dialogFolder(m_main.dataFolder()); }

graph::TfrmGraph *DataLoggerCommands::showDataLoggerWindow(bool *created)
{
    graph::GraphWindows &windows = graph::GraphWindows::instance();
    if (created)
        *created = !windows.dataLogger;
    if (graph::TfrmGraph *w = windows.dataLogger) {
        w->showNormal();
        m_main.mdiArea()->setActiveSubWindow(w);
        return w;
    }
    auto *w = graph::TfrmGraph::create(m_main.mdiArea(), graph::kDataLoggerCaption);
    windows.dataLogger = w;
    // A new window starts empty: the sets of a closed one are not there to click or save.
    m_sets = {};
    m_image.clear();
    auto *view = new graph::DataLoggerView(*w, m_sets);
    view->fillDataSetList();
    const QSize client = m_main.mdiArea()->size();
    w->setGeometry(0, 0, client.width(), client.height() - kDataLoggerHeightLess);
    graph::PrepareDataLoggerChart(*w->PESGraph1);
    w->PESGraph1->setAllowGraphAnnotHotSpots(true);
    m_main.mdiArea()->setActiveSubWindow(w);
    return w;
}

graph::DataLoggerView *DataLoggerCommands::dataLoggerView()
{
    return graph::DataLoggerView::of(showDataLoggerWindow());
}

void DataLoggerCommands::LoadData1Click()
{
    MeterLink &meter = m_main.meter();
    if (!meter.meterConnected()) {
        message(QStringLiteral("IDS_75"));
        return;
    }
    if (meter.meterRecording()) {
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
    const MeterCommandsPause pause(m_main, {m_main.LEQ1, m_main.Open1, m_main.leqCommands().startButton()});
    const LinkTakeOver takeOver(meter);
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
        abortDownload(meter);
    }
}

int DataLoggerCommands::DownloadDataSets(bool *accepted)
{
    if (accepted)
        *accepted = false;
    QByteArray image;
    qint32 lastAddress = -1;
    auto scope = std::make_shared<std::unique_ptr<TfrmScope>>();
    const int result = ReadLoggerMemory(m_main.meter(), image, lastAddress, progressWindow(m_main, scope));
    if (result != download_result::kOk)
        return result;
    return acceptImage(image, lastAddress, accepted);
}

int DataLoggerCommands::acceptImage(const QByteArray &image, qint32 lastAddress, bool *accepted)
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

void DataLoggerCommands::writeWorkingCopy(const QByteArray &image)
{
    const QString folder = data::workingFolder(m_main.dataFolder());
    if (!QDir().mkpath(folder)) {
        showMessage(&m_main, QDir::toNativeSeparators(folder));
        return;
    }
    const QString path = data::workingCopyPath(m_main.dataFolder());
    QString error;
    if (!data::writeCollection(path, image, &error))
        message(QStringLiteral("IDS_301"), QStringLiteral("\n%1\n%2").arg(QDir::toNativeSeparators(path), error));
}

void DataLoggerCommands::Open1Click()
{
    TfrmOpenSave chooser(&m_main);
    chooser.setWindowTitle(text("IDS_36"));
    chooser.btnOpenSets->setText(text("IDS_37"));
    const bool commaDecimals = QLocale().decimalPoint() == QLatin1String(",");
    chooser.btnOpenSingleSet->setText(text(commaDecimals ? "IDS_38" : "IDS_39"));
    const int result = runModal(chooser);
    if (result == TfrmOpenSave::Sets)
        openCollection();
    else if (result == TfrmOpenSave::SingleSet)
        m_main.singleFiles().OpenSingleFile();
}

void DataLoggerCommands::openCollection()
{
    // The window opens first: a cancelled file dialog leaves it open and as it was.
    showDataLoggerWindow();
    const QString path = askOpenFileName(&m_main, dialogFolder(), text("IDS_42"), QStringLiteral("rec"));
    if (path.isEmpty())
        return;
    QByteArray image;
    QString error;
    const QString shownPath = QStringLiteral("\n") + QDir::toNativeSeparators(path);
    if (!data::readCollection(path, image, &error)) {
        message(QStringLiteral("IDS_302"), shownPath + QLatin1Char('\n') + error);
        return;
    }
    bool accepted = false;
    if (!image.isEmpty())
        acceptImage(image, data::lastAddressOf(image), &accepted);
    if (!accepted) {
        message(QStringLiteral("IDS_303"), shownPath);
        return;
    }
    dataLoggerView()->resetPlaybackAndZoom();
}

bool DataLoggerCommands::Save1Click(QMdiSubWindow *window)
{
    if (auto *list = qobject_cast<graph::TfrmList *>(window))
        return m_main.singleFiles().WriteTableText(*list);
    if (auto *leqWindow = qobject_cast<leq::TfrmLEQ *>(window))
        return m_main.singleFiles().WriteTableText(leq::textTable(leqWindow->table()));
    auto *graphWindow = qobject_cast<graph::TfrmGraph *>(window);
    if (!graphWindow)
        return false;
    if (!isDataLogger(window))
        return m_main.singleFiles().SaveGraph(*graphWindow);
    TfrmOpenSave chooser(&m_main);
    chooser.setWindowTitle(text("IDS_16"));
    const int result = runModal(chooser);
    if (result == TfrmOpenSave::Sets)
        return saveCollection();
    return result == TfrmOpenSave::SingleSet && m_main.singleFiles().SaveGraph(*graphWindow);
}

bool DataLoggerCommands::saveCollection()
{
    const QString path = askSaveFileName(&m_main, dialogFolder(), text("IDS_17"), QStringLiteral("rec"));
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

} // namespace ql708
