// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "meter/LoggerSetup.h"

#include <QMdiSubWindow>

class QLabel;
class QLineEdit;
class QPushButton;

namespace ql708 {

// The data logger setup dialog, an MDI child that frees itself when closed: the meter clock,
// the recording interval, the erase, the meter's information, single memory bytes and the
// quick recording. Each button runs one command of LoggerSetup and shows its result.
class TfrmSetup : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit TfrmSetup(MeterLink &link, QWidget *parent = nullptr);

    QPushButton *Button1, *Button2, *Button3, *Button4, *Button6, *Button7, *Button10;
    QLabel *lblInterval;
    QLineEdit *edtInt1, *edtInt2;
    QLabel *lblVer, *lblMeterTime, *lblMeterTimeFormat, *lblInt, *lblDataSets, *lblMemoryAvailable, *lblSN,
        *lbl94dB, *lbl70dB;
    QLineEdit *txtVer, *txtMeterTime, *txtInt, *txtDataSets, *txtMemoryAvailable, *txtSN, *txt94dB, *txt70dB;
    QLineEdit *txtWAddress, *txtWData, *txtRAddress, *txtRData;
    QLabel *lblQuickRecNum, *lblQuickRecInterval;
    QLineEdit *txtQuick_REC_NUM, *txtInterval;
    QLabel *lblQUICKRECOK;

public slots:
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    void Button6Click();
    void Button7Click();
    void Button10Click();

private:
    QWidget *buildClock();
    QWidget *buildInformation();
    QWidget *buildMemoryBytes();
    QWidget *buildQuickRecording();
    void nameFieldsByHints();
    // The whole number in a field, from min to max; shows why not and gives false otherwise.
    bool readField(QLineEdit *field, qint64 min, qint64 max, qint64 &out);
    void showQuickResult(const QString &text, const QColor &color);
    void say(const QString &text);

    MeterLink &m_link;
    LoggerSetup m_setup;
};

} // namespace ql708
