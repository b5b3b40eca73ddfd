// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/PESGraph.h"
#include "common/StringTable.h"
#include "data/DataSetList.h"
#include "data/MemoryImage.h"
#include "graph/DataLoggerView.h"
#include "graph/TfrmDateTime.h"
#include "graph/TfrmGraph.h"
#include "tests/data/ImageBuilder.h"
#include "tests/support/FakeClock.h"
#include "widgets/ModalRunner.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QTableWidget>
#include <QTest>
#include <QTimeEdit>

using namespace ql708;
using namespace ql708::graph;
using test::RecordShape;

namespace {

// Sets of 5, 0 and 7 points; the last recorded at rate 0, holding a WAV name and two readings
// out of range.
data::DataSetList threeSets()
{
    RecordShape a = test::steadyRecord(5), b = test::steadyRecord(0), c = test::steadyRecord(7);
    a.points[3] = 0x0400; // 102.4 dB at point 3
    c.rate = 0;
    c.start = QByteArray::fromHex("240306090000");
    c.flags = 0x0C;
    c.wave = "A0000001";
    c.points[0] = 0x0010; // under the range
    c.points[6] = 0x0FFF; // over it
    data::DataSetList list;
    const QByteArray image = test::buildImage({a, b, c});
    data::ParseMemoryImage(image, data::lastAddressOf(image), list);
    return list;
}

QStringList row(const QTableWidget *grid, int r)
{
    QStringList cells;
    for (int c = 0; c < grid->columnCount(); ++c)
        cells << (grid->item(r, c) ? grid->item(r, c)->text() : QStringLiteral("<none>"));
    return cells;
}

} // namespace

class TestDataLoggerView : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void listShowsOneRowPerSet();
    void rowClickShowsItsSet_data();
    void rowClickShowsItsSet();
    void changeStartTimeMovesOneSet_data();
    void changeStartTimeMovesOneSet();

private:
    QMdiArea *m_area = nullptr;
    TfrmGraph *m_window = nullptr;
    DataLoggerView *m_view = nullptr;
    data::DataSetList m_sets;
};

void TestDataLoggerView::init()
{
    setActiveLanguage(Language::English);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    m_sets = threeSets();
    m_area = new QMdiArea;
    m_area->resize(1200, 800);
    m_area->show();
    m_window = TfrmGraph::create(m_area, QStringLiteral("DataLogger"));
    m_view = new DataLoggerView(*m_window, m_sets);
    m_view->fillDataSetList();
    m_view->ShowDataSet(0);
}

void TestDataLoggerView::cleanup()
{
    setModalHandler({});
    delete m_area;
    QLocale::setDefault(QLocale::c());
}

void TestDataLoggerView::listShowsOneRowPerSet()
{
    const QTableWidget *grid = m_window->Grid2();
    QCOMPARE(grid->rowCount(), 3);
    QCOMPARE(row(grid, 0), (QStringList{"1", "05/03/2024", "14:07:09", "00:02", "5", "dBA", "FAST", "30-90", ""}));
    QCOMPARE(row(grid, 2), (QStringList{"3", "06/03/2024", "09:00:00", "00:00", "7", "dBC", "SLOW", "30-130", "A0000001"}));
    QCOMPARE(grid->selectedRanges().value(0).topRow(), 0);
    QVERIFY(m_window->pnlDataSets()->isVisible());
    QVERIFY(m_window->ChangeDateTime1()->isEnabled());
    QCOMPARE(DataLoggerView::of(m_window), m_view);
}

void TestDataLoggerView::rowClickShowsItsSet_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("points");
    QTest::addColumn<QString>("max");
    QTest::addColumn<QString>("average");
    QTest::addColumn<QString>("min");
    QTest::addColumn<QString>("outOfRange");
    QTest::addColumn<double>("span"); // seconds of the time axis
    QTest::newRow("first") << 0 << 5 << "102.4" << QString::number((65.0 * 4 + 102.4) / 5, 'f', 1) << "65.0" << ""
                           << 10.0;
    QTest::newRow("no points") << 1 << 0 << "" << "" << "" << "" << 0.0;
    QTest::newRow("rate 0, out-of-range readings left out")
        << 2 << 7 << "65.0" << "65.0" << "65.0" << "2 readings out of range" << 0.0;
}

void TestDataLoggerView::rowClickShowsItsSet()
{
    QFETCH(int, row);
    QFETCH(int, points);
    QFETCH(double, span);
    m_window->PESGraph1()->zoomTo(0, 1, 40, 50);
    m_window->UndoZoom()->setEnabled(true);
    m_window->Grid2()->selectRow(row);
    emit m_window->Grid2()->cellClicked(row, 0);
    QCOMPARE(m_view->shownSet(), row);
    const chart::PESGraph *chart = m_window->PESGraph1();
    QCOMPARE(chart->points(), points);
    QCOMPARE(m_window->txtDataNo()->text(), QString::number(points));
    QTEST(m_window->txtMax()->text(), "max");
    QTEST(m_window->txtAvgAll()->text(), "average");
    QTEST(m_window->txtMin()->text(), "min");
    QTEST(m_window->lblOutOfRange()->text(), "outOfRange");
    QCOMPARE(m_window->txtSamplingRate()->currentText(), QString::number(m_sets.rates[row]));
    QVERIFY(qAbs((chart->manualMaxX() - chart->manualMinX()) * 86400 - span) < 1e-3);
    QCOMPARE(chart->manualMinX(), m_sets.startTimes[row]);
    for (int k : {0, points - 1})
        if (points > 0)
            QCOMPARE(chart->xDataII(0, k), m_sets.times[m_sets.offsetOf(row) + k]);
    QVERIFY(!chart->zoomed());
    QVERIFY(!m_window->UndoZoom()->isEnabled());
    // The cursors start again on the set shown.
    QCOMPARE(m_window->cursors.cursorA, points / 3);
    QCOMPARE(m_window->cursors.cursorB, 2 * points / 3);
    QCOMPARE(m_window->txtCursorB()->text().isEmpty(), points == 0);
}

void TestDataLoggerView::changeStartTimeMovesOneSet_data()
{
    QTest::addColumn<bool>("ok");
    QTest::newRow("OK") << true;
    QTest::newRow("Cancel") << false;
}

void TestDataLoggerView::changeStartTimeMovesOneSet()
{
    QFETCH(bool, ok);
    test::FakeClock clock(QDateTime(QDate(2025, 1, 2), QTime(10, 0, 0)));
    const data::DataSetList before = m_sets;
    QString dateName;
    setModalHandler([&](QDialog &d) {
        auto &dlg = static_cast<TfrmDateTime &>(d);
        dateName = QAccessible::queryAccessibleInterface(dlg.DatePicker())->text(QAccessible::Name);
        if (dlg.DatePicker()->date() != QDate(2025, 1, 2))
            return int(QDialog::Rejected);
        dlg.DatePicker()->setDate(QDate(2024, 6, 1));
        dlg.TimePicker()->setTime(QTime(12, 30, 45));
        return int(ok ? QDialog::Accepted : QDialog::Rejected);
    });
    m_window->Grid2()->selectRow(0);
    m_window->ChangeDateTime1()->trigger();
    QVERIFY(!dateName.isEmpty());
    const QDateTime picked(QDate(2024, 6, 1), QTime(12, 30, 45));
    QCOMPARE(fromTDateTime(m_sets.startTimes[0]), ok ? picked : fromTDateTime(before.startTimes[0]));
    QCOMPARE(m_window->Grid2()->item(0, 1)->text(), ok ? QStringLiteral("01/06/2024") : QStringLiteral("05/03/2024"));
    QCOMPARE(m_window->Grid2()->item(0, 2)->text(), ok ? QStringLiteral("12:30:45") : QStringLiteral("14:07:09"));
    QCOMPARE(m_sets.startTimes[2], before.startTimes[2]);
    QVERIFY(std::equal(m_sets.times.begin() + 5, m_sets.times.end(), before.times.begin() + 5));
    QCOMPARE(m_window->PESGraph1()->xDataII(0, 0), m_sets.startTimes[0]);
}

QTEST_MAIN(TestDataLoggerView)
#include "tst_DataLoggerView.moc"
