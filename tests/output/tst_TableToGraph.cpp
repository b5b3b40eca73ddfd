// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/LevelStatistics.h"
#include "data/GraphText.h"
#include "data/TableText.h"
#include "output/TableToGraph.h"

#include <QBuffer>
#include <QTest>

#include <cmath>
#include <vector>

using namespace ql708;
using namespace ql708::data;
using namespace ql708::output;

namespace {

TextTable tableOf(const QByteArray &bytes, TextSeparator separator)
{
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    TextTable t;
    readTableText(in, separator, t);
    return t;
}

struct Points {
    std::vector<double> x;
    std::vector<float> y;
};

Points graphed(const TextTable &t, const QLocale &locale)
{
    const TableToGraph rows(t, locale);
    Points p{std::vector<double>(size_t(rows.rowCount())), std::vector<float>(size_t(rows.rowCount()))};
    rows.readRows(0, rows.rowCount(), p.x.data(), p.y.data());
    return p;
}

qint64 msOf(TDateTime t) { return std::llround(t * 86400000.0); }

} // namespace

class TestTableToGraph : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }
    void roundTrips_data();
    void roundTrips();
    void columnsAndUnreadableRows_data();
    void columnsAndUnreadableRows();
};

void TestTableToGraph::roundTrips_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<int>("separator");
    QTest::addColumn<bool>("iso");
    QTest::addColumn<bool>("twoSeries");
    const QLocale en(QLocale::English, QLocale::UnitedStates), fr(QLocale::French, QLocale::France);
    for (const QLocale &l : {en, fr})
        for (int sep : {int('\t'), int(',')})
            for (bool iso : {false, true})
                QTest::addRow("%s %s%s", qPrintable(l.name()), sep == ',' ? "csv" : "txt", iso ? " ISO" : "")
                    << l << sep << iso << false;
    QTest::newRow("fr csv two series") << fr << int(',') << false << true;
    QTest::newRow("en txt two series") << en << int('\t') << false << true;
}

// Chart -> graph text -> table -> chart gives the same times (to the millisecond) and levels
// (to the tenth of a dB) under the locale in force; with two series the second is graphed.
void TestTableToGraph::roundTrips()
{
    QFETCH(QLocale, locale);
    QFETCH(int, separator);
    QFETCH(bool, iso);
    QFETCH(bool, twoSeries);
    QLocale::setDefault(locale);
    const TDateTime start = toTDateTime(QDateTime(QDate(2011, 5, 12), QTime(23, 59, 58)));
    std::vector<double> x;
    std::vector<float> y, second;
    for (int i = 0; i < 50; ++i) {
        x.push_back(start + i * 0.125 * kSecond + (i == 8 ? 0.005 * kSecond : 0));
        y.push_back(float(std::round((35.0 + i * 1.7) * 10) / 10));
        second.push_back(y.back() + 1.0f);
    }
    GraphTextFormat f;
    f.separator = TextSeparator(separator);
    f.isoDateTimes = iso;
    QBuffer file;
    file.open(QIODevice::WriteOnly);
    QVERIFY(writeGraphText(file, {x.data(), y.data(), twoSeries ? second.data() : nullptr, int(x.size())}, 0, 49, f).ok);

    const TextTable t = tableOf(file.data(), TextSeparator(separator));
    QCOMPARE(t.rowCount(), 50);
    QCOMPARE(t.hasSecondLevel(), twoSeries && !iso);
    const Points p = graphed(t, QLocale());
    for (int i = 0; i < 50; ++i) {
        QCOMPARE(msOf(p.x[size_t(i)]), msOf(x[size_t(i)]));
        QCOMPARE(p.y[size_t(i)], twoSeries ? second[size_t(i)] : y[size_t(i)]);
    }
}

void TestTableToGraph::columnsAndUnreadableRows_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("empty");
    QTest::addColumn<QList<qint64>>("ms");   // per row, from midnight of 12 May 2011; -1 unset
    QTest::addColumn<QList<float>>("levels"); // 9999 gap
    QTest::addColumn<QString>("firstTimeText");
    const qint64 t0 = 50587000; // 14:03:07
    QTest::newRow("Leq column chosen") << QByteArray("12/05/2011\t14:03:07\t65.3\t60.1\t\r\n") << false
                                       << QList<qint64>{t0} << QList<float>{60.1f} << "12/05/2011 14:03:07";
    QTest::newRow("one row") << QByteArray("12/05/2011\t14:03:07.0\t65.3\r\n") << false << QList<qint64>{t0}
                             << QList<float>{65.3f} << "12/05/2011 14:03:07.0";
    QTest::newRow("unreadable rows between")
        << QByteArray("12/05/2011\t14:03:07\t65.3\r\nxx\t14:03:08\t65.4\r\n12/05/2011\t14:03:09\tloud\r\n"
                      "12/05/2011\t14:03:10\t65.6\r\n")
        << false << QList<qint64>{t0, -1, t0 + 2000, t0 + 3000} << QList<float>{65.3f, kGapLevel, kGapLevel, 65.6f}
        << "12/05/2011 14:03:07";
    QTest::newRow("abc first row") << QByteArray("abc\t14:03:07\t65.3\r\n") << false << QList<qint64>{-1}
                                   << QList<float>{kGapLevel} << "abc 14:03:07";
    QTest::newRow("no date in the first row") << QByteArray("\t14:03:07\t65.3\r\n") << true << QList<qint64>{-1}
                                              << QList<float>{kGapLevel} << " 14:03:07";
}

void TestTableToGraph::columnsAndUnreadableRows()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, empty);
    QFETCH(QList<qint64>, ms);
    QFETCH(QList<float>, levels);
    QFETCH(QString, firstTimeText);
    const QLocale uk(QLocale::English, QLocale::UnitedKingdom);
    const TextTable t = tableOf(file, TextSeparator::Tab);
    const TableToGraph rows(t, uk);
    QCOMPARE(rows.isEmpty(), empty);
    QCOMPARE(rows.rowTime(0).has_value(), ms[0] >= 0);
    QCOMPARE(rows.rowTimeText(0), firstTimeText);
    const Points p = graphed(t, uk);
    const TDateTime day = toTDateTime(QDateTime(QDate(2011, 5, 12), QTime(0, 0)));
    for (int i = 0; i < ms.size(); ++i) {
        QCOMPARE(p.x[size_t(i)] == 0.0 ? -1 : msOf(p.x[size_t(i)] - day), ms[i]);
        QCOMPARE(p.y[size_t(i)], levels[i]);
    }
}

QTEST_GUILESS_MAIN(TestTableToGraph)
#include "tst_TableToGraph.moc"
