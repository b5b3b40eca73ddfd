// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include <functional>

class QAbstractItemModel;
class QPagedPaintDevice;
class QPaintDevice;

namespace ql708::output {

// A table printed as lines of fixed-pitch text, a page holding L lines of height h: line i
// prints on page i div L, in the band of height h that ends at y = (i mod L) x h + h, so the
// first line of every page starts at its top and the L-th ends at most at its bottom.

// The column's width in characters: 17 for column 2 (the time), 10 for the others.
int columnWidth(int column);
// One row as a line: each cell followed by two spaces for every character by which it is
// shorter than its column, and by one space at least before the next cell; a longer cell is
// printed whole.
QString tableLine(const QStringList &cells);

// The lines to print: lead lines (a summary, say), then the model's heading row and its rows,
// every column of each.
struct PrintLines {
    int count = 0;
    std::function<QString(int)> line;
};
PrintLines tableLines(const QAbstractItemModel &model, const QStringList &lead = {});

// The widest of the lines in characters, the spaces that end a line left out.
int widestLine(const PrintLines &lines);

// The fixed-pitch font of the printout.
QFont tablePrintFont(double points = 10.0);

// Font, line height and lines per page on a device.
struct TablePageLayout {
    QFont font;
    double lineHeight = 1.0; // h: the measured height of a line of text, plus 4 device units
    int linesPerPage = 1;    // L: the page height div h, at least 1
    int pageOf(int line) const { return line / linesPerPage; }
    double bottomOf(int line) const { return (line % linesPerPage) * lineHeight + lineHeight; }
};
// The font is 10 points, or smaller where the widest line would not fit across the page at 10
// (down to 4 points): every column prints on the page.
TablePageLayout tablePageLayout(const QPaintDevice &device, int widestLine = 0);

// Prints the lines on the device, L a page. Before each line progress (when given) hears how
// many are done and may stop the printout by returning false.
enum class PrintOutcome { Printed, Cancelled, Failed };
PrintOutcome printLines(QPagedPaintDevice &device, const PrintLines &lines,
                        const std::function<bool(qint64)> &progress = {});

} // namespace ql708::output
