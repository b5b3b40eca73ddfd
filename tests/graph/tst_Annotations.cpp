// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/Annotations.h"

#include <QMap>
#include <QTest>

using namespace ql708::graph;

using Slots = QMap<int, AnnotationSlot>;
using Rows = QList<QPair<int, QString>>; // slot, contents
Q_DECLARE_METATYPE(Slots)
Q_DECLARE_METATYPE(Rows)

class TestAnnotations : public QObject {
    Q_OBJECT
private slots:
    void slotTaken_data();
    void slotTaken();
    void listedRows_data();
    void listedRows();
    void clickOffsets();
};

void TestAnnotations::slotTaken_data()
{
    QTest::addColumn<int>("counter");
    QTest::addColumn<QList<int>>("inUse");
    QTest::addColumn<int>("slot");
    QTest::newRow("first after start") << kAnnotationCounterStart << QList<int>{} << 5;
    QTest::newRow("next one") << 7 << QList<int>{} << 8;
    QTest::newRow("passes over shown slots") << 4 << QList<int>{5, 6, 8} << 7;
}

void TestAnnotations::slotTaken()
{
    QFETCH(int, counter);
    QFETCH(QList<int>, inUse);
    QFETCH(int, slot);
    QCOMPARE(takeAnnotationSlot(counter, [&](int s) { return inUse.contains(s); }), slot);
    QCOMPARE(counter, slot);
}

void TestAnnotations::listedRows_data()
{
    QTest::addColumn<int>("counter");
    QTest::addColumn<Slots>("chart");
    QTest::addColumn<Rows>("rows");
    const AnnotationSlot cross{45000.1, kSymbolCross, {}};
    const AnnotationSlot empty{45000.2, kSymbolNone, {}};
    auto note = [](const char *t) { return AnnotationSlot{45000.3, kSymbolNone, QString::fromUtf8(t)}; };
    QTest::newRow("from slot 5, crosses as X") << 6 << Slots{{2, note("marker")}, {4, note("old")}, {5, cross}, {6, note("Truck")}}
                                               << Rows{{5, "X"}, {6, "Truck"}};
    QTest::newRow("empty text takes a slot, unlisted") << 7 << Slots{{5, note("a")}, {6, empty}, {7, cross}}
                                                       << Rows{{5, "a"}, {7, "X"}};
    QTest::newRow("slots beyond 255 keep their number") << 300 << Slots{{256, note("one")}, {300, cross}}
                                                        << Rows{{256, "one"}, {300, "X"}};
    QTest::newRow("nothing to list") << 4 << Slots{{5, note("beyond the counter")}} << Rows{};
}

void TestAnnotations::listedRows()
{
    QFETCH(int, counter);
    QFETCH(Slots, chart);
    QFETCH(Rows, rows);
    Rows got;
    for (const AnnotationRow &r : annotationRows(counter, [&](int s) { return chart.value(s); })) {
        got.append({r.slot, r.contents});
        QCOMPARE(r.x, chart.value(r.slot).x);
    }
    QCOMPARE(got, rows);
}

void TestAnnotations::clickOffsets()
{
    QCOMPARE(annotationOffset(AnnotationMode::Text), QPoint(1, 7));
    QCOMPARE(annotationOffset(AnnotationMode::Cross), QPoint(0, 0));
}

QTEST_APPLESS_MAIN(TestAnnotations)
#include "tst_Annotations.moc"
