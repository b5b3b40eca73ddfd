// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TfrmMain.h"
#include "common/Paths.h"
#include "common/Settings.h"
#include "graph/GraphState.h"
#include "graph/GraphWindows.h"
#include "graph/TfrmGraph.h"
#include "common/StringTable.h"
#include "widgets/CloseQuery.h"
#include "widgets/LanguageDispatcher.h"
#include "widgets/ModalRunner.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScriptedLink.h"

#include <QAccessible>
#include <QAction>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMessageBox>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

using namespace ql708;

namespace {

// A child window with unsaved work: it asks before it closes, and may refuse.
class Child : public QWidget, public CloseQuery {
public:
    bool refuse = false;
    int asked = 0;
    bool closed = false;

    bool FormCloseQuery() override
    {
        ++asked;
        return !refuse;
    }

protected:
    void closeEvent(QCloseEvent *e) override
    {
        if (!mayClose())
            return e->ignore();
        closed = true;
        e->accept();
    }
};

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup() { paths::setTestRoot({}); }
    void startsWithRateAndOffConnection();
    void pollShowsConnectionAndLoss();
    void exitAsksChildrenAndSavesRate_data();
    void exitAsksChildrenAndSavesRate();
    void graphWindowStaysWhenAnotherChildRefuses();
    void toolBarButtonsAreNamedByTheirHints();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestMainWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    paths::setTestRoot(m_dir->path());
}

void TestMainWindow::startsWithRateAndOffConnection()
{
    test::FakeClock clock;
    test::ScriptedLink hid;
    TfrmMain w(hid);
    QCOMPARE(w.realTimeRate(), 0.2f);
    w.FormShow();
    QCOMPARE(w.statusText(1), QStringLiteral("Off Connection"));
    QVERIFY(w.MainTimer()->isActive());
    QCOMPARE(w.MainTimer()->interval(), 500);
    QVERIFY(!w.Setup1()->isVisible());
    QCOMPARE(w.dataFolder(), m_dir->path() + "/Documents/QL708/");
    QVERIFY(!w.Run1()->isEnabled());
    QVERIFY(!w.btnOutputToGraph()->isEnabled());
}

void TestMainWindow::pollShowsConnectionAndLoss()
{
    test::ScriptedLink hid;
    hid.answerLikeMeter();
    TfrmMain w(hid);
    w.MainTimerTimer();
    const QString connected = w.statusText(1);
    QVERIFY(!connected.isEmpty() && connected != QStringLiteral("Off Connection"));
    QVERIFY(w.meter().meterConnected());
    hid.devicePresent = false;
    for (int i = 0; i < 5; ++i)
        w.MainTimerTimer();
    QVERIFY(!w.meter().meterConnected());
    QVERIFY(w.statusText(1) != connected);
}

void TestMainWindow::exitAsksChildrenAndSavesRate_data()
{
    QTest::addColumn<QList<bool>>("refusals"); // one per child, in creation order
    QTest::newRow("child closes") << QList<bool>{false};
    QTest::newRow("child refuses") << QList<bool>{true};
    QTest::newRow("two children close") << QList<bool>{false, false};
    QTest::newRow("second refuses: the first stays open") << QList<bool>{false, true};
}

void TestMainWindow::exitAsksChildrenAndSavesRate()
{
    QFETCH(QList<bool>, refusals);
    test::ScriptedLink hid;
    TfrmMain w(hid);
    w.show();
    QList<QPointer<Child>> children;
    for (bool refuse : refusals) {
        auto *child = new Child;
        child->refuse = refuse;
        w.mdiArea()->addSubWindow(child)->show();
        children.append(child);
    }
    w.setRealTimeRate(5.0f);
    w.Exit1()->trigger();
    const bool refused = refusals.contains(true);
    for (const QPointer<Child> &child : children) {
        QVERIFY(child);
        QCOMPARE(child->asked, 1); // asked once, never again on the close that follows
        QCOMPARE(child->closed, !refused);
    }
    QCOMPARE(w.isVisible(), refused);
    QCOMPARE(settings::readRealTimeRate(), refused ? 0.2f : 5.0f);
    if (refused) { // a yes given before the refusal no longer holds
        children[0]->parentWidget()->close();
        QCOMPARE(children[0]->asked, 2);
    }
}

void TestMainWindow::graphWindowStaysWhenAnotherChildRefuses()
{
    test::FakeClock clock;
    test::ScriptedLink hid;
    TfrmMain w(hid);
    w.show();
    w.FormShow();
    graph::graphState().realTime.realTimeUnsaved = true;
    auto *child = new Child;
    child->refuse = true;
    w.mdiArea()->addSubWindow(child)->show();
    int questions = 0;
    setModalHandler([&](QDialog &) {
        ++questions;
        return int(QMessageBox::No);
    });
    w.Exit1()->trigger();
    setModalHandler({});
    QCOMPARE(questions, 1); // the real-time window asked about its points, then the child refused
    QCOMPARE(child->asked, 1);
    QVERIFY(graph::GraphWindows::instance().realTime);
    QVERIFY(graph::GraphWindows::instance().realTime->isVisible());
    QVERIFY(w.isVisible());
}

void TestMainWindow::toolBarButtonsAreNamedByTheirHints()
{
    test::ScriptedLink hid;
    TfrmMain w(hid);
    const StringTable &table = StringTable::of(QStringLiteral("frmMain"));
    QCOMPARE(w.Panel1()->actions().size(), 8);
    for (Language lang : {Language::English, Language::French}) {
        LanguageDispatcher::instance().setLanguage(lang);
        for (QAction *a : w.Panel1()->actions()) {
            QAccessibleInterface *button = QAccessible::queryAccessibleInterface(w.Panel1()->widgetForAction(a));
            QVERIFY(button);
            QCOMPARE(button->role(), QAccessible::Button);
            QCOMPARE(button->text(QAccessible::Name), table.sectionText(QStringLiteral("hint"), a->objectName(), lang));
        }
    }
}

QTEST_MAIN(TestMainWindow)
#include "tst_MainWindow.moc"
