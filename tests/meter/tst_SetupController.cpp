// SPDX-License-Identifier: GPL-3.0-or-later
#include "datalogger/DataLoggerController.h"
#include "meter/SetupController.h"
#include "app/TfrmMain.h"
#include "common/Paths.h"
#include "common/StringTable.h"
#include "graph/GraphState.h"
#include "graph/GraphWindows.h"
#include "graph/TfrmGraph.h"
#include "meter/TfrmSetup.h"
#include "meter/sim/SimulatedMeter.h"
#include "panel/TfrmPanel.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FaultyLink.h"
#include "widgets/ModalRunner.h"

#include <QAction>
#include <QMdiArea>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace ql708;

namespace {
QString mainText(const char *key) { return ids(QStringLiteral("frmMain"), QString::fromLatin1(key)); }
} // namespace

class TestSetupController : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void menuEraseAsksFirst_data();
    void menuEraseAsksFirst();
    void setupDialogOpensOnce();
    void downloadPausesTheSetupDialog();

private:
    void connectMeter();
    int eraseFrames() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<test::FakeClock> m_clock;
    std::unique_ptr<SimulatedMeter> m_sim;
    std::unique_ptr<test::FaultyLink> m_link;
    std::unique_ptr<TfrmMain> m_main;
    QStringList m_messages;
    int m_answer = QMessageBox::Yes;
};

void TestSetupController::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    paths::setTestRoot(m_dir->path());
    m_clock = std::make_unique<test::FakeClock>();
    m_sim = std::make_unique<SimulatedMeter>();
    m_link = std::make_unique<test::FaultyLink>(*m_sim);
    m_main = std::make_unique<TfrmMain>(*m_link);
    m_main->resize(1200, 800);
    m_main->show();
    m_main->FormShow();
    m_messages.clear();
    setModalHandler([this](QDialog &d) {
        auto *box = qobject_cast<QMessageBox *>(&d);
        if (!box)
            return int(QDialog::Rejected);
        m_messages << box->text();
        return box->objectName() == QLatin1String("confirmBox") ? m_answer : int(QMessageBox::Ok);
    });
}

void TestSetupController::cleanup()
{
    setModalHandler({});
    if (graph::TfrmGraph *w = graph::GraphWindows::instance().dataLogger)
        graph::graphState().loggerDataUnsaved = false, w->close();
    m_main.reset();
    m_link.reset();
    m_sim.reset();
    m_clock.reset();
    paths::setTestRoot({});
}

void TestSetupController::connectMeter()
{
    m_main->MainTimerTimer();
    QVERIFY(m_main->meter().meterConnected());
    m_main->MainTimerTimer();
}

int TestSetupController::eraseFrames() const
{
    return int(std::count(m_link->frames.cbegin(), m_link->frames.cend(), makeFrame(MeterCommand('e'), 'r', 'a', 's', 'e')));
}

void TestSetupController::menuEraseAsksFirst_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("erased");
    const QString question = mainText("IDS_315");
    QTest::newRow("recording") << "recording" << int(QMessageBox::Yes) << QStringList{mainText("IDS_79")} << false;
    // With the front panel closed the poll reads no status: the flag is read before the refusal.
    QTest::newRow("recording, panel closed")
        << "recording, panel closed" << int(QMessageBox::Yes) << QStringList{mainText("IDS_79")} << false;
    QTest::newRow("stopped, panel closed")
        << "stopped, panel closed" << int(QMessageBox::Yes) << QStringList{question, mainText("IDS_84")} << true;
    QTest::newRow("box closed") << "" << int(QMessageBox::NoButton) << QStringList{question} << false;
    QTest::newRow("No") << "" << int(QMessageBox::No) << QStringList{question} << false;
    QTest::newRow("Yes") << "" << int(QMessageBox::Yes) << QStringList{question, mainText("IDS_84")} << true;
    QTest::newRow("Yes, no device") << "no device" << int(QMessageBox::Yes)
                                    << QStringList{question, "fail to open device"} << false;
}

void TestSetupController::menuEraseAsksFirst()
{
    QFETCH(QString, situation);
    QFETCH(int, answer);
    QFETCH(QStringList, messages);
    QFETCH(bool, erased);
    connectMeter();
    const bool stopped = situation.startsWith(QLatin1String("stopped"));
    if (stopped) { // the flag was read while the meter recorded
        m_main->meter().keyExchange(MeterCommand('w'));
        m_main->MainTimerTimer();
        QVERIFY(m_main->meter().meterRecording());
    }
    if (situation.endsWith(QLatin1String("panel closed")))
        m_main->panel()->close();
    if (stopped || situation.startsWith(QLatin1String("recording"))) {
        m_main->meter().keyExchange(MeterCommand(stopped ? 'u' : 'w'));
        m_main->MainTimerTimer();
    }
    m_link->failAllOpens = situation == QLatin1String("no device");
    m_answer = answer;
    const int sets = m_sim->setCount();
    QVERIFY(m_main->EraseMemory1()->isEnabled());
    m_main->EraseMemory1()->trigger();
    QCOMPARE(m_messages, messages);
    QCOMPARE(eraseFrames(), erased ? 1 : 0);
    QCOMPARE(m_sim->setCount(), erased ? 0 : sets);
    QVERIFY(m_main->MainTimer()->isActive());
}

void TestSetupController::setupDialogOpensOnce()
{
    QVERIFY(!m_main->Setup1()->isVisible());
    m_main->Setup1Click();
    TfrmSetup *w = m_main->setupCommands().setupWindow();
    QVERIFY(w);
    w->showMinimized();
    m_main->Setup1Click();
    QCOMPARE(m_main->setupCommands().setupWindow(), w);
    QVERIFY(!w->isMinimized());
    QCOMPARE(m_main->mdiArea()->findChildren<TfrmSetup *>().size(), 1);
    // Its commands take the link over from the poll and give it back.
    w->Button4()->click();
    QCOMPARE(m_messages, QStringList{"read data successfully"});
    QVERIFY(m_main->MainTimer()->isActive());
    w->close();
    QTRY_VERIFY(!m_main->setupCommands().setupWindow());
}

void TestSetupController::downloadPausesTheSetupDialog()
{
    connectMeter();
    m_main->Setup1Click();
    TfrmSetup *w = m_main->setupCommands().setupWindow();
    bool paused = false;
    QTimer::singleShot(0, [&] { paused = !w->isEnabled(); });
    m_main->LoadData1()->trigger();
    QVERIFY(paused);
    QVERIFY(w->isEnabled());
}

QTEST_MAIN(TestSetupController)
#include "tst_SetupController.moc"
