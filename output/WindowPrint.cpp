#include "output/WindowPrint.h"

#include "chart/PESGraph.h"
#include "data/DataSetList.h"
#include "graph/ChartSetup.h"
#include "common/StringTable.h"
#include "graph/DataLoggerView.h"
#include "graph/TfrmGraph.h"
#include "output/TablePrintout.h"
#include "widgets/MessageBoxes.h"
#include "widgets/ModalRunner.h"

#include <QDir>
#include <QPrintDialog>
#include <QPrinter>

namespace ql708::output {

namespace {

// The printer or file the pages were meant for, in the message that says they were not printed.
void tellNotPrinted(QWidget *parent, const QPrinter &printer)
{
    const QString where = printer.outputFileName().isEmpty() ? printer.printerName()
                                                             : QDir::toNativeSeparators(printer.outputFileName());
    showMessage(parent, ids(QStringLiteral("frmPrint"), QStringLiteral("IDS_10")) + QLatin1Char('\n') + where);
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
    chart::PESGraph &chart = *window.PESGraph1;
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
        // The header shows the figures as they are when the user confirms the dialog.
        if (!printChartReport(p, windowReport(window), [&chart](QPainter &painter, const QRectF &r) { chart.render(painter, r); }))
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
    graph::setCursorTexts(texts, series, graph::cursorFigures(series, cursors.a, cursors.b));
    ChartReport report = chartReport(caption, texts);
    addDataSet(report, sets, i);
    return printChartReport(device, report, [&chart](QPainter &painter, const QRectF &r) { chart.render(painter, r); });
}

bool printTable(QWidget *parent, QPrinter &printer, const QAbstractItemModel &model, const QStringList &lead)
{
    QPrintDialog PrintDialog1(&printer, parent);
    PrintDialog1.setObjectName(QStringLiteral("PrintDialog1"));
    if (runModal(PrintDialog1) != QDialog::Accepted)
        return false;
    if (printLines(printer, tableLines(model, lead)))
        return true;
    tellNotPrinted(parent, printer);
    return false;
}

} // namespace ql708::output
