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
    Edit1 = new QLineEdit;
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setFixedWidth(297);
    const DialogButtons buttons = dialogButtons(*this, QStringLiteral("OK"), QStringLiteral("Cancel"));
    BitBtn1 = buttons.accept;
    BitBtn2 = buttons.reject;
    BitBtn1->setDefault(true);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Edit1);
    layout->addLayout(buttons.row);
    LanguageDispatcher::instance().attach(this, QStringLiteral("frmAnnoEdit"));
}

} // namespace ql708::graph
