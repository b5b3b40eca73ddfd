// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/TablePrintout.h"

#include "common/StringTable.h"

#include <QAbstractItemModel>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

namespace ql708::output {

namespace {

constexpr int kTimeColumn = 2;
constexpr double kLineGap = 4.0;  // device units under each line of text
constexpr double kLeftMargin = 1.0;
constexpr double kPoints = 10.0, kSmallestPoints = 4.0;

QStringList rowCells(const QAbstractItemModel &model, int row)
{
    QStringList cells;
    for (int c = 0; c < model.columnCount(); ++c)
        cells << (row < 0 ? model.headerData(c, Qt::Horizontal) : model.index(row, c).data()).toString();
    return cells;
}

} // namespace

int columnWidth(int column) { return column == kTimeColumn ? 17 : 10; }

QString tableLine(const QStringList &cells)
{
    QString line;
    for (int c = 0; c < cells.size(); ++c) {
        line += cells[c];
        const qsizetype pad = 2 * std::max<qsizetype>(0, columnWidth(c) - cells[c].size());
        // A cell that fills its column still keeps apart from the next: a full date must not
        // run into the time after it.
        line += QString(c + 1 < cells.size() ? std::max<qsizetype>(pad, 1) : pad, QLatin1Char(' '));
    }
    return line;
}

PrintLines tableLines(const QAbstractItemModel &model, const QStringList &lead)
{
    const int leadCount = int(lead.size());
    // The lines are made as they print: a long table needs no copy of its text.
    return {leadCount + 1 + model.rowCount(), [&model, lead, leadCount](int i) {
                return i < leadCount ? lead[i] : tableLine(rowCells(model, i - leadCount - 1));
            }};
}

int widestLine(const PrintLines &lines)
{
    qsizetype widest = 0;
    for (int i = 0; i < lines.count; ++i) {
        const QString line = lines.line(i);
        qsizetype end = line.size();
        while (end > widest && line[end - 1] == QLatin1Char(' '))
            --end;
        widest = std::max(widest, end);
    }
    return int(widest);
}

QFont tablePrintFont(double points)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSizeF(points);
    return font;
}

TablePageLayout tablePageLayout(const QPaintDevice &device, int widestLine)
{
    TablePageLayout layout;
    const double room = device.width() - kLeftMargin;
    double points = kPoints;
    // A smaller font is not quite proportionally narrower: measured again until it fits.
    for (int attempt = 0; attempt < 4; ++attempt) {
        const double needed = widestLine * QFontMetricsF(tablePrintFont(points), &device).horizontalAdvance(QLatin1Char('M'));
        if (needed <= room || points <= kSmallestPoints)
            break;
        points = std::max(kSmallestPoints, points * room / needed * 0.995);
    }
    layout.font = tablePrintFont(points);
    // The text the line height is measured on; it is never printed.
    const QString sample = ids(QStringLiteral("frmMain"), QStringLiteral("IDS_71"));
    const QFontMetricsF metrics(layout.font, &device);
    layout.lineHeight = metrics.size(Qt::TextSingleLine, sample).height() + kLineGap;
    layout.linesPerPage = std::max(1, int(device.height() / layout.lineHeight));
    return layout;
}

PrintOutcome printLines(QPagedPaintDevice &device, const PrintLines &lines, const std::function<bool(qint64)> &progress)
{
    const TablePageLayout layout = tablePageLayout(device, widestLine(lines));
    QPainter painter;
    if (!painter.begin(&device))
        return PrintOutcome::Failed;
    painter.setFont(layout.font);
    const double width = device.width() - kLeftMargin;
    for (int i = 0; i < lines.count; ++i) {
        if (progress && !progress(i)) {
            painter.end();
            return PrintOutcome::Cancelled;
        }
        if (i > 0 && layout.pageOf(i) != layout.pageOf(i - 1))
            device.newPage();
        const double bottom = layout.bottomOf(i);
        painter.drawText(QRectF(kLeftMargin, bottom - layout.lineHeight, width, layout.lineHeight),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, lines.line(i));
    }
    return painter.end() ? PrintOutcome::Printed : PrintOutcome::Failed;
}

} // namespace ql708::output
