// SPDX-License-Identifier: GPL-3.0-or-later
#include "meter/TfrmSetup.h"

#include "common/Clock.h"
#include "common/NumberFormat.h"
#include "widgets/BusyCursor.h"
#include "widgets/LanguageDispatcher.h"
#include "widgets/MessageBoxes.h"
#include "widgets/Named.h"

#include <QAccessible>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace ql708 {

namespace {

const QString kTable = QStringLiteral("frmSetup");
constexpr int kBeforeQuickRecordingMs = 500;
const QColor kOkColor(0, 128, 0), kFailColor(255, 0, 0);

QLineEdit *field(const char *name, const QString &preset = QString())
{
    auto *e = named(new QLineEdit(preset), name);
    e->setMaximumWidth(90);
    return e;
}

QLineEdit *shownField(const char *name)
{
    QLineEdit *e = field(name);
    e->setReadOnly(true);
    e->setMaximumWidth(QWIDGETSIZE_MAX);
    return e;
}

QLabel *labelFor(const char *name, QWidget *buddy)
{
    auto *l = named(new QLabel, name);
    l->setBuddy(buddy);
    return l;
}

} // namespace

TfrmSetup::TfrmSetup(MeterLink &link, QWidget *parent) : QMdiSubWindow(parent), m_link(link), m_setup(link)
{
    setObjectName(QStringLiteral("TfrmSetup"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(windowFlags() & ~Qt::WindowMaximizeButtonHint);
    auto *client = new QWidget;
    auto *layout = new QVBoxLayout(client);
    layout->addWidget(buildClock());
    layout->addWidget(buildInformation());
    layout->addWidget(buildMemoryBytes());
    layout->addWidget(buildQuickRecording());
    layout->addStretch();
    setWidget(client);

    for (auto [button, handler] : {std::pair{m_Button1, &TfrmSetup::Button1Click}, {m_Button2, &TfrmSetup::Button2Click},
                                   {m_Button3, &TfrmSetup::Button3Click}, {m_Button4, &TfrmSetup::Button4Click},
                                   {m_Button6, &TfrmSetup::Button6Click}, {m_Button7, &TfrmSetup::Button7Click},
                                   {m_Button10, &TfrmSetup::Button10Click}})
        connect(button, &QPushButton::clicked, this, handler);

    LanguageDispatcher::instance().attach(this, kTable);
    nameFieldsByHints();
    connect(&LanguageDispatcher::instance(), &LanguageDispatcher::languageChanged, this,
            &TfrmSetup::nameFieldsByHints);
    adjustSize();
}

QWidget *TfrmSetup::buildClock()
{
    auto *box = new QWidget;
    auto *g = new QGridLayout(box);
    g->setContentsMargins(0, 0, 0, 0);
    m_Button1 = named(new QPushButton, "Button1");
    g->addWidget(m_Button1, 0, 0, 1, 5);
    // Two digits each, as the meter takes them: minutes and seconds.
    m_edtInt1 = field("edtInt1", QStringLiteral("00"));
    m_edtInt2 = field("edtInt2", QStringLiteral("02"));
    for (QLineEdit *e : {m_edtInt1, m_edtInt2}) {
        e->setInputMask(QStringLiteral("99"));
        e->setMaximumWidth(40);
    }
    m_lblInterval = named(new QLabel, "lblInterval");
    g->addWidget(m_edtInt1, 1, 0);
    g->addWidget(new QLabel(QStringLiteral(":")), 1, 1);
    g->addWidget(m_edtInt2, 1, 2);
    g->addWidget(m_lblInterval, 1, 3);
    m_Button2 = named(new QPushButton, "Button2");
    g->addWidget(m_Button2, 2, 0, 1, 5);
    m_Button3 = named(new QPushButton, "Button3");
    g->addWidget(m_Button3, 3, 0, 1, 5);
    g->setColumnStretch(4, 1);
    return box;
}

QWidget *TfrmSetup::buildInformation()
{
    auto *box = new QGroupBox;
    auto *g = new QGridLayout(box);
    m_Button4 = named(new QPushButton, "Button4");
    g->addWidget(m_Button4, 0, 0, 1, 2, Qt::AlignLeft);
    const std::pair<QLabel **, QLineEdit **> rows[] = {
        {&m_lblVer, &m_txtVer},           {&m_lblMeterTime, &m_txtMeterTime}, {&m_lblInt, &m_txtInt},
        {&m_lblDataSets, &m_txtDataSets}, {&m_lblMemoryAvailable, &m_txtMemoryAvailable},
        {&m_lblSN, &m_txtSN},             {&m_lbl94dB, &m_txt94dB},          {&m_lbl70dB, &m_txt70dB}};
    const char *names[][2] = {{"lblVer", "txtVer"},           {"lblMeterTime", "txtMeterTime"},
                              {"lblInt", "txtInt"},           {"lblDataSets", "txtDataSets"},
                              {"lblMemoryAvailable", "txtMemoryAvailable"},
                              {"lblSN", "txtSN"},             {"lbl94dB", "txt94dB"},
                              {"lbl70dB", "txt70dB"}};
    int row = 1;
    for (int i = 0; i < int(std::size(rows)); ++i, ++row) {
        *rows[i].second = shownField(names[i][1]);
        *rows[i].first = labelFor(names[i][0], *rows[i].second);
        g->addWidget(*rows[i].first, row, 0);
        g->addWidget(*rows[i].second, row, 1);
        if (rows[i].second == &m_txtMeterTime) {
            m_lblMeterTimeFormat = named(new QLabel, "lblMeterTimeFormat");
            g->addWidget(m_lblMeterTimeFormat, ++row, 1);
        }
    }
    g->setColumnStretch(1, 1);
    return box;
}

QWidget *TfrmSetup::buildMemoryBytes()
{
    auto *box = new QWidget;
    auto *g = new QGridLayout(box);
    g->setContentsMargins(0, 0, 0, 0);
    m_Button6 = named(new QPushButton, "Button6");
    m_txtWAddress = field("txtWAddress", QStringLiteral("0"));
    m_txtWData = field("txtWData", QStringLiteral("0"));
    m_Button7 = named(new QPushButton, "Button7");
    m_txtRAddress = field("txtRAddress", QStringLiteral("0"));
    m_txtRData = field("txtRData", QStringLiteral("0"));
    m_txtRData->setReadOnly(true);
    g->addWidget(m_Button6, 0, 0);
    g->addWidget(m_txtWAddress, 0, 1);
    g->addWidget(m_txtWData, 0, 2);
    g->addWidget(m_Button7, 1, 0);
    g->addWidget(m_txtRAddress, 1, 1);
    g->addWidget(m_txtRData, 1, 2);
    g->setColumnStretch(3, 1);
    return box;
}

QWidget *TfrmSetup::buildQuickRecording()
{
    auto *box = new QWidget;
    auto *h = new QHBoxLayout(box);
    h->setContentsMargins(0, 0, 0, 0);
    m_Button10 = named(new QPushButton, "Button10");
    m_txtQuick_REC_NUM = field("txtQuick_REC_NUM", QStringLiteral("1"));
    m_txtInterval = field("txtInterval", QStringLiteral("2"));
    m_lblQuickRecNum = labelFor("lblQuickRecNum", m_txtQuick_REC_NUM);
    m_lblQuickRecInterval = labelFor("lblQuickRecInterval", m_txtInterval);
    m_lblQUICKRECOK = named(new QLabel, "lblQUICKRECOK");
    m_lblQUICKRECOK->setMinimumWidth(40);
    QFont bold = m_lblQUICKRECOK->font();
    bold.setBold(true);
    m_lblQUICKRECOK->setFont(bold);
    for (QWidget *w : std::initializer_list<QWidget *>{m_Button10, m_lblQuickRecNum, m_txtQuick_REC_NUM, m_lblQuickRecInterval,
                                                       m_txtInterval, m_lblQUICKRECOK})
        h->addWidget(w);
    h->addStretch();
    return box;
}

void TfrmSetup::nameFieldsByHints()
{
    // Fields without a label are known by their hints.
    for (QLineEdit *e : {m_edtInt1, m_edtInt2, m_txtWAddress, m_txtWData, m_txtRAddress, m_txtRData})
        e->setAccessibleName(e->toolTip());
    m_lblQUICKRECOK->setAccessibleName(m_lblQUICKRECOK->text().isEmpty() ? m_lblQUICKRECOK->toolTip()
                                                                    : m_lblQUICKRECOK->text());
}

void TfrmSetup::say(const QString &text)
{
    if (!text.isEmpty())
        showMessage(this, text);
}

bool TfrmSetup::readField(QLineEdit *field, qint64 min, qint64 max, qint64 &out)
{
    long long v = 0;
    if (!parseWhole(field->text(), v)) {
        say(setupText("IDS_13"));
        return false;
    }
    if (v < min || v > max) {
        // The field as a screen reader names it: its label, else its hint.
        const QAccessibleInterface *named = QAccessible::queryAccessibleInterface(field);
        say(setupText("IDS_17").arg(named ? named->text(QAccessible::Name) : field->objectName()).arg(min).arg(max));
        return false;
    }
    out = v;
    return true;
}

void TfrmSetup::Button1Click()
{
    int code = 0;
    {
        const BusyCursor busy;
        code = m_setup.setClock();
    }
    say(clockMessage(code));
}

void TfrmSetup::Button2Click()
{
    int code = 0;
    {
        const BusyCursor busy;
        code = m_setup.setInterval(m_edtInt1->text(), m_edtInt2->text());
    }
    say(intervalMessage(code));
}

void TfrmSetup::Button3Click()
{
    // Erasing while the meter records would cut the record it writes.
    if (m_link.meterRecording()) {
        say(erasingWhileRecordingMessage());
        return;
    }
    int code = 0;
    {
        const BusyCursor busy;
        code = m_setup.eraseMemory();
    }
    say(eraseMessage(code));
}

void TfrmSetup::Button4Click()
{
    for (QLineEdit *e : {m_txtVer, m_txtMeterTime, m_txtInt, m_txtDataSets, m_txtMemoryAvailable, m_txtSN, m_txt94dB, m_txt70dB})
        e->clear();
    MeterInformation info;
    int code = 0;
    {
        const BusyCursor busy;
        code = m_setup.readInformation(info);
    }
    m_txtVer->setText(info.version);
    m_txtMeterTime->setText(info.meterTime);
    m_txtInt->setText(info.interval);
    m_txtDataSets->setText(info.dataSets);
    m_txtMemoryAvailable->setText(info.memoryAvailable);
    m_txt70dB->setText(info.cal70);
    m_txt94dB->setText(info.cal94);
    m_txtSN->setText(info.serial);
    say(informationMessage(code));
}

void TfrmSetup::Button6Click()
{
    qint64 address = 0, data = 0;
    if (!readField(m_txtWAddress, 0, kMaxMemoryAddress, address) ||
        !readField(m_txtWData, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), data))
        return;
    // The meter takes the low eight bits of the number.
    const int code = m_setup.writeByte(address, std::uint8_t(data & 0xFF));
    if (code != setup_result::kOk)
        say(byteMessage(code));
}

void TfrmSetup::Button7Click()
{
    m_txtRData->clear();
    qint64 address = 0;
    if (!readField(m_txtRAddress, 0, kMaxMemoryAddress, address))
        return;
    int data = 0;
    const int code = m_setup.readByte(address, data);
    if (code == setup_result::kOk)
        m_txtRData->setText(QString::number(data));
    else
        say(byteMessage(code));
}

void TfrmSetup::showQuickResult(const QString &text, const QColor &color)
{
    QPalette p = m_lblQUICKRECOK->palette();
    p.setColor(QPalette::WindowText, color);
    m_lblQUICKRECOK->setPalette(p);
    m_lblQUICKRECOK->setText(text);
    nameFieldsByHints();
}

void TfrmSetup::Button10Click()
{
    // The fields are read first, so a bad number leaves the poll running.
    qint64 points = 0, interval = 0;
    if (!readField(m_txtQuick_REC_NUM, 1, kQuickMaxPoints, points) ||
        !readField(m_txtInterval, 0, kQuickMaxInterval, interval))
        return;
    showQuickResult(QString(), kOkColor);
    repaint();
    delayMs(kBeforeQuickRecordingMs);
    int code = 0;
    {
        const BusyCursor busy;
        code = m_setup.quickRecording(int(points), int(interval));
    }
    if (code == setup_result::kOk)
        showQuickResult(setupText("IDS_14"), kOkColor);
    else
        showQuickResult(setupText("IDS_15"), kFailColor);
}

} // namespace ql708
