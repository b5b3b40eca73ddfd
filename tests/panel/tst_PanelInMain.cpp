// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TfrmMain.h"
#include "common/Paths.h"
#include "panel/PanelKey.h"
#include "panel/TfrmPanel.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScriptedLink.h"

#include <QAction>
#include <QLabel>
#include <QMdiArea>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace ql708;
using test::ScriptedLink;

namespace {
constexpr std::array<int, 4> kTestPattern{1, 8, 8, 8};
}

// The main window's side of the front panel: creation at start, the status hand-off of the
// poll, the connection mark, and closing and reopening from the View menu.
class tst_PanelInMain : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void startsAtTopLeftWithTestPattern();
    void pollShowsStatusOnlyWhilePanelIsOpen();
    void reopenRestoresMinimizedPanel();
    void activatingPanelDisablesOutputToGraph();

private:
    void tick() { m_main->MainTimerTimer(); }

    QTemporaryDir m_dir;
    std::unique_ptr<test::FakeClock> m_clock;
    ScriptedLink m_link;
    std::unique_ptr<TfrmMain> m_main;
    std::uint8_t m_flags = 0;
};

void tst_PanelInMain::init()
{
    paths::setTestRoot(m_dir.path());
    m_clock = std::make_unique<test::FakeClock>();
    m_link = ScriptedLink();
    m_flags = status_layout::kAWeightingBit;
    m_link.answerLikeMeter([this](const CommandFrame &, ReplyBuffer &r) {
        r[status_layout::kFlags] = m_flags;
        r[status_layout::kRange] = kRange30to130;
        r[status_layout::kLevel] = 456 >> 8;
        r[status_layout::kLevel + 1] = 456 & 0xFF;
    });
    m_main = std::make_unique<TfrmMain>(m_link);
    m_main->resize(1000, 700);
    m_main->show();
    m_main->FormShow();
    m_main->MainTimer()->stop(); // the test ticks by hand
}

void tst_PanelInMain::cleanup()
{
    m_main.reset();
    m_clock.reset();
    paths::setTestRoot(QString());
}

void tst_PanelInMain::startsAtTopLeftWithTestPattern()
{
    TfrmPanel *panel = m_main->panel();
    QVERIFY(panel);
    QCOMPARE(panel->pos(), QPoint(0, 0));
    QCOMPARE(panel->view().digits, kTestPattern);
    QVERIFY(!panel->lblNoConnection()->isHidden());
    QVERIFY(m_main->ControlPanel1()->isEnabled());
    QVERIFY(m_main->ControlPanel1()->isChecked());
}

void tst_PanelInMain::pollShowsStatusOnlyWhilePanelIsOpen()
{
    tick(); // handshake
    QVERIFY(m_main->meter().meterConnected());
    QVERIFY(m_main->panel()->lblNoConnection()->isHidden());
    tick();
    QCOMPARE(m_main->panel()->view().digits, (std::array<int, 4>{kDigitBlank, 4, 5, 6}));
    QVERIFY(m_main->panel()->lbldBA()->isVisibleTo(m_main->panel()));

    QPointer<TfrmPanel> old = m_main->panel();
    QTest::mouseClick(old->SpeedButton2(), Qt::LeftButton);
    QVERIFY(!m_main->panel());
    QVERIFY(!m_main->ControlPanel1()->isChecked());
    QTRY_VERIFY(old.isNull());

    m_flags |= status_layout::kRecordingBit;
    tick();
    QVERIFY(!m_main->meter().meterRecording()); // nothing is decoded while the panel is closed

    m_main->ControlPanel1()->trigger();
    TfrmPanel *fresh = m_main->panel();
    QVERIFY(fresh);
    QVERIFY(m_main->ControlPanel1()->isChecked());
    QCOMPARE(fresh->pos(), QPoint(0, 0));
    QCOMPARE(fresh->view().digits, kTestPattern);
    QVERIFY(fresh->lblNoConnection()->isHidden()); // the meter is still connected
    tick();
    QVERIFY(m_main->meter().meterRecording());
    QVERIFY(fresh->lblREC()->isVisibleTo(fresh));
}

void tst_PanelInMain::reopenRestoresMinimizedPanel()
{
    TfrmPanel *panel = m_main->panel();
    QTest::mouseClick(panel->SpeedButton1(), Qt::LeftButton);
    QVERIFY(panel->isMinimized());
    m_main->ControlPanel1()->trigger();
    QCOMPARE(m_main->panel(), panel);
    QVERIFY(!panel->isMinimized());
    QVERIFY(m_main->ControlPanel1()->isChecked());
    QCOMPARE(m_main->findChildren<TfrmPanel *>().size(), 1);
}

void tst_PanelInMain::activatingPanelDisablesOutputToGraph()
{
    m_main->btnOutputToGraph()->setEnabled(true);
    m_main->mdiArea()->setActiveSubWindow(nullptr);
    m_main->mdiArea()->setActiveSubWindow(m_main->panel());
    QVERIFY(!m_main->btnOutputToGraph()->isEnabled());
}

QTEST_MAIN(tst_PanelInMain)
#include "tst_PanelInMain.moc"
