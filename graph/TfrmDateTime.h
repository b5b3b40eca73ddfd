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

    // The controls that code outside the window reaches.
    QDateEdit *DatePicker() const { return m_DatePicker; }
    QTimeEdit *TimePicker() const { return m_TimePicker; }

private:
    QLabel *m_lblDate;          // "Date", naming the date field
    QLabel *m_lblTime;          // "Time", naming the time field
    QDateEdit *m_DatePicker;    // the new start's date
    QTimeEdit *m_TimePicker;    // the new start's time of day, to the second
    QPushButton *m_btnOK;       // takes the new start
    QPushButton *m_btnCancel;   // leaves the set as it was
};

} // namespace ql708::graph
