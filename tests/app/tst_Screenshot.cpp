// SPDX-License-Identifier: GPL-3.0-or-later
// The picture software centres show: the main window with the simulated meter, its front panel
// and a real-time run, in English, written to the file the build names (SCREENSHOT_FILE).
#include "app/TfrmMain.h"
#include "common/Paths.h"
#include "meter/sim/SimulatedMeter.h"
#include "widgets/LanguageDispatcher.h"
#include "widgets/ModalRunner.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace ql708;

class TestScreenshot : public QObject {
    Q_OBJECT
private slots:
    void mainWindowWithTheSimulatedMeter();
};

void TestScreenshot::mainWindowWithTheSimulatedMeter()
{
    QTemporaryDir dir;
    paths::setTestRoot(dir.path());
    LanguageDispatcher::instance().setLanguage(Language::English);
    SimulatedMeter meter;
    TfrmMain w(meter);
    w.resize(1280, 720); // 16:9, as software centres lay screenshots out
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.FormShow();
    QTRY_VERIFY_WITH_TIMEOUT(w.Run1()->isEnabled(), 5000); // the meter answered
    setModalHandler([](QDialog &) { return int(QDialog::Accepted); }); // the run's settings as offered
    w.Run1()->trigger();
    QTest::qWait(3000); // a few seconds of live levels on the graph
    const QString file = QStringLiteral(SCREENSHOT_FILE);
    QVERIFY(QDir().mkpath(QFileInfo(file).path()));
    QVERIFY2(w.grab().save(file), qPrintable(file));
    w.Stop1()->trigger();
    setModalHandler({});
    paths::setTestRoot({});
}

QTEST_MAIN(TestScreenshot)
#include "tst_Screenshot.moc"
