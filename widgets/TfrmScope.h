// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace ql708 {

// The range and progress dialog: a command creates it for one use, shows the controls it
// needs (all are hidden at first), gives it its own caption and frees it at its end.
// Range use: shown modally through runModal; the result is OK (1) or Cancel (2).
// Progress use: shown without waiting; the command moves the bar and the counters, and when it
// shows BitBtn2 it reads cancelled() after each step: the button sets Cancel and leaves the
// dialog open.
class TfrmScope : public QDialog {
    Q_OBJECT
public:
    enum Result { OK = 1, Cancel = 2 };

    explicit TfrmScope(QWidget *parent = nullptr);

    // The range group and both buttons, "All" checked, the fields preset.
    void useForRange(const QString &caption, const QString &from, const QString &to);
    // The progress bar from 0 to maximum at 0; the command shows what else it needs.
    void useForProgress(const QString &caption, int maximum);
    // Shows the progress window centred on the screen and paints it at once.
    void showProgress();
    bool cancelled() const { return result() == Cancel; }

    QGroupBox *GroupBox1;
    QRadioButton *radAll, *radNo;
    QLabel *Label1, *Label2;
    QLineEdit *edtSelFrom, *edtSelTo;
    QPushButton *BitBtn1, *BitBtn2;
    QProgressBar *Progress1;
    QLabel *SText1, *SText2, *lblBytesReceived, *lblTotalBytes;

public slots:
    void reject() override;

private:
    void centre();
    bool m_progressUse = false;
};

} // namespace ql708
