// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/LevelStatistics.h"
#include "ChartFixture.h"
#include "chart/ChartModal.h"
#include "chart/TimeAxisScale.h"
#include "tests/support/PdfText.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QSignalSpy>
#include <QTabWidget>
#include <QtTest>
#include <functional>

using namespace ql708::chart;

using ChartEdit = std::function<void(PESGraph &)>;
Q_DECLARE_METATYPE(ChartEdit)

namespace {
constexpr double kStart = 45444.5; // 1 June 2024, 12:00
constexpr int kPoints = 3600;
constexpr double kEnd = kStart + (kPoints - 1) / 86400.0;
} // namespace

class tst_PESGraph : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void pixelDataConversion();
    void vertLineHotSpots_data();
    void vertLineHotSpots();
    void zoomAndUndo();
    void clickAndNoZoom_data();
    void clickAndNoZoom();
    void nullValuesAreGaps_data();
    void nullValuesAreGaps();
    void pointWritesDrawLikeAWholeLoad_data();
    void pointWritesDrawLikeAWholeLoad();
    void timeAxisKeepsItsEndLabels_data();
    void timeAxisKeepsItsEndLabels();
    void farPositionsDraw_data();
    void farPositionsDraw();
    void optionsDialog_data();
    void optionsDialog();
    void noPageNoOptionsDialog();
    void printDialogPrintsVectors_data();
    void printDialogPrintsVectors();

private:
    QPoint toPlot(QPoint chartPos) const { return m_plot->mapFrom(m_chart.get(), chartPos); }
    void drag(QPoint from, QPoint to);
    std::unique_ptr<PESGraph> m_chart;
    QWidget *m_plot = nullptr;
};

void tst_PESGraph::init()
{
    m_chart = std::make_unique<PESGraph>();
    m_chart->resize(800, 500);
    test::prepareLikeGraphWindow(*m_chart, kStart, kEnd);
    test::fillSynthetic(*m_chart, kPoints, kStart);
    m_chart->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_chart.get()));
    m_chart->redraw();
    m_plot = m_chart->findChild<QWidget *>(QStringLiteral("plot"));
    QVERIFY(m_plot);
}

void tst_PESGraph::cleanup()
{
    setChartModalRunner({});
    m_chart.reset();
}

void tst_PESGraph::drag(QPoint from, QPoint to)
{
    QTest::mousePress(m_plot, Qt::LeftButton, {}, toPlot(from));
    QTest::mouseMove(m_plot, toPlot((from + to) / 2));
    QTest::mouseMove(m_plot, toPlot(to));
    QTest::mouseRelease(m_plot, Qt::LeftButton, {}, toPlot(to));
}

void tst_PESGraph::pixelDataConversion()
{
    const QRect r = m_chart->plotRect();
    QVERIFY(r.width() > 600 && r.height() > 300);
    const QPointF bottomLeft = m_chart->dataToPixel(kStart, 30);
    const QPointF topRight = m_chart->dataToPixel(kEnd, 130);
    QVERIFY(qAbs(bottomLeft.x() - r.left()) <= 1.0 && qAbs(bottomLeft.y() - r.bottom()) <= 1.0);
    QVERIFY(qAbs(topRight.x() - r.right()) <= 1.0 && qAbs(topRight.y() - r.top()) <= 1.0);

    const double x = kStart + 1000 / 86400.0, y = 72.5;
    const QPointF px = m_chart->dataToPixel(x, y);
    const QPointF back = m_chart->pixelToData(px.toPoint());
    const double secondsPerPixel = (kEnd - kStart) * 86400.0 / r.width();
    QVERIFY(qAbs(back.x() - x) * 86400.0 <= secondsPerPixel);
    QVERIFY(qAbs(back.y() - y) <= 100.0 / r.height());
}

void tst_PESGraph::vertLineHotSpots_data()
{
    QTest::addColumn<bool>("allowed");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("expected");
    QTest::newRow("on the line") << true << true << 0 << 1;
    QTest::newRow("3 pixels off") << true << true << 3 << 1;
    QTest::newRow("12 pixels off") << true << true << 12 << -1;
    QTest::newRow("hot spots off") << false << true << 0 << -1;
    QTest::newRow("lines hidden") << true << false << 0 << -1;
}

void tst_PESGraph::vertLineHotSpots()
{
    QFETCH(bool, allowed);
    QFETCH(bool, shown);
    QFETCH(int, offset);
    QFETCH(int, expected);
    m_chart->setAllowVertLineAnnotHotSpots(allowed);
    m_chart->setShowVertLineAnnotations(shown);
    m_chart->redraw();
    QSignalSpy hot(m_chart.get(), &PESGraph::vertLineAnnotHotSpot);
    QSignalSpy zoom(m_chart.get(), &PESGraph::zoomedIn);
    QSignalSpy up(m_chart.get(), &PESGraph::mouseUp);
    const int lineX = int(std::lround(m_chart->dataToPixel(m_chart->vertLineAnnotation(1), 0).x()));
    const QPoint at(lineX + offset, m_chart->plotRect().center().y());
    QCOMPARE(m_chart->hotSpotAt(at).kind == HotSpot::VertLine, expected >= 0);

    drag(at, at + QPoint(120, 40));
    QCOMPARE(hot.size(), expected >= 0 ? 1 : 0);
    if (expected >= 0) {
        QCOMPARE(hot.at(0).at(0).toInt(), expected);
        QCOMPARE(zoom.size(), 0); // a grabbed line is dragged, the view is not zoomed
    }
    QCOMPARE(up.size(), 1);
    QCOMPARE(m_chart->lastMousePos(), at + QPoint(120, 40));
}

void tst_PESGraph::zoomAndUndo()
{
    m_chart->setShowVertLineAnnotations(false);
    m_chart->redraw();
    QSignalSpy zoom(m_chart.get(), &PESGraph::zoomedIn);
    const QRect r = m_chart->plotRect();
    const QPoint a(r.left() + r.width() / 4, r.top() + r.height() / 4);
    const QPoint b(r.left() + r.width() * 3 / 4, r.top() + r.height() * 3 / 4);
    const QPointF da = m_chart->pixelToData(a), db = m_chart->pixelToData(b);
    drag(a, b);
    QCOMPARE(zoom.size(), 1);
    QCOMPARE(m_chart->zoomDepth(), 1);
    const QRect z = m_chart->plotRect(); // the tick labels may take other room when zoomed
    const QPointF left = m_chart->pixelToData(z.topLeft());
    const QPointF right = m_chart->pixelToData(z.topLeft() + QPoint(z.width(), z.height()));
    QVERIFY(qAbs(left.x() - da.x()) * 86400 < 5 && qAbs(right.x() - db.x()) * 86400 < 5);
    QVERIFY(qAbs(left.y() - da.y()) < 0.5 && qAbs(right.y() - db.y()) < 0.5);

    drag(a, b);
    QCOMPARE(m_chart->zoomDepth(), 2);
    m_chart->PEactions(sgUndoZoom);
    QCOMPARE(m_chart->zoomDepth(), 0);
    QVERIFY(qAbs(m_chart->pixelToData(r.topLeft()).x() - kStart) * 86400 < 10);
    QVERIFY(qAbs(m_chart->pixelToData(r.topLeft()).y() - 130) < 0.5);
    m_chart->PEactions(sgUndoZoom); // nothing to undo: unchanged
    QCOMPARE(m_chart->zoomDepth(), 0);
}

void tst_PESGraph::clickAndNoZoom_data()
{
    QTest::addColumn<int>("zooming");
    QTest::addColumn<int>("distance");
    QTest::addColumn<int>("clicks");
    QTest::newRow("click") << int(sgHorzPlusVertZooming) << 0 << 1;
    QTest::newRow("tiny drag") << int(sgHorzPlusVertZooming) << 1 << 1;
    QTest::newRow("zooming off") << int(sgNoZooming) << 150 << 0;
}

void tst_PESGraph::clickAndNoZoom()
{
    QFETCH(int, zooming);
    QFETCH(int, distance);
    QFETCH(int, clicks);
    m_chart->setAllowZooming(Zooming(zooming));
    QSignalSpy click(m_chart.get(), &PESGraph::clicked);
    QSignalSpy zoom(m_chart.get(), &PESGraph::zoomedIn);
    const QPoint at = m_chart->plotRect().center() + QPoint(37, 0);
    drag(at, at + QPoint(distance, distance));
    QCOMPARE(click.size(), clicks);
    QCOMPARE(zoom.size(), 0);
    QCOMPARE(m_chart->zoomDepth(), 0);
}

void tst_PESGraph::nullValuesAreGaps_data()
{
    QTest::addColumn<float>("gap");
    QTest::newRow("the null value") << PESGraph::nullDataValueY();
    // The level files keep for a reading the meter could not measure: no drop to the axis.
    QTest::newRow("an out-of-range reading") << ql708::kOutOfRangeLevel;
}

void tst_PESGraph::nullValuesAreGaps()
{
    QFETCH(float, gap);
    const float level = 80.0f;
    for (int p = 0; p < kPoints; ++p)
        m_chart->setYData(0, p, p >= 1200 && p < 2400 ? gap : level);
    m_chart->setShowVertLineAnnotations(false);
    m_chart->setGridStyle(sgNoGrid);
    m_chart->redraw();
    const QImage image = m_chart->grab().toImage();
    const int row = int(std::lround(m_chart->dataToPixel(kStart, level).y()));
    auto columnOf = [&](int point) { return int(std::lround(m_chart->dataToPixel(kStart + point / 86400.0, level).x())); };
    auto inkAt = [&](int point, int from, int to) {
        for (int y = from; y <= to; ++y)
            if (qGray(image.pixel(columnOf(point), y)) < 80)
                return true;
        return false;
    };
    for (int p : {100, 600, 1150, 2450, 3000, 3500})
        QVERIFY2(inkAt(p, row - 1, row + 1), qPrintable(QStringLiteral("no line at point %1").arg(p)));
    // Nothing in the gap, and no line down from its edges (the ticks at the foot left aside).
    const int foot = m_chart->plotRect().bottom() - 12;
    for (int p : {1200, 1300, 1800, 2300, 2399})
        QVERIFY2(!inkAt(p, row + 3, foot), qPrintable(QStringLiteral("line drawn in the gap at point %1").arg(p)));
    for (int p : {1300, 1800, 2300})
        QVERIFY2(!inkAt(p, row - 1, row + 1), qPrintable(QStringLiteral("line drawn in the gap at point %1").arg(p)));
}

void tst_PESGraph::pointWritesDrawLikeAWholeLoad_data()
{
    // Points written one at a time reach the plot without copying the whole series; whatever
    // the writes, the picture is the one the same data give when loaded in one piece.
    QTest::addColumn<ChartEdit>("edit");
    auto x = [](int p) { return kStart + p / 86400.0; };
    auto write = [x](PESGraph &c, int p, float y) {
        c.setXDataII(0, p, x(p));
        c.setYData(0, p, y);
    };
    auto live = [write](int points, int redrawEvery) {
        return [=](PESGraph &c) {
            c.emptySubset(0);
            c.redraw();
            for (int p = 0; p < points; ++p) {
                write(c, p, float(50 + p % 40));
                if (p % redrawEvery == 0)
                    c.redraw();
            }
        };
    };
    QTest::newRow("a live chart filling, each point drawn") << ChartEdit(live(kPoints / 2, 1));
    QTest::newRow("a live chart filling, every second point drawn") << ChartEdit(live(kPoints / 2 + 1, 2));
    QTest::newRow("a level changed in place") << ChartEdit([](PESGraph &c) { c.setYData(0, 1000, 125.0f); });
    QTest::newRow("a level made null") << ChartEdit([](PESGraph &c) { c.setYData(0, 1000, PESGraph::nullDataValueY()); });
    QTest::newRow("a time moved out of order")
        << ChartEdit([x](PESGraph &c) { c.setXDataII(0, 1000, x(3000)); });
    QTest::newRow("points written past an empty stretch") << ChartEdit([write](PESGraph &c) {
        c.emptySubset(0);
        for (int p = 0; p < 10; ++p)
            write(c, p, 70);
        c.redraw();
        write(c, 50, 90);
    });
    // Points 30 s apart, so that each one shows; the out-of-order point must not shift the
    // ones written after it.
    QTest::newRow("a point appended earlier in time than the last") << ChartEdit([x](PESGraph &c) {
        c.emptySubset(0);
        for (int p = 0; p < 100; ++p) {
            c.setXDataII(0, p, x(30 * p));
            c.setYData(0, p, 70);
        }
        c.redraw();
        c.setXDataII(0, 100, x(30 * 20 + 15));
        c.setYData(0, 100, 110);
        c.redraw();
        c.setYData(0, 50, 120);
    });
}

void tst_PESGraph::pointWritesDrawLikeAWholeLoad()
{
    QFETCH(ChartEdit, edit);
    edit(*m_chart);
    m_chart->redraw();
    PESGraph whole;
    whole.setModel(m_chart->model());
    QCOMPARE(m_chart->renderImage(800, 500), whole.renderImage(800, 500));
}

void tst_PESGraph::timeAxisKeepsItsEndLabels_data()
{
    QTest::addColumn<int>("pointSize");
    QTest::newRow("small labels") << 8;
    QTest::newRow("large labels") << 16;
}

// A tick label that would cross the widget's edge is not drawn at all; the first one names the
// date, so on a view that starts on a round time (a tick on the plot's left edge) it must fit.
void tst_PESGraph::timeAxisKeepsItsEndLabels()
{
    QFETCH(int, pointSize);
    const ChartFont font{QStringLiteral("Sans Serif"), pointSize, false};
    m_chart->setLabelFont(font);
    const double lo = kStart + 1800 / 86400.0, hi = lo + 240 / 86400.0; // 12:30:00 to 12:34:00
    m_chart->zoomTo(lo, hi, 40, 100);
    m_chart->grab();
    const QRect r = m_chart->plotRect();
    const TimeTicks t = planTimeTicks(lo, hi, 10, m_plot->locale());
    QCOMPARE(t.ticks.first(), lo);
    QVERIFY(t.labels.first().contains(QLatin1Char('\n')));
    QFont f(font.family);
    f.setPointSizeF(pointSize);
    const QFontMetrics fm(f);
    auto halfWidest = [&](const QString &label) {
        int w = 0;
        for (const QString &line : label.split(QLatin1Char('\n')))
            w = std::max(w, fm.horizontalAdvance(line));
        return w / 2;
    };
    QVERIFY2(r.left() - m_plot->x() >= halfWidest(t.labels.first()), qPrintable(QString::number(r.left())));
    QVERIFY2(m_plot->geometry().right() - r.right() >= halfWidest(t.labels.last()), qPrintable(QString::number(r.right())));
}

void tst_PESGraph::farPositionsDraw_data()
{
    QTest::addColumn<double>("viewLo");
    QTest::addColumn<double>("viewHi");
    QTest::addColumn<double>("annotationX");
    QTest::addColumn<double>("annotationY");
    QTest::addColumn<double>("lineX");
    const double ms = 1 / 86400000.0;
    QTest::newRow("annotation far from a deep zoom") << kStart << kStart + ms << kStart + 3000 << 60.0 << kStart;
    QTest::newRow("line far from a deep zoom") << kStart << kStart + ms << kStart << 60.0 << kStart - 3000;
    QTest::newRow("at the ends of the number range") << kStart << kEnd << 1e300 << -1e300 << -1e300;
    QTest::newRow("view past the last date") << 1e15 << 1e15 + 1 << 1e15 + 0.5 << 60.0 << 1e15;
}

// Positions come from files and from zooming: far outside the view they are no pixel that an
// integer holds. The chart draws and answers hot spot queries all the same.
void tst_PESGraph::farPositionsDraw()
{
    QFETCH(double, viewLo);
    QFETCH(double, viewHi);
    QFETCH(double, annotationX);
    QFETCH(double, annotationY);
    QFETCH(double, lineX);
    m_chart->setGraphAnnotationType(0, 2);
    m_chart->setGraphAnnotationText(0, QStringLiteral("far"));
    m_chart->setGraphAnnotationX(0, annotationX);
    m_chart->setGraphAnnotationY(0, annotationY);
    m_chart->setVertLineAnnotation(3, lineX);
    m_chart->setAllowDataLabels(sgDataValues);
    m_chart->zoomTo(viewLo, viewHi, 40, 100);
    QVERIFY(!m_chart->renderImage(800, 500).isNull());
    QCOMPARE(m_chart->hotSpotAt(m_chart->plotRect().center() + QPoint(200, 0)).kind, HotSpot::None);
}

void tst_PESGraph::optionsDialog_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::newRow("confirmed") << true;
    QTest::newRow("cancelled") << false;
}

void tst_PESGraph::optionsDialog()
{
    QFETCH(bool, confirm);
    m_chart->setAllowFontPage(false);
    bool sawFontPage = true;
    setChartModalRunner([&](QDialog &d) {
        sawFontPage = d.findChild<QWidget *>(QStringLiteral("pageFonts")) != nullptr;
        d.findChild<QLineEdit *>(QStringLiteral("edtMainTitle"))->setText(QStringLiteral("Survey"));
        d.findChild<QComboBox *>(QStringLiteral("cboGridStyle"))->setCurrentIndex(sgDash);
        d.findChild<QComboBox *>(QStringLiteral("cboLineType"))->setCurrentIndex(6);
        emit d.findChild<QComboBox *>(QStringLiteral("cboLineType"))->activated(6);
        if (confirm)
            QMetaObject::invokeMethod(d.findChild<QObject *>(QStringLiteral("buttons")), "accepted");
        else
            d.reject();
        return d.result();
    });
    QSignalSpy closed(m_chart.get(), &PESGraph::customizeDlgClosed);
    m_chart->PEactions(sgCustomize);
    QCOMPARE(closed.size(), 1);
    QVERIFY(!sawFontPage);
    QCOMPARE(m_chart->dialogResult(), confirm ? 1 : 0);
    QCOMPARE(m_chart->mainTitle(), confirm ? QStringLiteral("Survey") : QString());
    QCOMPARE(m_chart->gridStyle(), confirm ? sgDash : sgDot);
    QCOMPARE(m_chart->subsetLineType(0), confirm ? 6 : 0);
}

void tst_PESGraph::noPageNoOptionsDialog()
{
    m_chart->setAllowPage1(false);
    m_chart->setAllowPage2(false);
    m_chart->setAllowSubsetsPage(false);
    m_chart->setAllowFontPage(false);
    int shown = 0;
    setChartModalRunner([&](QDialog &) { return ++shown, int(QDialog::Accepted); });
    QSignalSpy closed(m_chart.get(), &PESGraph::customizeDlgClosed);
    m_chart->PEactions(sgCustomize);
    QCOMPARE(shown, 0);
    QCOMPARE(closed.size(), 1);
    QCOMPARE(m_chart->dialogResult(), 0);
}

void tst_PESGraph::printDialogPrintsVectors_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<bool>("pagePrinter");
    QTest::newRow("chart alone") << true << false;
    QTest::newRow("the caller's page") << true << true;
    QTest::newRow("cancelled") << false << false;
}

// The print dialog starts from the program's printer, and what it prints is drawn, not a copy
// of the screen: the PDF holds the chart's texts and no image.
void tst_PESGraph::printDialogPrintsVectors()
{
    QFETCH(bool, confirm);
    QFETCH(bool, pagePrinter);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("chart.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    m_chart->setPrinter(&printer);
    m_chart->setMainTitle(QStringLiteral("Survey"));
    int pages = 0;
    if (pagePrinter)
        m_chart->setPagePrinter([&](QPrinter &p) {
            ++pages;
            QPainter painter(&p);
            painter.drawText(QPointF(100, 100), QStringLiteral("Header"));
            m_chart->render(painter, QRectF(0, 400, 6000, 4000));
        });
    QStringList dialogs;
    setChartModalRunner([&](QDialog &d) {
        auto *print = qobject_cast<QPrintDialog *>(&d);
        dialogs << d.objectName() + (print && print->printer() == &printer ? QString() : QStringLiteral(" (not ours)"));
        return int(confirm ? QDialog::Accepted : QDialog::Rejected);
    });
    m_chart->PEactions(sgPrintDialog);
    QCOMPARE(dialogs, QStringList{QStringLiteral("chartPrintDialog")});
    QCOMPARE(QFile::exists(pdf), confirm);
    QCOMPARE(pages, pagePrinter ? 1 : 0);
    if (!confirm)
        return;
    QCOMPARE(ql708::test::pdfPages(pdf), 1);
    QCOMPARE(ql708::test::pdfImages(pdf), 0);
    const QString text = ql708::test::pdfText(pdf);
    QVERIFY2(text.contains(QLatin1String("Survey")) && text.contains(QLatin1String("100")), qPrintable(text));
    QCOMPARE(text.contains(QLatin1String("Header")), pagePrinter);
    // The chart on screen keeps its own layout.
    QVERIFY(m_chart->plotRect().width() > 600);
}

QTEST_MAIN(tst_PESGraph)
#include "tst_PESGraph.moc"
