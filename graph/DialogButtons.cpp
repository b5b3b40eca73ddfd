// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/DialogButtons.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>

namespace ql708::graph {

DialogButtons dialogButtons(QDialog &dialog, const QString &acceptText, const QString &rejectText)
{
    DialogButtons b{new QPushButton(acceptText), new QPushButton(rejectText), new QHBoxLayout};
    b.accept->setObjectName(QStringLiteral("BitBtn1"));
    b.reject->setObjectName(QStringLiteral("BitBtn2"));
    QObject::connect(b.accept, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(b.reject, &QPushButton::clicked, &dialog, &QDialog::reject);
    b.row->addStretch();
    b.row->addWidget(b.accept);
    b.row->addWidget(b.reject);
    return b;
}

} // namespace ql708::graph
