// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "meter/MeterStatus.h"
#include "panel/PanelModel.h"

#include <QMdiSubWindow>
#include <QPixmap>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QTimer;
class QToolButton;

namespace ql708 {

class PanelKey;

// The meter's front as an MDI child without a title bar: the live level, clock and
// indicators of the status poll, and click areas over the pictured keys that send the
// meter's key commands. It frees itself when closed.
class TfrmPanel : public QMdiSubWindow {
    Q_OBJECT
public:
    // Sends one key command to the meter; false when the device could not be opened.
    using KeySender = std::function<bool(MeterCommand)>;

    explicit TfrmPanel(QWidget *parent = nullptr);
    ~TfrmPanel() override;

    // Shows a decoded status: indicators, clock, level, MAX/MIN, range and bar.
    void updateStatus(const MeterStatus &status);
    // The level display reads 188.8 until the first status.
    void showTestPattern();
    // "No Connection" shows while the meter is not connected.
    void setConnected(bool connected);
    void setKeySender(KeySender sender) { m_sendKey = std::move(sender); }

    const PanelView &view() const { return m_model.view(); }
    QWidget *client() const { return m_client; }

    QLabel *imgPanel;
    QLabel *MainD1, *MainD2, *MainD3, *MainD4, *imgPoint;
    QLabel *LCDT1, *LCDT2, *LCDT3, *LCDT4, *LCDT5, *LCDT6, *LCDT7, *LCDT8, *Image2, *Image1;
    QLabel *lblRangeLow, *lblRangeHigh, *imgColorBar;
    QLabel *lblMAX, *lblMIN, *lblFAST, *lblSLOW, *lbldBA, *lbldBC;
    QLabel *imgUNDER, *imgOVER, *lblREC, *lblFULL, *imgBat, *lblNoConnection;
    QLabel *lblReading; // what the LCD shows, as text for screen readers
    PanelKey *btnPower, *btnAC, *btnMaxMin, *btnFast, *btnREC, *btnLevel;
    QToolButton *SpeedButton1, *SpeedButton2;
    QMenu *PopupMenu1;
    QAction *Stoprecording1, *recordwithwav1, *recordwithoutwav1;
    QTimer *MaxMinTimer;

signals:
    // The panel became the active window.
    void activated();
    // The panel closed; it is deleted right after.
    void closed();

public slots:
    void btnLevelClick();
    void btnMaxMinClick();
    void btnMaxMinDblClick();
    void btnACClick();
    void btnFastClick();
    void Stoprecording1Click();
    void recordwithwav1Click();
    void recordwithoutwav1Click();
    void btnPowerClick();
    void btnRECClick();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void MaxMinTimerTimer();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createDisplay();
    void createIndicators();
    void createKeys();
    void createButtons();
    QLabel *image(const char *name, const QRect &geometry, const QPixmap &picture = {});
    QLabel *indicator(const char *name, QPoint at, int pixelSize, bool shown);
    PanelKey *key(const char *name, QPoint at, void (TfrmPanel::*handler)());
    void showView();
    void showReading();
    void sendKey(MeterCommand key);
    void FormActivate();

    PanelModel m_model;
    KeySender m_sendKey;
    QWidget *m_client;
    QLabel *m_mainDigits[4];
    QLabel *m_clockDigits[6]; // LCDT3 to LCDT8; LCDT1 and LCDT2 stay empty
    QPixmap m_large[kLargeDigitCount];
    QPixmap m_small[10];
    QPoint m_dragOffset;
    bool m_dragging = false;
};

} // namespace ql708
