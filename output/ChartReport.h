// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QList>
#include <QRectF>
#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPainter;

namespace ql708::data {
struct DataSetList;
}
namespace ql708::graph {
struct StatisticTexts;
}

namespace ql708::output {

// A printed chart on one page: a header with the window's caption and the figures shown
// beside the chart, then the chart itself.
struct ReportLine {
    QString label;
    QString value;
};
struct ReportSection {
    QString title;
    QList<ReportLine> lines;
};
struct ChartReport {
    QString caption;
    QList<ReportSection> sections;
};

// The printed pages' font at a size.
QFont reportFont(double points, bool bold = false);

// The header of a graph window: its caption, the whole series' figures and those between the
// cursors, as the two statistic panels show them.
ChartReport chartReport(const QString &caption, const graph::StatisticTexts &texts);
// Adds what the meter recorded set i with: its number, start, interval, weightings and range.
void addDataSet(ChartReport &report, const data::DataSetList &sets, int i);

// Draws the chart into a rectangle of the page.
using ChartPainter = std::function<void(QPainter &, const QRectF &)>;

// Lays the page out in the painter's coordinates: the caption on top, the sections in two
// columns under it (the text made smaller where a column would not hold it), and the chart
// across the page below, no taller than 7/10 of its width. Returns the chart's rectangle.
QRectF paintChartReport(QPainter &painter, const QRectF &page, const ChartReport &report, const ChartPainter &chart);
// The page printed on the device, and a second page painted across the whole page by next when
// it is given; false when the device cannot be painted on.
bool printChartReport(QPagedPaintDevice &device, const ChartReport &report, const ChartPainter &chart,
                      const ChartPainter &next = {});

} // namespace ql708::output
