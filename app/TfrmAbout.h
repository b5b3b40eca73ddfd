// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace ql708 {

// The about box, also shown as the splash while the program starts.
class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAbout(QWidget *parent = nullptr);

    // The splash shows no OK button and is not modal.
    void showAsSplash();
    // The program is up: the splash's last line empties and the splash closes.
    void closeSplash();

    QLabel *Label3() const { return m_Label3; }

private:
    QLabel *m_Label3;  // the program's name, large
    QLabel *m_Label1;  // "Version:"
    QLabel *m_Label2;  // the version number
    QLabel *m_Label4;  // a line below them, empty once the program has started
    QPushButton *m_BitBtn1; // OK; hidden in the splash
};

QString programVersion();

} // namespace ql708
