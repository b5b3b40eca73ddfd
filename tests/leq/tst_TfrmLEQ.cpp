// SPDX-License-Identifier: GPL-3.0-or-later
#include "leq/LeqController.h"
#include "app/TfrmMain.h"
#include "chart/PESGraph.h"
#include "common/Paths.h"
#include "common/StringTable.h"
#include "graph/TfrmGraph.h"
#include "leq/LeqLog.h"
#include "leq/TfrmLEQ.h"
#include "meter/sim/SimulatedMeter.h"
#include "tests/support/FakeClock.h"
#include "widgets/LanguageDispatcher.h"
#include "widgets/ModalRunner.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace ql708;
using leq::TfrmLEQ;

namespace {

QString nameOf(QObject *o)
{
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(o);
    return i ? i->text(QAccessible::Name) : QString();
}

} // namespace

class TestTfrmLEQ : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom)); }
    void init();
    void cleanup();
    void tenSecondRunFillsTenRows();
    void noMeterEndsAtThe51stFailedRead();
    void closingEndsTheRun();
    void graphShowsBothSeries();
    void savesTheTableAsText_data();
    void savesTheTableAsText();
    void refusedWhileTheMeterRecords();
    void downloadHoldsStartBack();
    void everyControlHasAName_data();
    void everyControlHasAName();

private:
    void connectMeter();
    TfrmLEQ *openWindow();
    // Ticks as the window's timer would, 40 ms apart on the fake clock, while the run lasts.
    void tickUntilEnd(TfrmLEQ *w, QStringList *timesLeft = nullptr);
    QList<graph::TfrmGraph *> graphWindows() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<test::FakeClock> m_clock;
    std::unique_ptr<SimulatedMeter> m_sim;
    std::unique_ptr<TfrmMain> m_main;
    QStringList m_messages;
    QStringList m_files; // names the save dialog takes in turn
    bool m_timerActiveAtMessage = false;
};

void TestTfrmLEQ::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    paths::setTestRoot(m_dir->path());
    m_clock = std::make_unique<test::FakeClock>();
    m_sim = std::make_unique<SimulatedMeter>();
    LanguageDispatcher::instance().setLanguage(Language::English);
    m_main = std::make_unique<TfrmMain>(*m_sim);
    m_main->resize(1200, 800);
    m_main->show();
    m_messages.clear();
    m_files.clear();
    setModalHandler([this](QDialog &d) {
        if (auto *box = qobject_cast<QMessageBox *>(&d)) {
            m_messages << box->text();
            const TfrmLEQ *w = m_main->leqCommands().window();
            m_timerActiveAtMessage = w && w->LEQTimer()->isActive();
        }
        if (auto *files = qobject_cast<QFileDialog *>(&d)) {
            if (m_files.isEmpty())
                return int(QDialog::Rejected);
            files->selectFile(m_files.takeFirst());
        }
        return int(QDialog::Accepted); // the range dialog: all rows
    });
}

void TestTfrmLEQ::cleanup()
{
    setModalHandler({});
    LanguageDispatcher::instance().setLanguage(Language::English);
    m_main.reset();
    m_sim.reset();
    m_clock.reset();
    paths::setTestRoot({});
}

void TestTfrmLEQ::connectMeter()
{
    m_main->MainTimerTimer();
    QVERIFY(m_main->meter().meterConnected());
}

TfrmLEQ *TestTfrmLEQ::openWindow()
{
    m_main->LEQ1()->trigger();
    return m_main->leqCommands().window();
}

void TestTfrmLEQ::tickUntilEnd(TfrmLEQ *w, QStringList *timesLeft)
{
    for (int i = 0; i < 100000 && w->LEQTimer()->isActive(); ++i) {
        m_clock->advance(leq::LeqRun::kTickMs);
        const QString before = w->edtTimeLeft()->text();
        w->LEQTimerTimer();
        if (timesLeft && w->edtTimeLeft()->text() != before)
            *timesLeft << w->edtTimeLeft()->text();
    }
}

QList<graph::TfrmGraph *> TestTfrmLEQ::graphWindows() const
{
    QList<graph::TfrmGraph *> out;
    for (QMdiSubWindow *s : m_main->mdiArea()->subWindowList())
        if (auto *g = qobject_cast<graph::TfrmGraph *>(s))
            out << g;
    return out;
}

void TestTfrmLEQ::tenSecondRunFillsTenRows()
{
    connectMeter();
    TfrmLEQ *w = openWindow();
    QVERIFY(w);
    QCOMPARE(w->windowTitle(), QStringLiteral("LEQ"));
    QCOMPARE(w->cmbTimeSelect()->currentText(), QStringLiteral("10 sec"));
    QVERIFY(m_main->DataLogger1()->isEnabled());
    w->btnLEQ()->click();
    // The run holds the link: the poll and the other meter commands wait.
    QVERIFY(w->LEQTimer()->isActive());
    QVERIFY(!m_main->MainTimer()->isActive());
    QVERIFY(!m_main->DataLogger1()->isEnabled());
    QVERIFY(!m_main->btnDataLogger()->isEnabled());
    QVERIFY(!m_main->Run1()->isEnabled());
    QVERIFY(m_main->LEQ1()->isEnabled());

    QStringList timesLeft;
    tickUntilEnd(w, &timesLeft);
    QCOMPARE(timesLeft, (QStringList{"0:0:9", "0:0:8", "0:0:7", "0:0:6", "0:0:5", "0:0:4", "0:0:3", "0:0:2", "0:0:1", "0:0:0"}));
    QCOMPARE(w->LEQGrid()->model()->rowCount(), 10);
    QCOMPARE(w->table().rows(), 10);
    QCOMPARE(w->LEQGrid()->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("SPL"));
    QCOMPARE(w->LEQGrid()->model()->index(9, 0).data().toString(), QStringLiteral("10"));
    QCOMPARE(w->edtLEQValue()->text(), w->LEQGrid()->model()->index(9, 4).data().toString());
    QCOMPARE(w->edtLEQrate()->text(), QStringLiteral("24/sec"));
    QVERIFY(!w->edtL50()->text().isEmpty());
    QVERIFY(m_main->MainTimer()->isActive());
    QVERIFY(m_main->DataLogger1()->isEnabled());
    QVERIFY(m_messages.isEmpty());

    // The log holds every reading of the run, about 25 a second.
    QFile log(leq::logPath());
    QVERIFY(log.open(QIODevice::ReadOnly));
    const int lines = int(log.readAll().count("\r\n"));
    QVERIFY2(lines >= 250 && lines <= 252, qPrintable(QString::number(lines)));

    w->btnCopySummary()->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), w->summary());
    QVERIFY(w->summary().contains(QStringLiteral("Seconds: 10\n")));
}

void TestTfrmLEQ::noMeterEndsAtThe51stFailedRead()
{
    m_sim->setPluggedIn(false);
    TfrmLEQ *w = openWindow();
    QVERIFY(w); // the window opens without a meter
    w->btnLEQ()->click();
    int ticks = 0;
    while (w->LEQTimer()->isActive() && ticks < 1000) {
        m_clock->advance(leq::LeqRun::kTickMs);
        w->LEQTimerTimer();
        ++ticks;
    }
    QCOMPARE(ticks, 51);
    QCOMPARE(m_messages, QStringList{ids(QStringLiteral("frmMain"), QStringLiteral("IDS_94"))});
    QVERIFY(!m_timerActiveAtMessage);
    QVERIFY(m_main->MainTimer()->isActive());
    QCOMPARE(w->table().rows(), 0);
}

void TestTfrmLEQ::closingEndsTheRun()
{
    connectMeter();
    TfrmLEQ *w = openWindow();
    w->cmbTimeSelect()->setCurrentIndex(9); // "Manual"
    w->btnLEQ()->click();
    for (int i = 0; i < 60; ++i) {
        m_clock->advance(leq::LeqRun::kTickMs);
        w->LEQTimerTimer();
    }
    QVERIFY(w->table().rows() >= 1);
    QVERIFY(!m_main->DataLogger1()->isEnabled());
    // Start again over the running run: the table starts afresh and the link stays held.
    w->btnLEQ()->click();
    QCOMPARE(w->LEQGrid()->model()->rowCount(), 0);
    QVERIFY(!m_main->MainTimer()->isActive());
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!m_main->leqCommands().window());
    QVERIFY(m_main->MainTimer()->isActive());
    QVERIFY(m_main->DataLogger1()->isEnabled());

    // A program that ends during a run (without closing its windows first) ends the run too.
    openWindow()->btnLEQ()->click();
    m_main.reset();
}

void TestTfrmLEQ::graphShowsBothSeries()
{
    connectMeter();
    TfrmLEQ *w = openWindow();
    w->Button3()->click();
    QCOMPARE(m_messages, QStringList{ids(QStringLiteral("frmLEQ"), QStringLiteral("IDS_1"))});
    QVERIFY(graphWindows().isEmpty());

    w->cmbTimeSelect()->setCurrentIndex(9);
    w->btnLEQ()->click();
    // A second in which only its opening reading came: a gap in both lines.
    for (int i = 0; i < 60; ++i) {
        m_clock->advance(leq::LeqRun::kTickMs);
        w->LEQTimerTimer();
    }
    m_clock->advance(1000);
    w->LEQTimerTimer();
    m_clock->advance(1000);
    w->LEQTimerTimer();
    for (int i = 0; i < 60; ++i) {
        m_clock->advance(leq::LeqRun::kTickMs);
        w->LEQTimerTimer();
    }
    w->Button1()->click();
    const int n = w->table().rows();
    QVERIFY(n >= 4);
    w->Button3()->click();
    const QList<graph::TfrmGraph *> graphs = graphWindows();
    QCOMPARE(graphs.size(), 1);
    graph::TfrmGraph *g = graphs[0];
    QCOMPARE(g->windowTitle(), QStringLiteral("Leq"));
    const chart::ChartModel &m = g->PESGraph1()->model();
    QCOMPARE(m.subsets(), 2);
    QCOMPARE(m.points(), n);
    QCOMPARE(m.xData(0)[0], w->table().time(0));
    QCOMPARE(m.yData(1)[n - 1], w->table().leq(n - 1));
    int gaps = 0;
    for (int i = 0; i < n; ++i)
        gaps += isGapLevel(m.yData(0)[i]);
    QCOMPARE(gaps, 1);
    QVERIFY(!g->bunCalLEQ()->isEnabled());
    QCOMPARE(g->txtSamplingRate()->currentText(), QStringLiteral("1"));
    QCOMPARE(g->txtDataNo()->text(), QString::number(n));

    // The graph belongs to the LEQ window and closes with it.
    QPointer<graph::TfrmGraph> kept(g);
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(kept.isNull());
}

void TestTfrmLEQ::savesTheTableAsText_data()
{
    QTest::addColumn<bool>("fromMenu"); // File › Save with the LEQ window active, else its Save button
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("separator");
    QTest::newRow("Save button, txt") << false << "leq.txt" << "\t";
    QTest::newRow("File Save, csv") << true << "leq.csv" << ",";
}

void TestTfrmLEQ::savesTheTableAsText()
{
    QFETCH(bool, fromMenu);
    QFETCH(QString, name);
    QFETCH(QString, separator);
    connectMeter();
    TfrmLEQ *w = openWindow();
    w->cmbTimeSelect()->setCurrentIndex(9);
    w->btnLEQ()->click();
    while (w->table().rows() < 3) {
        m_clock->advance(leq::LeqRun::kTickMs);
        w->LEQTimerTimer();
    }
    w->Button1()->click();
    const QString path = m_dir->filePath(name);
    m_files << path;
    if (fromMenu) {
        QVERIFY(m_main->Save1()->isEnabled());
        m_main->Save1()->trigger();
    } else {
        w->Button2()->click();
    }
    QVERIFY2(m_messages.isEmpty(), qPrintable(m_messages.join(QLatin1Char('\n'))));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QStringList expected;
    for (int row = 0; row < 3; ++row) {
        QString line;
        for (int c = 1; c < 5; ++c)
            line += w->table().cellText(row, c) + separator;
        expected << line + QStringLiteral("\r\n");
    }
    QCOMPARE(QString::fromUtf8(f.readAll()), expected.join(QString()));
}

void TestTfrmLEQ::refusedWhileTheMeterRecords()
{
    m_main->ControlPanel1()->trigger(); // the status is read while the front panel shows it
    connectMeter();
    m_main->meter().keyExchange(MeterCommand('w'));
    m_main->MainTimerTimer();
    QVERIFY(m_main->meter().meterRecording());
    m_main->LEQ1()->trigger();
    QCOMPARE(m_messages, QStringList{ids(QStringLiteral("frmMain"), QStringLiteral("IDS_93"))});
    QVERIFY(!m_main->leqCommands().window());
}

void TestTfrmLEQ::downloadHoldsStartBack()
{
    connectMeter();
    TfrmLEQ *w = openWindow();
    bool startHeld = false;
    QTimer::singleShot(0, [&] { startHeld = !w->btnLEQ()->isEnabled(); });
    m_main->LoadData1()->trigger();
    QVERIFY(startHeld);
    QVERIFY(w->btnLEQ()->isEnabled());
}

void TestTfrmLEQ::everyControlHasAName_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("durationLabel");
    QTest::addColumn<QString>("timeLeftName");
    QTest::newRow("English") << int(Language::English) << "duration" << "time left";
    QTest::newRow("French") << int(Language::French) << "durée" << "temps restant";
}

void TestTfrmLEQ::everyControlHasAName()
{
    QFETCH(int, language);
    QFETCH(QString, durationLabel);
    QFETCH(QString, timeLeftName);
    TfrmLEQ *w = openWindow();
    LanguageDispatcher::instance().setLanguage(Language(language));
    QStringList unnamed;
    for (QWidget *c : w->widget()->findChildren<QWidget *>()) {
        const bool control = qobject_cast<QLineEdit *>(c) || qobject_cast<QComboBox *>(c) ||
                             qobject_cast<QAbstractButton *>(c) || qobject_cast<QTableView *>(c);
        if (control && !c->objectName().isEmpty() && !c->objectName().startsWith(QLatin1String("qt_")) &&
            nameOf(c).trimmed().isEmpty())
            unnamed << c->objectName();
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char(' '))));
    // The duration box reads as its choice, labelled by the label before it.
    QAccessibleInterface *box = QAccessible::queryAccessibleInterface(w->cmbTimeSelect());
    QCOMPARE(box->text(QAccessible::Name), w->cmbTimeSelect()->currentText());
    QStringList labels;
    for (const auto &r : box->relations(QAccessible::Label))
        labels << r.first->text(QAccessible::Name);
    QVERIFY2(labels.contains(durationLabel), qPrintable(labels.join(QLatin1Char(','))));
    QCOMPARE(nameOf(w->edtTimeLeft()), timeLeftName);
    const bool english = language == int(Language::English);
    QCOMPARE(nameOf(w->btnLEQ()), english ? QStringLiteral("Start") : QStringLiteral("Démarrer"));
    QCOMPARE(w->cmbTimeSelect()->itemText(8), english ? QStringLiteral("24 hours") : QStringLiteral("24 heures"));
    QCOMPARE(w->LEQGrid()->model()->headerData(2, Qt::Horizontal).toString(),
             english ? QStringLiteral("TIME") : QStringLiteral("HEURE"));
}

QTEST_MAIN(TestTfrmLEQ)
#include "tst_TfrmLEQ.moc"
