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

    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6;
    QLineEdit *edtRealTimeNo, *edtPeriod;
    QComboBox *txtRate;
    QPushButton *btnOpenSingleSet, *Button1;

private:
    // Either field changed: the period follows; a rate that is no number leaves it as it was.
    void fieldsChanged();
};

} // namespace ql708::realtime
