// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TfrmMain.h"

#include "app/AppOptions.h"
#include "app/FileCommands.h"
#include "app/PrintCommands.h"
#include "app/SingleFileCommands.h"
#include "app/TfrmAbout.h"
#include "common/Clock.h"
#include "common/Paths.h"
#include "common/Settings.h"
#include "common/StringTable.h"
#include "datalogger/DataLoggerController.h"
#include "graph/GraphState.h"
#include "graph/GraphWindows.h"
#include "graph/TfrmGraph.h"
#include "leq/LeqController.h"
#include "leq/TfrmLEQ.h"
#include "meter/SetupController.h"
#include "meter/TfrmSetup.h"
#include "panel/TfrmPanel.h"
#include "realtime/RealTimeController.h"
#include "widgets/CloseQuery.h"
#include "widgets/LanguageDispatcher.h"
#include "widgets/ModalRunner.h"
#include "widgets/ToolIcons.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QMimeData>
#include <QScreen>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

namespace ql708 {

namespace {
const QString kTable = QStringLiteral("frmMain");
} // namespace

TfrmMain::TfrmMain(HidLink &hid, QWidget *parent) : QMainWindow(parent), m_meter(hid)
{
    setObjectName(QStringLiteral("TfrmMain"));
    setWindowTitle(QStringLiteral("QL708"));
    // Every window shows the program's icon: the top-level ones take the application's, and
    // each MDI child is given it as it comes (it would show the toolkit's otherwise).
    QApplication::setWindowIcon(programIcon());
    setWindowIcon(programIcon());
    setAcceptDrops(true);
    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("MDIClient"));
    m_mdi->setFrameShape(QFrame::NoFrame);
    m_mdi->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_mdi->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_mdi->viewport()->installEventFilter(this);
    setCentralWidget(m_mdi);

    m_MainTimer = new QTimer(this);
    m_MainTimer->setObjectName(QStringLiteral("MainTimer"));
    m_MainTimer->setInterval(MeterLink::kPollMs);
    connect(m_MainTimer, &QTimer::timeout, this, &TfrmMain::MainTimerTimer);
    m_meter.setPollTimerSwitch([this](bool on) { on ? m_MainTimer->start() : m_MainTimer->stop(); });

    createMenus();
    createToolBar();
    createStatusBar();
    createCommands();
    FormCreate();
    connectGraphWindows();
    LanguageDispatcher::instance().attach(this, kTable);
    nameToolBarButtons();
    connect(&LanguageDispatcher::instance(), &LanguageDispatcher::languageChanged, this, [this] {
        nameToolBarButtons();
        showConnectionText();
    });
}

// The child windows go first: a window that holds the link (an LEQ run) gives it back to the
// meter link, which is a member and would be gone before the children otherwise.
TfrmMain::~TfrmMain() { delete m_mdi; }

void TfrmMain::createCommands()
{
    m_singleFiles = new SingleFileCommands(*this);
    connect(m_btnOutputToGraph, &QAction::triggered, m_singleFiles, &SingleFileCommands::btnOutputToGraphClick);
    m_leq = new leq::LeqController(m_meter, *m_mdi, this, [this] { return meterCommands(); });
    // A download would replace the data set list and its file: the commands that open one
    // wait too, and so does the start of an LEQ run.
    m_dataLogger = new datalogger::DataLoggerController(m_meter, *m_mdi, this, m_dataFolder, [this] {
        return meterCommands() + QList<QObject *>{m_LEQ1, m_Open1, m_leq->startButton()};
    });
    m_files = new FileCommands(*m_mdi, *m_Save1, this, *m_dataLogger, *m_singleFiles);
    connect(m_files, &FileCommands::opened, this, [](const QString &path) { settings::addRecentFile(path); });
    connect(m_leq, &leq::LeqController::saveRequested, m_files, &FileCommands::Save1Click);
    m_setupCommands = new SetupController(m_meter, *m_mdi, this, [this] { readStatusNow(); },
                                          [this] { return frontPanelWidth(); });
    m_print = new PrintCommands(*this);
    m_realTime = new realtime::RealTimeController(m_meter, *m_mdi, {m_Run1, m_Stop1, m_RealTimeGraph1}, this);
}

QList<QObject *> TfrmMain::meterCommands() const
{
    return {m_DataLogger1, m_btnDataLogger, m_Run1, m_Stop1, m_Setup1, m_EraseMemory1, m_ControlPanel1, panel(),
            m_setupCommands->setupWindow()};
}

QAction *TfrmMain::addItem(QMenu *menu, const char *name, void (TfrmMain::*slot)())
{
    auto *a = menu->addAction(QString::fromLatin1(name));
    a->setObjectName(QString::fromLatin1(name));
    connect(a, &QAction::triggered, this, slot);
    return a;
}

void TfrmMain::createMenus()
{
    auto menu = [this](const char *name) {
        QMenu *m = menuBar()->addMenu(QString::fromLatin1(name));
        m->setObjectName(QString::fromLatin1(name));
        return m;
    };
    m_File1 = menu("File1");
    m_Open1 = addItem(m_File1, "Open1", &TfrmMain::Open1Click);
    m_Open1->setShortcut(QKeySequence::Open);
    m_RecentFiles1 = m_File1->addMenu(QStringLiteral("RecentFiles1"));
    m_RecentFiles1->setObjectName(QStringLiteral("RecentFiles1"));
    connect(m_RecentFiles1, &QMenu::aboutToShow, this, &TfrmMain::fillRecentFiles);
    // Filled now too, so that the menu is never empty to a keyboard or a screen reader.
    connect(m_File1, &QMenu::aboutToShow, this, &TfrmMain::fillRecentFiles);
    m_Save1 = addItem(m_File1, "Save1", &TfrmMain::Save1Click);
    m_Save1->setShortcut(QKeySequence::Save);
    m_Print1 = addItem(m_File1, "Print1", &TfrmMain::btnPrintClick);
    m_Print1->setShortcut(QKeySequence::Print);
    m_PrinterSetup1 = addItem(m_File1, "PrinterSetup1", &TfrmMain::PrinterSetup1Click);
    m_File1->addSeparator();
    m_Exit1 = addItem(m_File1, "Exit1", &TfrmMain::Exit1Click);
    m_Exit1->setShortcut(QKeySequence::Quit);

    m_RealTime1 = menu("RealTime1");
    m_Run1 = addItem(m_RealTime1, "Run1", &TfrmMain::btnRunClick);
    m_Run1->setShortcut(QKeySequence(Qt::Key_F5));
    m_Stop1 = addItem(m_RealTime1, "Stop1", &TfrmMain::btnStopClick);
    m_Stop1->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F5));
    m_Run1->setEnabled(false); // until a meter answers
    m_Stop1->setEnabled(false);

    m_DataLogger1 = menu("DataLogger1");
    m_LoadData1 = addItem(m_DataLogger1, "LoadData1", &TfrmMain::LoadData1Click);
    m_LoadData1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    m_EraseMemory1 = addItem(m_DataLogger1, "EraseMemory1", &TfrmMain::EraseMemory1Click);
    m_Setup1 = addItem(m_DataLogger1, "Setup1", &TfrmMain::Setup1Click);

    m_LEQ1 = menuBar()->addAction(QStringLiteral("LEQ1"));
    m_LEQ1->setObjectName(QStringLiteral("LEQ1"));
    // A command of the menu bar, which shows no shortcuts: the help page and ql708(1) list it.
    m_LEQ1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    connect(m_LEQ1, &QAction::triggered, this, &TfrmMain::LEQ1Click);

    m_View1 = menu("View1");
    m_ControlPanel1 = addItem(m_View1, "ControlPanel1", &TfrmMain::ControlPanel1Click);
    m_ControlPanel1->setCheckable(true);
    m_ControlPanel1->setChecked(true);
    m_RealTimeGraph1 = addItem(m_View1, "RealTimeGraph1", &TfrmMain::RealTimeGraph1Click);
    m_RealTimeGraph1->setCheckable(true);
    m_RealTimeGraph1->setChecked(true);

    m_Window1 = menu("Window1");
    m_Tile1 = addItem(m_Window1, "Tile1", &TfrmMain::Tile1Click);
    m_Cascade1 = addItem(m_Window1, "Cascade1", &TfrmMain::Cascade1Click);
    m_Window1->addSeparator();
    connect(m_Window1, &QMenu::aboutToShow, this, [this] {
        // The open windows follow the separator, as in any MDI program's Window menu.
        const QList<QAction *> items = m_Window1->actions();
        for (int i = 3; i < items.size(); ++i)
            m_Window1->removeAction(items[i]), items[i]->deleteLater();
        for (QMdiSubWindow *w : m_mdi->subWindowList()) {
            QAction *a = m_Window1->addAction(w->windowTitle());
            a->setCheckable(true);
            a->setChecked(w == m_mdi->activeSubWindow());
            connect(a, &QAction::triggered, m_mdi, [this, w] { m_mdi->setActiveSubWindow(w); });
        }
    });

    m_Help1 = menu("Help1");
    m_Contents1 = addItem(m_Help1, "Contents1", &TfrmMain::Contents1Click);
    m_Contents1->setShortcut(QKeySequence::HelpContents);
    m_About1 = addItem(m_Help1, "About1", &TfrmMain::About1Click);

    // The language menu is hidden; its items work through their shortcuts.
    m_Language1 = new QMenu(QStringLiteral("Language1"), this);
    m_Language1->setObjectName(QStringLiteral("Language1"));
    m_English1 = addItem(m_Language1, "English1", &TfrmMain::English1Click);
    m_French1 = addItem(m_Language1, "French1", &TfrmMain::French1Click);
    m_English1->setText(QStringLiteral("English"));
    m_French1->setText(QStringLiteral("French"));
    m_English1->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_E));
    m_French1->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_F));
    m_English1->setCheckable(true);
    m_French1->setCheckable(true);
    m_English1->setChecked(activeLanguage() == Language::English);
    m_French1->setChecked(activeLanguage() == Language::French);
    addActions({m_English1, m_French1});
}

QAction *TfrmMain::addButton(const char *name, const QString &iconName, QAction *sameAs)
{
    auto *a = m_Panel1->addAction(toolIcon(iconName), QString::fromLatin1(name));
    a->setObjectName(QString::fromLatin1(name));
    if (sameAs) {
        a->setEnabled(sameAs->isEnabled());
        connect(a, &QAction::triggered, sameAs, &QAction::trigger);
        connect(sameAs, &QAction::enabledChanged, a, &QAction::setEnabled);
    } else {
        a->setEnabled(false);
    }
    return a;
}

void TfrmMain::createToolBar()
{
    m_Panel1 = addToolBar(QStringLiteral("Panel1"));
    m_Panel1->setObjectName(QStringLiteral("Panel1"));
    m_Panel1->setMovable(false);
    m_Panel1->setFixedHeight(36);
    m_Panel1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_SpeedButton1 = addButton("SpeedButton1", QStringLiteral("document-open"), m_Open1);
    m_SpeedButton2 = addButton("SpeedButton2", QStringLiteral("document-save"), m_Save1);
    m_btnPrint = addButton("btnPrint", QStringLiteral("document-print"), m_Print1);
    m_btnDataLogger = addButton("btnDataLogger", QStringLiteral("go-down"), m_LoadData1);
    m_btnOutputToGraph = addButton("btnOutputToGraph", QStringLiteral("x-office-spreadsheet"), nullptr);
    m_btnRun = addButton("btnRun", QStringLiteral("media-playback-start"), m_Run1);
    m_btnStop = addButton("btnStop", QStringLiteral("media-playback-stop"), m_Stop1);
    m_SpeedButton8 = addButton("SpeedButton8", QStringLiteral("help-contents"), m_Contents1);
}

void TfrmMain::nameToolBarButtons()
{
    // The buttons show icons only: their hints name them, to screen readers and in the
    // overflow menu of a narrow window.
    for (QAction *a : m_Panel1->actions())
        a->setText(a->toolTip());
}

void TfrmMain::createStatusBar()
{
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    static const int widths[3] = {100, 150, 50};
    for (int i = 0; i < 3; ++i) {
        m_statusPanels[i] = new QLabel(this);
        m_statusPanels[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        m_statusPanels[i]->setFixedWidth(widths[i]);
        bar->addWidget(m_statusPanels[i]);
    }
}

void TfrmMain::fillRecentFiles()
{
    m_RecentFiles1->clear();
    const QStringList files = settings::readRecentFiles();
    for (int i = 0; i < files.size(); ++i) {
        // "&1 name" for the keyboard; the folder in the hint. A file that is gone stays
        // listed, greyed, so that the list does not change under the user's hand.
        const QString &path = files[i];
        QAction *a = m_RecentFiles1->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName().replace(QLatin1Char('&'), QStringLiteral("&&"))));
        a->setToolTip(QDir::toNativeSeparators(path));
        a->setStatusTip(a->toolTip());
        a->setEnabled(QFileInfo(path).isFile() && m_Open1->isEnabled());
        connect(a, &QAction::triggered, this, [this, path] { openFiles({path}); });
    }
    m_RecentFiles1->setEnabled(!files.isEmpty());
    m_RecentFiles1->menuAction()->setEnabled(!files.isEmpty());
}

void TfrmMain::openFiles(const QStringList &paths)
{
    for (const QString &path : paths)
        if (m_Open1->isEnabled())
            m_files->openFile(path);
}

void TfrmMain::dragEnterEvent(QDragEnterEvent *event)
{
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile() && AppOptions::opensFile(url.toLocalFile()) && m_Open1->isEnabled()) {
            event->acceptProposedAction();
            return;
        }
}

void TfrmMain::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls())
        if (url.isLocalFile() && AppOptions::opensFile(url.toLocalFile()))
            paths << url.toLocalFile();
    event->acceptProposedAction();
    // Opened once the drop is over: the opening shows dialogs, which must not run inside it.
    QTimer::singleShot(0, this, [this, paths] { openFiles(paths); });
}

bool TfrmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_mdi->viewport() && event->type() == QEvent::ChildPolished)
        if (auto *w = qobject_cast<QMdiSubWindow *>(static_cast<QChildEvent *>(event)->child()))
            w->setWindowIcon(programIcon());
    return QMainWindow::eventFilter(watched, event);
}

void TfrmMain::setStatus(int panel, const QString &text) { m_statusPanels[panel]->setText(text); }

QString TfrmMain::statusText(int panel) const { return m_statusPanels[panel]->text(); }

TfrmPanel *TfrmMain::panel() const { return m_panel; }

void TfrmMain::FormCreate() { setRealTimeRate(settings::readRealTimeRate()); }

float TfrmMain::realTimeRate() const { return graph::graphState().realTime.RealTimeRate; }

void TfrmMain::setRealTimeRate(float rate) { graph::graphState().realTime.RealTimeRate = rate; }

namespace {
const QString kGeometryKey = QStringLiteral("MainWindow/geometry");
const QString kStateKey = QStringLiteral("MainWindow/state");
} // namespace

void TfrmMain::showAsRemembered()
{
    restoreState(settings::readWindowLayout(kStateKey));
    if (restoreGeometry(settings::readWindowLayout(kGeometryKey))) {
        show();
        return;
    }
    // Without a window manager (a bare X server) maximizing does nothing: start at screen size.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        resize(screen->availableGeometry().size());
    showMaximized();
}

void TfrmMain::FormShow(TfrmAbout *splash)
{
    m_dataFolder = paths::dataFolder();
    createPanel();
    setStatus(0, QString());
    setStatus(1, QStringLiteral("Off Connection"));
    m_panel->setConnected(false);
    // Give the meter a moment after the window appears before the first poll.
    delayMs(500);
    m_MainTimer->start();
    if (splash)
        splash->closeSplash();
    placeRealTimeWindow(m_realTime->CreateRealTimeWindow());
    m_Setup1->setVisible(false);
    m_panel->showTestPattern();
}

void TfrmMain::MainTimerTimer()
{
    // The status is decoded only while the front panel shows it.
    showPollResult(m_meter.tick(m_panel != nullptr));
}

void TfrmMain::readStatusNow()
{
    if (!m_meter.meterConnected())
        return;
    const LinkTakeOver hold(m_meter, MeterLink::kTakeOverLimitMs);
    showPollResult(m_meter.tick(true));
}

void TfrmMain::showPollResult(const PollResult &r)
{
    switch (r.kind) {
    case PollResult::Connected:
        showConnected();
        break;
    case PollResult::Lost:
        showConnectionLost();
        break;
    case PollResult::StatusRead:
        showStatus(r.status);
        break;
    case PollResult::Nothing:
    case PollResult::StatusDropped:
        break;
    }
}

void TfrmMain::showConnectionText()
{
    // "Off Connection" is the same in both languages; the other two follow the language.
    if (!m_connectionKey.isEmpty())
        setStatus(1, ids(kTable, m_connectionKey));
}

void TfrmMain::showConnected()
{
    setStatus(0, QString());
    m_connectionKey = QStringLiteral("IDS_3");
    showConnectionText();
    if (m_panel)
        m_panel->setConnected(true);
    m_DataLogger1->menuAction()->setVisible(true);
    m_DataLogger1->setEnabled(true);
    m_btnDataLogger->setVisible(true);
    m_btnDataLogger->setEnabled(true);
    m_realTime->showRunCommands();
}

void TfrmMain::showConnectionLost()
{
    m_DataLogger1->setEnabled(false);
    m_btnDataLogger->setEnabled(false);
    setStatus(0, QString());
    m_connectionKey = QStringLiteral("IDS_87");
    showConnectionText();
    if (m_panel)
        m_panel->setConnected(false);
    m_realTime->showRunCommands();
}

void TfrmMain::showStatus(const MeterStatus &status)
{
    if (m_panel)
        m_panel->updateStatus(status);
    AppendRealTimePoint(status);
}

void TfrmMain::createPanel()
{
    m_panel = new TfrmPanel;
    m_mdi->addSubWindow(m_panel);
    m_panel->move(0, 0);
    m_panel->setKeySender([this](MeterCommand key) { return m_meter.keyExchange(key); });
    connect(m_panel, &TfrmPanel::closed, this, [this] {
        m_panel = nullptr;
        m_ControlPanel1->setChecked(false);
    });
    connect(m_panel, &TfrmPanel::activated, this, [this] { m_btnOutputToGraph->setEnabled(false); });
    m_panel->show();
    m_ControlPanel1->setChecked(true);
}

void TfrmMain::ControlPanel1Click()
{
    if (m_panel) {
        m_panel->showNormal();
        m_mdi->setActiveSubWindow(m_panel);
        m_ControlPanel1->setChecked(true);
        return;
    }
    createPanel();
    // A fresh panel starts as laid out; it says so at once when no meter is connected.
    m_panel->setConnected(m_meter.meterConnected());
}

namespace {
CloseQuery *closeQueryOf(QMdiSubWindow *w)
{
    if (auto *q = dynamic_cast<CloseQuery *>(w))
        return q;
    return dynamic_cast<CloseQuery *>(w->widget());
}
} // namespace

bool TfrmMain::childrenAgreeToClose()
{
    QList<CloseQuery *> agreed;
    for (QMdiSubWindow *w : m_mdi->subWindowList()) {
        CloseQuery *q = closeQueryOf(w);
        if (!q)
            continue;
        if (!q->askFirst()) {
            for (CloseQuery *a : agreed)
                a->forgetAnswer();
            return false;
        }
        agreed.append(q);
    }
    return true;
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    // A download in progress ends first; its window and data must outlive it.
    if (m_dataLogger->downloading()) {
        event->ignore();
        return;
    }
    // Every child answers its question before any closes; one that refuses keeps them all.
    if (!childrenAgreeToClose()) {
        event->ignore();
        return;
    }
    m_mdi->closeAllSubWindows();
    if (!m_mdi->subWindowList().isEmpty()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

void TfrmMain::FormClose()
{
    m_MainTimer->stop();
    settings::writeRealTimeRate(realTimeRate());
    settings::writeWindowLayout(kGeometryKey, saveGeometry());
    settings::writeWindowLayout(kStateKey, saveState());
}

void TfrmMain::Exit1Click() { close(); }

void TfrmMain::btnRunClick() { m_realTime->btnRunClick(); }

void TfrmMain::btnStopClick() { m_realTime->btnStopClick(); }

void TfrmMain::AppendRealTimePoint(const MeterStatus &status) { m_realTime->AppendRealTimePoint(status); }

void TfrmMain::LoadData1Click() { m_dataLogger->LoadData1Click(); }

void TfrmMain::Open1Click() { m_files->Open1Click(); }

void TfrmMain::Save1Click() { m_files->Save1Click(m_mdi->activeSubWindow()); }

void TfrmMain::LEQ1Click() { m_leq->LEQ1Click(); }

void TfrmMain::btnPrintClick() { m_print->btnPrintClick(); }

void TfrmMain::PrinterSetup1Click() { m_print->PrinterSetup1Click(); }

void TfrmMain::EraseMemory1Click() { m_setupCommands->EraseMemory1Click(); }

void TfrmMain::Setup1Click() { m_setupCommands->Setup1Click(); }

void TfrmMain::Tile1Click() { m_mdi->tileSubWindows(); }

void TfrmMain::Cascade1Click() { m_mdi->cascadeSubWindows(); }

void TfrmMain::Contents1Click() { QDesktopServices::openUrl(QUrl::fromLocalFile(paths::helpFile())); }

void TfrmMain::About1Click()
{
    if (!m_about)
        m_about = new TfrmAbout(this);
    runModal(*m_about);
}

void TfrmMain::English1Click()
{
    m_English1->setChecked(true);
    m_French1->setChecked(false);
    LanguageDispatcher::instance().setLanguage(Language::English);
    settings::writeLanguage(Language::English);
}

void TfrmMain::French1Click()
{
    m_French1->setChecked(true);
    m_English1->setChecked(false);
    LanguageDispatcher::instance().setLanguage(Language::French);
    settings::writeLanguage(Language::French);
}

// The graph windows reach the main window through the one GraphWindows object.
void TfrmMain::connectGraphWindows()
{
    graph::GraphWindows &windows = graph::GraphWindows::instance();
    connect(&windows, &graph::GraphWindows::graphActivated, this, [this] { m_btnOutputToGraph->setEnabled(false); });
    // The window that asked is saved, whichever window is active and whether or not the
    // Save menu item is enabled; it closes only when that save wrote its data.
    windows.saveWindow = [commands = QPointer<FileCommands>(m_files)](graph::TfrmGraph *w) {
        return commands && commands->Save1Click(w);
    };
}

void TfrmMain::RealTimeGraph1Click() { m_realTime->RealTimeGraph1Click(); }

// Beside the front panel, filling the rest of the main window.
void TfrmMain::placeRealTimeWindow(graph::TfrmGraph *w)
{
    const int left = frontPanelWidth();
    w->setGeometry(left, 0, width() - left - 5,
                   height() - m_Panel1->height() - statusBar()->height() - 40);
    m_mdi->setActiveSubWindow(w);
    w->setFocus();
}

int TfrmMain::frontPanelWidth() const
{
    return m_panel ? m_panel->width() : 0;
}

} // namespace ql708
