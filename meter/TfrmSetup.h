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

    // The controls that code outside the window reaches.
    QPushButton *Button1() const { return m_Button1; }
    QPushButton *Button10() const { return m_Button10; }
    QPushButton *Button2() const { return m_Button2; }
    QPushButton *Button3() const { return m_Button3; }
    QPushButton *Button4() const { return m_Button4; }
    QPushButton *Button6() const { return m_Button6; }
    QPushButton *Button7() const { return m_Button7; }
    QLineEdit *edtInt1() const { return m_edtInt1; }
    QLineEdit *edtInt2() const { return m_edtInt2; }
    QLabel *lblQUICKRECOK() const { return m_lblQUICKRECOK; }
    QLineEdit *txtInt() const { return m_txtInt; }
    QLineEdit *txtMeterTime() const { return m_txtMeterTime; }
    QLineEdit *txtQuick_REC_NUM() const { return m_txtQuick_REC_NUM; }
    QLineEdit *txtRAddress() const { return m_txtRAddress; }
    QLineEdit *txtRData() const { return m_txtRData; }
    QLineEdit *txtSN() const { return m_txtSN; }
    QLineEdit *txtVer() const { return m_txtVer; }
    QLineEdit *txtWAddress() const { return m_txtWAddress; }
    QLineEdit *txtWData() const { return m_txtWData; }

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

    QPushButton *m_Button1;  // sets the meter clock to the computer's
    QPushButton *m_Button2;  // sets the recording interval from edtInt1 and edtInt2
    QPushButton *m_Button3;  // erases the logger memory
    QPushButton *m_Button4;  // reads the meter's information into the fields below it
    QPushButton *m_Button6;  // writes txtWData at txtWAddress
    QPushButton *m_Button7;  // reads the byte at txtRAddress into txtRData
    QPushButton *m_Button10; // the quick recording of txtQuick_REC_NUM points at txtInterval
    QLabel *m_lblInterval;   // the interval's format and range, mm:ss
    QLineEdit *m_edtInt1;    // the interval's minutes, two digits
    QLineEdit *m_edtInt2;    // the interval's seconds, two digits
    // The information read, each field named by its label.
    QLabel *m_lblVer, *m_lblMeterTime, *m_lblInt, *m_lblDataSets, *m_lblMemoryAvailable, *m_lblSN, *m_lbl94dB,
        *m_lbl70dB;
    QLineEdit *m_txtVer;             // firmware version
    QLineEdit *m_txtMeterTime;       // the meter's clock
    QLabel *m_lblMeterTimeFormat;    // the format of txtMeterTime
    QLineEdit *m_txtInt;             // recording interval, seconds
    QLineEdit *m_txtDataSets;        // data sets in the memory
    QLineEdit *m_txtMemoryAvailable; // points still free
    QLineEdit *m_txtSN;              // serial number
    QLineEdit *m_txt94dB;            // 94 dB calibration
    QLineEdit *m_txt70dB;            // 70 dB calibration
    QLineEdit *m_txtWAddress;        // the address Button6 writes
    QLineEdit *m_txtWData;           // the byte Button6 writes
    QLineEdit *m_txtRAddress;        // the address Button7 reads
    QLineEdit *m_txtRData;           // the byte Button7 read
    QLabel *m_lblQuickRecNum;        // names txtQuick_REC_NUM
    QLabel *m_lblQuickRecInterval;   // names txtInterval
    QLineEdit *m_txtQuick_REC_NUM;   // the quick recording's points
    QLineEdit *m_txtInterval;        // the quick recording's interval, seconds
    QLabel *m_lblQUICKRECOK;         // the quick recording's outcome, in its colour

    MeterLink &m_link;
    LoggerSetup m_setup;
};

} // namespace ql708
