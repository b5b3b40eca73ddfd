// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TfrmOpenSave.h"

#include "widgets/LanguageDispatcher.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace ql708 {

TfrmOpenSave::TfrmOpenSave(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmOpenSave"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    auto button = [this](const char *name, const QString &text, int result) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setMinimumWidth(420);
        connect(b, &QPushButton::clicked, this, [this, result] { done(result); });
        return b;
    };
    m_btnOpenSets = button("btnOpenSets", QStringLiteral("Save all data sets to a data set collection file(*.set)"), Sets);
    m_btnOpenSingleSet = button("btnOpenSingleSet", QStringLiteral("Save single selected  data set to a  file"), SingleSet);
    m_Button1 = button("Button1", QStringLiteral("Cancel"), Cancel);
    auto *v = new QVBoxLayout(this);
    v->setSizeConstraint(QLayout::SetFixedSize);
    v->addWidget(m_btnOpenSets);
    v->addWidget(m_btnOpenSingleSet);
    v->addWidget(m_Button1);
    LanguageDispatcher::instance().attach(this, QStringLiteral("frmOpenSave"));
    adjustSize();
    if (const QScreen *s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}

} // namespace ql708
