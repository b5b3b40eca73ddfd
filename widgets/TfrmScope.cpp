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

    m_GroupBox1 = named(new QGroupBox, "GroupBox1");
    m_radAll = new QRadioButton(QStringLiteral("&All"));
    m_radAll->setObjectName(QStringLiteral("radAll"));
    m_radAll->setChecked(true);
    m_radNo = new QRadioButton(QStringLiteral("&Select"));
    m_radNo->setObjectName(QStringLiteral("radNo"));
    m_edtSelFrom = new QLineEdit;
    m_edtSelFrom->setObjectName(QStringLiteral("edtSelFrom"));
    m_edtSelTo = new QLineEdit;
    m_edtSelTo->setObjectName(QStringLiteral("edtSelTo"));
    m_Label1 = new QLabel(QStringLiteral("&from"));
    m_Label1->setObjectName(QStringLiteral("Label1"));
    m_Label1->setBuddy(m_edtSelFrom);
    m_Label2 = new QLabel(QStringLiteral("&to"));
    m_Label2->setObjectName(QStringLiteral("Label2"));
    m_Label2->setBuddy(m_edtSelTo);
    auto *range = new QGridLayout(m_GroupBox1);
    range->addWidget(m_radAll, 0, 0, 1, 4);
    range->addWidget(m_radNo, 1, 0);
    range->addWidget(m_Label1, 1, 1);
    range->addWidget(m_edtSelFrom, 1, 2);
    range->addWidget(m_Label2, 1, 3);
    range->addWidget(m_edtSelTo, 1, 4);

    m_Progress1 = named(new QProgressBar, "Progress1");
    m_Progress1->setMinimumWidth(300);
    m_Progress1->setTextVisible(true);
    m_SText1 = named(new QLabel(QStringLiteral("bytes received")), "SText1");
    m_SText2 = named(new QLabel(QStringLiteral("total bytes")), "SText2");
    m_lblBytesReceived = named(new QLabel, "lblBytesReceived");
    m_lblTotalBytes = named(new QLabel, "lblTotalBytes");
    auto *counters = new QGridLayout;
    counters->addWidget(m_lblBytesReceived, 0, 0, Qt::AlignRight);
    counters->addWidget(m_SText1, 0, 1);
    counters->addWidget(m_lblTotalBytes, 1, 0, Qt::AlignRight);
    counters->addWidget(m_SText2, 1, 1);
    counters->setColumnStretch(1, 1);

    m_BitBtn1 = named(new QPushButton(QStringLiteral("OK")), "BitBtn1");
    m_BitBtn2 = named(new QPushButton(QStringLiteral("Cancel")), "BitBtn2");
    m_BitBtn1->setDefault(true);
    connect(m_BitBtn1, &QPushButton::clicked, this, [this] { done(OK); });
    connect(m_BitBtn2, &QPushButton::clicked, this, &TfrmScope::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_BitBtn1);
    buttons->addWidget(m_BitBtn2);

    auto *v = new QVBoxLayout(this);
    v->setSizeConstraint(QLayout::SetFixedSize);
    v->addWidget(m_GroupBox1);
    v->addWidget(m_Progress1);
    v->addLayout(counters);
    v->addLayout(buttons);
    setWindowTitle(QStringLiteral("Print Range"));
    LanguageDispatcher::instance().attach(this, QStringLiteral("frmScope"));
}

void TfrmScope::useForRange(const QString &caption, const QString &from, const QString &to)
{
    m_progressUse = false;
    setWindowTitle(caption);
    m_edtSelFrom->setText(from);
    m_edtSelTo->setText(to);
    for (QWidget *w : {static_cast<QWidget *>(m_GroupBox1), static_cast<QWidget *>(m_BitBtn1), static_cast<QWidget *>(m_BitBtn2)})
        w->show();
    centre();
}

void TfrmScope::useForProgress(const QString &caption, int maximum)
{
    m_progressUse = true;
    setWindowTitle(caption);
    m_Progress1->setRange(0, maximum);
    m_Progress1->setValue(0);
    m_Progress1->show();
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
    if (m_BitBtn2->isVisible())
        setResult(Cancel);
}

} // namespace ql708
