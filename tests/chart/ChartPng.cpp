// Draws a long synthetic series to PNG files, for looking at the chart by eye:
// unzoomed, zoomed to minutes and to seconds, and after a change in the options dialog.
#include "ChartFixture.h"
#include "chart/ChartModal.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <cstdio>

namespace {
// The picture after pending layout changes (scroll bars shown or hidden) took effect.
QPixmap settled(QWidget &w)
{
    QCoreApplication::processEvents();
    return w.grab();
}
} // namespace

using namespace ql708::chart;

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: chart_png <folder>\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    constexpr int n = 128000;
    constexpr double start = 45444.5;
    const double end = start + (n - 1) / 86400.0;
    PESGraph chart;
    chart.resize(1200, 600);
    test::prepareLikeGraphWindow(chart, start, end);
    test::fillSynthetic(chart, n, start, 60000, 64000);
    chart.setGraphAnnotationType(5, 2);
    chart.setGraphAnnotationX(5, start + 30000 / 86400.0);
    chart.setGraphAnnotationY(5, 100);
    chart.setGraphAnnotationText(6, QStringLiteral("Truck passing"));
    chart.setGraphAnnotationX(6, start + 90000 / 86400.0);
    chart.setGraphAnnotationY(6, 110);
    chart.setGraphAnnotationText(7, QString()); // an erased slot: nothing shows
    chart.show();
    chart.redraw();
    bool ok = settled(chart).save(dir.filePath(QStringLiteral("chart_full.png")));

    const double zoomLo = start + 30000 / 86400.0;
    chart.zoomTo(zoomLo, zoomLo + 180 / 86400.0, 40, 100);
    ok = settled(chart).save(dir.filePath(QStringLiteral("chart_zoom_minutes.png"))) && ok;
    chart.zoomTo(zoomLo + 60 / 86400.0, zoomLo + 66 / 86400.0, 40, 100);
    ok = settled(chart).save(dir.filePath(QStringLiteral("chart_zoom_seconds.png"))) && ok;
    chart.PEactions(sgUndoZoom);
    // Starting on a round time, the first tick sits on the left edge of the plot.
    const double roundLo = start + 1800 / 86400.0;
    chart.zoomTo(roundLo, roundLo + 240 / 86400.0, 40, 100);
    ok = settled(chart).save(dir.filePath(QStringLiteral("chart_zoom_round.png"))) && ok;
    chart.PEactions(sgUndoZoom);

    setChartModalRunner([](QDialog &d) {
        d.findChild<QLineEdit *>(QStringLiteral("edtMainTitle"))->setText(QStringLiteral("Site survey, north fence"));
        d.findChild<QComboBox *>(QStringLiteral("cboGridStyle"))->setCurrentIndex(sgDash);
        d.findChild<QComboBox *>(QStringLiteral("cboViewingStyle"))->setCurrentIndex(sgMonochrome);
        auto *lineType = d.findChild<QComboBox *>(QStringLiteral("cboLineType"));
        lineType->setCurrentIndex(5);
        emit lineType->activated(5);
        QMetaObject::invokeMethod(d.findChild<QObject *>(QStringLiteral("buttons")), "accepted");
        return d.result();
    });
    chart.PEactions(sgCustomize);
    ok = settled(chart).save(dir.filePath(QStringLiteral("chart_options.png"))) && ok;
    return ok ? 0 : 1;
}
