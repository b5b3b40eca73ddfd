// SPDX-License-Identifier: GPL-3.0-or-later
#include "realtime/TfrmSetupRealTime.h"

#include "common/StringTable.h"
#include "graph/SamplingRate.h"
#include "realtime/RunSetup.h"
#include "widgets/LanguageDispatcher.h"
#include "widgets/ModalRunner.h"
#include "widgets/Named.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>

namespace ql708::realtime {

namespace {

constexpr int kDefaultCount = 2000;
const QSize kClientSize(407, 169);
constexpr int kFolderChars = 40; // the folder field shows a path this long

} // namespace

TfrmSetupRealTime::TfrmSetupRealTime(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("TfrmSetupRealTime"));
    setWindowTitle(QStringLiteral("Real-Time Setup"));
    m_edtRealTimeNo = named(new QLineEdit(QString::number(kDefaultCount)), "edtRealTimeNo");
    m_txtRate = named(new QComboBox, "txtRate");
    m_txtRate->setEditable(true);
    m_txtRate->addItems(graph::rateEntryTexts());
    m_txtRate->setCurrentIndex(0);
    m_edtPeriod = named(new QLineEdit, "edtPeriod");
    m_edtPeriod->setReadOnly(true);
    m_Label1 = named(new QLabel(QStringLiteral("Real-Time data no to be recorded")), "Label1");
    m_Label2 = named(new QLabel(QStringLiteral("(Adjust the number to meet your need)")), "Label2");
    m_Label3 = named(new QLabel(QStringLiteral("Real -Time Sampling Rate")), "Label3");
    m_Label4 = named(new QLabel(QStringLiteral("Recording Period")), "Label4");
    m_Label5 = named(new QLabel(QStringLiteral("second")), "Label5");
    m_Label6 = named(new QLabel(QStringLiteral("HH:MM:SS")), "Label6");
    // Each field is named by the label before it.
    m_Label1->setBuddy(m_edtRealTimeNo);
    m_Label3->setBuddy(m_txtRate);
    m_Label4->setBuddy(m_edtPeriod);
    m_chkDailyFiles = named(new QCheckBox(QStringLiteral("Also write the readings to the daily files")), "chkDailyFiles");
    m_lblDailyFolder = named(new QLabel(QStringLiteral("Folder")), "lblDailyFolder");
    m_edtDailyFolder = named(new QLineEdit, "edtDailyFolder");
    m_lblDailyFolder->setBuddy(m_edtDailyFolder);
    m_btnBrowseFolder = named(new QPushButton(QStringLiteral("Browse...")), "btnBrowseFolder");
    m_lblDailyFilesNote = named(new QLabel(QStringLiteral("When the chart is full, the files go on until Stop.")),
                                "lblDailyFilesNote");
    connect(m_chkDailyFiles, &QCheckBox::toggled, this, &TfrmSetupRealTime::chkDailyFilesClick);
    connect(m_btnBrowseFolder, &QPushButton::clicked, this, &TfrmSetupRealTime::btnBrowseFolderClick);
    m_btnOpenSingleSet = named(new QPushButton(QStringLiteral("Start")), "btnOpenSingleSet");
    m_Button1 = named(new QPushButton(QStringLiteral("Cancel")), "Button1");
    m_btnOpenSingleSet->setDefault(true);
    connect(m_btnOpenSingleSet, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_Button1, &QPushButton::clicked, this, &QDialog::reject);

    auto *g = new QGridLayout(this);
    g->addWidget(m_Label1, 0, 0);
    g->addWidget(m_edtRealTimeNo, 0, 1);
    g->addWidget(m_Label2, 1, 0, 1, 3);
    g->addWidget(m_Label3, 2, 0);
    g->addWidget(m_txtRate, 2, 1);
    g->addWidget(m_Label5, 2, 2);
    g->addWidget(m_Label4, 3, 0);
    g->addWidget(m_edtPeriod, 3, 1);
    g->addWidget(m_Label6, 3, 2);
    g->addWidget(m_chkDailyFiles, 4, 0, 1, 3);
    // A path is longer than the numbers above: its row has a width of its own.
    auto *folderRow = new QHBoxLayout;
    folderRow->addWidget(m_lblDailyFolder);
    folderRow->addWidget(m_edtDailyFolder, 1);
    folderRow->addWidget(m_btnBrowseFolder);
    m_edtDailyFolder->setMinimumWidth(m_edtDailyFolder->fontMetrics().averageCharWidth() * kFolderChars);
    g->addLayout(folderRow, 5, 0, 1, 3);
    g->addWidget(m_lblDailyFilesNote, 6, 0, 1, 3);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnOpenSingleSet);
    buttons->addWidget(m_Button1);
    g->addLayout(buttons, 7, 0, 1, 3);
    g->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumSize(kClientSize);

    connect(m_edtRealTimeNo, &QLineEdit::textChanged, this, &TfrmSetupRealTime::fieldsChanged);
    connect(m_txtRate, &QComboBox::currentTextChanged, this, &TfrmSetupRealTime::fieldsChanged);
    setDailyFiles({false, defaultDailyFilesFolder()});
    LanguageDispatcher::instance().attach(this, QStringLiteral("frmSetupRealTime"));
    adjustSize();
    if (const QScreen *s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}

void TfrmSetupRealTime::setUp(const QString &rateText, float rate)
{
    const QSignalBlocker block(m_txtRate);
    const int entry = m_txtRate->findText(rateText);
    if (entry >= 0)
        m_txtRate->setCurrentIndex(entry);
    else
        m_txtRate->setEditText(rateText);
    // The period of what Start will do: at the rate the list shows, which is the rate in force
    // unless that is none of the list's rates (the first start's 0.2 s shows as 0.5).
    const float shown = samplingRate(rateText).value_or(rate);
    m_edtPeriod->setText(periodText(periodSeconds(shown, kDefaultCount), PeriodStyle::Unpadded));
}

void TfrmSetupRealTime::fieldsChanged()
{
    const std::optional<float> rate = samplingRate(m_txtRate->currentText());
    if (!rate)
        return;
    const int count = pointCount(m_edtRealTimeNo->text()).value_or(0);
    m_edtPeriod->setText(periodText(periodSeconds(*rate, count), PeriodStyle::Padded));
}

void TfrmSetupRealTime::setDailyFiles(const DailyFilesOption &option)
{
    m_edtDailyFolder->setText(option.folder);
    m_chkDailyFiles->setChecked(option.on);
    chkDailyFilesClick();
}

DailyFilesOption TfrmSetupRealTime::dailyFiles() const
{
    return {m_chkDailyFiles->isChecked(), dailyFilesFolder(m_edtDailyFolder->text())};
}

void TfrmSetupRealTime::chkDailyFilesClick()
{
    const bool on = m_chkDailyFiles->isChecked();
    m_lblDailyFolder->setEnabled(on);
    m_edtDailyFolder->setEnabled(on);
    m_btnBrowseFolder->setEnabled(on);
}

void TfrmSetupRealTime::btnBrowseFolderClick()
{
    const QString typed = dailyFilesFolder(m_edtDailyFolder->text());
    QFileDialog d(this, ids(QStringLiteral("frmSetupRealTime"), QStringLiteral("IDS_3")),
                  typed.isEmpty() ? defaultDailyFilesFolder() : typed);
    d.setFileMode(QFileDialog::Directory);
    d.setOption(QFileDialog::ShowDirsOnly);
    if (runModal(d) == QDialog::Accepted && !d.selectedFiles().isEmpty())
        m_edtDailyFolder->setText(QDir::toNativeSeparators(d.selectedFiles().constFirst()));
}

} // namespace ql708::realtime
