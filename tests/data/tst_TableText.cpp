// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/TableText.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>

using namespace ql708;
using namespace ql708::data;

namespace {

TextTable readBytes(const QByteArray &bytes, TextSeparator separator, TextFileOutcome *outcome = nullptr)
{
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    TextTable table;
    const TextFileOutcome o = readTableText(in, separator, table);
    if (outcome)
        *outcome = o;
    return table;
}

// The rows as fields joined by '|'.
QStringList rowsOf(const TextTable &t)
{
    QStringList rows;
    for (int r = 0; r < t.rowCount(); ++r) {
        QStringList fields;
        for (int f = 0; f < t.fieldCount(); ++f)
            fields << t.cell(r, f);
        rows << fields.join(QLatin1Char('|'));
    }
    return rows;
}

QByteArray writtenBytes(const TextTable &t, TextSeparator separator, const QLocale &locale)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    writeTableText(out, t, 0, t.rowCount() - 1, separator, locale);
    return out.data();
}

} // namespace

class TestTableText : public QObject {
    Q_OBJECT
private slots:
    void reading_data();
    void reading();
    void longLines_data();
    void longLines();
    void writingRoundTrip_data();
    void writingRoundTrip();
    void unreadableFile();
};

void TestTableText::reading_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("separator");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<bool>("secondLevel");
    const int tab = '\t', comma = ',';
    QTest::newRow("graph csv keeps the spaces")
        << QByteArray("12/05/2011, 14:03:07.0, 65.3\r\n12/05/2011, 14:03:08.0, 65.4\r\n") << comma
        << QStringList{"12/05/2011| 14:03:07.0| 65.3", "12/05/2011| 14:03:08.0| 65.4"} << false;
    QTest::newRow("3 fields") << QByteArray("a\tb\tc\r\n") << tab << QStringList{"a|b|c"} << false;
    QTest::newRow("4 fields: SPL and Leq") << QByteArray("a, b, c,d\r\n") << comma << QStringList{"a| b| c|d"} << true;
    QTest::newRow("trailing separators add no column") << QByteArray("a\tb\tc\t\r\nd\te\tf\t\r\n") << tab
                                                       << QStringList{"a|b|c", "d|e|f"} << false;
    QTest::newRow("empty field between separators") << QByteArray("a\t\tc\t\t\r\n") << tab << QStringList{"a||c"}
                                                    << false;
    QTest::newRow("beyond the sixth field") << QByteArray("1\t2\t3\t4\t5\t6\t7\t8\r\n") << tab
                                            << QStringList{"1|2|3|4|5|6"} << true;
    QTest::newRow("an empty line ends it") << QByteArray("a\tb\r\n\r\nc\td\r\n") << tab << QStringList{"a|b"} << false;
    QTest::newRow("a line without separator ends it") << QByteArray("a,b\nheading\nc,d\n") << comma
                                                      << QStringList{"a|b"} << false;
    QTest::newRow("first line without separator: empty") << QByteArray("date,time\n") << tab << QStringList{}
                                                         << false;
    QTest::newRow("line feeds only, last line open") << QByteArray("a\tb\nc\td") << tab << QStringList{"a|b", "c|d"}
                                                     << false;
    QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF" "a,b\n") << comma << QStringList{"a|b"} << false;
    QTest::newRow("not UTF-8: Latin-1") << QByteArray("caf\xE9\tx\n") << tab << QStringList{"caf\u00e9|x"} << false;
    QTest::newRow("empty file") << QByteArray() << tab << QStringList{} << false;
}

void TestTableText::reading()
{
    QFETCH(QByteArray, file);
    QFETCH(int, separator);
    QFETCH(QStringList, rows);
    QFETCH(bool, secondLevel);
    TextFileOutcome outcome;
    const TextTable t = readBytes(file, TextSeparator(separator), &outcome);
    QVERIFY(outcome.ok);
    QCOMPARE(rowsOf(t), rows);
    QCOMPARE(outcome.lines, qint64(rows.size()));
    QCOMPARE(t.hasSecondLevel(), secondLevel);
}

void TestTableText::longLines_data()
{
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("rows"); // a cut line is the last one read
    QTest::newRow("179 characters") << 179 << 2;
    QTest::newRow("180 characters") << 180 << 1;
    QTest::newRow("200 characters") << 200 << 1;
    QTest::newRow("10 MB without line end") << 10'000'000 << 1;
}

void TestTableText::longLines()
{
    QFETCH(int, length);
    QFETCH(int, rows);
    QByteArray line = "12/05/2011\t14:03:07.0\t";
    line += QByteArray(length - line.size(), '7');
    const bool open = length > 1'000'000;
    const TextTable t = readBytes(line + (open ? "" : "\r\nx\ty\r\n"), TextSeparator::Tab);
    QCOMPARE(t.rowCount(), rows);
    QCOMPARE(t.cell(0, 2).size(), std::min(length, kMaxLineLength) - 22);
    // Characters, not bytes, are counted.
    const TextTable accented = readBytes("\xC3\xA9\t" + QByteArray(300, 'x'), TextSeparator::Tab);
    QCOMPARE(accented.cell(0, 1).size(), kMaxLineLength - 2);
}

void TestTableText::writingRoundTrip_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("separator");
    QTest::addColumn<QByteArray>("written");
    const QLocale french(QLocale::French, QLocale::France), english(QLocale::English, QLocale::UnitedKingdom);
    const int tab = '\t', comma = ',';
    QTest::newRow("each field followed by the separator")
        << QByteArray("12/05/2011\t14:03:07.0\t65.3\r\n") << english << tab
        << QByteArray("12/05/2011\t14:03:07.0\t65.3\t\r\n");
    QTest::newRow("Leq table as csv ends with a comma")
        << QByteArray("12/05/2011\t14:03:07\t65.3\t64.1\t\r\n") << english << comma
        << QByteArray("12/05/2011,14:03:07,65.3,64.1,\r\n");
    QTest::newRow("decimal comma becomes a full stop in csv")
        << QByteArray("12/05/2011\t14:03:07.0\t65,3\ta,b\r\n") << french << comma
        << QByteArray("12/05/2011,14:03:07.0,65.3,a,b,\r\n");
    const QByteArray longCell(176, 'x');
    QTest::newRow("a short row padded past the line limit reads back")
        << "a\tb\tc\td\te\tf\r\n" + longCell + "\t\r\ng\th\r\n" << english << tab
        << "a\tb\tc\td\te\tf\t\r\n" + longCell + "\t\t\t\t\t\t\r\ng\th\t\t\t\t\t\r\n";
    QTest::newRow("rows of empty cells keep a separator") << QByteArray("\t\r\n\t\t\r\n") << english << tab
                                                          << QByteArray("\t\r\n\t\r\n");
    QTest::newRow("decimal comma stays in txt") << QByteArray("12/05/2011\t65,3\r\n") << french << tab
                                                << QByteArray("12/05/2011\t65,3\t\r\n");
}

void TestTableText::writingRoundTrip()
{
    QFETCH(QByteArray, file);
    QFETCH(QLocale, locale);
    QFETCH(int, separator);
    QFETCH(QByteArray, written);
    const TextTable t = readBytes(file, TextSeparator::Tab);
    const QByteArray out = writtenBytes(t, TextSeparator(separator), locale);
    QCOMPARE(out, written);
    if (!written.contains("a,b"))
        QCOMPARE(rowsOf(readBytes(out, TextSeparator(separator))), rowsOf(t));
}

void TestTableText::unreadableFile()
{
    QTemporaryDir dir;
    TextTable t;
    const TextFileOutcome o = readTableText(dir.filePath("missing.csv"), TextSeparator::Comma, t);
    QVERIFY(!o.ok && !o.error.isEmpty());
    QCOMPARE(separatorOfTableFile(QStringLiteral("a.CSV")), TextSeparator::Comma);
    QCOMPARE(separatorOfTableFile(QStringLiteral("a.txt")), TextSeparator::Tab);
}

QTEST_GUILESS_MAIN(TestTableText)
#include "tst_TableText.moc"
