// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/TfrmDateTime.h"

#include "widgets/LanguageDispatcher.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimeEdit>

namespace ql708::graph {

TfrmDateTime::TfrmDateTime(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmDateTime"));
    setWindowTitle(QStringLiteral("Date Time"));
    DatePicker = new QDateEdit(this);
    DatePicker->setObjectName(QStringLiteral("DatePicker"));
    DatePicker->setCalendarPopup(true);
    TimePicker = new QTimeEdit(this);
    TimePicker->setObjectName(QStringLiteral("TimePicker"));
    TimePicker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    lblDate = new QLabel(QStringLiteral("&Date"), this);
    lblDate->setObjectName(QStringLiteral("lblDate"));
    lblDate->setBuddy(DatePicker);
    lblTime = new QLabel(QStringLiteral("&Time"), this);
    lblTime->setObjectName(QStringLiteral("lblTime"));
    lblTime->setBuddy(TimePicker);
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *grid = new QGridLayout(this);
    grid->addWidget(lblDate, 0, 0);
    grid->addWidget(DatePicker, 0, 1);
    grid->addWidget(lblTime, 1, 0);
    grid->addWidget(TimePicker, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    grid->addLayout(buttons, 2, 0, 1, 2);
    LanguageDispatcher::instance().attach(this, QStringLiteral("frmDateTime"));
}

} // namespace ql708::graph
