// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/StringTable.h"
#include "data/DataSetList.h"
#include "graph/StatisticTexts.h"
#include "output/ChartReport.h"
#include "tests/support/PdfText.h"

#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace ql708;
using namespace ql708::output;

namespace {

graph::StatisticTexts someTexts()
{
    graph::StatisticTexts t;
    t.startTime = QStringLiteral("01/06/2024 12:00:00");
    t.samplingRate = QStringLiteral("2");
    t.dataNo = QStringLiteral("1800");
    t.avgAll = QStringLiteral("61.2");
    t.max = QStringLiteral("93.4");
    t.maxTime = QStringLiteral("01/06/2024 12:31:08");
    t.cursorA = QStringLiteral("58.0");
    t.cursorATime = QStringLiteral("01/06/2024 12:20:00");
    t.leqAB = QStringLiteral("72.6");
    t.outOfRange = 3;
    t.outOfRangeAB = 1;
    return t;
}

// Two sets; the second recorded with A weighting, FAST, range 70-130, every 2 s.
data::DataSetList twoSets()
{
    data::DataSetList sets;
    sets.startTimes = {45444.5, 45445.25};
    sets.rates = {1, 2};
    sets.pointCounts = {0, 0};
    sets.modeFlags = {0x00, 0x0B};
    sets.recordStarts = sets.recordEnds = {0, 0};
    sets.summaries = {LevelSummary(), LevelSummary()};
    sets.waveNames = {QString(), QString()};
    return sets;
}

} // namespace

class tst_ChartReport : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setActiveLanguage(Language::English); }
    void headerAndChartOnOnePage_data();
    void headerAndChartOnOnePage();
};

void tst_ChartReport::headerAndChartOnOnePage_data()
{
    QTest::addColumn<QPageSize::PageSizeId>("size");
    QTest::addColumn<QPageLayout::Orientation>("orientation");
    QTest::newRow("A4 portrait") << QPageSize::A4 << QPageLayout::Portrait;
    QTest::newRow("A4 landscape") << QPageSize::A4 << QPageLayout::Landscape;
    QTest::newRow("A6 portrait: smaller text") << QPageSize::A6 << QPageLayout::Portrait;
}

// The caption, both panels and the set's recording print above the chart, all on the page.
void tst_ChartReport::headerAndChartOnOnePage()
{
    QFETCH(QPageSize::PageSizeId, size);
    QFETCH(QPageLayout::Orientation, orientation);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    ChartReport report = chartReport(QStringLiteral("DataLogger"), someTexts());
    addDataSet(report, twoSets(), 1);
    addDataSet(report, twoSets(), 2); // no such set: nothing added
    QCOMPARE(report.sections.size(), 3);

    QPdfWriter writer(pdf);
    writer.setPageLayout(QPageLayout(QPageSize(size), orientation, QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    QRectF chartRect;
    QVERIFY(printChartReport(writer, report, [&](QPainter &p, const QRectF &r) {
        chartRect = r;
        p.drawRect(r);
        p.drawText(r, Qt::AlignCenter, QStringLiteral("CHARTAREA"));
    }));

    QCOMPARE(test::pdfPages(pdf), 1);
    const QString text = test::pdfText(pdf).simplified();
    for (const char *expected : {"DataLogger", "Whole graph", "Start Time: 01/06/2024 12:00:00", "DataNo: 1800",
                                 "Maximum: 93.4 @ 01/06/2024 12:31:08", "Between cursors A and B",
                                 "Cursor A: 58.0 @ 01/06/2024 12:20:00", "Leq Between A and B: 72.6", "3 readings out of range",
                                 "1 reading out of range", "Data set",
                                 "Set: 2", "Interval: 00:02", "Frequency weighting: dBA", "Time weighting: FAST",
                                 "Range: 70-130 dB", "CHARTAREA"})
        QVERIFY2(text.contains(QLatin1String(expected)), expected);
    // An empty figure prints no lone "@".
    QVERIFY2(!text.contains(QRegularExpression(QStringLiteral(":\\s*@"))), qPrintable(text));

    const QRectF page(0, 0, writer.width(), writer.height());
    QVERIFY(page.contains(chartRect));
    QVERIFY(chartRect.height() <= chartRect.width() * 0.7 + 0.5);
    QCOMPARE(chartRect.width(), page.width());
    const QRectF paper = writer.pageLayout().fullRect(QPageLayout::Point);
    const double chartTop = 10 / 25.4 * 72 + chartRect.top() * 72 / writer.resolution();
    for (const test::PdfWord &w : test::pdfWords(pdf, 1)) {
        QVERIFY2(paper.contains(w.box), qPrintable(w.text));
        if (w.text != QLatin1String("CHARTAREA"))
            QVERIFY2(w.box.bottom() <= chartTop, qPrintable(w.text));
    }
}

QTEST_MAIN(tst_ChartReport)
#include "tst_ChartReport.moc"
