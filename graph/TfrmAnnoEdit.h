// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace ql708::graph {

// Asks for the text of a text annotation: one field, OK and Cancel. No caption; stays on top.
class TfrmAnnoEdit : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAnnoEdit(QWidget *parent = nullptr);

    QLineEdit *Edit1;
    QPushButton *BitBtn1; // OK
    QPushButton *BitBtn2; // Cancel
};

} // namespace ql708::graph
