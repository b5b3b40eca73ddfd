// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "realtime/DailyFilesOption.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ql708::realtime {

// Asks for a real-time run: the number of points and the sampling rate, with the recording
// period they make, worked out as the fields change, and whether the readings also go to the
// daily files, in which folder. Start accepts, Cancel rejects.
class TfrmSetupRealTime : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSetupRealTime(QWidget *parent = nullptr);

    // The rate as the real-time window's rate box shows it, the rate in force, and the period
    // of the default point count at the rate that Start will take.
    void setUp(const QString &rateText, float rate);
    // The daily files option as the dialog shows it: the folder field and its button are on only
    // while the box is checked.
    void setDailyFiles(const DailyFilesOption &option);
    // The option chosen; the folder as its field names it (see dailyFilesFolder).
    DailyFilesOption dailyFiles() const;

    // The controls that code outside the window reaches.
    QPushButton *Button1() const { return m_Button1; }
    QLabel *Label1() const { return m_Label1; }
    QLabel *Label2() const { return m_Label2; }
    QLabel *Label3() const { return m_Label3; }
    QLabel *Label4() const { return m_Label4; }
    QLabel *Label5() const { return m_Label5; }
    QLabel *Label6() const { return m_Label6; }
    QPushButton *btnBrowseFolder() const { return m_btnBrowseFolder; }
    QPushButton *btnOpenSingleSet() const { return m_btnOpenSingleSet; }
    QCheckBox *chkDailyFiles() const { return m_chkDailyFiles; }
    QLineEdit *edtDailyFolder() const { return m_edtDailyFolder; }
    QLineEdit *edtPeriod() const { return m_edtPeriod; }
    QLineEdit *edtRealTimeNo() const { return m_edtRealTimeNo; }
    QLabel *lblDailyFolder() const { return m_lblDailyFolder; }
    QLabel *lblDailyFilesNote() const { return m_lblDailyFilesNote; }
    QComboBox *txtRate() const { return m_txtRate; }

    // Picks the folder of the daily files in a folder dialog that starts at the one typed.
    void btnBrowseFolderClick();

private:
    // Either field changed: the period follows; a rate that is no number leaves it as it was.
    void fieldsChanged();
    void chkDailyFilesClick();

    QLabel *m_Label1;              // names edtRealTimeNo
    QLabel *m_Label2;              // the hint to adjust the number
    QLabel *m_Label3;              // names txtRate
    QLabel *m_Label4;              // names edtPeriod
    QLabel *m_Label5;              // "second", after txtRate
    QLabel *m_Label6;              // "HH:MM:SS", after edtPeriod
    QLineEdit *m_edtRealTimeNo;    // the number of points of the run
    QLineEdit *m_edtPeriod;        // the period those points take at the rate, read only
    QComboBox *m_txtRate;          // the sampling rate in seconds: one of the seven, or typed
    QCheckBox *m_chkDailyFiles;    // also write the readings to the daily files
    QLabel *m_lblDailyFolder;      // names edtDailyFolder
    QLineEdit *m_edtDailyFolder;   // the folder of the daily files
    QPushButton *m_btnBrowseFolder; // picks that folder
    QLabel *m_lblDailyFilesNote;   // the files go on when the chart is full
    QPushButton *m_btnOpenSingleSet; // Start
    QPushButton *m_Button1;        // Cancel
};

} // namespace ql708::realtime
