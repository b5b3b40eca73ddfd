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

    // The controls that code outside the window reaches.
    QTimer *MaxMinTimer() const { return m_MaxMinTimer; }
    QMenu *PopupMenu1() const { return m_PopupMenu1; }
    QToolButton *SpeedButton1() const { return m_SpeedButton1; }
    QToolButton *SpeedButton2() const { return m_SpeedButton2; }
    PanelKey *btnMaxMin() const { return m_btnMaxMin; }
    PanelKey *btnPower() const { return m_btnPower; }
    QLabel *lblMAX() const { return m_lblMAX; }
    QLabel *lblMIN() const { return m_lblMIN; }
    QLabel *lblNoConnection() const { return m_lblNoConnection; }
    QLabel *lblREC() const { return m_lblREC; }
    QLabel *lblReading() const { return m_lblReading; }
    QLabel *lbldBA() const { return m_lbldBA; }

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

    QLabel *m_imgPanel;    // the meter's front, drawn
    // The level's four large digits, tens of dB to tenths, and the decimal point between.
    QLabel *m_MainD1, *m_MainD2, *m_MainD3, *m_MainD4, *m_imgPoint;
    // The clock's small digits (LCDT1 and LCDT2 stay empty), its two colons, and the battery.
    QLabel *m_LCDT1, *m_LCDT2, *m_LCDT3, *m_LCDT4, *m_LCDT5, *m_LCDT6, *m_LCDT7, *m_LCDT8, *m_Image2, *m_Image1;
    QLabel *m_imgBat;
    QLabel *m_lblRangeLow, *m_lblRangeHigh; // the measuring range's ends, over the bar
    QLabel *m_imgColorBar;                  // the level bar, as wide as the level
    QLabel *m_lblMAX, *m_lblMIN;            // MAX/MIN: which is held, blinking in turn
    QLabel *m_lblFAST, *m_lblSLOW;          // the time weighting
    QLabel *m_lbldBA, *m_lbldBC;            // the frequency weighting
    QLabel *m_imgUNDER, *m_imgOVER;         // the level is under or over the range
    QLabel *m_lblREC, *m_lblFULL;           // the logger records; its memory is full
    QLabel *m_lblNoConnection;              // "No Connection" while no meter answers
    QLabel *m_lblReading;                   // what the LCD shows, as text for screen readers
    // The meter's keys, drawn on its front: power (closes the panel), A/C, MAX/MIN, FAST/SLOW,
    // REC (its menu) and LEVEL (the range).
    PanelKey *m_btnPower, *m_btnAC, *m_btnMaxMin, *m_btnFast, *m_btnREC, *m_btnLevel;
    QToolButton *m_SpeedButton1; // minimizes the panel
    QToolButton *m_SpeedButton2; // closes the panel
    QMenu *m_PopupMenu1;         // REC's menu: the recording commands
    QAction *m_Stoprecording1;   // stops the logger's recording
    QAction *m_recordwithwav1;   // records with a WAV recording
    QAction *m_recordwithoutwav1; // records without one
    QTimer *m_MaxMinTimer;       // blinks MAX and MIN while both are held

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
