// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "leq/LeqRun.h"

#include <QMdiSubWindow>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTimer;

namespace ql708 {
class MeterLink;
}

namespace ql708::leq {

class LeqTableModel;

// The LEQ window: the duration, Start and Stop, the time left and the Leq of the run, the
// run's summary figures, and the table of its seconds, which can be saved and graphed. The
// window runs the measurement on its timer; closing it ends the run.
class TfrmLEQ : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit TfrmLEQ(MeterLink &link, QWidget *parent = nullptr);
    ~TfrmLEQ() override;

    const LeqRun &run() const { return m_run; }
    const LeqTable &table() const { return m_run.table(); }
    // The run's summary as text, labelled in the active language.
    QString summary() const;

    QGroupBox *GroupBox1, *GroupBox2, *GroupBox3;
    QComboBox *cmbTimeSelect;
    QPushButton *btnLEQ, *Button1, *Button2, *Button3, *btnCopySummary;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label9, *lblLogError;
    QLineEdit *edtLEQValue, *edtTimeLeft, *edtLEQrate;
    QLineEdit *edtLmax, *edtLmin, *edtL10, *edtL50, *edtL90;
    QTableView *LEQGrid;
    QTimer *LEQTimer;

signals:
    // A run started (also over a running one) or ended: the link is held while it runs.
    void runningChanged(bool running);
    // Save: the main window writes the table as a table text file.
    void saveRequested();

public slots:
    void btnLEQClick();
    void Button1Click();
    void Button3Click();
    void btnCopySummaryClick();
    void LEQTimerTimer();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QWidget *createSetup();
    QWidget *createStatus();
    QWidget *createSummary();
    void sizeColumns();
    // Which duration Start uses: the selected entry's, none when text was typed instead.
    std::optional<int> selectedDuration() const;
    void endRun();
    void showSecond();
    void showSummary();
    void showLogError();
    void FormClose();

    LeqRun m_run;
    LeqTableModel *m_model;
    int m_nextSummaryRows = 0; // the table's size at which the summary is shown anew
};

} // namespace ql708::leq
