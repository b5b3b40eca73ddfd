// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/StringTable.h"
#include "data/TextTable.h"
#include "graph/TfrmList.h"
#include "widgets/LanguageDispatcher.h"

#include <QAccessible>
#include <QHeaderView>
#include <QMdiArea>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>

using namespace ql708;
using namespace ql708::graph;

namespace {

data::TextTable tableOf(const QList<QList<QByteArray>> &rows)
{
    data::TextTable t;
    for (const QList<QByteArray> &row : rows) {
        QList<QByteArrayView> fields(row.begin(), row.end());
        t.appendRow(fields.data(), int(fields.size()));
    }
    return t;
}

QStringList headings(const QTableView *grid)
{
    QStringList h;
    for (int c = 0; c < grid->model()->columnCount(); ++c)
        h << grid->model()->headerData(c, Qt::Horizontal).toString();
    return h;
}

QString cell(const QTableView *grid, int row, int column)
{
    return grid->model()->index(row, column).data().toString();
}

} // namespace

class TestTfrmList : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { LanguageDispatcher::instance().setLanguage(Language::English); }
    void gridAndHeadings_data();
    void gridAndHeadings();
    void activationAndNames();
};

void TestTfrmList::gridAndHeadings_data()
{
    QTest::addColumn<QList<QList<QByteArray>>>("rows");
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("headings");
    QTest::addColumn<int>("shownRows");
    const int en = int(Language::English), fr = int(Language::French);
    const QList<QByteArray> three{"12/05/2011", " 14:03:07.0", " 65.3"};
    const QList<QByteArray> four{"12/05/2011", "14:03:07", "65.3", "60.1"};
    QTest::newRow("3 fields") << QList<QList<QByteArray>>{three, three} << en
                              << QStringList{"No", "Date", "Time", "Value", "", "", ""} << 2;
    QTest::newRow("4 fields") << QList<QList<QByteArray>>{four} << en
                              << QStringList{"No", "Date", "Time", "SPL", "Leq", "", ""} << 1;
    QTest::newRow("French") << QList<QList<QByteArray>>{three} << fr
                            << QStringList{"N°", "Date", "Heure", "Valeur", "", "", ""} << 1;
    QTest::newRow("empty: one empty row") << QList<QList<QByteArray>>{} << en
                                          << QStringList{"No", "Date", "Time", "Value", "", "", ""} << 1;
}

void TestTfrmList::gridAndHeadings()
{
    QFETCH(QList<QList<QByteArray>>, rows);
    QFETCH(int, language);
    QFETCH(QStringList, headings);
    QFETCH(int, shownRows);
    QMdiArea area;
    auto *w = new TfrmList;
    area.addSubWindow(w);
    w->setTable(tableOf(rows));
    LanguageDispatcher::instance().setLanguage(Language(language));
    QCOMPARE(::headings(w->Grid1()), headings);
    QCOMPARE(w->Grid1()->model()->rowCount(), shownRows);
    QCOMPARE(cell(w->Grid1(), 0, 0), rows.isEmpty() ? QString() : QStringLiteral("1"));
    if (!rows.isEmpty()) {
        QCOMPARE(cell(w->Grid1(), shownRows - 1, 0), QString::number(shownRows));
        QCOMPARE(cell(w->Grid1(), 0, 2), QString::fromUtf8(rows[0][1])); // spaces kept
    }
}

void TestTfrmList::activationAndNames()
{
    QMdiArea area;
    area.show();
    auto *first = new TfrmList;
    auto *second = new TfrmList;
    QSignalSpy firstActive(first, &TfrmList::activated);
    QSignalSpy secondActive(second, &TfrmList::activated);
    area.addSubWindow(first)->show();
    area.addSubWindow(second)->show();
    area.setActiveSubWindow(first);
    QVERIFY(firstActive.count() >= 1);
    area.setActiveSubWindow(second);
    QVERIFY(secondActive.count() >= 1);
    for (Language l : {Language::English, Language::French}) {
        LanguageDispatcher::instance().setLanguage(l);
        QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(first->Grid1());
        QCOMPARE(grid->text(QAccessible::Name),
                 l == Language::English ? QStringLiteral("Table of readings") : QStringLiteral("Tableau des mesures"));
    }
}

QTEST_MAIN(TestTfrmList)
#include "tst_TfrmList.moc"
