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

    QLabel *Label1, *Label2, *Label3, *Label4;
    QPushButton *BitBtn1;
};

QString programVersion();

} // namespace ql708
