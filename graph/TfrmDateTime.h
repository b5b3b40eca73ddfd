// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QDateEdit;
class QLabel;
class QPushButton;
class QTimeEdit;

namespace ql708::graph {

// Asks for a date and a time of day: the new start of a data set.
class TfrmDateTime : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDateTime(QWidget *parent = nullptr);

    QLabel *lblDate, *lblTime;
    QDateEdit *DatePicker;
    QTimeEdit *TimePicker;
    QPushButton *btnOK, *btnCancel;
};

} // namespace ql708::graph
