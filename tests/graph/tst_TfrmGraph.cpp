// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Paths.h"
#include "common/StringTable.h"
#include "widgets/LanguageDispatcher.h"
#include "widgets/ModalRunner.h"
#include "chart/PESGraph.h"
#include "graph/ChartSetup.h"
#include "graph/GraphWindows.h"
#include "graph/TfrmGraph.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMessageBox>
#include <QSignalSpy>
#include <QSplitter>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

using namespace ql708;
using namespace ql708::graph;
using namespace ql708::chart;

namespace {
QString text(const char *key) { return ids(QStringLiteral("frmGraph"), QString::fromLatin1(key)); }
} // namespace

class TestTfrmGraph : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void partsAsCreated();
    void dataSetHeadingsFitInBothLanguages();
    void statisticPanelToggleKeepsReadoutOnChart();
    void setUpChartScales_data();
    void setUpChartScales();
    void prepareChartLinesAndLook_data();
    void prepareChartLinesAndLook();
    void templateFirstDefaultLookSkipped();
    void damagedTemplateGivesDefaultLook();
    void optionsDialogSavesTemplate_data();
    void optionsDialogSavesTemplate();
    void closeQuestionsByCaption_data();
    void closeQuestionsByCaption();
    void closeClearsReferencesOfThisWindowOnly();
    void rateBoxDuringRun_data();
    void rateBoxDuringRun();
    void rateBoxIdleSetsRate();
    void rateEntriesInCommaLocale();
    void activationAndPerWindowCursors();
    void zoomEnablesUndo();

private:
    TfrmGraph *window(const QString &caption = QStringLiteral("site.ghf"));
    // Answers message and confirmation boxes with the next of m_answers (OK when none is left).
    void answerBoxes();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QMdiArea> m_area;
    QList<int> m_answers;
    QStringList m_shown; // objectName: text of every box shown
    std::function<void(QDialog &)> m_options; // fills the chart's options dialog
};

void TestTfrmGraph::initTestCase() { setActiveLanguage(Language::English); }

void TestTfrmGraph::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    paths::setTestRoot(m_dir->path());
    graphState() = GraphState();
    m_area = std::make_unique<QMdiArea>();
    m_area->resize(1000, 700);
    m_area->show();
    m_answers.clear();
    m_shown.clear();
    m_options = nullptr;
    answerBoxes();
}

void TestTfrmGraph::cleanup()
{
    setModalHandler({});
    m_area.reset();
    paths::setTestRoot({});
    QLocale::setDefault(QLocale::c());
}

void TestTfrmGraph::answerBoxes()
{
    setModalHandler([this](QDialog &d) {
        if (d.objectName() == QLatin1String("chartOptions")) {
            if (!m_options)
                return int(QDialog::Rejected);
            m_options(d);
            QMetaObject::invokeMethod(d.findChild<QDialogButtonBox *>(QStringLiteral("buttons")), "accepted");
            return d.result();
        }
        auto *box = qobject_cast<QMessageBox *>(&d);
        if (!box)
            return int(QDialog::Rejected);
        m_shown << d.objectName() + QStringLiteral(": ") + box->text();
        return m_answers.isEmpty() ? int(QMessageBox::Ok) : m_answers.takeFirst();
    });
}

TfrmGraph *TestTfrmGraph::window(const QString &caption) { return TfrmGraph::create(m_area.get(), caption); }

void TestTfrmGraph::partsAsCreated()
{
    TfrmGraph *w = window();
    QTableWidget *g = w->Grid2();
    QCOMPARE(g->columnCount(), 9);
    QCOMPARE(g->rowCount(), 1);
    const QStringList header{"Set", "DATE", "TIME", "Rate", "Nums", "A/C", "Fa/Sl", "LEVEL", "wave file"};
    const int widths[9] = {25, 60, 60, 40, 40, 30, 40, 45, 100};
    for (int c = 0; c < 9; ++c) {
        QCOMPARE(g->horizontalHeaderItem(c)->text(), header[c]);
        QVERIFY(g->columnWidth(c) >= widths[c]);
        QCOMPARE(g->columnWidth(c), std::max(widths[c], g->horizontalHeader()->sectionSizeHint(c)));
        QCOMPARE(g->item(0, c)->text(), QString());
    }
    QCOMPARE(g->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(w->ChangeDateTime1()->text(), QStringLiteral("Change Date && Time"));
    QVERIFY(!w->pnlDataSets()->isVisible());
    QCOMPARE(w->Timer1()->interval(), 200);
    QVERIFY(!w->Timer1()->isActive());

    QVERIFY(w->ToolButton1()->isChecked() && w->ToolButton2()->isChecked() && w->ToolButton4()->isChecked());
    QVERIFY(!w->tbntClr()->isVisible() && !w->tbntSep3()->isVisible());
    QVERIFY(!w->ToolButton6()->isVisible() && !w->ToolButton7()->isVisible());
    QVERIFY(!w->UndoZoom()->isEnabled());
    QCOMPARE(w->ToolButton5()->toolTip(), QStringLiteral("Draw A Cross On Graph"));
    QCOMPARE(w->Button1()->text(), QStringLiteral("Graph Option"));
    QCOMPARE(w->Button1()->toolTip(), QStringLiteral("Graph Customization"));
    QVERIFY(!w->mpPlay()->isEnabled() && !w->mpPause()->isEnabled() && !w->mpStop()->isEnabled());

    QCOMPARE(w->txtDataNo()->text(), QStringLiteral("0"));
    QCOMPARE(w->txtAvgAll()->text(), QStringLiteral("***.* dB "));
    QCOMPARE(w->edtLeq()->text(), QStringLiteral("***.* dB "));
    QVERIFY(w->txtMax()->isReadOnly() && w->txtCursorA()->isReadOnly() && w->txtAvgAB()->isReadOnly());
    QVERIFY(!w->pnlLeq()->isVisible() && !w->Label20()->isVisible());
    QVERIFY(!w->pnlSamplingRate()->isEnabled());
    QVERIFY(w->txtSamplingRate()->isEditable());
    QCOMPARE(w->txtSamplingRate()->count(), 7);
    QCOMPARE(w->PESGraph1()->viewingStyle(), sgColor);
}

// The French headings are longer than the English ones; none is cut, the list opens wide
// enough for all of them, and a change of language never narrows a column.
void TestTfrmGraph::dataSetHeadingsFitInBothLanguages()
{
    LanguageDispatcher::instance().setLanguage(Language::French);
    TfrmGraph *w = window(QStringLiteral("DataLogger"));
    w->pnlDataSets()->show();
    QHeaderView *h = w->Grid2()->horizontalHeader();
    QCOMPARE(w->Grid2()->horizontalHeaderItem(0)->text(), QStringLiteral("Série"));
    QVERIFY(w->Splitter1()->sizes().first() >= std::max(441, h->length()));
    QList<int> before;
    for (Language lang : {Language::French, Language::English}) {
        LanguageDispatcher::instance().setLanguage(lang);
        for (int c = 0; c < w->Grid2()->columnCount(); ++c) {
            QVERIFY2(w->Grid2()->columnWidth(c) >= h->sectionSizeHint(c), qPrintable(w->Grid2()->horizontalHeaderItem(c)->text()));
            if (!before.isEmpty())
                QVERIFY(w->Grid2()->columnWidth(c) >= before[c]);
        }
        before.clear();
        for (int c = 0; c < w->Grid2()->columnCount(); ++c)
            before << w->Grid2()->columnWidth(c);
    }
    QCOMPARE(w->Grid2()->horizontalHeaderItem(0)->text(), QStringLiteral("Set"));
}

void TestTfrmGraph::statisticPanelToggleKeepsReadoutOnChart()
{
    TfrmGraph *w = window();
    QCoreApplication::processEvents();
    // The readout keeps to the chart's top-right corner, clear of the legend at its left.
    auto corner = [](QWidget *c) { return c->mapTo(c->window(), QPoint(c->width(), 0)); };
    QCOMPARE(corner(w->Panel12()), corner(w->PESGraph1()));
    const int chartTop = w->PESGraph1()->mapTo(w, QPoint()).y();
    w->ToolButton1()->trigger();
    QCoreApplication::processEvents();
    QVERIFY(!w->pnlGraphStatistic()->isVisible());
    QVERIFY(w->PESGraph1()->mapTo(w, QPoint()).y() < chartTop);
    QCOMPARE(corner(w->Panel12()), corner(w->PESGraph1()));
    w->ToolButton2()->trigger();
    QVERIFY(!w->pnlStatistic()->isVisible());
}

void TestTfrmGraph::setUpChartScales_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("end");
    QTest::addColumn<double>("minX");
    QTest::addColumn<double>("maxX");
    QTest::newRow("time span") << 45000.25 << 45000.5 << 45000.25 << 45000.5;
    QTest::newRow("time start 0 keeps the time scale") << 0.0 << 45000.5 << 44000.0 << 44001.0;
}

void TestTfrmGraph::setUpChartScales()
{
    QFETCH(double, start);
    QFETCH(double, end);
    QFETCH(double, minX);
    QFETCH(double, maxX);
    PESGraph chart;
    chart.setManualScaleControlX(sgManualMinAndMax);
    chart.setManualMinX(44000.0);
    chart.setManualMaxX(44001.0);
    chart.setAllowPopup(true);
    SetUpChart(chart, 2, 130, 30, end, start, 700);
    QCOMPARE(chart.subsets(), 2);
    QCOMPARE(chart.points(), 700);
    QCOMPARE(chart.manualScaleControlY(), sgManualMinAndMax);
    QCOMPARE(chart.manualMinY(), 30.0);
    QCOMPARE(chart.manualMaxY(), 130.0);
    QCOMPARE(chart.manualScaleControlX(), sgManualMinAndMax);
    QCOMPARE(chart.manualMinX(), minX);
    QCOMPARE(chart.manualMaxX(), maxX);
    QVERIFY(!chart.allowPopup() && chart.noHelp() && chart.prepareImages() && chart.allowGraphAnnotHotSpots());
    QCOMPARE(chart.allowDataLabels(), sgNoDataLabels);
}

void TestTfrmGraph::prepareChartLinesAndLook_data()
{
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("end");
    QTest::addColumn<double>("maxX"); // the time scale's upper end afterwards
    QTest::newRow("time span") << 45000.0 << 45000.3 << 45000.3;
    QTest::newRow("time start 0") << 0.0 << 0.9 << 1.0; // the chart's own scale stays
}

void TestTfrmGraph::prepareChartLinesAndLook()
{
    QFETCH(double, start);
    QFETCH(double, end);
    QFETCH(double, maxX);
    PESGraph chart;
    QVERIFY(!PrepareChart(chart, 1, 130, 30, end, start, 500));
    QCOMPARE(chart.manualMaxX(), maxX);
    QCOMPARE(chart.vertLineAnnotation(1), start + (end - start) / 3);
    QCOMPARE(chart.vertLineAnnotation(2), start + (end - start) / 3 * 2);
    QCOMPARE(chart.vertLineAnnotation(0), start);
    QCOMPARE(chart.vertLineAnnotationColor(1), PEargb(255, 0, 0, 255));
    QCOMPARE(chart.vertLineAnnotationColor(2), 255u);
    QCOMPARE(chart.vertLineAnnotationColor(0), 32768u);
    QCOMPARE(chart.vertLineAnnotationType(1), 5);
    QCOMPARE(chart.vertLineAnnotationType(0), 6);
    QCOMPARE(chart.vertLineAnnotationText(1), QStringLiteral(" Cursor A"));
    QCOMPARE(chart.vertLineAnnotationText(2), QStringLiteral(" Cursor B"));
    QCOMPARE(chart.vertLineAnnotationText(0), QString());
    QCOMPARE(chart.lineAnnotationTextSize(), 100);
    QVERIFY(chart.showVertLineAnnotations() && chart.allowVertLineAnnotHotSpots());
    QCOMPARE(chart.gridStyle(), sgDot);
    QCOMPARE(chart.subTitle(), QStringLiteral(" "));
    QCOMPARE(chart.subsetLabel(0), QStringLiteral("dB"));
    QCOMPARE(chart.xAxisLabel(), QStringLiteral("Time"));
    QCOMPARE(chart.dateTimeMode(), sgVBDateTime);
    QCOMPARE(chart.allowZooming(), sgHorzPlusVertZooming);
    QVERIFY(chart.scrollingHorzZoom() && chart.scrollingVertZoom());
    QCOMPARE(chart.subsetColor(0), PEargb(255, 0, 0, 0));
    QCOMPARE(chart.yAxisColor(), PEargb(255, 255, 0, 0));
}

void TestTfrmGraph::templateFirstDefaultLookSkipped()
{
    PESGraph chosen;
    PrepareChart(chosen, 1, 130, 30, 45000.3, 45000.0, 50);
    chosen.setMainTitle(QStringLiteral("North fence"));
    chosen.setGridStyle(sgDash);
    chosen.setYData(0, 3, 77.5f);
    chosen.setGraphAnnotationText(4, QStringLiteral("Truck"));
    QVERIFY(QDir().mkpath(templateFolder()));
    QString error;
    QVERIFY2(saveTemplate(chosen, &error), qPrintable(error));

    TfrmGraph *w = window(QStringLiteral("DataLogger"));
    QVERIFY(PrepareChart(*w->PESGraph1(), 1, 120, 20, 45100.6, 45100.0, 10));
    PESGraph &chart = *w->PESGraph1();
    QCOMPARE(chart.mainTitle(), QStringLiteral("North fence"));
    QCOMPARE(chart.gridStyle(), sgDash);
    // The chart's own set-up and lines still apply; the data and notes of the other chart do not.
    QCOMPARE(chart.manualMinY(), 20.0);
    QCOMPARE(chart.vertLineAnnotation(1), 45100.0 + 0.6 / 3);
    QCOMPARE(chart.points(), 10);
    QCOMPARE(chart.yData(0, 3), PESGraph::nullDataValueY());
    QVERIFY(!chart.model().annotation(4).visible());
    QCOMPARE(w->Grid2()->horizontalHeaderItem(1)->text(), QStringLiteral("DATE"));
}

void TestTfrmGraph::damagedTemplateGivesDefaultLook()
{
    QVERIFY(QDir().mkpath(templateFolder()));
    QFile f(templateFolder() + QStringLiteral("graph.ghf"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("\x10\0\0\0not a chart at all", 22));
    f.close();
    PESGraph chart;
    QVERIFY(!PrepareChart(chart, 1, 130, 30, 45000.3, 45000.0, 5));
    QCOMPARE(chart.gridStyle(), sgDot);
    QCOMPARE(chart.xAxisLabel(), QStringLiteral("Time"));
}

void TestTfrmGraph::optionsDialogSavesTemplate_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("folderBlocked");
    QTest::addColumn<bool>("saved");
    QTest::newRow("Yes saves") << int(QMessageBox::Yes) << false << true;
    QTest::newRow("No keeps no template") << int(QMessageBox::No) << false << false;
    QTest::newRow("folder cannot be made") << int(QMessageBox::Yes) << true << false;
}

void TestTfrmGraph::optionsDialogSavesTemplate()
{
    QFETCH(int, answer);
    QFETCH(bool, folderBlocked);
    QFETCH(bool, saved);
    if (folderBlocked) {
        QFile blocker(paths::writableAppFolder());
        QVERIFY(blocker.open(QIODevice::WriteOnly)); // a file where the folder would go
    }
    TfrmGraph *w = window();
    PrepareChart(*w->PESGraph1(), 1, 130, 30, 45000.3, 45000.0, 5);
    m_options = [](QDialog &d) {
        d.findChild<QLineEdit *>(QStringLiteral("edtMainTitle"))->setText(QStringLiteral("Site survey"));
    };
    m_answers << answer;
    w->Button1()->trigger();
    QCOMPARE(w->PESGraph1()->mainTitle(), QStringLiteral("Site survey"));
    QCOMPARE(m_shown.value(0), QStringLiteral("confirmBox: ") + text("IDS_19"));
    QCOMPARE(QFile::exists(templateFolder() + QStringLiteral("graph.ghf")), saved);
    if (folderBlocked)
        QCOMPARE(m_shown.value(1), QStringLiteral("messageBox: ") + text("IDS_20") +
                                       QDir::toNativeSeparators(templateFolder()) + text("IDS_21"));
    else
        QCOMPARE(m_shown.size(), 1);
    PESGraph next;
    QCOMPARE(PrepareChart(next, 1, 130, 30, 45000.3, 45000.0, 5), saved);
    QCOMPARE(next.mainTitle(), saved ? QStringLiteral("Site survey") : QString());

    // A dialog closed with Cancel asks nothing.
    m_shown.clear();
    m_options = nullptr;
    w->Button1()->trigger();
    QVERIFY(m_shown.isEmpty());
}

void TestTfrmGraph::closeQuestionsByCaption_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("loggerUnsaved");
    QTest::addColumn<bool>("realTimeUnsaved");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("question");
    QTest::addColumn<bool>("saveSucceeds");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<int>("saves");
    const int yes = QMessageBox::Yes, no = QMessageBox::No, cancel = QMessageBox::Cancel;
    const QString logger = QStringLiteral("DataLogger"), realTime = QStringLiteral("Real-Time Graph");
    QTest::newRow("DataLogger Yes saves") << logger << true << false << yes << "IDS_11" << true << true << 1;
    QTest::newRow("DataLogger Yes, save fails: stays") << logger << true << false << yes << "IDS_11" << false << false << 1;
    QTest::newRow("DataLogger No") << logger << true << false << no << "IDS_11" << true << true << 0;
    QTest::newRow("DataLogger Cancel stays") << logger << true << false << cancel << "IDS_11" << true << false << 0;
    QTest::newRow("real-time Yes saves") << realTime << false << true << yes << "IDS_13" << true << true << 1;
    QTest::newRow("real-time Yes, save fails: stays") << realTime << false << true << yes << "IDS_13" << false << false << 1;
    QTest::newRow("real-time No") << realTime << false << true << no << "IDS_13" << true << true << 0;
    QTest::newRow("real-time Cancel stays") << realTime << false << true << cancel << "IDS_13" << true << false << 0;
    QTest::newRow("graph file clears the logger flag") << "site.ghf" << true << true << yes << "" << true << true << 0;
}

void TestTfrmGraph::closeQuestionsByCaption()
{
    QFETCH(QString, caption);
    QFETCH(bool, loggerUnsaved);
    QFETCH(bool, realTimeUnsaved);
    QFETCH(int, answer);
    QFETCH(QString, question);
    QFETCH(bool, saveSucceeds);
    QFETCH(bool, closes);
    QFETCH(int, saves);
    graphState().loggerDataUnsaved = loggerUnsaved;
    graphState().realTime.realTimeUnsaved = realTimeUnsaved;
    QPointer<TfrmGraph> w = window(caption);
    QList<TfrmGraph *> saved;
    GraphWindows::instance().saveWindow = [&](TfrmGraph *asking) {
        saved << asking;
        return saveSucceeds;
    };
    m_answers << answer;
    QCOMPARE(w->close(), closes);
    GraphWindows::instance().saveWindow = nullptr;
    QCOMPARE(saved.size(), saves);
    if (saves)
        QCOMPARE(saved.first(), w.data());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(w.isNull(), closes);
    QCOMPARE(m_shown, question.isEmpty() ? QStringList() : QStringList{"confirmBox: " + text(qPrintable(question))});
    if (caption != QLatin1String("DataLogger"))
        QCOMPARE(graphState().loggerDataUnsaved, loggerUnsaved);
    else
        QCOMPARE(graphState().loggerDataUnsaved, !closes);
    if (caption == QLatin1String("Real-Time Graph"))
        QCOMPARE(graphState().realTime.realTimeUnsaved, !closes);
}

void TestTfrmGraph::closeClearsReferencesOfThisWindowOnly()
{
    GraphWindows &windows = GraphWindows::instance();
    TfrmGraph *older = window(QStringLiteral("LEQ"));
    TfrmGraph *newer = window(QStringLiteral("LEQ"));
    windows.calLeq = newer;
    TfrmGraph *realTime = window(QStringLiteral("Real-Time Graph"));
    windows.realTime = realTime;
    graphState().realTime.realTimeRunning = true;
    graphState().realTime.realTimePointCount = 12;
    QSignalSpy closed(&windows, &GraphWindows::realTimeWindowClosed);

    QVERIFY(older->close());
    QCOMPARE(windows.calLeq.data(), newer);
    QVERIFY(newer->close());
    QVERIFY(windows.calLeq.isNull());
    QCOMPARE(closed.count(), 0);
    QVERIFY(realTime->close());
    QVERIFY(windows.realTime.isNull());
    QCOMPARE(closed.count(), 1);
    QVERIFY(!graphState().realTime.realTimeRunning);
    QCOMPARE(graphState().realTime.realTimePointCount, 0);
}

void TestTfrmGraph::rateBoxDuringRun_data()
{
    QTest::addColumn<float>("rate");
    QTest::addColumn<int>("picked");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("refused");
    QTest::newRow("0.55 goes back to 1.0") << 0.55f << 3 << "1.0" << true;
    QTest::newRow("45 keeps the entry") << 45.0f << 3 << "5.0" << true;
    QTest::newRow("the entry shown picked again") << 5.0f << 3 << "5.0" << false;
}

void TestTfrmGraph::rateBoxDuringRun()
{
    QFETCH(float, rate);
    QFETCH(int, picked);
    QFETCH(QString, shown);
    QFETCH(bool, refused);
    TfrmGraph *w = window(QStringLiteral("Real-Time Graph"));
    w->makeRateDropDown();
    QVERIFY(!w->txtSamplingRate()->isEditable() && w->pnlSamplingRate()->isEnabled());
    graphState().realTime.realTimeRunning = true;
    graphState().realTime.RealTimeRate = rate;
    w->txtSamplingRate()->setCurrentIndex(picked);
    emit w->txtSamplingRate()->activated(picked);
    QCOMPARE(w->txtSamplingRate()->currentText(), shown);
    QCOMPARE(graphState().realTime.RealTimeRate, rate);
    QCOMPARE(m_shown, refused ? QStringList{"messageBox: " + text("IDS_18")} : QStringList());
}

void TestTfrmGraph::rateBoxIdleSetsRate()
{
    TfrmGraph *w = window(QStringLiteral("Real-Time Graph"));
    w->makeRateDropDown();
    w->txtSamplingRate()->setCurrentIndex(4);
    emit w->txtSamplingRate()->activated(4);
    QCOMPARE(graphState().realTime.RealTimeRate, 10.0f);
    QVERIFY(m_shown.isEmpty());
    w->selectRateEntry(0.2);
    QCOMPARE(w->txtSamplingRate()->currentIndex(), 0);
}

void TestTfrmGraph::rateEntriesInCommaLocale()
{
    QLocale::setDefault(QLocale(QLocale::German));
    TfrmGraph *w = window();
    QCOMPARE(w->txtSamplingRate()->itemText(0), QStringLiteral("0,5"));
    QCOMPARE(w->txtSamplingRate()->itemText(6), QStringLiteral("30,0"));
    QCOMPARE(w->txtSamplingRate()->currentText(), QString()); // shows no rate until one is written
}

void TestTfrmGraph::activationAndPerWindowCursors()
{
    QSignalSpy activated(&GraphWindows::instance(), &GraphWindows::graphActivated);
    TfrmGraph *a = window();
    TfrmGraph *b = window();
    m_area->setActiveSubWindow(a);
    activated.clear();
    m_area->setActiveSubWindow(b);
    QCOMPARE(activated.count(), 1);
    QCOMPARE(activated.first().first().value<TfrmGraph *>(), b);

    // A cursor index of one window's long series never applies to another window.
    a->cursors.cursorA = 90000;
    a->cursors.draggingB = true;
    QCOMPARE(b->cursors.cursorA, 0);
    QVERIFY(!b->cursors.draggingB);
}

void TestTfrmGraph::zoomEnablesUndo()
{
    TfrmGraph *w = TfrmGraph::create(m_area.get(), QStringLiteral("DataLogger"));
    PrepareChart(*w->PESGraph1(), 1, 130, 30, 45000.5, 45000.0, 500);
    w->UndoZoom()->trigger(); // without a zoom: nothing changes, the button stays disabled
    QVERIFY(!w->PESGraph1()->zoomed() && !w->UndoZoom()->isEnabled());
    w->PESGraph1()->zoomTo(45000.1, 45000.2, 40, 90);
    QVERIFY(w->PESGraph1()->zoomed() && w->UndoZoom()->isEnabled());
    w->UndoZoom()->trigger();
    QVERIFY(!w->PESGraph1()->zoomed());
    QVERIFY(!w->UndoZoom()->isEnabled());
}

QTEST_MAIN(TestTfrmGraph)
#include "tst_TfrmGraph.moc"
