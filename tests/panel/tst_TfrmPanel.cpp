// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/StringTable.h"
#include "widgets/LanguageDispatcher.h"
#include "widgets/ModalRunner.h"
#include "meter/MeterLink.h"
#include "panel/PanelKey.h"
#include "panel/TfrmPanel.h"
#include "tests/support/ScriptedLink.h"

#include <QAccessible>
#include <QApplication>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace ql708;
using test::ScriptedLink;

namespace {

// A status reply that echoes the command's sequence number.
bool echoStatus(const CommandFrame &f, ReplyBuffer &r)
{
    r.fill(0);
    r[0] = kStx;
    r[31] = kEtx;
    r[status_layout::kSequenceEcho] = f[5];
    return true;
}

// Presses the click area or chooses the menu item named.
void press(TfrmPanel &panel, const QString &name)
{
    if (auto *k = panel.findChild<PanelKey *>(name))
        QTest::mouseClick(k, Qt::LeftButton, {}, k->rect().center());
    else
        panel.findChild<QAction *>(name)->trigger();
}

// The events a double click delivers: press, release, double click, release.
void doubleClick(QWidget *w)
{
    const QPointF p = QRectF(w->rect()).center();
    const QPointF g = w->mapToGlobal(p);
    for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                           QEvent::MouseButtonRelease}) {
        const Qt::MouseButtons held = t == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent e(t, p, p, g, Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(w, &e);
    }
}

QString letters(const ScriptedLink &link)
{
    QString s;
    for (const CommandFrame &f : link.written())
        if (f[1] != 'A')
            s += QChar(f[1]);
    return s;
}

} // namespace

class tst_TfrmPanel : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void keyFrames_data();
    void keyFrames();
    void doubleClickSendsMThenN();
    void connectFailOncePerClick_data();
    void connectFailOncePerClick();
    void blinkTimerAcrossAlternateToMax();
    void noTitleBarAndRestoreAfterMinimize();
    void dragByBackground();
    void closeReportsAndFrees();
    void keysAreAccessibleButtons_data();
    void keysAreAccessibleButtons();
    void lcdReadingIsAccessibleText();

private:
    ScriptedLink m_link;
    std::unique_ptr<MeterLink> m_meter;
    QMdiArea *m_area = nullptr;
    TfrmPanel *m_panel = nullptr;
    int m_boxes = 0;
    QString m_boxText;
};

void tst_TfrmPanel::init()
{
    m_link = ScriptedLink();
    m_link.replyFor = echoStatus;
    m_meter = std::make_unique<MeterLink>(m_link);
    m_area = new QMdiArea;
    m_area->resize(800, 600);
    m_panel = new TfrmPanel;
    m_area->addSubWindow(m_panel);
    m_panel->setKeySender([this](MeterCommand k) { return m_meter->keyExchange(k); });
    m_area->show();
    m_boxes = 0;
    setModalHandler([this](QDialog &d) {
        ++m_boxes;
        if (auto *box = qobject_cast<QMessageBox *>(&d))
            m_boxText = box->text();
        return int(QMessageBox::Ok);
    });
}

void tst_TfrmPanel::cleanup()
{
    setModalHandler({});
    delete m_area;
    m_meter.reset();
}

void tst_TfrmPanel::keyFrames_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<char>("letter");
    QTest::newRow("LEVEL") << "btnLevel" << 'L';
    QTest::newRow("MAX/MIN") << "btnMaxMin" << 'M';
    QTest::newRow("A/C") << "btnAC" << 'C';
    QTest::newRow("FAST/SLOW") << "btnFast" << 'F';
    QTest::newRow("stop recording") << "Stoprecording1" << 'u';
    QTest::newRow("record with wav") << "recordwithwav1" << 'v';
    QTest::newRow("record without wav") << "recordwithoutwav1" << 'w';
}

void tst_TfrmPanel::keyFrames()
{
    QFETCH(QString, control);
    QFETCH(char, letter);
    for (int i = 0; i < 3; ++i)
        QVERIFY(m_meter->statusExchange());
    m_link.calls.clear();
    press(*m_panel, control);

    QCOMPARE(m_link.written().size(), 1);
    const CommandFrame expected{kStx, std::uint8_t(letter), 0, 0, 0, 3, kEtx};
    QCOMPARE(m_link.written().first(), expected);
    QCOMPARE(m_link.calls.first().op, 'c'); // every exchange begins with a close
    QCOMPARE(m_link.calls.last().op, 'c');
    QCOMPARE(m_boxes, 0);
}

void tst_TfrmPanel::doubleClickSendsMThenN()
{
    doubleClick(m_panel->btnMaxMin());
    QCOMPARE(letters(m_link), QStringLiteral("MN"));
}

void tst_TfrmPanel::connectFailOncePerClick_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<bool>("twice");
    for (const char *name : {"btnLevel", "btnMaxMin", "btnAC", "btnFast", "Stoprecording1", "recordwithwav1",
                             "recordwithoutwav1"})
        QTest::newRow(name) << QString::fromLatin1(name) << false;
    QTest::newRow("double click on MAX/MIN") << QStringLiteral("btnMaxMin") << true;
}

void tst_TfrmPanel::connectFailOncePerClick()
{
    QFETCH(QString, control);
    QFETCH(bool, twice);
    m_link.devicePresent = false;
    if (twice)
        doubleClick(m_panel->btnMaxMin());
    else
        press(*m_panel, control);
    QCOMPARE(m_boxes, twice ? 2 : 1);
    QCOMPARE(m_boxText, ids(QStringLiteral("frmPanel"), QStringLiteral("IDS_0")));
    QVERIFY(m_link.written().isEmpty());
}

void tst_TfrmPanel::blinkTimerAcrossAlternateToMax()
{
    MeterStatus s;
    s.rangeCode = kRange30to130;
    s.maxMinActive = true;
    s.maxMinMode = kMaxMinAlternate;
    for (int i = 0; i < 3; ++i)
        m_panel->updateStatus(s);
    QVERIFY(m_panel->MaxMinTimer()->isActive());
    QCOMPARE(m_panel->MaxMinTimer()->interval(), 500);
    QTRY_VERIFY_WITH_TIMEOUT(!m_panel->lblMAX()->isHidden() && !m_panel->lblMIN()->isHidden(), 2000);
    QTRY_VERIFY_WITH_TIMEOUT(m_panel->lblMAX()->isHidden() && m_panel->lblMIN()->isHidden(), 2000);

    s.maxMinMode = kMaxHeld;
    m_panel->updateStatus(s);
    QVERIFY(!m_panel->MaxMinTimer()->isActive());
    QVERIFY(!m_panel->lblMAX()->isHidden());
    QVERIFY(m_panel->lblMIN()->isHidden());
}

void tst_TfrmPanel::noTitleBarAndRestoreAfterMinimize()
{
    QCOMPARE(m_panel->size(), QSize(187, 463));
    QCOMPARE(m_panel->client()->geometry(), QRect(0, 0, 187, 463));

    QTest::mouseClick(m_panel->SpeedButton1(), Qt::LeftButton);
    QVERIFY(m_panel->isMinimized());
    QVERIFY(m_panel->isVisible());
    QVERIFY(m_panel->height() > 0);

    m_panel->showNormal();
    QVERIFY(!m_panel->isMinimized());
    QVERIFY(m_panel->windowFlags().testFlag(Qt::FramelessWindowHint));
    QCOMPARE(m_panel->size(), QSize(187, 463));
}

void tst_TfrmPanel::dragByBackground()
{
    m_panel->move(0, 0);
    QWidget *client = m_panel->client();
    const QPoint start(90, 250); // the lettering between the glass and the keys
    QTest::mousePress(client, Qt::LeftButton, {}, start);
    QTest::mouseMove(client, start + QPoint(40, 30));
    QTest::mouseRelease(client, Qt::LeftButton, {}, start + QPoint(40, 30));
    QCOMPARE(m_panel->pos(), QPoint(40, 30));

    QTest::mousePress(client, Qt::RightButton, {}, start);
    QTest::mouseMove(client, start + QPoint(10, 10));
    QCOMPARE(m_panel->pos(), QPoint(40, 30));
}

void tst_TfrmPanel::closeReportsAndFrees()
{
    QPointer<TfrmPanel> panel(m_panel);
    QSignalSpy closed(panel, &TfrmPanel::closed);
    m_panel->setConnected(false);
    QVERIFY(!m_panel->lblNoConnection()->isHidden());
    m_panel->setConnected(true);
    QVERIFY(m_panel->lblNoConnection()->isHidden());

    QTest::mouseClick(m_panel->btnPower(), Qt::LeftButton, {}, m_panel->btnPower()->rect().center());
    QCOMPARE(closed.size(), 1);
    QTRY_VERIFY(panel.isNull());
    QVERIFY(m_area->subWindowList().isEmpty());
}

void tst_TfrmPanel::keysAreAccessibleButtons_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("french");
    QTest::addColumn<QString>("pressed"); // letters sent, "menu" or "closed"
    QTest::newRow("Power") << "btnPower" << "Power" << "Marche/Arrêt" << "closed";
    QTest::newRow("A/C") << "btnAC" << "A/C" << "A/C" << "C";
    QTest::newRow("MAX/MIN") << "btnMaxMin" << "MAX/MIN" << "MAX/MIN" << "M";
    QTest::newRow("FAST/SLOW") << "btnFast" << "FAST/SLOW" << "FAST/SLOW" << "F";
    QTest::newRow("REC") << "btnREC" << "REC" << "REC" << "menu";
    QTest::newRow("LEVEL") << "btnLevel" << "LEVEL" << "LEVEL" << "L";
}

void tst_TfrmPanel::keysAreAccessibleButtons()
{
    QFETCH(QString, key);
    QFETCH(QString, english);
    QFETCH(QString, french);
    QFETCH(QString, pressed);
    auto *k = m_panel->findChild<PanelKey *>(key);
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(k);
    QVERIFY(a);
    QCOMPARE(a->role(), QAccessible::Button);
    QCOMPARE(a->text(QAccessible::Name), french); // the language in force at start
    LanguageDispatcher::instance().setLanguage(Language::English);
    QCOMPARE(a->text(QAccessible::Name), english);
    LanguageDispatcher::instance().setLanguage(Language::French);

    QAccessibleActionInterface *action = a->actionInterface();
    QVERIFY(action);
    QCOMPARE(action->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    QPointer<TfrmPanel> panel(m_panel);
    action->doAction(QAccessibleActionInterface::pressAction());
    if (pressed == QLatin1String("closed")) {
        QTRY_VERIFY(panel.isNull());
    } else if (pressed == QLatin1String("menu")) {
        QVERIFY(m_panel->PopupMenu1()->isVisible());
        m_panel->PopupMenu1()->close();
    } else {
        QCOMPARE(letters(m_link), pressed);
    }
}

void tst_TfrmPanel::lcdReadingIsAccessibleText()
{
    QLocale::setDefault(QLocale::c());
    QAccessibleInterface *lcd = QAccessible::queryAccessibleInterface(m_panel->lblReading());
    QVERIFY(lcd);
    QCOMPARE(lcd->role(), QAccessible::StaticText);
    QCOMPARE(lcd->text(QAccessible::Name), QStringLiteral("188.8 dBA, FAST, gamme 30 à 130 dB"));
    MeterStatus s;
    s.rangeCode = kRange50to110;
    s.level = 623;
    s.aWeighting = false;
    s.recording = true;
    s.clockHours = 0x14, s.clockMinutes = 0x07, s.clockSeconds = 0x09;
    m_panel->updateStatus(s);
    LanguageDispatcher::instance().setLanguage(Language::English);
    QCOMPARE(lcd->text(QAccessible::Name), QStringLiteral("62.3 dBC, SLOW, range 50 to 110 dB, clock 14:07:09, REC"));
    QCOMPARE(lcd->text(QAccessible::Description), QStringLiteral("Meter display"));
    LanguageDispatcher::instance().setLanguage(Language::French);
}

QTEST_MAIN(tst_TfrmPanel)
#include "tst_TfrmPanel.moc"
