// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TfrmAbout.h"

#include "widgets/LanguageDispatcher.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace ql708 {

QString programVersion() { return QStringLiteral(QL708_VERSION); }

TfrmAbout::TfrmAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmAbout"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint |
                   Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose);
    auto *grid = new QGridLayout(this);
    auto make = [this](const char *name) {
        auto *l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    m_Label3 = make("Label3");
    m_Label1 = make("Label1");
    m_Label2 = make("Label2");
    m_Label4 = make("Label4");
    m_Label3->setText(QStringLiteral("Sound Level Meter Software"));
    QFont big = m_Label3->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    m_Label3->setFont(big);
    m_Label1->setText(QStringLiteral("Version:"));
    m_Label2->setText(programVersion());
    m_BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    m_BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    connect(m_BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    grid->addWidget(m_Label3, 0, 0, 1, 2);
    grid->addWidget(m_Label1, 1, 0);
    grid->addWidget(m_Label2, 1, 1);
    grid->addWidget(m_Label4, 2, 0, 1, 2);
    grid->addWidget(m_BitBtn1, 3, 1, Qt::AlignRight);
    setWindowTitle(QStringLiteral("About Sondrix For Sound Level Meter"));
    LanguageDispatcher::instance().attach(this, QStringLiteral("frmAbout"));
}

void TfrmAbout::showAsSplash()
{
    m_BitBtn1->hide();
    adjustSize();
    if (const QScreen *s = QGuiApplication::primaryScreen())
        move(s->geometry().center() - rect().center());
    show();
    repaint();
    QApplication::processEvents();
}

void TfrmAbout::closeSplash()
{
    m_Label4->clear();
    close();
}

} // namespace ql708
