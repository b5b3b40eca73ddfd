// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

namespace ql708::test {

// What a PDF file holds, read with the poppler tools (pdfinfo, pdftotext, pdfimages).

// The number of pages; -1 when the file cannot be read.
int pdfPages(const QString &path);
// The size of the first page in points; empty when the file cannot be read.
QSizeF pdfPageSize(const QString &path);
// The text of one page (from 1), or of every page when page is 0, in reading order.
QString pdfText(const QString &path, int page = 0);

// One word of a page with its box in points from the page's top-left corner.
struct PdfWord {
    QString text;
    QRectF box;
};
QList<PdfWord> pdfWords(const QString &path, int page);

// The number of bitmap images the file draws.
int pdfImages(const QString &path);

} // namespace ql708::test
