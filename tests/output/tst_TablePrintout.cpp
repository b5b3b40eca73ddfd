// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/TablePrintout.h"
#include "tests/support/PdfText.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>

using namespace ql708;
using namespace ql708::output;

namespace {

// A table of the tabular view's shape: seven columns, the last one filled. Its widest line is
// row 1's, whatever the number of rows.
std::unique_ptr<QStandardItemModel> tableOfRows(int rows)
{
    auto model = std::make_unique<QStandardItemModel>(rows, 7);
    model->setHorizontalHeaderLabels({QStringLiteral("No"), QStringLiteral("Date"), QStringLiteral("Time"),
                                      QStringLiteral("Value"), QString(), QString(), QStringLiteral("Last")});
    for (int r = 0; r < rows; ++r) {
        model->setItem(r, 0, new QStandardItem(QString::number(r + 1)));
        model->setItem(r, 2, new QStandardItem(QStringLiteral("row%1").arg(r + 1)));
        model->setItem(r, 6, new QStandardItem(QStringLiteral("end%1").arg(r + 1, 4, 10, QLatin1Char('0'))));
    }
    return model;
}


} // namespace

class tst_TablePrintout : public QObject {
    Q_OBJECT
private slots:
    void padding_data();
    void padding();
    void layoutOfPages();
    void pagination_data();
    void pagination();
    void leadLinesComeFirst();
    void progressCanStopThePrintout();
};

void tst_TablePrintout::padding_data()
{
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QString>("line");
    const QString pad12(12, QLatin1Char(' '));
    QTest::newRow("4 characters in column 1") << QStringList{QStringLiteral("1"), QStringLiteral("abcd")}
                                              << QStringLiteral("1") + QString(18, QLatin1Char(' ')) + QStringLiteral("abcd") + pad12;
    QTest::newRow("10 characters: one space before the next") << QStringList{QStringLiteral("0123456789"), QStringLiteral("0123456789")}
                                                              << QStringLiteral("0123456789 0123456789");
    QTest::newRow("12 characters: printed whole") << QStringList{QStringLiteral("0123456789ab"), QStringLiteral("x")}
                                                  << QStringLiteral("0123456789ab x") + QString(18, QLatin1Char(' '));
    QTest::newRow("the last cell: nothing more") << QStringList{QStringLiteral("0123456789ab")}
                                                 << QStringLiteral("0123456789ab");
    QTest::newRow("the time column is 17 wide") << QStringList{QStringLiteral("1"), QString(), QStringLiteral("12:00:00")}
                                                << QStringLiteral("1") + QString(18 + 20, QLatin1Char(' ')) +
                                                       QStringLiteral("12:00:00") + QString(18, QLatin1Char(' '));
    QTest::newRow("empty cells") << QStringList{QString(), QString()} << QString(40, QLatin1Char(' '));
}

void tst_TablePrintout::padding()
{
    QFETCH(QStringList, cells);
    QFETCH(QString, line);
    QCOMPARE(tableLine(cells), line);
}

// Line L - 1 is the last of a page and ends by its bottom; line L starts the next page on top.
void tst_TablePrintout::layoutOfPages()
{
    QPdfWriter writer(QStringLiteral("unused.pdf"));
    const TablePageLayout layout = tablePageLayout(writer);
    const int L = layout.linesPerPage;
    QVERIFY(L > 10);
    QVERIFY(QFontInfo(tablePrintFont()).fixedPitch());
    QCOMPARE(layout.pageOf(L - 1), 0);
    QCOMPARE(layout.pageOf(L), 1);
    QCOMPARE(layout.bottomOf(0), layout.lineHeight);
    QCOMPARE(layout.bottomOf(L), layout.lineHeight);
    QVERIFY(layout.bottomOf(L - 1) <= writer.height());
    QVERIFY(writer.height() - layout.bottomOf(L - 1) < layout.lineHeight);
    // A line wider than the page makes the font smaller, and the page holds more lines.
    QCOMPARE(tablePageLayout(writer, 60).font.pointSizeF(), 10.0);
    const TablePageLayout wide = tablePageLayout(writer, 150);
    QVERIFY(wide.font.pointSizeF() < 10.0 && wide.linesPerPage > L);
    QVERIFY(150 * QFontMetricsF(wide.font, &writer).horizontalAdvance(QLatin1Char('M')) <= writer.width());
}

void tst_TablePrintout::pagination_data()
{
    QTest::addColumn<int>("extra"); // rows beyond L, the heading row counted
    QTest::addColumn<int>("pages");
    QTest::newRow("L rows: one page") << 0 << 1;
    QTest::newRow("L + 1 rows: two pages") << 1 << 2;
}

// Checked in the PDF itself: the pages, every column of every row, and the row left over
// printed alone where the heading prints on the first page.
void tst_TablePrintout::pagination()
{
    QFETCH(int, extra);
    QFETCH(int, pages);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("table.pdf"));
    QPdfWriter writer(pdf);
    const int L = tablePageLayout(writer, widestLine(tableLines(*tableOfRows(1)))).linesPerPage;
    const int rows = L - 1 + extra; // the heading row is one of the L
    const auto model = tableOfRows(rows);
    QCOMPARE(printLines(writer, tableLines(*model)), PrintOutcome::Printed);

    QCOMPARE(test::pdfPages(pdf), pages);
    const QString all = test::pdfText(pdf);
    for (const QString &word : {QStringLiteral("row1"), QStringLiteral("row%1").arg(rows), QStringLiteral("end%1").arg(rows, 4, 10, QLatin1Char('0')),
                                QStringLiteral("Last")})
        QVERIFY2(all.contains(word), qPrintable(word));
    const QList<test::PdfWord> first = test::pdfWords(pdf, 1);
    QVERIFY(!first.isEmpty());
    const double pageWidth = writer.pageLayout().fullRect(QPageLayout::Point).width();
    for (const test::PdfWord &w : first)
        QVERIFY2(w.box.right() <= pageWidth, qPrintable(w.text));
    QCOMPARE(first.first().text, QStringLiteral("No"));
    if (pages == 1)
        return;
    const QList<test::PdfWord> last = test::pdfWords(pdf, 2);
    QStringList words;
    for (const test::PdfWord &w : last)
        words << w.text;
    QCOMPARE(words, (QStringList{QString::number(rows), QStringLiteral("row%1").arg(rows),
                                 QStringLiteral("end%1").arg(rows, 4, 10, QLatin1Char('0'))}));
    QCOMPARE(last.first().box.top(), first.first().box.top());
}

void tst_TablePrintout::leadLinesComeFirst()
{
    const auto model = tableOfRows(2);
    const PrintLines lines = tableLines(*model, {QStringLiteral("Leq 65.0"), QString()});
    QCOMPARE(lines.count, 5);
    QCOMPARE(lines.line(0), QStringLiteral("Leq 65.0"));
    QCOMPARE(lines.line(1), QString());
    QVERIFY(lines.line(2).startsWith(QStringLiteral("No") + QString(16, QLatin1Char(' ')) + QStringLiteral("Date")));
    QVERIFY(lines.line(4).startsWith(QStringLiteral("2 ")));
    QVERIFY(lines.line(4).trimmed().endsWith(QStringLiteral("end0002")));
}

void tst_TablePrintout::progressCanStopThePrintout()
{
    QTemporaryDir dir;
    QPdfWriter writer(dir.filePath(QStringLiteral("stopped.pdf")));
    const auto model = tableOfRows(100);
    QList<qint64> heard;
    const PrintOutcome outcome = printLines(writer, tableLines(*model), [&heard](qint64 done) {
        heard << done;
        return done < 3;
    });
    QCOMPARE(outcome, PrintOutcome::Cancelled);
    QCOMPARE(heard, (QList<qint64>{0, 1, 2, 3}));
}

QTEST_MAIN(tst_TablePrintout)
#include "tst_TablePrintout.moc"
