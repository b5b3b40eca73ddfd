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
    MaxMinTimer = new QTimer(this);
    MaxMinTimer->setObjectName(QStringLiteral("MaxMinTimer"));
    MaxMinTimer->setInterval(kBlinkMs);
    connect(MaxMinTimer, &QTimer::timeout, this, &TfrmPanel::MaxMinTimerTimer);
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
    lblReading = image("lblReading", L::kLcdGlass);
    const qreal dpr = devicePixelRatioF();
    for (int i = 0; i < kLargeDigitCount; ++i)
        m_large[i] = pixmap(panelart::lcdDigit(i, dpr));
    for (int i = 0; i < 10; ++i)
        m_small[i] = pixmap(panelart::lcdSmallDigit(i, dpr));

    const QPixmap front = pixmap(panelart::background(dpr));
    imgPanel = image("imgPanel", L::kBackground, front);
    setWindowIcon(QIcon(front)); // shown on the minimized panel
    QLabel **main[4] = {&MainD1, &MainD2, &MainD3, &MainD4};
    for (int i = 0; i < 4; ++i) {
        const QRect r(QPoint(L::kMainDigitLeft[i], L::kMainDigitTop), L::kDigitSize);
        *main[i] = m_mainDigits[i] = image(qPrintable(QStringLiteral("MainD%1").arg(i + 1)), r);
    }
    imgPoint = image("imgPoint", L::kPoint, pixmap(panelart::decimalPoint(dpr)));
    QLabel **clock[8] = {&LCDT1, &LCDT2, &LCDT3, &LCDT4, &LCDT5, &LCDT6, &LCDT7, &LCDT8};
    for (int i = 0; i < 8; ++i) {
        const QRect r(QPoint(L::kClockDigitLeft[i], L::kClockDigitTop), L::kSmallDigitSize);
        *clock[i] = image(qPrintable(QStringLiteral("LCDT%1").arg(i + 1)), r);
        if (i >= 2)
            m_clockDigits[i - 2] = *clock[i];
    }
    const QPixmap colon = pixmap(panelart::colon(dpr));
    Image2 = image("Image2", L::kColon1, colon);
    Image1 = image("Image1", L::kColon2, colon);
    imgColorBar = image("imgColorBar", L::kColorBar, pixmap(panelart::colorStrip(dpr)));
    imgBat = image("imgBat", L::kBattery, pixmap(panelart::battery(dpr)));
    imgUNDER = image("imgUNDER", L::kUnder, pixmap(panelart::underMark(dpr)));
    imgOVER = image("imgOVER", L::kOver, pixmap(panelart::overMark(dpr)));
    imgUNDER->hide();
    imgOVER->hide();
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
    lblRangeLow = indicator("lblRangeLow", {9, 54}, 10, true);
    lblRangeHigh = indicator("lblRangeHigh", {150, 54}, 10, true);
    lblMAX = indicator("lblMAX", {103, 35}, 10, false);
    lblMIN = indicator("lblMIN", {73, 35}, 10, false);
    lblFAST = indicator("lblFAST", {97, 15}, 10, true);
    lblSLOW = indicator("lblSLOW", {134, 15}, 10, false);
    lbldBA = indicator("lbldBA", {133, 126}, 14, true);
    lbldBC = indicator("lbldBC", {93, 126}, 14, false);
    lblREC = indicator("lblREC", {89, 223}, 10, false);
    lblFULL = indicator("lblFULL", {127, 223}, 10, false);

    lblNoConnection = image("lblNoConnection", QRect(0, 355, 168, 24));
    lblNoConnection->setAlignment(Qt::AlignCenter);
    lblNoConnection->setStyleSheet(QStringLiteral(
        "color: #ff3b30; font-weight: bold; font-size: 15px; background: rgba(10, 12, 14, 190);"));
    lblNoConnection->hide();
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
    btnPower = key("btnPower", L::kPowerKey, &TfrmPanel::btnPowerClick);
    btnAC = key("btnAC", L::kAcKey, &TfrmPanel::btnACClick);
    btnMaxMin = key("btnMaxMin", L::kMaxMinKey, &TfrmPanel::btnMaxMinClick);
    btnMaxMin->setShowHint(true);
    connect(btnMaxMin, &PanelKey::doubleClicked, this, &TfrmPanel::btnMaxMinDblClick);
    btnFast = key("btnFast", L::kFastKey, &TfrmPanel::btnFastClick);
    btnREC = key("btnREC", L::kRecKey, &TfrmPanel::btnRECClick);
    btnLevel = key("btnLevel", L::kLevelKey, &TfrmPanel::btnLevelClick);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto item = [this](const char *name, void (TfrmPanel::*handler)()) {
        QAction *a = PopupMenu1->addAction(QString::fromLatin1(name));
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, handler);
        return a;
    };
    Stoprecording1 = item("Stoprecording1", &TfrmPanel::Stoprecording1Click);
    recordwithwav1 = item("recordwithwav1", &TfrmPanel::recordwithwav1Click);
    recordwithoutwav1 = item("recordwithoutwav1", &TfrmPanel::recordwithoutwav1Click);
    btnREC->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(btnREC, &QWidget::customContextMenuRequested, this, &TfrmPanel::btnRECClick);
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
    SpeedButton1 = button("SpeedButton1", QStringLiteral("\u2013"), 145, &TfrmPanel::SpeedButton1Click);
    SpeedButton2 = button("SpeedButton2", QStringLiteral("\u00d7"), 164, &TfrmPanel::SpeedButton2Click);
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

void TfrmPanel::setConnected(bool connected) { lblNoConnection->setVisible(!connected); }

void TfrmPanel::showView()
{
    const PanelView &v = m_model.view();
    lblREC->setVisible(v.rec);
    lbldBA->setVisible(v.dBA);
    lbldBC->setVisible(v.dBC);
    lblFAST->setVisible(v.fast);
    lblSLOW->setVisible(v.slow);
    imgUNDER->setVisible(v.under);
    imgOVER->setVisible(v.over);
    lblFULL->setVisible(v.full);
    for (int i = 0; i < 6; ++i) {
        if (v.clock[i] == kNoDigit)
            m_clockDigits[i]->clear();
        else
            m_clockDigits[i]->setPixmap(m_small[v.clock[i]]);
    }
    for (int i = 0; i < 4; ++i)
        m_mainDigits[i]->setPixmap(m_large[v.digits[i]]);
    lblMAX->setVisible(v.max);
    lblMIN->setVisible(v.min);
    if (!v.blinkRunning)
        MaxMinTimer->stop();
    else if (!MaxMinTimer->isActive())
        MaxMinTimer->start();
    lblRangeLow->setText(QString::number(v.rangeLow));
    lblRangeHigh->setText(QString::number(v.rangeHigh));
    imgColorBar->resize(v.barWidth, imgColorBar->height());
    showReading();
}

void TfrmPanel::showReading()
{
    const QString reading = lcdReading(m_model.view());
    if (lblReading->accessibleName() != reading) // each change is announced to screen readers
        lblReading->setAccessibleName(reading);
}

void TfrmPanel::MaxMinTimerTimer()
{
    m_model.blinkTick();
    lblMAX->setVisible(m_model.view().max);
    lblMIN->setVisible(m_model.view().min);
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
    const bool mouseOnKey = btnREC->rect().contains(btnREC->mapFromGlobal(QCursor::pos()));
    PopupMenu1->popup(mouseOnKey ? QCursor::pos() : btnREC->mapToGlobal(QPoint(0, btnREC->height())));
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
    MaxMinTimer->stop();
    QMdiSubWindow::closeEvent(event);
    if (event->isAccepted())
        emit closed();
}

} // namespace ql708
