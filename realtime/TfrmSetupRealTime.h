// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ql708::realtime {

// Asks for a real-time run: the number of points and the sampling rate, with the recording
// period they make, worked out as the fields change. Start accepts, Cancel rejects.
class TfrmSetupRealTime : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSetupRealTime(QWidget *parent = nullptr);

    // The rate as the real-time window's rate box shows it, the rate in force, and the period
    // of the default point count at the rate that Start will take.
    void setUp(const QString &rateText, float rate);

    // The controls that code outside the window reaches.
    QPushButton *Button1() const { return m_Button1; }
    QLabel *Label1() const { return m_Label1; }
    QLabel *Label2() const { return m_Label2; }
    QLabel *Label3() const { return m_Label3; }
    QLabel *Label4() const { return m_Label4; }
    QLabel *Label5() const { return m_Label5; }
    QLabel *Label6() const { return m_Label6; }
    QPushButton *btnOpenSingleSet() const { return m_btnOpenSingleSet; }
    QLineEdit *edtPeriod() const { return m_edtPeriod; }
    QLineEdit *edtRealTimeNo() const { return m_edtRealTimeNo; }
    QComboBox *txtRate() const { return m_txtRate; }

private:
    // Either field changed: the period follows; a rate that is no number leaves it as it was.
    void fieldsChanged();

    QLabel *m_Label1;              // names edtRealTimeNo
    QLabel *m_Label2;              // the hint to adjust the number
    QLabel *m_Label3;              // names txtRate
    QLabel *m_Label4;              // names edtPeriod
    QLabel *m_Label5;              // "second", after txtRate
    QLabel *m_Label6;              // "HH:MM:SS", after edtPeriod
    QLineEdit *m_edtRealTimeNo;    // the number of points of the run
    QLineEdit *m_edtPeriod;        // the period those points take at the rate, read only
    QComboBox *m_txtRate;          // the sampling rate in seconds: one of the seven, or typed
    QPushButton *m_btnOpenSingleSet; // Start
    QPushButton *m_Button1;        // Cancel
};

} // namespace ql708::realtime
