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
    m_DatePicker = new QDateEdit(this);
    m_DatePicker->setObjectName(QStringLiteral("DatePicker"));
    m_DatePicker->setCalendarPopup(true);
    m_TimePicker = new QTimeEdit(this);
    m_TimePicker->setObjectName(QStringLiteral("TimePicker"));
    m_TimePicker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    m_lblDate = new QLabel(QStringLiteral("&Date"), this);
    m_lblDate->setObjectName(QStringLiteral("lblDate"));
    m_lblDate->setBuddy(m_DatePicker);
    m_lblTime = new QLabel(QStringLiteral("&Time"), this);
    m_lblTime->setObjectName(QStringLiteral("lblTime"));
    m_lblTime->setBuddy(m_TimePicker);
    m_btnOK = new QPushButton(QStringLiteral("OK"), this);
    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnOK->setDefault(true);
    m_btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(m_btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *grid = new QGridLayout(this);
    grid->addWidget(m_lblDate, 0, 0);
    grid->addWidget(m_DatePicker, 0, 1);
    grid->addWidget(m_lblTime, 1, 0);
    grid->addWidget(m_TimePicker, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_btnOK);
    buttons->addWidget(m_btnCancel);
    grid->addLayout(buttons, 2, 0, 1, 2);
    LanguageDispatcher::instance().attach(this, QStringLiteral("frmDateTime"));
}

} // namespace ql708::graph
