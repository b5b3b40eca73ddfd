// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/TfrmPanel.h"

#include "common/StringTable.h"
#include "widgets/LanguageDispatcher.h"
#include "widgets/MessageBoxes.h"
#include "panel/PanelArt.h"
#include "panel/PanelKey.h"
#include "panel/PanelLayout.h"
#include "panel/PanelReading.h"

#include <QCloseEvent>
#include <QCursor>
#include <QIcon>
#include <QMdiArea>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>

namespace ql708 {

namespace {
namespace L = panellayout;
const QString kTable = QStringLiteral("frmPanel");
constexpr int kBlinkMs = 500;
constexpr Qt::WindowFlags kPanelFlags = Qt::SubWindow | Qt::FramelessWindowHint;
// A minimized panel needs a title bar to show its caption and to be restored from.
constexpr Qt::WindowFlags kMinimizedFlags =
    Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint;

QPixmap pixmap(const QImage &image) { return QPixmap::fromImage(image); }
} // namespace

TfrmPanel::TfrmPanel(QWidget *parent) : QMdiSubWindow(parent, kPanelFlags)
{
    setObjectName(QStringLiteral("TfrmPanel"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->setFixedSize(L::kClient);
    m_client->setAutoFillBackground(true);
    QPalette pal = m_client->palette();
    pal.setColor(QPalette::Window, QColor(0x14, 0x16, 0x18));
    m_client->setPalette(pal);
    m_client->installEventFilter(this);
    setWidget(m_client);
    resize(L::kClient);

    createDisplay();
    createIndicators();
    createKeys();
    createButtons();
    m_MaxMinTimer = new QTimer(this);
    m_MaxMinTimer->setObjectName(QStringLiteral("MaxMinTimer"));
    m_MaxMinTimer->setInterval(kBlinkMs);
    connect(m_MaxMinTimer, &QTimer::timeout, this, &TfrmPanel::MaxMinTimerTimer);
    connect(this, &QMdiSubWindow::aboutToActivate, this, &TfrmPanel::FormActivate);

    LanguageDispatcher::instance().attach(this, kTable);
    connect(&LanguageDispatcher::instance(), &LanguageDispatcher::languageChanged, this, &TfrmPanel::showReading);
    showView();
}

TfrmPanel::~TfrmPanel() = default;

QLabel *TfrmPanel::image(const char *name, const QRect &geometry, const QPixmap &picture)
{
    auto *l = new QLabel(m_client);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(geometry);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    if (!picture.isNull())
        l->setPixmap(picture);
    return l;
}

void TfrmPanel::createDisplay()
{
    // Lies under the LCD's pictures and shows nothing; its accessible name is the reading.
    m_lblReading = image("lblReading", L::kLcdGlass);
    const qreal dpr = devicePixelRatioF();
    for (int i = 0; i < kLargeDigitCount; ++i)
        m_large[i] = pixmap(panelart::lcdDigit(i, dpr));
    for (int i = 0; i < 10; ++i)
        m_small[i] = pixmap(panelart::lcdSmallDigit(i, dpr));

    const QPixmap front = pixmap(panelart::background(dpr));
    m_imgPanel = image("imgPanel", L::kBackground, front);
    setWindowIcon(QIcon(front)); // shown on the minimized panel
    QLabel **main[4] = {&m_MainD1, &m_MainD2, &m_MainD3, &m_MainD4};
    for (int i = 0; i < 4; ++i) {
        const QRect r(QPoint(L::kMainDigitLeft[i], L::kMainDigitTop), L::kDigitSize);
        *main[i] = m_mainDigits[i] = image(qPrintable(QStringLiteral("MainD%1").arg(i + 1)), r);
    }
    m_imgPoint = image("imgPoint", L::kPoint, pixmap(panelart::decimalPoint(dpr)));
    QLabel **clock[8] = {&m_LCDT1, &m_LCDT2, &m_LCDT3, &m_LCDT4, &m_LCDT5, &m_LCDT6, &m_LCDT7, &m_LCDT8};
    for (int i = 0; i < 8; ++i) {
        const QRect r(QPoint(L::kClockDigitLeft[i], L::kClockDigitTop), L::kSmallDigitSize);
        *clock[i] = image(qPrintable(QStringLiteral("LCDT%1").arg(i + 1)), r);
        if (i >= 2)
            m_clockDigits[i - 2] = *clock[i];
    }
    const QPixmap colon = pixmap(panelart::colon(dpr));
    m_Image2 = image("Image2", L::kColon1, colon);
    m_Image1 = image("Image1", L::kColon2, colon);
    m_imgColorBar = image("imgColorBar", L::kColorBar, pixmap(panelart::colorStrip(dpr)));
    m_imgBat = image("imgBat", L::kBattery, pixmap(panelart::battery(dpr)));
    m_imgUNDER = image("imgUNDER", L::kUnder, pixmap(panelart::underMark(dpr)));
    m_imgOVER = image("imgOVER", L::kOver, pixmap(panelart::overMark(dpr)));
    m_imgUNDER->hide();
    m_imgOVER->hide();
}

QLabel *TfrmPanel::indicator(const char *name, QPoint at, int pixelSize, bool shown)
{
    QLabel *l = image(name, QRect(at, QSize(40, pixelSize + 4)));
    QFont f = l->font();
    f.setPixelSize(pixelSize);
    f.setBold(true);
    l->setFont(f);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, panelart::lcdInk());
    l->setPalette(pal);
    l->setVisible(shown);
    return l;
}

void TfrmPanel::createIndicators()
{
    m_lblRangeLow = indicator("lblRangeLow", {9, 54}, 10, true);
    m_lblRangeHigh = indicator("lblRangeHigh", {150, 54}, 10, true);
    m_lblMAX = indicator("lblMAX", {103, 35}, 10, false);
    m_lblMIN = indicator("lblMIN", {73, 35}, 10, false);
    m_lblFAST = indicator("lblFAST", {97, 15}, 10, true);
    m_lblSLOW = indicator("lblSLOW", {134, 15}, 10, false);
    m_lbldBA = indicator("lbldBA", {133, 126}, 14, true);
    m_lbldBC = indicator("lbldBC", {93, 126}, 14, false);
    m_lblREC = indicator("lblREC", {89, 223}, 10, false);
    m_lblFULL = indicator("lblFULL", {127, 223}, 10, false);

    m_lblNoConnection = image("lblNoConnection", QRect(0, 355, 168, 24));
    m_lblNoConnection->setAlignment(Qt::AlignCenter);
    m_lblNoConnection->setStyleSheet(QStringLiteral(
        "color: #ff3b30; font-weight: bold; font-size: 15px; background: rgba(10, 12, 14, 190);"));
    m_lblNoConnection->hide();
}

PanelKey *TfrmPanel::key(const char *name, QPoint at, void (TfrmPanel::*handler)())
{
    auto *k = new PanelKey(QString::fromLatin1(name), m_client);
    k->setGeometry(QRect(at, L::kKeySize));
    connect(k, &PanelKey::clicked, this, handler);
    return k;
}

void TfrmPanel::createKeys()
{
    m_btnPower = key("btnPower", L::kPowerKey, &TfrmPanel::btnPowerClick);
    m_btnAC = key("btnAC", L::kAcKey, &TfrmPanel::btnACClick);
    m_btnMaxMin = key("btnMaxMin", L::kMaxMinKey, &TfrmPanel::btnMaxMinClick);
    m_btnMaxMin->setShowHint(true);
    connect(m_btnMaxMin, &PanelKey::doubleClicked, this, &TfrmPanel::btnMaxMinDblClick);
    m_btnFast = key("btnFast", L::kFastKey, &TfrmPanel::btnFastClick);
    m_btnREC = key("btnREC", L::kRecKey, &TfrmPanel::btnRECClick);
    m_btnLevel = key("btnLevel", L::kLevelKey, &TfrmPanel::btnLevelClick);

    m_PopupMenu1 = new QMenu(this);
    m_PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto item = [this](const char *name, void (TfrmPanel::*handler)()) {
        QAction *a = m_PopupMenu1->addAction(QString::fromLatin1(name));
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    m_Stoprecording1 = item("Stoprecording1", &TfrmPanel::Stoprecording1Click);
    m_recordwithwav1 = item("recordwithwav1", &TfrmPanel::recordwithwav1Click);
    m_recordwithoutwav1 = item("recordwithoutwav1", &TfrmPanel::recordwithoutwav1Click);
    m_btnREC->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_btnREC, &QWidget::customContextMenuRequested, this, &TfrmPanel::btnRECClick);
}

void TfrmPanel::createButtons()
{
    auto button = [this](const char *name, const QString &glyph, int left, void (TfrmPanel::*handler)()) {
        auto *b = new QToolButton(m_client);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setText(glyph);
        b->setGeometry(left, 1, 18, 14);
        b->setStyleSheet(QStringLiteral("QToolButton { color: #c9ced3; border: none; font-weight: bold; }"
                                        "QToolButton:hover { background: #454b52; border-radius: 2px; }"));
        connect(b, &QToolButton::clicked, this, handler);
        return b;
    };
    m_SpeedButton1 = button("SpeedButton1", QStringLiteral("\u2013"), 145, &TfrmPanel::SpeedButton1Click);
    m_SpeedButton2 = button("SpeedButton2", QStringLiteral("\u00d7"), 164, &TfrmPanel::SpeedButton2Click);
}

void TfrmPanel::updateStatus(const MeterStatus &status)
{
    m_model.update(status);
    showView();
}

void TfrmPanel::showTestPattern()
{
    m_model.showTestPattern();
    showView();
}

void TfrmPanel::setConnected(bool connected) { m_lblNoConnection->setVisible(!connected); }

void TfrmPanel::showView()
{
    const PanelView &v = m_model.view();
    m_lblREC->setVisible(v.rec);
    m_lbldBA->setVisible(v.dBA);
    m_lbldBC->setVisible(v.dBC);
    m_lblFAST->setVisible(v.fast);
    m_lblSLOW->setVisible(v.slow);
    m_imgUNDER->setVisible(v.under);
    m_imgOVER->setVisible(v.over);
    m_lblFULL->setVisible(v.full);
    for (int i = 0; i < 6; ++i) {
        if (v.clock[i] == kNoDigit)
            m_clockDigits[i]->clear();
        else
            m_clockDigits[i]->setPixmap(m_small[v.clock[i]]);
    }
    for (int i = 0; i < 4; ++i)
        m_mainDigits[i]->setPixmap(m_large[v.digits[i]]);
    m_lblMAX->setVisible(v.max);
    m_lblMIN->setVisible(v.min);
    if (!v.blinkRunning)
        m_MaxMinTimer->stop();
    else if (!m_MaxMinTimer->isActive())
        m_MaxMinTimer->start();
    m_lblRangeLow->setText(QString::number(v.rangeLow));
    m_lblRangeHigh->setText(QString::number(v.rangeHigh));
    m_imgColorBar->resize(v.barWidth, m_imgColorBar->height());
    showReading();
}

void TfrmPanel::showReading()
{
    const QString reading = lcdReading(m_model.view());
    if (m_lblReading->accessibleName() != reading) // each change is announced to screen readers
        m_lblReading->setAccessibleName(reading);
}

void TfrmPanel::MaxMinTimerTimer()
{
    m_model.blinkTick();
    m_lblMAX->setVisible(m_model.view().max);
    m_lblMIN->setVisible(m_model.view().min);
}

void TfrmPanel::sendKey(MeterCommand key)
{
    if (!m_sendKey || !m_sendKey(key))
        showMessage(this, ids(kTable, QStringLiteral("IDS_0")));
}

void TfrmPanel::btnLevelClick() { sendKey(MeterCommand::RangeKey); }
void TfrmPanel::btnMaxMinClick() { sendKey(MeterCommand::MaxMinKey); }
void TfrmPanel::btnMaxMinDblClick() { sendKey(MeterCommand::MaxMinOffKey); }
void TfrmPanel::btnACClick() { sendKey(MeterCommand::WeightingKey); }
void TfrmPanel::btnFastClick() { sendKey(MeterCommand::ResponseKey); }
void TfrmPanel::Stoprecording1Click() { sendKey(MeterCommand::StopRecording); }
void TfrmPanel::recordwithwav1Click() { sendKey(MeterCommand::RecordWithWav); }
void TfrmPanel::recordwithoutwav1Click() { sendKey(MeterCommand::RecordWithoutWav); }

void TfrmPanel::btnPowerClick() { close(); }
void TfrmPanel::SpeedButton2Click() { close(); }
void TfrmPanel::btnRECClick()
{
    // Under the mouse when clicked there; below the key when a screen reader pressed it.
    const bool mouseOnKey = m_btnREC->rect().contains(m_btnREC->mapFromGlobal(QCursor::pos()));
    m_PopupMenu1->popup(mouseOnKey ? QCursor::pos() : m_btnREC->mapToGlobal(QPoint(0, m_btnREC->height())));
}

void TfrmPanel::SpeedButton1Click()
{
    setWindowFlags(kMinimizedFlags);
    // The size it comes back to is the client's, without the title bar.
    resize(L::kClient);
    showMinimized();
}

void TfrmPanel::changeEvent(QEvent *event)
{
    QMdiSubWindow::changeEvent(event);
    // Back from minimized: the title bar goes again.
    if (event->type() == QEvent::WindowStateChange && !isMinimized() && windowFlags() != kPanelFlags) {
        setWindowFlags(kPanelFlags);
        resize(L::kClient);
        show();
    }
}

void TfrmPanel::FormActivate() { emit activated(); }

bool TfrmPanel::eventFilter(QObject *watched, QEvent *event)
{
    // The background, the digits and the indicators let the mouse through to the client:
    // a left press there drags the panel.
    if (watched != m_client)
        return QMdiSubWindow::eventFilter(watched, event);
    auto *me = static_cast<QMouseEvent *>(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (me->button() != Qt::LeftButton)
            return true;
        if (QMdiArea *area = mdiArea())
            area->setActiveSubWindow(this);
        m_dragging = true;
        m_dragOffset = me->globalPosition().toPoint() - pos();
        return true;
    case QEvent::MouseMove:
        if (m_dragging)
            move(me->globalPosition().toPoint() - m_dragOffset);
        return true;
    case QEvent::MouseButtonRelease:
        m_dragging = false;
        return true;
    default:
        return QMdiSubWindow::eventFilter(watched, event);
    }
}

void TfrmPanel::closeEvent(QCloseEvent *event)
{
    m_MaxMinTimer->stop();
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

} // namespace ql708
