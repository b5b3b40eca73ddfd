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

    // The controls that code outside the window reaches.
    QPushButton *Button1() const { return m_Button1; }
    QPushButton *Button2() const { return m_Button2; }
    QPushButton *Button3() const { return m_Button3; }
    QTableView *LEQGrid() const { return m_LEQGrid; }
    QTimer *LEQTimer() const { return m_LEQTimer; }
    QPushButton *btnCopySummary() const { return m_btnCopySummary; }
    QPushButton *btnLEQ() const { return m_btnLEQ; }
    QComboBox *cmbTimeSelect() const { return m_cmbTimeSelect; }
    QLineEdit *edtL50() const { return m_edtL50; }
    QLineEdit *edtLEQValue() const { return m_edtLEQValue; }
    QLineEdit *edtLEQrate() const { return m_edtLEQrate; }
    QLineEdit *edtTimeLeft() const { return m_edtTimeLeft; }

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

    QGroupBox *m_GroupBox1;      // Setup: the duration and the commands
    QComboBox *m_cmbTimeSelect;  // the run's duration: a listed one, or seconds typed
    QLabel *m_Label9;            // names cmbTimeSelect
    QPushButton *m_btnLEQ;       // Start
    QPushButton *m_Button1;      // Stop
    QPushButton *m_Button2;      // Save the table
    QPushButton *m_Button3;      // Graph the table
    QGroupBox *m_GroupBox2;      // Status of the run
    QLineEdit *m_edtTimeLeft;    // the run's time left
    QLineEdit *m_edtLEQValue;    // the run's Leq so far
    QLineEdit *m_edtLEQrate;     // the readings a second
    QLabel *m_Label1, *m_Label2, *m_Label3; // name edtLEQrate, edtTimeLeft and edtLEQValue
    QGroupBox *m_GroupBox3;      // Summary of the run
    QLineEdit *m_edtLmax, *m_edtLmin, *m_edtL10, *m_edtL50, *m_edtL90; // its figures
    QLabel *m_Label4, *m_Label5, *m_Label6, *m_Label7, *m_Label8;       // and their names
    QPushButton *m_btnCopySummary; // copies the summary to the clipboard
    QLabel *m_lblLogError;       // why the log file could not be written, when it could not
    QTableView *m_LEQGrid;       // the table of the run's seconds
    QTimer *m_LEQTimer;          // the run's reading beat

    LeqRun m_run;
    LeqTableModel *m_model;
    int m_nextSummaryRows = 0; // the table's size at which the summary is shown anew
};

} // namespace ql708::leq
