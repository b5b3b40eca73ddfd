// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TfrmMain.h"
#include "common/Paths.h"
#include "common/Settings.h"
#include "chart/PESGraph.h"
#include "graph/GraphState.h"
#include "graph/GraphWindows.h"
#include "graph/TfrmGraph.h"
#include "panel/TfrmPanel.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScriptedLink.h"

#include <QAction>
#include <QComboBox>
#include <QMdiArea>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

using namespace ql708;
using graph::GraphWindows;
using graph::TfrmGraph;

namespace {
// The player sits in the tool bar through its own action, which the window shows or hides.
bool playerShown(TfrmGraph *w)
{
    return w->ToolBar1()->findChild<QAction *>(QStringLiteral("MediaPlayer1Slot"))->isVisible();
}
} // namespace

class TestRealTimeWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { paths::setTestRoot({}); }
    void createdAtStartBesideThePanel();
    void closeAndReopenFromTheMenu();
    void activationDisablesOutputToGraph();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestRealTimeWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    paths::setTestRoot(m_dir->path());
    graph::graphState() = graph::GraphState();
}

void TestRealTimeWindow::createdAtStartBesideThePanel()
{
    settings::writeRealTimeRate(2.0f);
    test::FakeClock clock;
    test::ScriptedLink hid;
    TfrmMain w(hid);
    w.resize(1200, 800);
    w.show();
    w.FormShow();
    TfrmGraph *rt = GraphWindows::instance().realTime;
    QVERIFY(rt);
    QCOMPARE(rt->windowTitle(), QStringLiteral("Real-Time Graph"));
    QVERIFY(w.RealTimeGraph1()->isChecked() && w.RealTimeGraph1()->isEnabled());
    // Beside the front panel, filling the rest of the main window.
    const int left = w.panel()->width();
    QCOMPARE(rt->geometry(), QRect(left, 0, w.width() - left - 5,
                                   w.height() - w.Panel1()->height() - w.statusBar()->height() - 40));
    QCOMPARE(w.mdiArea()->activeSubWindow(), rt);
    QVERIFY(rt->tbntClr()->isVisible() && rt->tbntSep3()->isVisible());
    QVERIFY(!rt->Button3()->isVisible() && !playerShown(rt));
    QVERIFY(!rt->txtSamplingRate()->isEditable() && rt->pnlSamplingRate()->isEnabled());
    QCOMPARE(rt->txtSamplingRate()->currentText(), QStringLiteral("2.0"));

    const chart::PESGraph &c = *rt->PESGraph1();
    QCOMPARE(c.subsets(), 1);
    QCOMPARE(c.points(), 500);
    QCOMPARE(c.manualMinY(), 30.0);
    QCOMPARE(c.manualMaxY(), 130.0);
    QCOMPARE(c.manualMinX(), graph::graphState().realTime.lastPointTime);
    QCOMPARE(qRound((c.manualMaxX() - c.manualMinX()) * 86400), 1020);
    QCOMPARE(c.manualMinX(), toTDateTime(clock.now()));

    // The rate box and the main window hold one rate, which is saved at close.
    rt->txtSamplingRate()->setCurrentIndex(3);
    emit rt->txtSamplingRate()->activated(3);
    QCOMPARE(w.realTimeRate(), 5.0f);
    w.close();
    QCOMPARE(settings::readRealTimeRate(), 5.0f);
}

void TestRealTimeWindow::closeAndReopenFromTheMenu()
{
    test::FakeClock clock;
    test::ScriptedLink hid;
    TfrmMain w(hid);
    w.show();
    w.FormShow();
    QPointer<TfrmGraph> first = GraphWindows::instance().realTime.data();
    // Not connected: Run stays as it was, Stop goes off.
    w.Run1()->setEnabled(true);
    w.Stop1()->setEnabled(true);
    graph::graphState().realTime.realTimeRunning = true;
    QVERIFY(first->close());
    QVERIFY(!w.RealTimeGraph1()->isChecked());
    QVERIFY(!w.Stop1()->isEnabled() && !w.btnStop()->isEnabled());
    QVERIFY(!graph::graphState().realTime.realTimeRunning);
    QVERIFY(GraphWindows::instance().realTime.isNull());

    w.RealTimeGraph1()->trigger();
    QPointer<TfrmGraph> second = GraphWindows::instance().realTime.data();
    QVERIFY(second && second != first);
    QVERIFY(w.RealTimeGraph1()->isChecked());
    // Reopened as at start: no WAV playback in the real-time window.
    QVERIFY(!second->Button3()->isVisible() && !playerShown(second));
    QVERIFY(second->tbntClr()->isVisible());
    second->showMinimized();
    w.RealTimeGraph1()->trigger();
    QCOMPARE(GraphWindows::instance().realTime.data(), second.data());
    QVERIFY(!second->isMinimized());
    const QList<QMdiSubWindow *> open = w.mdiArea()->subWindowList();
    QCOMPARE(std::count_if(open.begin(), open.end(),
                           [](QMdiSubWindow *s) { return qobject_cast<TfrmGraph *>(s); }),
             1);
}

void TestRealTimeWindow::activationDisablesOutputToGraph()
{
    test::FakeClock clock;
    test::ScriptedLink hid;
    TfrmMain w(hid);
    w.show();
    w.FormShow();
    auto *other = TfrmGraph::create(w.mdiArea(), QStringLiteral("site.ghf"));
    w.btnOutputToGraph()->setEnabled(true);
    w.mdiArea()->setActiveSubWindow(GraphWindows::instance().realTime);
    QVERIFY(!w.btnOutputToGraph()->isEnabled());
    w.btnOutputToGraph()->setEnabled(true);
    w.mdiArea()->setActiveSubWindow(other);
    QVERIFY(!w.btnOutputToGraph()->isEnabled());
}

QTEST_MAIN(TestRealTimeWindow)
#include "tst_RealTimeWindow.moc"
