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

    // The controls that code outside the window reaches.
    QPushButton *Button1() const { return m_Button1; }
    QPushButton *btnOpenSets() const { return m_btnOpenSets; }
    QPushButton *btnOpenSingleSet() const { return m_btnOpenSingleSet; }

public slots:
    void reject() override { done(Cancel); }

private:
    QPushButton *m_btnOpenSets;      // all data sets: a collection file
    QPushButton *m_btnOpenSingleSet; // one data set: a single file
    QPushButton *m_Button1;          // Cancel
};

} // namespace ql708
