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

class DataLoggerCommands;
class LeqCommands;
class PrintCommands;
class RealTimeCommands;
class SingleFileCommands;
class SetupCommands;
class TfrmAbout;
class TfrmPanel;
namespace graph {
class TfrmGraph;
}

// The MDI frame: menus, tool bar, status bar, the poll of the meter, and the windows that
// exist from the start.
class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(HidLink &hid, QWidget *parent = nullptr);
    ~TfrmMain() override;

    // Runs the start-up steps that follow the window's first show; closes the splash.
    void FormShow(TfrmAbout *splash = nullptr);

    MeterLink &meter() { return m_meter; }
    // The real-time sampling rate is the one all graph windows share.
    float realTimeRate() const;
    void setRealTimeRate(float rate);
    const QString &dataFolder() const { return m_dataFolder; }
    QMdiArea *mdiArea() const { return m_mdi; }
    QString statusText(int panel) const;
    // The front panel, or nullptr while it is closed.
    TfrmPanel *panel() const;

    QTimer *MainTimer;
    QMenu *File1, *RealTime1, *DataLogger1, *View1, *Window1, *Help1, *Language1;
    QAction *LEQ1; // a command of the menu bar itself
    QAction *Open1, *Save1, *Print1, *PrinterSetup1, *Exit1;
    QAction *Run1, *Stop1, *LoadData1, *EraseMemory1, *Setup1;
    QAction *ControlPanel1, *RealTimeGraph1, *Tile1, *Cascade1, *Contents1, *About1;
    QAction *English1, *French1;
    QToolBar *Panel1;
    QAction *SpeedButton1, *SpeedButton2, *btnPrint, *btnDataLogger, *btnOutputToGraph, *btnRun,
        *btnStop, *SpeedButton8;

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
    // Creates and prepares the real-time graph window; it becomes the one the program keeps.
    graph::TfrmGraph *CreateRealTimeWindow();
    void btnRunClick();
    void btnStopClick();
    // The status decode's last step during a run: the shown level may become a point.
    void AppendRealTimePoint(quint16 shownLevel);
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
    DataLoggerCommands &dataLogger() { return *m_dataLogger; }
    LeqCommands &leqCommands() { return *m_leq; }
    RealTimeCommands &realTime() { return *m_realTime; }
    SingleFileCommands &singleFiles() { return *m_singleFiles; }
    SetupCommands &setupCommands() { return *m_setupCommands; }
    PrintCommands &printCommands() { return *m_print; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormClose();
    // Asks every child its close question; true when all agree.
    bool childrenAgreeToClose();
    void createMenus();
    void createToolBar();
    void nameToolBarButtons();
    void createStatusBar();
    QAction *addItem(QMenu *menu, const char *name, void (TfrmMain::*slot)());
    QAction *addButton(const char *name, const QString &iconName, QAction *sameAs);
    void setStatus(int panel, const QString &text);
    void showConnectionText();
    void showConnected();
    void showConnectionLost();
    void showStatus(const MeterStatus &status);
    void showPollResult(const PollResult &r);
    void createPanel();
    void connectGraphWindows();
    void placeRealTimeWindow(graph::TfrmGraph *window);
    int frontPanelWidth() const;

    MeterLink m_meter;
    QString m_dataFolder;
    QString m_connectionKey; // the table text status panel 1 shows, if any
    QMdiArea *m_mdi;
    QLabel *m_statusPanels[3];
    QPointer<TfrmAbout> m_about;
    QPointer<TfrmPanel> m_panel;
    DataLoggerCommands *m_dataLogger;
    LeqCommands *m_leq;
    RealTimeCommands *m_realTime;
    SingleFileCommands *m_singleFiles;
    SetupCommands *m_setupCommands;
    PrintCommands *m_print;
};

} // namespace ql708
