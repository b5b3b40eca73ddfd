// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/ChartReport.h"

#include "common/StringTable.h"
#include "data/DataSetList.h"
#include "data/DataSetText.h"
#include "graph/StatisticTexts.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

namespace ql708::output {

namespace {

const QString kTable = QStringLiteral("frmPrint");

QString text(const char *key) { return ids(kTable, QString::fromLatin1(key)); }

constexpr double kCaptionPoints = 14.0;
constexpr double kTextPoints = 9.0;
constexpr double kSmallestPoints = 5.0;
constexpr double kChartShape = 0.7; // height to width at most
constexpr int kColumns = 2;

QList<ReportLine> reportLines(const QList<graph::StatisticLine> &lines)
{
    QList<ReportLine> out;
    for (const graph::StatisticLine &l : lines) {
        const bool at = l.withTime && !(l.value.isEmpty() && l.time.isEmpty());
        out.append({l.label, at ? l.value + QStringLiteral(" @ ") + l.time : l.value});
    }
    return out;
}

// The sections of each column: each goes to the column that holds fewer lines so far.
QList<QList<const ReportSection *>> intoColumns(const QList<ReportSection> &sections)
{
    QList<QList<const ReportSection *>> columns(kColumns);
    int lines[kColumns] = {};
    for (const ReportSection &s : sections) {
        const int c = int(std::min_element(lines, lines + kColumns) - lines);
        columns[c].append(&s);
        lines[c] += int(s.lines.size()) + 1;
    }
    return columns;
}

// The width a column's lines need at the font: the longest label, two spaces, the longest value.
double neededWidth(const QList<const ReportSection *> &column, const QFont &font, const QPaintDevice *device,
                   double *labelWidth)
{
    const QFontMetricsF m(font, device);
    double labels = 0, values = 0;
    for (const ReportSection *s : column) {
        values = std::max(values, m.horizontalAdvance(s->title));
        for (const ReportLine &l : s->lines) {
            labels = std::max(labels, m.horizontalAdvance(l.label));
            values = std::max(values, m.horizontalAdvance(l.value));
        }
    }
    *labelWidth = labels + m.horizontalAdvance(QStringLiteral("  "));
    return *labelWidth + values;
}

} // namespace

QFont reportFont(double points, bool bold)
{
    // One family whatever the platform: the window and the command-line tool print the same page.
    QFont f(QStringLiteral("Sans Serif"));
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

ChartReport chartReport(const QString &caption, const graph::StatisticTexts &texts)
{
    return {caption,
            {{text("IDS_1"), reportLines(graph::seriesLines(texts))},
             {text("IDS_2"), reportLines(graph::cursorLines(texts))}}};
}

void addDataSet(ChartReport &report, const data::DataSetList &sets, int i)
{
    if (i < 0 || i >= sets.count())
        return;
    const std::uint8_t flags = sets.modeFlags[size_t(i)];
    report.sections.append({text("IDS_3"),
                            {{text("IDS_4"), QString::number(i + 1)},
                             {text("IDS_5"), graph::dateTimeText(sets.startTimes[size_t(i)])},
                             {text("IDS_6"), data::rateText(sets.rates[size_t(i)])},
                             {text("IDS_7"), data::weightingText(flags)},
                             {text("IDS_8"), data::responseText(flags)},
                             {text("IDS_9"), data::rangeText(flags) + QStringLiteral(" dB")}}});
}

QRectF paintChartReport(QPainter &painter, const QRectF &page, const ChartReport &report, const ChartPainter &chart)
{
    const QPaintDevice *device = painter.device();
    double y = page.top();

    const QFont captionFont = reportFont(kCaptionPoints, true);
    const QFontMetricsF captionMetrics(captionFont, device);
    painter.setFont(captionFont);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(page.left(), y, page.width(), captionMetrics.height()), Qt::AlignLeft | Qt::AlignTop,
                     captionMetrics.elidedText(report.caption, Qt::ElideMiddle, page.width()));
    y += captionMetrics.height() * 1.2;
    painter.drawLine(QPointF(page.left(), y), QPointF(page.right(), y));
    y += captionMetrics.height() * 0.4;

    // One text size for every column: the size at which the widest column fits.
    const QList<QList<const ReportSection *>> columns = intoColumns(report.sections);
    const double columnWidth = page.width() / kColumns;
    const double room = columnWidth * 0.96;
    double points = kTextPoints, labelWidth = 0;
    for (const auto &column : columns) {
        const double needed = neededWidth(column, reportFont(kTextPoints, false), device, &labelWidth);
        if (needed > room)
            points = std::min(points, std::max(kSmallestPoints, kTextPoints * room / needed));
    }
    const QFont plain = reportFont(points, false), bold = reportFont(points, true);
    const double lineHeight = QFontMetricsF(plain, device).height() * 1.15;
    double bottom = y;
    for (int c = 0; c < kColumns; ++c) {
        const double left = page.left() + c * columnWidth;
        neededWidth(columns[c], plain, device, &labelWidth);
        double top = y;
        for (const ReportSection *s : columns[c]) {
            painter.setFont(bold);
            painter.drawText(QRectF(left, top, room, lineHeight), Qt::AlignLeft | Qt::AlignVCenter, s->title);
            top += lineHeight;
            painter.setFont(plain);
            for (const ReportLine &l : s->lines) {
                painter.drawText(QRectF(left, top, labelWidth, lineHeight), Qt::AlignLeft | Qt::AlignVCenter, l.label);
                painter.drawText(QRectF(left + labelWidth, top, room - labelWidth, lineHeight),
                                 Qt::AlignLeft | Qt::AlignVCenter, l.value);
                top += lineHeight;
            }
            top += lineHeight * 0.5;
        }
        bottom = std::max(bottom, top);
    }

    const double height = std::min(page.bottom() - bottom, page.width() * kChartShape);
    const QRectF chartRect(page.left(), bottom, page.width(), std::max(0.0, height));
    if (!chartRect.isEmpty())
        chart(painter, chartRect);
    return chartRect;
}

bool printChartReport(QPagedPaintDevice &device, const ChartReport &report, const ChartPainter &chart,
                      const ChartPainter &next)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QRectF page(0, 0, device.width(), device.height());
    paintChartReport(painter, page, report, chart);
    if (next) {
        if (!device.newPage())
            return false;
        next(painter, page);
    }
    return painter.end();
}

} // namespace ql708::output
