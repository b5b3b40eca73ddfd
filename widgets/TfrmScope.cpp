// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TfrmScope.h"

#include "widgets/LanguageDispatcher.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace ql708 {

namespace {

template <typename W>
W *named(W *w, const char *name)
{
    w->setObjectName(QString::fromLatin1(name));
    w->hide();
    return w;
}

} // namespace

TfrmScope::TfrmScope(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TfrmScope"));
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);

    GroupBox1 = named(new QGroupBox, "GroupBox1");
    radAll = new QRadioButton(QStringLiteral("&All"));
    radAll->setObjectName(QStringLiteral("radAll"));
    radAll->setChecked(true);
    radNo = new QRadioButton(QStringLiteral("&Select"));
    radNo->setObjectName(QStringLiteral("radNo"));
    edtSelFrom = new QLineEdit;
    edtSelFrom->setObjectName(QStringLiteral("edtSelFrom"));
    edtSelTo = new QLineEdit;
    edtSelTo->setObjectName(QStringLiteral("edtSelTo"));
    Label1 = new QLabel(QStringLiteral("&from"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setBuddy(edtSelFrom);
    Label2 = new QLabel(QStringLiteral("&to"));
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setBuddy(edtSelTo);
    auto *range = new QGridLayout(GroupBox1);
    range->addWidget(radAll, 0, 0, 1, 4);
    range->addWidget(radNo, 1, 0);
    range->addWidget(Label1, 1, 1);
    range->addWidget(edtSelFrom, 1, 2);
    range->addWidget(Label2, 1, 3);
    range->addWidget(edtSelTo, 1, 4);

    Progress1 = named(new QProgressBar, "Progress1");
    Progress1->setMinimumWidth(300);
    Progress1->setTextVisible(true);
    SText1 = named(new QLabel(QStringLiteral("bytes received")), "SText1");
    SText2 = named(new QLabel(QStringLiteral("total bytes")), "SText2");
    lblBytesReceived = named(new QLabel, "lblBytesReceived");
    lblTotalBytes = named(new QLabel, "lblTotalBytes");
    auto *counters = new QGridLayout;
    counters->addWidget(lblBytesReceived, 0, 0, Qt::AlignRight);
    counters->addWidget(SText1, 0, 1);
    counters->addWidget(lblTotalBytes, 1, 0, Qt::AlignRight);
    counters->addWidget(SText2, 1, 1);
    counters->setColumnStretch(1, 1);

    BitBtn1 = named(new QPushButton(QStringLiteral("OK")), "BitBtn1");
    BitBtn2 = named(new QPushButton(QStringLiteral("Cancel")), "BitBtn2");
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, [this] { done(OK); });
    connect(BitBtn2, &QPushButton::clicked, this, &TfrmScope::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);

    auto *v = new QVBoxLayout(this);
    v->setSizeConstraint(QLayout::SetFixedSize);
    v->addWidget(GroupBox1);
    v->addWidget(Progress1);
    v->addLayout(counters);
    v->addLayout(buttons);
    setWindowTitle(QStringLiteral("Print Range"));
    LanguageDispatcher::instance().attach(this, QStringLiteral("frmScope"));
}

void TfrmScope::useForRange(const QString &caption, const QString &from, const QString &to)
{
    m_progressUse = false;
    setWindowTitle(caption);
    edtSelFrom->setText(from);
    edtSelTo->setText(to);
    for (QWidget *w : {static_cast<QWidget *>(GroupBox1), static_cast<QWidget *>(BitBtn1), static_cast<QWidget *>(BitBtn2)})
        w->show();
    centre();
}

void TfrmScope::useForProgress(const QString &caption, int maximum)
{
    m_progressUse = true;
    setWindowTitle(caption);
    Progress1->setRange(0, maximum);
    Progress1->setValue(0);
    Progress1->show();
}

void TfrmScope::showProgress()
{
    centre();
    show();
    repaint();
}

void TfrmScope::centre()
{
    adjustSize();
    if (const QScreen *s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - rect().center());
}

void TfrmScope::reject()
{
    if (!m_progressUse) {
        done(Cancel);
        return;
    }
    // A transfer cannot be broken off unless its window offers Cancel; the window stays open
    // until the command closes it.
    if (BitBtn2->isVisible())
        setResult(Cancel);
}

} // namespace ql708
