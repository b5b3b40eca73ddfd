// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PrintCommands.h"
#include "app/TfrmMain.h"
#include "chart/PESGraph.h"
#include "common/Paths.h"
#include "common/StringTable.h"
#include "data/TextTable.h"
#include "graph/DataLoggerView.h"
#include "graph/GraphState.h"
#include "graph/GraphWindows.h"
#include "graph/TfrmGraph.h"
#include "graph/TfrmList.h"
#include "leq/LeqRun.h"
#include "leq/TfrmLEQ.h"
#include "leq/LeqController.h"
#include "meter/sim/SimulatedMeter.h"
#include "output/WindowPrint.h"
#include "panel/TfrmPanel.h"
#include "tests/support/FakeClock.h"
#include "tests/support/PdfText.h"
#include "widgets/LanguageDispatcher.h"
#include "widgets/ModalRunner.h"

#include <QAccessible>
#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QTemporaryDir>
#include <QTest>

using namespace ql708;

namespace {

// A table of six fields a row, as a tabular view shows a text file; rows after the second
// repeat the second.
data::TextTable sixFields(int rows = 2)
{
    data::TextTable t;
    for (int r = 0; r < rows; ++r) {
        const QList<QByteArray> fields = QByteArray(r == 0 ? "01/06/2024,12:00:00,61.5,62.0,a5,last1"
                                                           : "01/06/2024,12:00:01,63.0,62.6,b5,last2").split(',');
        std::vector<QByteArrayView> views(fields.cbegin(), fields.cend());
        t.appendRow(views.data(), int(views.size()));
    }
    return t;
}

} // namespace

class TestPrintCommands : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void printsTheActiveWindowByItsKind_data();
    void printsTheActiveWindowByItsKind();
    void printerSetupIsKeptForLaterPrints();
    void windowAndReportPrintTheSamePage();
    void printerBusyWhileATablePrints();
    void commandsAreNamedInBothLanguages();

private:
    void download();
    void openTable(int rows = 2);
    // A ten-second LEQ run on the simulated meter, its window in front.
    void runLeq();
    graph::TfrmGraph *dataLogger() const { return graph::GraphWindows::instance().dataLogger; }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<test::FakeClock> m_clock;
    std::unique_ptr<SimulatedMeter> m_sim;
    std::unique_ptr<TfrmMain> m_main;
    QString m_pdf;
    bool m_cancel = false;
    QStringList m_dialogs;  // the object names of the dialogs shown, in order
    QList<QPrinter *> m_printers; // the printer of each print or page set-up dialog
};

void TestPrintCommands::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    paths::setTestRoot(m_dir->path());
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    LanguageDispatcher::instance().setLanguage(Language::English);
    m_clock = std::make_unique<test::FakeClock>();
    m_sim = std::make_unique<SimulatedMeter>();
    m_main = std::make_unique<TfrmMain>(*m_sim);
    m_main->resize(1200, 800);
    m_main->show();
    m_pdf = m_dir->filePath(QStringLiteral("printed.pdf"));
    m_cancel = false;
    m_dialogs.clear();
    m_printers.clear();
    setModalHandler([this](QDialog &d) {
        m_dialogs << d.objectName();
        if (auto *print = qobject_cast<QPrintDialog *>(&d)) {
            m_printers << print->printer();
            // "Print to file (PDF)", as a user picks it in the dialog.
            print->printer()->setOutputFormat(QPrinter::PdfFormat);
            print->printer()->setOutputFileName(m_pdf);
            return int(m_cancel ? QDialog::Rejected : QDialog::Accepted);
        }
        if (auto *setup = qobject_cast<QPageSetupDialog *>(&d)) {
            m_printers << setup->printer();
            setup->printer()->setPageOrientation(QPageLayout::Landscape);
            return int(QDialog::Accepted);
        }
        if (auto *box = qobject_cast<QMessageBox *>(&d))
            m_dialogs.last() += QLatin1Char(' ') + box->text();
        return int(QDialog::Rejected);
    });
}

void TestPrintCommands::cleanup()
{
    setModalHandler({});
    graph::graphState().loggerDataUnsaved = false;
    m_main->mdiArea()->closeAllSubWindows();
    m_main.reset();
    paths::setTestRoot({});
    QLocale::setDefault(QLocale::c());
}

void TestPrintCommands::download()
{
    m_main->MainTimerTimer();
    m_main->MainTimerTimer();
    m_main->LoadData1()->trigger();
    QVERIFY(dataLogger());
    QVERIFY(dataLogger()->PESGraph1()->points() > 3);
    m_main->mdiArea()->setActiveSubWindow(dataLogger());
}

void TestPrintCommands::openTable(int rows)
{
    auto *list = new graph::TfrmList;
    m_main->mdiArea()->addSubWindow(list);
    list->setWindowTitle(QStringLiteral("six.csv"));
    list->setTable(sixFields(rows));
    list->show();
    m_main->mdiArea()->setActiveSubWindow(list);
}

void TestPrintCommands::runLeq()
{
    m_main->LEQ1()->trigger();
    leq::TfrmLEQ *w = m_main->leqCommands().window();
    QVERIFY(w);
    w->btnLEQ()->click();
    for (int i = 0; i < 100000 && w->LEQTimer()->isActive(); ++i) {
        m_clock->advance(leq::LeqRun::kTickMs);
        w->LEQTimerTimer();
    }
    QCOMPARE(w->table().rows(), 10);
    m_main->mdiArea()->setActiveSubWindow(w);
}

void TestPrintCommands::printsTheActiveWindowByItsKind_data()
{
    QTest::addColumn<QString>("active");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QStringList>("dialogs");
    QTest::addColumn<QStringList>("printed"); // empty: no file
    QTest::newRow("DataLogger window") << "graph" << false << QStringList{"chartPrintDialog"}
                                       << QStringList{"DataLogger", "Whole graph", "Between cursors A and B",
                                                      "Frequency weighting:", "Time weighting:", "Range:", "Time"};
    QTest::newRow("DataLogger window, cancelled") << "graph" << true << QStringList{"chartPrintDialog"} << QStringList{};
    QTest::newRow("tabular view: every column") << "table" << false << QStringList{"PrintDialog1"}
                                                << QStringList{"No", "SPL", "Leq", "12:00:01", "62.6", "b5", "last1", "last2"};
    QTest::newRow("tabular view, cancelled") << "table" << true << QStringList{"PrintDialog1"} << QStringList{};
    QTest::newRow("front panel: nothing") << "panel" << false << QStringList{} << QStringList{};
    QTest::newRow("LEQ window: the summary, then every column") << "leq" << false << QStringList{"PrintDialog1"}
                                                                << QStringList{"Seconds: 10", "TIME", "SPL", "Leq", "10 "};
}

// A graph window prints through its chart's dialogs, never the table's; a table through the
// table's print dialog; the front panel prints nothing.
void TestPrintCommands::printsTheActiveWindowByItsKind()
{
    QFETCH(QString, active);
    QFETCH(bool, cancel);
    QFETCH(QStringList, dialogs);
    QFETCH(QStringList, printed);
    download();
    if (active == QLatin1String("table"))
        openTable();
    if (active == QLatin1String("panel")) {
        m_main->ControlPanel1Click();
        QVERIFY(m_main->panel());
    }
    if (active == QLatin1String("leq"))
        runLeq();
    m_dialogs.clear();
    m_cancel = cancel;
    m_main->Print1()->trigger();
    QCOMPARE(m_dialogs, dialogs);
    for (QPrinter *p : std::as_const(m_printers))
        QCOMPARE(p, &m_main->printCommands().printer());
    QCOMPARE(QFile::exists(m_pdf), !printed.isEmpty());
    if (printed.isEmpty())
        return;
    // A logger set's indicators follow its chart on a second page.
    const bool loggerSet = active == QLatin1String("graph");
    QCOMPARE(test::pdfPages(m_pdf), loggerSet ? 2 : 1);
    QCOMPARE(test::pdfImages(m_pdf), 0);
    if (loggerSet)
        QVERIFY(test::pdfText(m_pdf, 2).contains(QStringLiteral("LEX,8h")));
    const QString text = test::pdfText(m_pdf);
    for (const QString &expected : printed)
        QVERIFY2(text.contains(expected), qPrintable(expected + QLatin1Char('\n') + text));
    if (active == QLatin1String("leq")) {
        // The summary leads, the last Leq of the table included, and the table follows.
        const leq::TfrmLEQ *w = m_main->leqCommands().window();
        const QString lastLeq = w->table().cellText(9, 4);
        QVERIFY(!lastLeq.isEmpty());
        QVERIFY2(text.indexOf(QLatin1String("Seconds: 10")) < text.indexOf(QLatin1String("TIME")), qPrintable(text));
        QVERIFY2(text.count(lastLeq) >= 2, qPrintable(lastLeq));
    }
    if (active == QLatin1String("graph")) {
        // The header carries what the panels show.
        const graph::TfrmGraph *w = dataLogger();
        for (const QLineEdit *field : {w->txtStartTime(), w->txtMax(), w->txtCursorA(), w->txtCursorBTime(), w->txtLeqAB()})
            QVERIFY2(!field->text().isEmpty() && text.contains(field->text()), qPrintable(field->objectName()));
    }
}

// The printer chosen in Printer Setup is the one every later print dialog starts from.
void TestPrintCommands::printerSetupIsKeptForLaterPrints()
{
    m_main->PrinterSetup1()->trigger();
    openTable();
    m_main->Print1()->trigger();
    QCOMPARE(m_dialogs, (QStringList{"PrinterSetupDialog1", "PrintDialog1"}));
    QCOMPARE(m_printers.size(), 2);
    QCOMPARE(m_printers[0], m_printers[1]);
    const QSizeF page = test::pdfPageSize(m_pdf);
    QVERIFY2(page.width() > page.height(), qPrintable(QStringLiteral("%1 x %2").arg(page.width()).arg(page.height())));
}

// The report written without a window is the page the DataLogger window prints for its set.
void TestPrintCommands::windowAndReportPrintTheSamePage()
{
    download();
    m_main->Print1()->trigger();
    const QString windowPage = test::pdfText(m_pdf);
    QVERIFY(windowPage.contains(QLatin1String("Frequency weighting:")));

    const graph::DataLoggerView *view = graph::DataLoggerView::of(dataLogger());
    const std::unique_ptr<QPrinter> printer = output::makePrinter();
    printer->setOutputFormat(QPrinter::PdfFormat);
    const QString reportPdf = m_dir->filePath(QStringLiteral("report.pdf"));
    printer->setOutputFileName(reportPdf);
    QVERIFY(output::printDataSet(*printer, dataLogger()->windowTitle(), view->sets(), view->shownSet()));
    QCOMPARE(test::pdfText(reportPdf), windowPage);
}

// A long table keeps the window alive while it prints; Print and Printer Setup wait for it.
void TestPrintCommands::printerBusyWhileATablePrints()
{
    openTable(20000);
    QTimer::singleShot(0, m_main.get(), [this] {
        m_main->Print1()->trigger();
        m_main->PrinterSetup1()->trigger();
    });
    m_main->Print1()->trigger();
    QCOMPARE(m_dialogs, QStringList{"PrintDialog1"});
    QVERIFY(test::pdfPages(m_pdf) > 100);
    m_main->PrinterSetup1()->trigger();
    QCOMPARE(m_dialogs, (QStringList{"PrintDialog1", "PrinterSetupDialog1"}));
}

void TestPrintCommands::commandsAreNamedInBothLanguages()
{
    for (auto [language, print, setup] : {std::tuple{Language::English, "Print", "Printer Setup"},
                                          {Language::French, "Imprimer", "Paramètres d'impression"}}) {
        LanguageDispatcher::instance().setLanguage(language);
        QVERIFY(m_main->Print1()->isEnabled() && m_main->PrinterSetup1()->isEnabled() && m_main->btnPrint()->isEnabled());
        QAccessibleInterface *menu = QAccessible::queryAccessibleInterface(m_main->File1());
        QStringList names;
        for (int i = 0; i < menu->childCount(); ++i)
            names << menu->child(i)->text(QAccessible::Name);
        QVERIFY2(names.contains(QString::fromUtf8(print)) && names.contains(QString::fromUtf8(setup)), qPrintable(names.join(',')));
    }
}

QTEST_MAIN(TestPrintCommands)
#include "tst_PrintCommands.moc"
