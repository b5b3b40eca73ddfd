// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QPushButton;

namespace ql708 {

// The chooser of the Open and Save commands: all data sets as a collection, one data set as
// a file, or Cancel. Closing it counts as Cancel. The command captions the window (and, for
// Open, the first two buttons) itself.
class TfrmOpenSave : public QDialog {
    Q_OBJECT
public:
    enum Result { Sets = 1, Cancel = 2, SingleSet = 7 };

    explicit TfrmOpenSave(QWidget *parent = nullptr);

    QPushButton *btnOpenSets, *btnOpenSingleSet, *Button1;

public slots:
    void reject() override { done(Cancel); }
};

} // namespace ql708
