// SPDX-License-Identifier: GPL-3.0-or-later
#include "realtime/TfrmSetupRealTime.h"

#include "graph/SamplingRate.h"
#include "realtime/RunSetup.h"
#include "widgets/LanguageDispatcher.h"
#include "widgets/Named.h"

#include <QComboBox>
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

} // namespace

TfrmSetupRealTime::TfrmSetupRealTime(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("TfrmSetupRealTime"));
    setWindowTitle(QStringLiteral("Real-Time Setup"));
    edtRealTimeNo = named(new QLineEdit(QString::number(kDefaultCount)), "edtRealTimeNo");
    txtRate = named(new QComboBox, "txtRate");
    txtRate->setEditable(true);
    txtRate->addItems(graph::rateEntryTexts());
    txtRate->setCurrentIndex(0);
    edtPeriod = named(new QLineEdit, "edtPeriod");
    edtPeriod->setReadOnly(true);
    Label1 = named(new QLabel(QStringLiteral("Real-Time data no to be recorded")), "Label1");
    Label2 = named(new QLabel(QStringLiteral("(Adjust the number to meet your need)")), "Label2");
    Label3 = named(new QLabel(QStringLiteral("Real -Time Sampling Rate")), "Label3");
    Label4 = named(new QLabel(QStringLiteral("Recording Period")), "Label4");
    Label5 = named(new QLabel(QStringLiteral("second")), "Label5");
    Label6 = named(new QLabel(QStringLiteral("HH:MM:SS")), "Label6");
    // Each field is named by the label before it.
    Label1->setBuddy(edtRealTimeNo);
    Label3->setBuddy(txtRate);
    Label4->setBuddy(edtPeriod);
    btnOpenSingleSet = named(new QPushButton(QStringLiteral("Start")), "btnOpenSingleSet");
    Button1 = named(new QPushButton(QStringLiteral("Cancel")), "Button1");
    btnOpenSingleSet->setDefault(true);
    connect(btnOpenSingleSet, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button1, &QPushButton::clicked, this, &QDialog::reject);

    auto *g = new QGridLayout(this);
    g->addWidget(Label1, 0, 0);
    g->addWidget(edtRealTimeNo, 0, 1);
    g->addWidget(Label2, 1, 0, 1, 3);
    g->addWidget(Label3, 2, 0);
    g->addWidget(txtRate, 2, 1);
    g->addWidget(Label5, 2, 2);
    g->addWidget(Label4, 3, 0);
    g->addWidget(edtPeriod, 3, 1);
    g->addWidget(Label6, 3, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOpenSingleSet);
    buttons->addWidget(Button1);
    g->addLayout(buttons, 4, 0, 1, 3);
    g->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumSize(kClientSize);

    connect(edtRealTimeNo, &QLineEdit::textChanged, this, &TfrmSetupRealTime::fieldsChanged);
    connect(txtRate, &QComboBox::currentTextChanged, this, &TfrmSetupRealTime::fieldsChanged);
    LanguageDispatcher::instance().attach(this, QStringLiteral("frmSetupRealTime"));
    adjustSize();
    if (const QScreen *s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}

void TfrmSetupRealTime::setUp(const QString &rateText, float rate)
{
    const QSignalBlocker block(txtRate);
    const int entry = txtRate->findText(rateText);
    if (entry >= 0)
        txtRate->setCurrentIndex(entry);
    else
        txtRate->setEditText(rateText);
    // The period of what Start will do: at the rate the list shows, which is the rate in force
    // unless that is none of the list's rates (the first start's 0.2 s shows as 0.5).
    const float shown = samplingRate(rateText).value_or(rate);
    edtPeriod->setText(periodText(periodSeconds(shown, kDefaultCount), PeriodStyle::Unpadded));
}

void TfrmSetupRealTime::fieldsChanged()
{
    const std::optional<float> rate = samplingRate(txtRate->currentText());
    if (!rate)
        return;
    const int count = pointCount(edtRealTimeNo->text()).value_or(0);
    edtPeriod->setText(periodText(periodSeconds(*rate, count), PeriodStyle::Padded));
}

} // namespace ql708::realtime
