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

    // The controls that code outside the window reaches.
    QPushButton *BitBtn1() const { return m_BitBtn1; }
    QPushButton *BitBtn2() const { return m_BitBtn2; }
    QGroupBox *GroupBox1() const { return m_GroupBox1; }
    QProgressBar *Progress1() const { return m_Progress1; }
    QLabel *SText1() const { return m_SText1; }
    QLabel *SText2() const { return m_SText2; }
    QLineEdit *edtSelFrom() const { return m_edtSelFrom; }
    QLineEdit *edtSelTo() const { return m_edtSelTo; }
    QLabel *lblBytesReceived() const { return m_lblBytesReceived; }
    QLabel *lblTotalBytes() const { return m_lblTotalBytes; }
    QRadioButton *radAll() const { return m_radAll; }
    QRadioButton *radNo() const { return m_radNo; }

public slots:
    void reject() override;

private:
    void centre();

    QGroupBox *m_GroupBox1;      // the range: all or a span of rows
    QRadioButton *m_radAll;      // every row
    QRadioButton *m_radNo;       // the rows from edtSelFrom to edtSelTo
    QLabel *m_Label1;            // "from", naming edtSelFrom
    QLabel *m_Label2;            // "to", naming edtSelTo
    QLineEdit *m_edtSelFrom;     // the span's first row, counted from 1
    QLineEdit *m_edtSelTo;       // the span's last row
    QPushButton *m_BitBtn1;      // OK of the range
    QPushButton *m_BitBtn2;      // Cancel of the range, or of a progress that can be broken off
    QProgressBar *m_Progress1;   // how far the command has come
    QLabel *m_SText1;            // progress: what lblBytesReceived counts, or a command's own line
    QLabel *m_SText2;            // progress: what lblTotalBytes counts
    QLabel *m_lblBytesReceived;  // the download's bytes so far
    QLabel *m_lblTotalBytes;     // the download's bytes in all
    bool m_progressUse = false;
};

} // namespace ql708
