// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ChartModel.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTabWidget;

namespace ql708::chart {

// The chart's options dialog: titles, grid and viewing style, each subset's label, colour and
// line type, and the fonts, on pages that the chart's AllowPage flags switch on. It edits a
// copy of the look; the chart takes look() when the dialog is confirmed.
class ChartOptionsDialog : public QDialog {
    Q_OBJECT
public:
    ChartOptionsDialog(const ChartModel &model, QWidget *parent = nullptr);
    ChartLook look() const { return m_look; }

private:
    QWidget *buildGeneralPage();
    QWidget *buildStylePage();
    QWidget *buildSubsetsPage();
    QWidget *buildFontPage();
    void showSubset(int s);
    void pickColor(quint32 &target, QPushButton *button);
    static void paintSwatch(QPushButton *button, quint32 color);
    void collect();

    ChartLook m_look;
    int m_subsets;
    QTabWidget *tabPages = nullptr;
    QLineEdit *edtMainTitle = nullptr;
    QLineEdit *edtSubTitle = nullptr;
    QLineEdit *edtXAxisLabel = nullptr;
    QComboBox *cboGridStyle = nullptr;
    QComboBox *cboViewingStyle = nullptr;
    QPushButton *btnYAxisColor = nullptr;
    QListWidget *lstSubsets = nullptr;
    QLineEdit *edtSubsetLabel = nullptr;
    QPushButton *btnSubsetColor = nullptr;
    QComboBox *cboLineType = nullptr;
    QFontComboBox *cboTitleFont = nullptr;
    QSpinBox *spnTitleSize = nullptr;
    QCheckBox *chkTitleBold = nullptr;
    QFontComboBox *cboLabelFont = nullptr;
    QSpinBox *spnLabelSize = nullptr;
    QCheckBox *chkLabelBold = nullptr;
};

} // namespace ql708::chart
