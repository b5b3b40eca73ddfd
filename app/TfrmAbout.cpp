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
    Label3 = make("Label3");
    Label1 = make("Label1");
    Label2 = make("Label2");
    Label4 = make("Label4");
    Label3->setText(QStringLiteral("Sound Level Meter Software"));
    QFont big = Label3->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    Label3->setFont(big);
    Label1->setText(QStringLiteral("Version:"));
    Label2->setText(programVersion());
    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    grid->addWidget(Label3, 0, 0, 1, 2);
    grid->addWidget(Label1, 1, 0);
    grid->addWidget(Label2, 1, 1);
    grid->addWidget(Label4, 2, 0, 1, 2);
    grid->addWidget(BitBtn1, 3, 1, Qt::AlignRight);
    setWindowTitle(QStringLiteral("About Sondrix For Sound Level Meter"));
    LanguageDispatcher::instance().attach(this, QStringLiteral("frmAbout"));
}

void TfrmAbout::showAsSplash()
{
    BitBtn1->hide();
    adjustSize();
    if (const QScreen *s = QGuiApplication::primaryScreen())
        move(s->geometry().center() - rect().center());
    show();
    repaint();
    QApplication::processEvents();
}

} // namespace ql708
