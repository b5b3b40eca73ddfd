// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "meter/MeterLink.h"

#include <QMainWindow>
#include <QPointer>

class QAction;
class QLabel;
class QMdiArea;
class QMenu;
class QTimer;
class QToolBar;

namespace ql708 {

class FileCommands;
class PrintCommands;
class SetupController;
class SingleFileCommands;
class TfrmAbout;
class TfrmPanel;
namespace datalogger {
class DataLoggerController;
}
namespace graph {
class TfrmGraph;
}
namespace leq {
class LeqController;
}
namespace realtime {
class RealTimeController;
}

// The MDI frame: menus, tool bar, status bar, the poll of the meter, and the windows that
// exist from the start.
class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(HidLink &hid, QWidget *parent = nullptr);
    ~TfrmMain() override;

    // Shows the window as it was when it last closed, else maximized as laid out.
    void showAsRemembered();
    // Runs the start-up steps that follow the window's first show; closes the splash.
    void FormShow(TfrmAbout *splash = nullptr);
    // Opens files as Open would (from the command line, a drop, the recent list), one after
    // the other; nothing while a command holds the Open command back (a download).
    void openFiles(const QStringList &paths);

    MeterLink &meter() { return m_meter; }
    // The real-time sampling rate is the one all graph windows share.
    float realTimeRate() const;
    void setRealTimeRate(float rate);
    const QString &dataFolder() const { return m_dataFolder; }
    QMdiArea *mdiArea() const { return m_mdi; }
    QString statusText(int panel) const;
    // The front panel, or nullptr while it is closed.
    TfrmPanel *panel() const;

    // The controls that code outside the window reaches.
    QAction *ControlPanel1() const { return m_ControlPanel1; }
    QMenu *DataLogger1() const { return m_DataLogger1; }
    QAction *English1() const { return m_English1; }
    QAction *EraseMemory1() const { return m_EraseMemory1; }
    QAction *Exit1() const { return m_Exit1; }
    QMenu *File1() const { return m_File1; }
    QMenu *RecentFiles1() const { return m_RecentFiles1; }
    QAction *French1() const { return m_French1; }
    QAction *LEQ1() const { return m_LEQ1; }
    QAction *LoadData1() const { return m_LoadData1; }
    QTimer *MainTimer() const { return m_MainTimer; }
    QAction *Open1() const { return m_Open1; }
    QToolBar *Panel1() const { return m_Panel1; }
    QAction *Print1() const { return m_Print1; }
    QAction *PrinterSetup1() const { return m_PrinterSetup1; }
    QAction *RealTimeGraph1() const { return m_RealTimeGraph1; }
    QAction *Run1() const { return m_Run1; }
    QAction *Save1() const { return m_Save1; }
    QAction *Setup1() const { return m_Setup1; }
    QAction *Stop1() const { return m_Stop1; }
    QAction *btnDataLogger() const { return m_btnDataLogger; }
    QAction *btnOutputToGraph() const { return m_btnOutputToGraph; }
    QAction *btnPrint() const { return m_btnPrint; }
    QAction *btnRun() const { return m_btnRun; }
    QAction *btnStop() const { return m_btnStop; }

public slots:
    void MainTimerTimer();
    void Exit1Click();
    void ControlPanel1Click();
    void Tile1Click();
    void Cascade1Click();
    void Contents1Click();
    void About1Click();
    void English1Click();
    void French1Click();
    void RealTimeGraph1Click();
    void btnRunClick();
    void btnStopClick();
    // The status decode's last step during a run: its shown level may become a point, and the
    // status a reading of the daily files.
    void AppendRealTimePoint(const MeterStatus &status);
    void LoadData1Click();
    void Open1Click();
    void Save1Click();
    void LEQ1Click();
    void btnPrintClick();
    void PrinterSetup1Click();
    void EraseMemory1Click();
    void Setup1Click();

public:
    // Reads the meter's status at once, whether or not the front panel shows it, so that a
    // command refused while the meter records sees the flag as it is now; shown as a poll
    // tick's would be. Nothing happens while no meter is connected.
    void readStatusNow();
    datalogger::DataLoggerController &dataLogger() { return *m_dataLogger; }
    leq::LeqController &leqCommands() { return *m_leq; }
    realtime::RealTimeController &realTime() { return *m_realTime; }
    FileCommands &files() { return *m_files; }
    SingleFileCommands &singleFiles() { return *m_singleFiles; }
    SetupController &setupCommands() { return *m_setupCommands; }
    PrintCommands &printCommands() { return *m_print; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormCreate();
    void FormClose();
    // Asks every child its close question; true when all agree.
    bool childrenAgreeToClose();
    void createMenus();
    void createToolBar();
    void nameToolBarButtons();
    void createStatusBar();
    void fillRecentFiles();
    QAction *addItem(QMenu *menu, const char *name, void (TfrmMain::*slot)());
    QAction *addButton(const char *name, const QString &iconName, QAction *sameAs);
    void setStatus(int panel, const QString &text);
    void showConnectionText();
    void showConnected();
    void showConnectionLost();
    void showStatus(const MeterStatus &status);
    void showPollResult(const PollResult &r);
    void createPanel();
    void createCommands();
    // The commands that wait while another one holds the link to the meter.
    QList<QObject *> meterCommands() const;
    void connectGraphWindows();
    void placeRealTimeWindow(graph::TfrmGraph *window);
    int frontPanelWidth() const;

    QTimer *m_MainTimer;        // the poll of the meter, every 500 ms
    QMenu *m_File1;             // File
    QAction *m_Open1;           // opens a collection or a single data set file
    QAction *m_Save1;           // saves the active window by its kind
    QAction *m_Print1;          // prints the active window
    QAction *m_PrinterSetup1;   // chooses the printer and its page
    QMenu *m_RecentFiles1;      // the files last opened, the latest first; missing ones greyed
    QAction *m_Exit1;           // closes the program
    QMenu *m_RealTime1;         // Real-Time
    QAction *m_Run1;            // starts a real-time run
    QAction *m_Stop1;           // ends it
    QMenu *m_DataLogger1;       // Data Logger: the logger memory's commands; off once the connection is lost
    QAction *m_LoadData1;       // downloads the logger memory
    QAction *m_EraseMemory1;    // erases it
    QAction *m_Setup1;          // opens the logger setup dialog (hidden; --setup opens it)
    QAction *m_LEQ1;            // opens the LEQ window: a command of the menu bar itself
    QMenu *m_View1;             // View
    QAction *m_ControlPanel1;   // shows the front panel, checked while it is open
    QAction *m_RealTimeGraph1;  // shows the real-time graph window, checked while it is open
    QMenu *m_Window1;           // Window: the arrangements and the open windows
    QAction *m_Tile1;           // tiles the windows
    QAction *m_Cascade1;        // cascades them
    QMenu *m_Help1;             // Help
    QAction *m_Contents1;       // opens the help page
    QAction *m_About1;          // the about box
    QMenu *m_Language1;         // hidden; its items work through their shortcuts
    QAction *m_English1;        // English, Ctrl+Alt+E
    QAction *m_French1;         // French, Ctrl+Alt+F
    QToolBar *m_Panel1;         // the tool bar; its buttons do what the menu item they follow does
    QAction *m_SpeedButton1;    // Open
    QAction *m_SpeedButton2;    // Save
    QAction *m_btnPrint;        // Print
    QAction *m_btnDataLogger;   // Load Data
    QAction *m_btnOutputToGraph; // graphs the active tabular view, while one is active
    QAction *m_btnRun;          // Run
    QAction *m_btnStop;         // Stop
    QAction *m_SpeedButton8;    // the help page

    MeterLink m_meter;
    QString m_dataFolder;
    QString m_connectionKey; // the table text status panel 1 shows, if any
    QMdiArea *m_mdi;
    QLabel *m_statusPanels[3];
    QPointer<TfrmAbout> m_about;
    QPointer<TfrmPanel> m_panel;
    datalogger::DataLoggerController *m_dataLogger;
    leq::LeqController *m_leq;
    realtime::RealTimeController *m_realTime;
    FileCommands *m_files;
    SingleFileCommands *m_singleFiles;
    SetupController *m_setupCommands;
    PrintCommands *m_print;
};

} // namespace ql708
