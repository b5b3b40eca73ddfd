// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/GraphText.h"
#include "data/SaveRange.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

using namespace ql708;
using namespace ql708::data;

namespace {

// 12 May 2011, 14:03:07 and ms milliseconds.
TDateTime at(int ms) { return toTDateTime(QDateTime(QDate(2011, 5, 12), QTime(14, 3, 7).addMSecs(ms))); }

const QLocale kEnglish(QLocale::English, QLocale::UnitedKingdom);
const QLocale kFrench(QLocale::French, QLocale::France);

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

struct Points {
    std::vector<double> x;
    std::vector<float> y;
    GraphColumns columns() const { return {x.data(), y.data(), nullptr, int(x.size())}; }
};

// n points a second apart, levels 50.0, 50.1, ...; the last `empty` points never filled.
Points points(int n, int empty = 0)
{
    Points p;
    for (int i = 0; i < n; ++i) {
        p.x.push_back(i < n - empty ? at(0) + i * kSecond : 0.0);
        p.y.push_back(50.0f + 0.1f * float(i));
    }
    return p;
}

QByteArray written(const Points &p, int first, int last, TextSeparator separator = TextSeparator::Tab)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    GraphTextFormat f;
    f.separator = separator;
    f.locale = kEnglish;
    const TextFileOutcome o = writeGraphText(out, p.columns(), first, last, f);
    return o.ok ? out.data() : QByteArray("<failed>");
}

} // namespace

class TestGraphText : public QObject {
    Q_OBJECT
private slots:
    void lines_data();
    void lines();
    void pointsWrittenAndTheTimeZeroStop();
    void ranges_data();
    void ranges();
    void failedOrCancelledSaveKeepsTheOldFile();
};

void TestGraphText::lines_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("separator");
    QTest::addColumn<bool>("iso");
    QTest::addColumn<int>("ms");
    QTest::addColumn<float>("level");
    QTest::addColumn<bool>("twoSeries");
    QTest::addColumn<QString>("line");
    const int tab = '\t', comma = ',';
    QTest::newRow("txt") << kEnglish << tab << false << 0 << 65.3f << false << "12/05/2011\t14:03:07.0\t65.3";
    QTest::newRow("csv") << kEnglish << comma << false << 0 << 65.3f << false << "12/05/2011, 14:03:07.0, 65.3";
    QTest::newRow("csv two series: the last comma alone") << kEnglish << comma << false << 0 << 65.3f << true
                                                          << "12/05/2011, 14:03:07.0, 65.3,66.0";
    QTest::newRow("txt two series") << kEnglish << tab << false << 0 << 65.3f << true
                                    << "12/05/2011\t14:03:07.0\t65.3\t66.0";
    QTest::newRow("5 ms is .5") << kEnglish << tab << false << 5 << 65.3f << false << "12/05/2011\t14:03:07.5\t65.3";
    QTest::newRow("999 ms") << kEnglish << tab << false << 999 << 65.3f << false << "12/05/2011\t14:03:07.999\t65.3";
    QTest::newRow("US date order, four-digit year") << QLocale(QLocale::English, QLocale::UnitedStates) << tab << false
                                                    << 0 << 65.3f << false << "5/12/2011\t14:03:07.0\t65.3";
    QTest::newRow("French txt: decimal comma") << kFrench << tab << false << 0 << 65.3f << false
                                               << "12/05/2011\t14:03:07.0\t65,3";
    QTest::newRow("French csv: full stop keeps one field") << kFrench << comma << false << 0 << 65.3f << true
                                                           << "12/05/2011, 14:03:07.0, 65.3,66.0";
    QTest::newRow("ISO") << kFrench << comma << true << 5 << 65.3f << false << "2011-05-12T14:03:07.005, 65.3";
    QTest::newRow("ISO txt") << kEnglish << tab << true << 250 << 65.3f << false << "2011-05-12T14:03:07.250\t65.3";
    QTest::newRow("rounding and sign") << kEnglish << tab << false << 0 << -0.06f << false
                                       << "12/05/2011\t14:03:07.0\t-0.1";
    QTest::newRow("not a number") << kEnglish << tab << false << 0 << std::numeric_limits<float>::quiet_NaN() << false
                                  << "12/05/2011\t14:03:07.0\tNAN";
}

void TestGraphText::lines()
{
    QFETCH(QLocale, locale);
    QFETCH(int, separator);
    QFETCH(bool, iso);
    QFETCH(int, ms);
    QFETCH(float, level);
    QFETCH(bool, twoSeries);
    QFETCH(QString, line);
    const double x = at(ms);
    const float second = 66.0f;
    const GraphColumns c{&x, &level, twoSeries ? &second : nullptr, 1};
    GraphTextFormat f;
    f.separator = TextSeparator(separator);
    f.isoDateTimes = iso;
    f.locale = locale;
    QCOMPARE(graphTextLine(c, 0, f), line);
}

void TestGraphText::pointsWrittenAndTheTimeZeroStop()
{
    // Every line ends in CR LF; the never-filled points at the end are not written.
    QCOMPARE(written(points(4, 2), 0, 3),
             QByteArray("12/05/2011\t14:03:07.0\t50.0\r\n12/05/2011\t14:03:08.0\t50.1\r\n"));
    QCOMPARE(written(points(3), 1, 1, TextSeparator::Comma), QByteArray("12/05/2011, 14:03:08.0, 50.1\r\n"));
    QCOMPARE(written(points(3, 3), 0, 2), QByteArray());
    // Near midnight a rounded millisecond moves to the next day.
    Points late;
    late.x = {toTDateTime(QDateTime(QDate(2011, 5, 12), QTime(23, 59, 59, 999))) + 0.6 / 86400000.0};
    late.y = {40.0f};
    QCOMPARE(written(late, 0, 0), QByteArray("13/05/2011\t00:00:00.0\t40.0\r\n"));
    // Each line has its own date: the next day's first line is not written with the day before.
    Points midnight;
    midnight.x = {toTDateTime(QDateTime(QDate(2011, 5, 12), QTime(23, 59, 59))),
                  toTDateTime(QDateTime(QDate(2011, 5, 13), QTime(0, 0)))};
    midnight.y = {40.0f, 40.1f};
    QCOMPARE(written(midnight, 0, 1),
             QByteArray("12/05/2011\t23:59:59.0\t40.0\r\n13/05/2011\t00:00:00.0\t40.1\r\n"));
}

void TestGraphText::ranges_data()
{
    QTest::addColumn<bool>("all");
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("problem");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("last");
    QTest::newRow("all") << true << "abc" << "" << 15 << int(SaveRange::None) << 1 << 15;
    QTest::newRow("20 to 10 on 15 points") << false << "20" << "10" << 15 << int(SaveRange::None) << 10 << 15;
    QTest::newRow("negative taken as positive") << false << "-3" << " -5 " << 15 << int(SaveRange::None) << 3 << 5;
    QTest::newRow("from 0 is 1") << false << "0" << "4" << 15 << int(SaveRange::None) << 1 << 4;
    QTest::newRow("abc") << false << "abc" << "10" << 15 << int(SaveRange::NotWhole) << 0 << 0;
    QTest::newRow("a decimal is no whole number") << false << "1" << "2.5" << 15 << int(SaveRange::NotWhole) << 0 << 0;
    QTest::newRow("start beyond the end") << false << "20" << "30" << 15 << int(SaveRange::Empty) << 0 << 0;
    QTest::newRow("huge numbers") << false << "-9223372036854775808" << "99999999999" << 15 << int(SaveRange::Empty)
                                  << 0 << 0;
    QTest::newRow("nothing to save") << true << "" << "" << 0 << int(SaveRange::Empty) << 0 << 0;
}

void TestGraphText::ranges()
{
    QFETCH(bool, all);
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(int, count);
    QFETCH(int, problem);
    QFETCH(int, first);
    QFETCH(int, last);
    const SaveRange r = chooseSaveRange(all, from, to, count);
    QCOMPARE(int(r.problem), problem);
    if (problem == SaveRange::None) {
        QCOMPARE(r.from, first);
        QCOMPARE(r.to, last);
    }
}

void TestGraphText::failedOrCancelledSaveKeepsTheOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("level.txt");
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old data\r\n");
    old.close();
    GraphTextFormat f;
    f.locale = kEnglish;
    const Points many = points(3 * kProgressEveryLines);

    TextFileOutcome o = saveGraphText(path, many.columns(), 0, 99999, f, [](qint64 lines) { return lines < 2 * kProgressEveryLines; });
    QVERIFY(!o.ok && o.cancelled);
    QCOMPARE(fileBytes(path), QByteArray("old data\r\n"));

    // A writer that fails half way leaves the old file too, and says why.
    o = saveText(path, [](QIODevice &out) {
        out.write("half a line");
        TextFileOutcome failed;
        failed.error = QStringLiteral("disk full");
        return failed;
    });
    QCOMPARE(o.error, QStringLiteral("disk full"));
    QCOMPARE(fileBytes(path), QByteArray("old data\r\n"));

    o = saveGraphText(dir.filePath("no/such/folder/level.txt"), many.columns(), 0, 2, f);
    QVERIFY(!o.ok && !o.cancelled && !o.error.isEmpty());

    QBuffer readOnly;
    readOnly.open(QIODevice::ReadOnly);
    QTest::ignoreMessage(QtWarningMsg, "QIODevice::write (QBuffer): ReadOnly device");
    o = writeGraphText(readOnly, many.columns(), 0, 2, f);
    QVERIFY(!o.ok && !o.error.isEmpty());

    o = saveGraphText(path, many.columns(), 0, 99999, f);
    QVERIFY(o.ok);
    QCOMPARE(o.lines, qint64(many.x.size()));
    QVERIFY(fileBytes(path).startsWith("12/05/2011\t14:03:07.0\t50.0\r\n"));
}

QTEST_GUILESS_MAIN(TestGraphText)
#include "tst_GraphText.moc"
