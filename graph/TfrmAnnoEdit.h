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

    // The controls that code outside the window reaches.
    QPushButton *BitBtn1() const { return m_BitBtn1; }
    QPushButton *BitBtn2() const { return m_BitBtn2; }
    QLineEdit *Edit1() const { return m_Edit1; }

private:
    QLineEdit *m_Edit1;      // the annotation's text
    QPushButton *m_BitBtn1;  // OK
    QPushButton *m_BitBtn2;  // Cancel
};

} // namespace ql708::graph
