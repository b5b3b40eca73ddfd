// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/IndicatorsPage.h"

#include "analysis/Periods.h"
#include "common/NumberFormat.h"
#include "common/StringTable.h"
#include "graph/IndicatorTexts.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace ql708::output {

namespace {

QString text(const char *key) { return ids(QStringLiteral("frmPrint"), QString::fromLatin1(key)); }

constexpr int kExposureRows = 12; // the rows of indicatorRows up to the time above the limit
constexpr double kBarsShare = 0.45; // of the room under the figures

QList<HourBar> hourBars(const analysis::SpanIndex &index)
{
    QList<HourBar> bars;
    const std::optional<analysis::PeriodTables> tables = analysis::periodTables(index);
    if (!tables)
        return bars;
    const auto &hours = tables->hours;
    const auto used = [](const analysis::PeriodFigures &p) { return p.figures.has_value(); };
    const auto first = std::find_if(hours.begin(), hours.end(), used);
    const auto last = std::find_if(hours.rbegin(), hours.rend(), used);
    if (first == hours.end())
        return bars;
    for (auto h = first; h != last.base(); ++h)
        bars.append({fromTDateTime(h->start).toString(QStringLiteral("HH")), h->figures ? h->figures->leq : std::nullopt});
    return bars;
}

void paintBars(QPainter &painter, const QRectF &r, const QList<HourBar> &bars)
{
    const QFontMetricsF m(reportFont(7), painter.device());
    painter.setFont(reportFont(7));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(r.left(), r.top(), r.width(), m.height()), Qt::AlignLeft, text("IDS_14"));
    double lo = 1e9, hi = -1e9;
    for (const HourBar &b : bars)
        if (b.leq)
            lo = std::min(lo, *b.leq), hi = std::max(hi, *b.leq);
    if (bars.isEmpty() || lo > hi)
        return;
    lo = std::floor(lo / 10.0) * 10.0 - 10.0;
    hi = std::ceil(hi / 10.0) * 10.0;
    const QRectF plot(r.left() + m.horizontalAdvance(QStringLiteral("000 ")), r.top() + m.height() * 1.5,
                      r.width() - m.horizontalAdvance(QStringLiteral("000 ")), r.height() - m.height() * 3);
    const auto yOf = [&](double v) { return plot.bottom() - (v - lo) / (hi - lo) * plot.height(); };
    painter.setPen(QPen(Qt::lightGray, 0));
    for (double v = lo; v <= hi + 0.01; v += 10.0) {
        painter.drawLine(QPointF(plot.left(), yOf(v)), QPointF(plot.right(), yOf(v)));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(r.left(), yOf(v) - m.height() / 2, plot.left() - r.left() - 2, m.height()),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(v, 'f', 0));
        painter.setPen(QPen(Qt::lightGray, 0));
    }
    const double slot = plot.width() / bars.size();
    const int labelEvery = std::max(1, int(std::ceil(m.horizontalAdvance(QStringLiteral("00 ")) / slot)));
    for (int i = 0; i < bars.size(); ++i) {
        const double x = plot.left() + i * slot;
        if (bars[i].leq) {
            const double top = yOf(std::clamp(*bars[i].leq, lo, hi));
            painter.fillRect(QRectF(x + slot * 0.15, top, slot * 0.7, plot.bottom() - top), QColor(40, 90, 160));
        }
        if (i % labelEvery == 0) {
            painter.setPen(Qt::black);
            painter.drawText(QRectF(x - slot, plot.bottom(), slot * 3, m.height()), Qt::AlignHCenter | Qt::AlignTop,
                             bars[i].label);
        }
    }
    painter.setPen(QPen(Qt::black, 0));
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
}

void paintEvents(QPainter &painter, const QRectF &r, const IndicatorsPage &p)
{
    const QFont plain = reportFont(8), bold = reportFont(8, true);
    const double line = QFontMetricsF(plain, painter.device()).height() * 1.15;
    painter.setPen(Qt::black);
    painter.setFont(bold);
    painter.drawText(QRectF(r.left(), r.top(), r.width(), line), Qt::AlignLeft | Qt::AlignVCenter, p.eventsTitle);
    painter.setFont(plain);
    const int count = int(p.events.size());
    const int shown = eventsShown(count, r.height() - line, line);
    double y = r.top() + line;
    for (int i = 0; i < shown; ++i, y += line)
        painter.drawText(QRectF(r.left(), y, r.width(), line), Qt::AlignLeft | Qt::AlignVCenter, p.events[i]);
    if (shown < count)
        painter.drawText(QRectF(r.left(), y, r.width(), line), Qt::AlignLeft | Qt::AlignVCenter,
                         text("IDS_15").arg(count - shown));
}

} // namespace

int eventsShown(int count, double height, double lineHeight)
{
    const int room = lineHeight > 0 ? int(height / lineHeight) : 0;
    if (count <= room)
        return count;
    return std::max(0, room - 1);
}

IndicatorsPage indicatorsPage(const QString &caption, const analysis::SpanIndex &index, const analysis::EventRules &rules)
{
    IndicatorsPage p;
    p.header.caption = caption;
    const analysis::SpanFigures whole = index.whole();
    const std::vector<graph::IndicatorRow> rows = graph::indicatorRows(whole, whole);
    ReportSection exposure{text("IDS_13"), {}}, levels{text("IDS_1"), {}};
    for (int r = 0; r < int(rows.size()); ++r)
        (r < kExposureRows ? exposure : levels).lines.append({rows[size_t(r)].label, rows[size_t(r)].whole});
    p.header.sections = {exposure, levels};
    p.hours = hourBars(index);
    const analysis::EventList events = analysis::findEvents(index.series(), rules);
    p.eventsTitle = graph::eventSummary(events, rules.threshold);
    for (const analysis::NoiseEvent &e : events.events)
        p.events.append(graph::eventCells(e).join(QStringLiteral("    ")));
    return p;
}

void paintIndicatorsPage(QPainter &painter, const QRectF &page, const IndicatorsPage &p)
{
    const QRectF body = paintChartReport(painter, page, p.header, [](QPainter &, const QRectF &) {});
    const double top = body.top();
    const double rest = page.bottom() - top;
    const QRectF bars(page.left(), top, page.width(), rest * kBarsShare);
    paintBars(painter, bars, p.hours);
    paintEvents(painter, QRectF(page.left(), bars.bottom(), page.width(), page.bottom() - bars.bottom()), p);
}

} // namespace ql708::output
