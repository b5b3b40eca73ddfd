#include "app/TfrmMain.h"
#include "common/Paths.h"
#include "common/Settings.h"
#include "tests/support/FakeClock.h"
#include "tests/support/ScriptedLink.h"

#include <QAction>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace ql708;

namespace {

// A child window that refuses to close while it holds unsaved work.
class Child : public QWidget {
public:
    bool refuse = false;
    int asked = 0;

protected:
    void closeEvent(QCloseEvent *e) override
    {
        ++asked;
        refuse ? e->ignore() : e->accept();
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
    QVERIFY(w.MainTimer->isActive());
    QCOMPARE(w.MainTimer->interval(), 500);
    QVERIFY(!w.Setup1->isVisible());
    QCOMPARE(w.dataFolder(), m_dir->path() + "/Documents/QL708/");
    QVERIFY(!w.Run1->isEnabled());
    QVERIFY(!w.btnOutputToGraph->isEnabled());
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
    QTest::addColumn<bool>("childRefuses");
    QTest::newRow("child closes") << false;
    QTest::newRow("child refuses") << true;
}

void TestMainWindow::exitAsksChildrenAndSavesRate()
{
    QFETCH(bool, childRefuses);
    test::ScriptedLink hid;
    TfrmMain w(hid);
    w.show();
    auto *child = new Child;
    child->refuse = childRefuses;
    w.mdiArea()->addSubWindow(child)->show();
    w.setRealTimeRate(5.0f);
    w.Exit1->trigger();
    QCOMPARE(child->asked, 1);
    QCOMPARE(w.isVisible(), childRefuses);
    QCOMPARE(settings::readRealTimeRate(), childRefuses ? 0.2f : 5.0f);
}

QTEST_MAIN(TestMainWindow)
#include "tst_MainWindow.moc"
