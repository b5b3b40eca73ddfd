// SPDX-License-Identifier: GPL-3.0-or-later
#include "realtime/RealTimeController.h"
#include "app/TfrmMain.h"
#include "chart/ChartFile.h"
#include "chart/PESGraph.h"
#include "common/Paths.h"
#include "common/StringTable.h"
#include "graph/GraphState.h"
#include "graph/GraphTexts.h"
#include "graph/GraphWindows.h"
#include "graph/TfrmGraph.h"
#include "meter/Protocol.h"
#include "monitor/MonitorCsv.h"
#include "monitor/MonitorSession.h"
#include "realtime/TfrmSetupRealTime.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FullDisk.h"
#include "tests/support/ScriptedLink.h"
#include "widgets/ModalRunner.h"
#include "widgets/TfrmScope.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace ql708;
using graph::TfrmGraph;

namespace {
const QString kMain = QStringLiteral("frmMain");
const QString kGraph = QStringLiteral("frmGraph");
// A table's text as a message box shows it.
QString asShown(QString stored) { return stored.replace(QLatin1String("\\n"), QLatin1String("\n")); }

// The lines of a file; the last one is empty when the file ends with a line end.
QList<QByteArray> fileLines(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().split('\n') : QList<QByteArray>{};
}
} // namespace

class TestRealTimeController : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setActiveLanguage(Language::English); }
    void init();
    void cleanup();
    void runStopsItselfWhenFull();
    void stopKeepsThePointsAdded();
    void badSetupIsRefused_data();
    void badSetupIsRefused();
    void commandsFollowConnectionAndRun();
    void questionBeforeANewRun_data();
    void questionBeforeANewRun();
    void clearLetsThePointsGo();
    void newRunShowsOnlyItsOwnFigures();
    void calLeqTakesThePointsSoFar();
    void closingAsksToSave_data();
    void closingAsksToSave();
    void dailyFilesHoldWhatTheChartShows();
    void aFullChartLeavesTheFilesGoing();
    void dailyFilesEndWithTheRun_data();
    void dailyFilesEndWithTheRun();
    void theMeterGoingAwayIsAGap();
    void theDailyFilesOptionIsRemembered();
    void anUnwritableFolderStartsNoRun();
    void aFullDiskIsToldAndTheRunGoesOn();

private:
    void connectMeter();
    // Run with the setup dialog answered: count and rate texts, Start.
    void run(const QString &count, const QString &rate = QStringLiteral("0.5"));
    // One poll half a second after the last.
    void poll(int level);
    // A connected meter and a run of three points, 60, 70 and 80 dB, ended by itself.
    TfrmGraph *runThreePoints();
    TfrmGraph *window() const { return graph::GraphWindows::instance().realTime; }
    // The daily files' folder of the runs to come; empty: the option as the dialog offers it.
    void writeDailyFilesTo(const QString &folder) { m_dailyFolder = folder; }
    QString readingsFile() const { return m_dailyFolder + m_clock->now().date().toString(u"/yyyy-MM-dd'.csv'"); }
    // No monitor holds the folder: the window let it go.
    bool folderIsFree() const;
    QStringList runCommands() const; // the four commands and Clear that are enabled

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<test::FakeClock> m_clock;
    std::unique_ptr<test::ScriptedLink> m_hid;
    std::unique_ptr<TfrmMain> m_main;
    quint16 m_level = 600;
    QStringList m_shown;     // text of every message and question shown
    QList<int> m_answers;    // answers to the questions, in order
    QString m_count, m_rate; // what the setup dialog gets
    QString m_saveAs;        // the file the save dialog picks; empty: it is cancelled
    QString m_dailyFolder;
    QList<realtime::DailyFilesOption> m_offered; // what each setup dialog showed
};

void TestRealTimeController::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    paths::setTestRoot(m_dir->path());
    graph::graphState() = graph::GraphState();
    m_clock = std::make_unique<test::FakeClock>();
    m_hid = std::make_unique<test::ScriptedLink>();
    m_hid->answerLikeMeter([this](const CommandFrame &, ReplyBuffer &r) {
        r[status_layout::kRange] = kRange30to130;
        r[status_layout::kFlags] = status_layout::kAWeightingBit | status_layout::kFastBit;
        r[status_layout::kLevel] = quint8(m_level >> 8);
        r[status_layout::kLevel + 1] = quint8(m_level & 0xFF);
    });
    m_main = std::make_unique<TfrmMain>(*m_hid);
    m_main->resize(1200, 800);
    m_main->show();
    m_main->FormShow();
    m_main->MainTimer()->stop(); // the test polls
    m_shown.clear();
    m_answers.clear();
    m_saveAs.clear();
    m_dailyFolder.clear();
    m_offered.clear();
    setModalHandler([this](QDialog &d) {
        if (auto *setup = qobject_cast<realtime::TfrmSetupRealTime *>(&d)) {
            setup->edtRealTimeNo()->setText(m_count);
            setup->txtRate()->setEditText(m_rate);
            m_offered << setup->dailyFiles();
            if (!m_dailyFolder.isEmpty()) {
                setup->chkDailyFiles()->setChecked(true);
                setup->edtDailyFolder()->setText(m_dailyFolder);
            }
            return int(QDialog::Accepted);
        }
        if (auto *files = qobject_cast<QFileDialog *>(&d)) {
            if (m_saveAs.isEmpty())
                return int(QDialog::Rejected);
            files->selectFile(m_saveAs);
            return int(QDialog::Accepted);
        }
        if (qobject_cast<TfrmScope *>(&d))
            return int(TfrmScope::OK); // all the points
        m_shown << qobject_cast<QMessageBox *>(&d)->text();
        return m_answers.isEmpty() ? int(QMessageBox::Ok) : m_answers.takeFirst();
    });
}

void TestRealTimeController::cleanup()
{
    setModalHandler({});
    graph::graphState() = graph::GraphState(); // nothing left to ask on closing
    m_main.reset();
    m_hid.reset();
    m_clock.reset();
    paths::setTestRoot({});
}

void TestRealTimeController::connectMeter()
{
    m_clock->advance(1000); // longer than any rate since the window was created
    m_main->MainTimerTimer();
    QVERIFY(m_main->meter().meterConnected());
}

void TestRealTimeController::run(const QString &count, const QString &rate)
{
    m_count = count;
    m_rate = rate;
    m_main->Run1()->trigger();
}

void TestRealTimeController::poll(int level)
{
    m_level = quint16(level);
    m_clock->advance(500);
    m_main->MainTimerTimer();
}

TfrmGraph *TestRealTimeController::runThreePoints()
{
    connectMeter();
    run(QStringLiteral("3"));
    for (int level : {600, 700, 800})
        poll(level);
    return window();
}

bool TestRealTimeController::folderIsFree() const
{
    monitor::MonitorSettings settings;
    settings.folder = m_dailyFolder;
    monitor::MonitorSession other(settings, [](const QString &) {});
    QString error;
    const bool taken = other.start(m_clock->now(), error);
    other.stop(m_clock->now());
    return taken;
}

QStringList TestRealTimeController::runCommands() const
{
    QStringList on;
    for (QAction *a : {m_main->Run1(), m_main->btnRun(), m_main->Stop1(), m_main->btnStop()})
        if (a->isEnabled())
            on << a->objectName();
    if (window() && window()->tbntClr()->isEnabled())
        on << QStringLiteral("tbntClr");
    return on;
}

void TestRealTimeController::runStopsItselfWhenFull()
{
    connectMeter();
    run(QStringLiteral("5"));
    TfrmGraph *w = window();
    QVERIFY(graph::graphState().realTime.realTimeRunning);
    QCOMPARE(w->PESGraph1()->points(), 5);
    QCOMPARE(w->txtDataNo()->text(), QStringLiteral("0"));
    const QList<int> levels = {612, 655, 583, 720, 655, 700};
    for (int level : levels)
        poll(level);
    QVERIFY(!graph::graphState().realTime.realTimeRunning);
    QCOMPARE(w->txtDataNo()->text(), QStringLiteral("5"));
    QCOMPARE(w->PESGraph1()->points(), 5);
    QCOMPARE(w->PESGraph1()->yData(0, 4), 65.5f); // the sixth level came after the end
    QCOMPARE(w->txtMax()->text(), QStringLiteral("72.0"));
    QCOMPARE(w->txtMin()->text(), QStringLiteral("58.3"));
    QCOMPARE(w->txtAvgAll()->text(), QStringLiteral("64.5"));
    // The cursors on points 1 and 3 with the figures between them.
    QCOMPARE(w->txtCursorA()->text(), QStringLiteral("65.5"));
    QCOMPARE(w->txtCursorB()->text(), QStringLiteral("72.0"));
    QCOMPARE(w->txtMinAB()->text(), QStringLiteral("58.3"));
    QCOMPARE(runCommands(), (QStringList{"Run1", "btnRun", "tbntClr"}));
    QCOMPARE(m_main->realTimeRate(), 0.5f);
    QCOMPARE(w->txtSamplingRate()->currentIndex(), 0);
}

void TestRealTimeController::stopKeepsThePointsAdded()
{
    connectMeter();
    run(QStringLiteral("2000"), QStringLiteral("1.0"));
    TfrmGraph *w = window();
    QCOMPARE(w->txtSamplingRate()->currentText(), QStringLiteral("1.0"));
    QList<double> at;
    for (int level : {600, 999, 700, 999, 800, 999}) {
        poll(level);
        if (level != 999) // at 1 s the decodes between count for nothing
            at << toTDateTime(m_clock->now());
    }
    QCOMPARE(w->txtDataNo()->text(), QStringLiteral("3"));
    QCOMPARE(w->PESGraph1()->points(), 2000);
    m_main->Stop1()->trigger();
    const chart::PESGraph &c = *w->PESGraph1();
    QCOMPARE(c.points(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(c.xDataII(0, i), at[i]);
        QCOMPARE(c.yData(0, i), float(60 + 10 * i));
    }
    QCOMPARE(w->txtAvgAll()->text(), QStringLiteral("70.0"));
    QCOMPARE(w->txtMaxTime()->text(), graph::dateTimeText(at[2]));
    QCOMPARE(c.manualMaxX(), toTDateTime(m_clock->now()));
    QCOMPARE(c.vertLineAnnotation(1), at[1]);
    QCOMPARE(c.vertLineAnnotation(2), at[2]);
    QVERIFY(graph::graphState().realTime.realTimeUnsaved);
    // Stopped is stopped: later decodes add nothing.
    poll(650);
    poll(650);
    QCOMPARE(c.points(), 3);
    QCOMPARE(w->txtDataNo()->text(), QStringLiteral("3"));
}

void TestRealTimeController::badSetupIsRefused_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("shown"); // followed by IDS_12
    QTest::newRow("letters") << "abc" << "0.5" << "abc";
    QTest::newRow("blanks kept in the message") << " 2.5 " << "0.5" << " 2.5 ";
    QTest::newRow("zero") << "0" << "0.5" << "0";
    QTest::newRow("more than a million") << "1000001" << "0.5" << "1000001";
    QTest::newRow("a rate that is no number") << "20" << "fast" << "fast";
    QTest::newRow("a rate of 0") << "20" << "0" << "0";
}

void TestRealTimeController::badSetupIsRefused()
{
    QFETCH(QString, count);
    QFETCH(QString, rate);
    connectMeter();
    run(count, rate);
    QFETCH(QString, shown);
    QCOMPARE(m_shown, QStringList{shown + asShown(ids(kMain, QStringLiteral("IDS_12")))});
    QVERIFY(!graph::graphState().realTime.realTimeRunning);
    QCOMPARE(window()->PESGraph1()->points(), 500);
    QCOMPARE(m_main->realTimeRate(), 0.2f);
    QCOMPARE(runCommands(), (QStringList{"Run1", "btnRun", "tbntClr"}));
}

void TestRealTimeController::commandsFollowConnectionAndRun()
{
    QCOMPARE(runCommands(), QStringList{"tbntClr"});
    run(QStringLiteral("100")); // without a meter Run does nothing, silently
    QVERIFY(!graph::graphState().realTime.realTimeRunning && m_shown.isEmpty());
    connectMeter();
    QCOMPARE(runCommands(), (QStringList{"Run1", "btnRun", "tbntClr"}));
    run(QStringLiteral("100"));
    QCOMPARE(runCommands(), (QStringList{"Stop1", "btnStop"}));
    poll(600);
    poll(610);
    TfrmGraph *w = window();
    QCOMPARE(w->txtDataNo()->text(), QStringLiteral("2"));

    // The meter goes away mid-run: the run goes on without points, with neither command.
    m_hid->devicePresent = false;
    for (int i = 0; i < 5; ++i)
        poll(620);
    QVERIFY(!m_main->meter().meterConnected());
    QVERIFY(graph::graphState().realTime.realTimeRunning);
    QCOMPARE(runCommands(), QStringList{});
    QCOMPARE(w->txtDataNo()->text(), QStringLiteral("2"));

    // It comes back: Stop again, and the points go on where they were.
    m_hid->devicePresent = true;
    poll(0);
    QVERIFY(m_main->meter().meterConnected());
    QCOMPARE(runCommands(), (QStringList{"Stop1", "btnStop"}));
    poll(630);
    QCOMPARE(w->txtDataNo()->text(), QStringLiteral("3"));
    QCOMPARE(w->PESGraph1()->yData(0, 2), 63.0f);

    // The window closes mid-run (its points let go): the run ends.
    m_answers << QMessageBox::No;
    QVERIFY(w->close());
    QVERIFY(!graph::graphState().realTime.realTimeRunning);
    QCOMPARE(runCommands(), (QStringList{"Run1", "btnRun"}));
    poll(640);
    QVERIFY(!window());

    // While another command holds the link, reopening the window offers no Run.
    {
        const LinkTakeOver takeOver(m_main->meter());
        m_main->RealTimeGraph1Click();
        QCOMPARE(runCommands(), QStringList{"tbntClr"});
    }
}

void TestRealTimeController::questionBeforeANewRun_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("saveAs"); // the file chosen in the save dialog
    QTest::addColumn<bool>("newRun");
    const int yes = QMessageBox::Yes, no = QMessageBox::No, cancel = QMessageBox::Cancel;
    QTest::newRow("Yes saves the points first") << yes << "run.ghf" << true;
    QTest::newRow("Yes, save cancelled: the points stay") << yes << "" << false;
    QTest::newRow("Yes, save failed: the points stay") << yes << "no-such-folder/run.ghf" << false;
    QTest::newRow("No lets the points go") << no << "" << true;
    QTest::newRow("Cancel keeps them") << cancel << "" << false;
}

void TestRealTimeController::questionBeforeANewRun()
{
    QFETCH(int, answer);
    QFETCH(QString, saveAs);
    QFETCH(bool, newRun);
    if (!saveAs.isEmpty())
        m_saveAs = m_dir->filePath(saveAs);
    TfrmGraph *w = runThreePoints();
    QCOMPARE(w->PESGraph1()->points(), 3);
    m_answers << answer;
    run(QStringLiteral("10"));
    QCOMPARE(m_shown.value(0), asShown(ids(kMain, QStringLiteral("IDS_10"))) + asShown(ids(kMain, QStringLiteral("IDS_11"))));
    QCOMPARE(m_shown.size(), saveAs.contains('/') ? 2 : 1); // a failed save says so
    QCOMPARE(graph::graphState().realTime.realTimeRunning, newRun);
    QCOMPARE(w->PESGraph1()->points(), newRun ? 10 : 3);
    QCOMPARE(w->txtAvgAll()->text(), newRun ? QString() : QStringLiteral("70.0"));
    QCOMPARE(graph::graphState().realTime.realTimeUnsaved, !newRun);
    if (QFileInfo::exists(m_saveAs)) { // the saved chart holds the three points
        chart::PESGraph saved;
        QVERIFY(chart::LoadChartFile(saved, m_saveAs));
        QCOMPARE(saved.points(), 3);
        QCOMPARE(saved.yData(0, 2), 80.0f);
    }
    QCOMPARE(QFileInfo::exists(m_saveAs), newRun && answer == QMessageBox::Yes);
}

void TestRealTimeController::closingAsksToSave_data()
{
    QTest::addColumn<QString>("saveAs");
    QTest::addColumn<bool>("closes");
    QTest::newRow("saved: the window closes") << "live.csv" << true;
    QTest::newRow("save cancelled: the window stays") << "" << false;
}

void TestRealTimeController::closingAsksToSave()
{
    QFETCH(QString, saveAs);
    QFETCH(bool, closes);
    if (!saveAs.isEmpty())
        m_saveAs = m_dir->filePath(saveAs);
    connectMeter();
    run(QStringLiteral("4"));
    for (int level : {600, 700, 800, 900})
        poll(level);
    m_answers << QMessageBox::Yes;
    QPointer<TfrmGraph> w = window();
    QCOMPARE(w->close(), closes);
    QCOMPARE(m_shown.value(0), ids(kGraph, QStringLiteral("IDS_13")));
    QCOMPARE(w.isNull() || !w->isVisible(), closes);
    QCOMPARE(graph::graphState().realTime.realTimeUnsaved, !closes);
    QCOMPARE(QFileInfo::exists(m_saveAs), closes);
    const QStringList left = closes ? QStringList{"Run1", "btnRun"} : QStringList{"Run1", "btnRun", "tbntClr"};
    QCOMPARE(runCommands(), left);
}

void TestRealTimeController::clearLetsThePointsGo()
{
    TfrmGraph *w = runThreePoints();
    w->tbntClr()->trigger();
    QCOMPARE(graph::graphState().realTime.realTimePointCount, 0);
    QVERIFY(!graph::graphState().realTime.realTimeUnsaved);
    // The figures described the points let go.
    for (QLineEdit *f : {w->txtAvgAll(), w->txtMax(), w->txtCursorA(), w->txtLeqAB(), w->txtDurationAB()})
        QCOMPARE(f->text(), QString());
    run(QStringLiteral("4")); // nothing to ask about
    QVERIFY(m_shown.isEmpty());
    QVERIFY(graph::graphState().realTime.realTimeRunning);
    QCOMPARE(w->PESGraph1()->points(), 4);
}

void TestRealTimeController::newRunShowsOnlyItsOwnFigures()
{
    TfrmGraph *w = runThreePoints();
    QCOMPARE(w->txtLeqAB()->text(), QStringLiteral("77.4")); // 70 and 80 between the cursors
    QCOMPARE(w->txtDurationAB()->text(), QStringLiteral("0.5 s"));
    m_answers << QMessageBox::No;
    run(QStringLiteral("10"));
    poll(655);
    for (QLineEdit *f : {w->txtAvgAll(), w->txtCursorA(), w->txtCursorATime(), w->txtCursorB(), w->txtCursorBTime(), w->txtMaxAB(),
                         w->txtMaxABTime(), w->txtMinAB(), w->txtMinABTime(), w->txtAvgAB(), w->txtDurationAB(), w->txtLeqAB(),
                         w->txtSELAB(), w->txtL10AB(), w->txtL50AB(), w->txtL90AB()})
        QVERIFY2(f->text().isEmpty(), qPrintable(f->objectName()));
    QCOMPARE(w->txtMax()->text(), QStringLiteral("65.5"));
    QCOMPARE(w->txtDataNo()->text(), QStringLiteral("1"));
    // The export copies this run's figures only.
    w->Button2()->trigger();
    const QString copied = QGuiApplication::clipboard()->text();
    for (const char *earlier : {"70.0", "80.0", "77.4", "0.5 s"})
        QVERIFY2(!copied.contains(QLatin1String(earlier)), earlier);
    QVERIFY(copied.contains(QStringLiteral("65.5")));
}

void TestRealTimeController::calLeqTakesThePointsSoFar()
{
    connectMeter();
    run(QStringLiteral("2000"));
    TfrmGraph *w = window();
    poll(600);
    w->bunCalLEQ()->trigger();
    QCOMPARE(m_shown, QStringList{ids(kGraph, QStringLiteral("IDS_96")).arg(1)});
    QVERIFY(!graph::GraphWindows::instance().calLeq);
    poll(700);
    poll(800);
    w->bunCalLEQ()->trigger();
    TfrmGraph *leq = graph::GraphWindows::instance().calLeq;
    QVERIFY(leq);
    QCOMPARE(leq->PESGraph1()->points(), 3);
    QCOMPARE(leq->txtDataNo()->text(), QStringLiteral("3"));
    QCOMPARE(leq->txtSamplingRate()->currentText(), QStringLiteral("0.3")); // 1 s over 3 points
    QCOMPARE(leq->edtLeq()->text(), QStringLiteral("75.7"));
    QCOMPARE(leq->cursors.cursorA, 1);
    QCOMPARE(leq->cursors.cursorB, 2);
    QVERIFY(graph::graphState().realTime.realTimeRunning);
}

// Every decoded status is a reading of the day's file, with the level the chart got; the minute's
// line sums the same readings when the next minute begins.
void TestRealTimeController::dailyFilesHoldWhatTheChartShows()
{
    writeDailyFilesTo(m_dir->filePath(QStringLiteral("mon")));
    connectMeter();
    run(QStringLiteral("2000"));
    QVERIFY(m_main->realTime().writesDailyFiles());
    const QList<int> levels = {612, 655, 583, 720, 655, 700, 0};
    for (int level : levels)
        poll(level);
    m_clock->setNow(QDateTime(QDate(2024, 3, 5), QTime(14, 8, 0, 200)));
    poll(640); // the first reading of the next minute closes 14:07
    TfrmGraph *w = window();
    const chart::PESGraph &c = *w->PESGraph1();
    QList<QByteArray> lines = fileLines(readingsFile());
    QCOMPARE(lines.value(0), QByteArray(monitor::kReadingsHeading));
    QCOMPARE(lines.size(), 1 + levels.size() + 1 + 1); // heading, the readings, 14:08, line end
    for (int i = 0; i < 6; ++i) {
        const std::optional<monitor::ReadingsLine> r = monitor::parseReadingsLine(lines[1 + i]);
        QVERIFY2(r && r->reading, lines[1 + i].constData());
        QCOMPARE(r->reading->level(), c.yData(0, i));
        QCOMPARE(toTDateTime(QDateTime::fromMSecsSinceEpoch(r->time.msecs)), c.xDataII(0, i));
    }
    // What the chart leaves out (no level) the files take as the meter said it.
    QVERIFY2(lines[7].contains(",0.0,"), lines[7].constData());

    const QList<QByteArray> minutes = fileLines(readingsFile().replace(".csv", "-minutes.csv"));
    QCOMPARE(minutes.size(), 3);
    const QList<QByteArray> m = minutes[1].split(',');
    QVERIFY2(m.value(0).startsWith("2024-03-05T14:07:00"), minutes[1].constData());
    QCOMPARE(m.value(1), QByteArray::number(levels.size()));
    QCOMPARE(m.value(2), QByteArray("1")); // the level below the range
    QCOMPARE(m.value(4), w->txtMax()->text().toLatin1());
    QCOMPARE(m.value(5), w->txtMin()->text().toLatin1());
    QCOMPARE(m.value(4), QByteArray("72.0"));
    m_main->Stop1()->trigger();
    QVERIFY(!m_main->realTime().writesDailyFiles());
}

void TestRealTimeController::aFullChartLeavesTheFilesGoing()
{
    writeDailyFilesTo(m_dir->filePath(QStringLiteral("mon")));
    connectMeter();
    run(QStringLiteral("3"));
    for (int level : {600, 700, 800, 900, 650})
        poll(level);
    QCOMPARE(window()->txtDataNo()->text(), QStringLiteral("3"));
    QCOMPARE(window()->PESGraph1()->yData(0, 2), 80.0f);
    QVERIFY(graph::graphState().realTime.realTimeRunning);
    QCOMPARE(runCommands(), (QStringList{"Stop1", "btnStop"}));
    m_main->Stop1()->trigger();
    QVERIFY(!graph::graphState().realTime.realTimeRunning);
    QCOMPARE(fileLines(readingsFile()).size(), 1 + 5 + 1 + 1); // and the gap line of Stop
    QCOMPARE(window()->txtDataNo()->text(), QStringLiteral("3"));
}

void TestRealTimeController::dailyFilesEndWithTheRun_data()
{
    QTest::addColumn<QString>("end");
    QTest::newRow("Stop") << "stop";
    QTest::newRow("the window closes") << "window";
    QTest::newRow("the program quits") << "program";
}

// However the run ends, the files end with whole lines and a gap line, and the folder is free.
void TestRealTimeController::dailyFilesEndWithTheRun()
{
    QFETCH(QString, end);
    writeDailyFilesTo(m_dir->filePath(QStringLiteral("mon")));
    connectMeter();
    run(QStringLiteral("100"));
    for (int level : {600, 700, 800})
        poll(level);
    QVERIFY(!folderIsFree());
    m_answers << QMessageBox::No; // the chart is not saved
    if (end == "stop")
        m_main->Stop1()->trigger();
    else if (end == "window")
        QVERIFY(window()->close());
    else
        QVERIFY(m_main->close());
    QVERIFY(!m_main->realTime().writesDailyFiles());
    const QDateTime stopped = m_clock->now();
    poll(650); // nothing more comes to the files
    const QList<QByteArray> lines = fileLines(readingsFile());
    QCOMPARE(lines.size(), 1 + 3 + 1 + 1);
    QCOMPARE(lines[4], monitor::gapLine(monitor::Stamp::of(stopped)));
    QCOMPARE(lines.last(), QByteArray()); // the last line is whole
    QCOMPARE(fileLines(readingsFile().replace(".csv", "-minutes.csv")).size(), 3); // the minute so far
    QVERIFY(folderIsFree());
    QVERIFY(m_shown.isEmpty() || end != "stop");
}

// The meter away: one gap line, however long, and the readings carry on when it is back.
void TestRealTimeController::theMeterGoingAwayIsAGap()
{
    writeDailyFilesTo(m_dir->filePath(QStringLiteral("mon")));
    connectMeter();
    run(QStringLiteral("100"));
    poll(600);
    m_hid->devicePresent = false;
    for (int i = 0; i < 5; ++i) {
        poll(620);
        m_main->realTime().DailyFilesTimerTimer();
    }
    QVERIFY(!m_main->meter().meterConnected());
    m_hid->devicePresent = true;
    poll(0);
    m_main->realTime().DailyFilesTimerTimer();
    poll(630);
    QList<QByteArray> lines = fileLines(readingsFile());
    QCOMPARE(lines.size(), 1 + 3 + 1);
    QVERIFY(lines[1].contains(",60.0,"));
    QVERIFY2(lines[2].endsWith(",,,,,gap"), lines[2].constData());
    QVERIFY(lines[3].contains(",63.0,"));
    QVERIFY(m_shown.isEmpty());
}

void TestRealTimeController::theDailyFilesOptionIsRemembered()
{
    connectMeter();
    run(QStringLiteral("10"));
    m_main->Stop1()->trigger();
    const QString folder = m_dir->filePath(QStringLiteral("elsewhere/mon"));
    writeDailyFilesTo(folder);
    run(QStringLiteral("10"));
    m_main->Stop1()->trigger();
    m_answers << QMessageBox::No << QMessageBox::No;
    writeDailyFilesTo({});
    run(QStringLiteral("10"));
    m_main->Stop1()->trigger();
    QCOMPARE(m_offered.size(), 3);
    QCOMPARE(m_offered[0].on, false);
    QCOMPARE(m_offered[0].folder, QDir::cleanPath(paths::dataFolder() + QStringLiteral("/monitor")));
    QCOMPARE(m_offered[2].on, true);
    QCOMPARE(m_offered[2].folder, folder);
    // The run without the option wrote nothing; the default folder was never made.
    QVERIFY(!QFileInfo::exists(m_offered[0].folder));
}

void TestRealTimeController::anUnwritableFolderStartsNoRun()
{
    QFile file(m_dir->filePath(QStringLiteral("file")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    TfrmGraph *w = runThreePoints();
    writeDailyFilesTo(file.fileName() + QStringLiteral("/mon"));
    m_answers << QMessageBox::No;
    run(QStringLiteral("10"));
    QCOMPARE(m_shown.size(), 2);
    QVERIFY2(m_shown[1].startsWith(asShown(ids(QStringLiteral("frmSetupRealTime"), QStringLiteral("IDS_1"))).section('%', 0, 0)),
             qPrintable(m_shown[1]));
    QVERIFY(m_shown[1].contains(file.fileName() + QStringLiteral("/mon")));
    QVERIFY(!graph::graphState().realTime.realTimeRunning);
    QVERIFY(!m_main->realTime().writesDailyFiles());
    QCOMPARE(w->PESGraph1()->points(), 3); // nothing was replaced
    QCOMPARE(runCommands(), (QStringList{"Run1", "btnRun", "tbntClr"}));
}

// The files say once that the disk took no more and once that it does again; the run, its chart
// and its readings go on meanwhile, and the readings held back reach the file.
void TestRealTimeController::aFullDiskIsToldAndTheRunGoesOn()
{
    test::FullDisk disk;
    writeDailyFilesTo(disk.filePath(QStringLiteral("mon")));
    connectMeter();
    run(QStringLiteral("2000"));
    poll(600);
    poll(610);
    disk.fill();
    int polled = 2;
    // What the file's last block still holds goes in; then the flushes fail.
    for (; polled < 400 && m_shown.isEmpty(); ++polled)
        poll(620);
    for (int i = 0; i < 60; ++i, ++polled)
        poll(630);
    const QString header = asShown(ids(QStringLiteral("frmSetupRealTime"), QStringLiteral("IDS_2"))).section('%', 0, 0);
    QVERIFY2(!m_shown.isEmpty() && m_shown.size() <= 2, qPrintable(m_shown.join('\n')));
    QVERIFY2(m_shown[0].startsWith(header) && m_shown.last().contains(disk.reason()), qPrintable(m_shown.join('\n')));
    QVERIFY(graph::graphState().realTime.realTimeRunning);
    QCOMPARE(window()->txtDataNo()->text(), QString::number(polled));
    disk.release();
    const qsizetype told = m_shown.size();
    poll(640);
    m_clock->advance(600); // a second since the last flush
    m_main->realTime().DailyFilesTimerTimer();
    QCOMPARE(m_shown.size(), told + 1);
    QVERIFY2(m_shown.last().contains(QStringLiteral("nothing was lost")), qPrintable(m_shown.last()));
    m_main->Stop1()->trigger();
    QCOMPARE(fileLines(readingsFile()).size(), 1 + polled + 1 + 1 + 1);
}

QTEST_MAIN(TestRealTimeController)
#include "tst_RealTimeController.moc"
