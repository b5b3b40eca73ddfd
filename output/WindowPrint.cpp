// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/WindowPrint.h"

#include "chart/PESGraph.h"
#include "data/DataSetList.h"
#include "graph/ChartSetup.h"
#include "common/StringTable.h"
#include "graph/DataLoggerView.h"
#include "graph/TfrmGraph.h"
#include "output/IndicatorsPage.h"
#include "output/TablePrintout.h"
#include "widgets/MessageBoxes.h"
#include "widgets/ModalRunner.h"
#include "widgets/ProgressPump.h"
#include "widgets/TfrmScope.h"

#include <QAbstractItemModel>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QPrintDialog>
#include <QPrinter>

namespace ql708::output {

namespace {

QString text(const char *key) { return ids(QStringLiteral("frmPrint"), QString::fromLatin1(key)); }

// The printer or file the pages were meant for, in the message that says they were not printed.
void tellNotPrinted(QWidget *parent, const QPrinter &printer)
{
    const QString where = printer.outputFileName().isEmpty() ? printer.printerName()
                                                             : QDir::toNativeSeparators(printer.outputFileName());
    showMessage(parent, text("IDS_10") + QLatin1Char('\n') + where);
}

} // namespace

std::unique_ptr<QPrinter> makePrinter()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    return printer;
}

ChartReport windowReport(graph::TfrmGraph &window)
{
    ChartReport report = chartReport(window.windowTitle(), window.statisticTexts());
    if (const graph::DataLoggerView *view = graph::DataLoggerView::of(&window))
        addDataSet(report, view->sets(), view->shownSet());
    return report;
}

void printGraphWindow(graph::TfrmGraph &window, QPrinter &printer)
{
    chart::PESGraph &chart = *window.PESGraph1();
    const bool pages[4] = {chart.allowFontPage(), chart.allowPage1(), chart.allowPage2(), chart.allowSubsetsPage()};
    const auto allow = [&chart](const bool (&on)[4]) {
        chart.setAllowFontPage(on[0]);
        chart.setAllowPage1(on[1]);
        chart.setAllowPage2(on[2]);
        chart.setAllowSubsetsPage(on[3]);
    };
    allow({false, false, false, false});
    chart.PEactions(chart::sgCustomize);
    allow(pages);

    chart.setPrinter(&printer);
    chart.setPagePrinter([&window, &chart](QPrinter &p) {
        // The header shows the figures as they are when the user confirms the dialog; a logger
        // set's indicators follow on a second page.
        ChartPainter second;
        std::optional<IndicatorsPage> indicators;
        if (graph::DataLoggerView::of(&window)) {
            indicators = indicatorsPage(window.windowTitle(), window.seriesIndex());
            second = [&indicators](QPainter &painter, const QRectF &page) { paintIndicatorsPage(painter, page, *indicators); };
        }
        if (!printChartReport(p, windowReport(window), [&chart](QPainter &painter, const QRectF &r) { chart.render(painter, r); },
                              second))
            tellNotPrinted(&window, p);
    });
    chart.PEactions(chart::sgPrintDialog);
    chart.setPagePrinter({});
    chart.setPrinter(nullptr);
}

bool printDataSet(QPagedPaintDevice &device, const QString &caption, const data::DataSetList &sets, int i)
{
    chart::PESGraph chart;
    graph::PrepareDataLoggerChart(chart);
    graph::showDataSetChart(chart, sets, i);
    const std::size_t offset = sets.offsetOf(i);
    const graph::Series series{sets.times.data() + offset, sets.levels.data() + offset, sets.pointCounts[size_t(i)]};
    const graph::CursorPoints cursors = graph::startingCursorPoints(series.n);
    graph::placeLines(chart, cursors);

    graph::StatisticTexts texts;
    graph::setDataSetTexts(texts, sets, i);
    const analysis::SpanIndex index(data::levelSeries(sets, i));
    graph::setCursorTexts(texts, series, graph::cursorFigures(index, cursors.a, cursors.b));
    ChartReport report = chartReport(caption, texts);
    addDataSet(report, sets, i);
    const IndicatorsPage second = indicatorsPage(caption, index);
    return printChartReport(
        device, report, [&chart](QPainter &painter, const QRectF &r) { chart.render(painter, r); },
        [&second](QPainter &painter, const QRectF &page) { paintIndicatorsPage(painter, page, second); });
}

bool printTable(QWidget *parent, QPrinter &printer, const QAbstractItemModel &model, const QStringList &lead)
{
    QPrintDialog PrintDialog1(&printer, parent);
    PrintDialog1.setObjectName(QStringLiteral("PrintDialog1"));
    if (runModal(PrintDialog1) != QDialog::Accepted)
        return false;
    const PrintLines lines = tableLines(model, lead);
    // A long table takes a while: the window stays alive meanwhile, and a table closed in the
    // middle ends the printout before its rows are gone.
    bool gone = false;
    const QMetaObject::Connection watch = QObject::connect(&model, &QObject::destroyed, [&gone] { gone = true; });
    PrintOutcome outcome;
    {
        TfrmScope scope(parent);
        scope.useForProgress(text("IDS_11"), lines.count);
        scope.SText1()->setText(text("IDS_12"));
        scope.SText1()->show();
        scope.BitBtn2()->show();
        scope.showProgress();
        ProgressPump pump(scope);
        outcome = printLines(printer, lines, [&](qint64 done) { return pump.step(done) && !gone; });
    }
    QObject::disconnect(watch);
    if (outcome == PrintOutcome::Cancelled && !printer.outputFileName().isEmpty())
        QFile::remove(printer.outputFileName()); // no half a file
    if (outcome == PrintOutcome::Failed)
        tellNotPrinted(parent, printer);
    return outcome == PrintOutcome::Printed;
}

} // namespace ql708::output
