// SPDX-License-Identifier: GPL-3.0-or-later
// Draws a long synthetic series to PNG files, for looking at the chart by eye:
// unzoomed, zoomed to minutes and to seconds, and after a change in the options dialog.
#include "ChartFixture.h"
#include "chart/ChartModal.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <cmath>
#include <cstdio>
#include <vector>

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

    // A week of one level a minute: the daily ticks name the date alone.
    {
        PESGraph week;
        week.resize(1200, 600);
        const double weekStart = 45444.0;
        test::prepareLikeGraphWindow(week, weekStart, weekStart + 7);
        constexpr int perWeek = 7 * 1440;
        std::vector<double> x(perWeek);
        std::vector<float> y(perWeek);
        for (int i = 0; i < perWeek; ++i) {
            x[size_t(i)] = weekStart + i / 1440.0;
            y[size_t(i)] = float(55 + 15 * std::sin((i % 1440) / 1440.0 * 2 * M_PI - M_PI / 2) + (i * 7919 % 11));
        }
        week.setSubsets(1);
        week.setPoints(perWeek);
        week.setXDataII(0, x.data(), perWeek);
        week.setYData(0, y.data(), perWeek);
        week.show();
        week.redraw();
        ok = settled(week).save(dir.filePath(QStringLiteral("chart_week.png"))) && ok;
    }

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
