// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/TfrmAnnoEdit.h"

#include "widgets/LanguageDispatcher.h"
#include "graph/DialogButtons.h"

#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ql708::graph {

TfrmAnnoEdit::TfrmAnnoEdit(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TfrmAnnoEdit"));
    m_Edit1 = new QLineEdit;
    m_Edit1->setObjectName(QStringLiteral("Edit1"));
    m_Edit1->setFixedWidth(297);
    const DialogButtons buttons = dialogButtons(*this, QStringLiteral("OK"), QStringLiteral("Cancel"));
    m_BitBtn1 = buttons.accept;
    m_BitBtn2 = buttons.reject;
    m_BitBtn1->setDefault(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_Edit1);
    layout->addLayout(buttons.row);
    LanguageDispatcher::instance().attach(this, QStringLiteral("frmAnnoEdit"));
}

} // namespace ql708::graph
