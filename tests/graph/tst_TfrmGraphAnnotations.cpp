// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Paths.h"
#include "common/StringTable.h"
#include "widgets/LanguageDispatcher.h"
#include "widgets/ModalRunner.h"
#include "chart/PESGraph.h"
#include "graph/ChartSetup.h"
#include "graph/GraphTexts.h"
#include "graph/TfrmAnnoEdit.h"
#include "graph/TfrmDelAnno.h"
#include "graph/TfrmGraph.h"
#include "tests/support/FakeClock.h"

#include <QAccessible>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

using namespace ql708;
using namespace ql708::graph;
using namespace ql708::chart;

Q_DECLARE_METATYPE(AnnotationMode)

namespace {
constexpr double kStart = 45365.5;

QString nameOf(QObject *o)
{
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(o);
    return i ? i->text(QAccessible::Name) : QString();
}

// A cross, a note and another note in slots 5 to 7.
void threeAnnotations(PESGraph &c)
{
    const QStringList texts = {QString(), QStringLiteral("Truck"), QStringLiteral("Door")};
    for (int i = 0; i < 3; ++i) {
        c.setGraphAnnotationType(5 + i, i == 0 ? kSymbolCross : kSymbolNone);
        c.setGraphAnnotationX(5 + i, kStart + (i + 1) * 10 * kSecond);
        c.setGraphAnnotationY(5 + i, 70);
        c.setGraphAnnotationText(5 + i, texts[i]);
    }
    graphState().annotationCounter = 7;
}
} // namespace

class TestTfrmGraphAnnotations : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void placeAnnotation_data();
    void placeAnnotation();
    void eraseChosenRows_data();
    void eraseChosenRows();
    void eraseListWithNothingListed();
    void clearEmptiesTheRealTimeChart();
    void modeIsSharedByTheWindows();
    void dialogsAreNamed_data();
    void dialogsAreNamed();

private:
    TfrmGraph *window(const QString &caption = QStringLiteral("site.ghf"));
    void click(TfrmGraph *w, QPoint at);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QMdiArea> m_area;
    std::function<int(QDialog &)> m_dialogs;
};

void TestTfrmGraphAnnotations::initTestCase() { setActiveLanguage(Language::English); }

void TestTfrmGraphAnnotations::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    paths::setTestRoot(m_dir->path());
    graphState() = GraphState();
    m_area = std::make_unique<QMdiArea>();
    m_area->resize(1200, 800);
    m_area->show();
    m_dialogs = [](QDialog &) { return int(QDialog::Rejected); };
    setModalHandler([this](QDialog &d) { return m_dialogs(d); });
}

void TestTfrmGraphAnnotations::cleanup()
{
    setModalHandler({});
    m_area.reset();
    paths::setTestRoot({});
    LanguageDispatcher::instance().setLanguage(Language::English);
}

TfrmGraph *TestTfrmGraphAnnotations::window(const QString &caption)
{
    auto *w = TfrmGraph::create(m_area.get(), caption);
    w->setGeometry(0, 0, 1000, 650);
    PrepareChart(*w->PESGraph1(), 1, 130, 30, kStart + 60 * kSecond, kStart, 60);
    QCoreApplication::processEvents();
    return w;
}

void TestTfrmGraphAnnotations::click(TfrmGraph *w, QPoint at)
{
    auto *plot = w->PESGraph1()->findChild<QWidget *>(QStringLiteral("plot"));
    QTest::mouseClick(plot, Qt::LeftButton, {}, plot->mapFrom(w->PESGraph1(), at));
}

void TestTfrmGraphAnnotations::placeAnnotation_data()
{
    QTest::addColumn<AnnotationMode>("mode");
    QTest::addColumn<int>("answer"); // of the text dialog
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("inside");
    QTest::addColumn<int>("type");   // of slot 5; -1: nothing placed
    QTest::addColumn<QPoint>("offset");
    const int ok = QDialog::Accepted, cancel = QDialog::Rejected;
    QTest::newRow("cross") << AnnotationMode::Cross << ok << "" << true << kSymbolCross << QPoint(0, 0);
    QTest::newRow("text") << AnnotationMode::Text << ok << "Truck" << true << kSymbolNone << QPoint(1, 7);
    QTest::newRow("text cancelled") << AnnotationMode::Text << cancel << "Truck" << true << -1 << QPoint();
    QTest::newRow("empty text takes the slot") << AnnotationMode::Text << ok << "" << true << kSymbolNone << QPoint(1, 7);
    QTest::newRow("outside the plot") << AnnotationMode::Cross << ok << "" << false << -1 << QPoint();
    QTest::newRow("normal mode") << AnnotationMode::Normal << ok << "Truck" << true << -1 << QPoint();
}

void TestTfrmGraphAnnotations::placeAnnotation()
{
    QFETCH(AnnotationMode, mode);
    QFETCH(int, answer);
    QFETCH(QString, typed);
    QFETCH(bool, inside);
    QFETCH(int, type);
    QFETCH(QPoint, offset);
    TfrmGraph *w = window();
    QAction *button = mode == AnnotationMode::Cross ? w->ToolButton5() : mode == AnnotationMode::Text ? w->ToolButton9()
                                                                                                    : w->ToolButton4();
    button->trigger();
    QCOMPARE(graphState().annotationMode, mode);
    m_dialogs = [&](QDialog &d) {
        auto *edit = qobject_cast<TfrmAnnoEdit *>(&d);
        if (!edit)
            return int(QDialog::Rejected);
        edit->Edit1()->setText(typed);
        return answer;
    };
    const QRect plot = w->PESGraph1()->plotRect();
    const QPoint at = inside ? plot.center() : QPoint(plot.left() - 10, plot.center().y());
    click(w, at);
    const GraphAnnotation a = w->PESGraph1()->model().annotation(5);
    QCOMPARE(graphState().annotationCounter, type < 0 ? 4 : 5);
    if (type < 0) {
        QVERIFY(!a.visible());
        return;
    }
    QCOMPARE(a.type, type);
    QCOMPARE(a.text, type == kSymbolCross ? QString() : typed);
    const QPointF d = w->PESGraph1()->pixelToData(at + offset);
    QCOMPARE(a.x, d.x());
    QCOMPARE(a.y, d.y());
}

void TestTfrmGraphAnnotations::eraseChosenRows_data()
{
    QTest::addColumn<int>("firstSlot"); // of the three annotations
    QTest::addColumn<int>("top");       // selected rows, from 0
    QTest::addColumn<int>("bottom");
    QTest::addColumn<QList<int>>("kept");
    QTest::newRow("rows 2 to 3 of three") << 5 << 1 << 2 << QList<int>{5};
    QTest::newRow("row 1") << 5 << 0 << 0 << QList<int>{6, 7};
    QTest::newRow("slots above 255") << 299 << 1 << 1 << QList<int>{299, 301};
}

void TestTfrmGraphAnnotations::eraseChosenRows()
{
    QFETCH(int, firstSlot);
    QFETCH(int, top);
    QFETCH(int, bottom);
    QFETCH(QList<int>, kept);
    TfrmGraph *w = window();
    PESGraph &c = *w->PESGraph1();
    threeAnnotations(c);
    if (firstSlot != 5) {
        for (int i = 0; i < 3; ++i) {
            const GraphAnnotation a = c.model().annotation(5 + i);
            c.setGraphAnnotationType(firstSlot + i, a.type);
            c.setGraphAnnotationX(firstSlot + i, a.x);
            c.setGraphAnnotationText(firstSlot + i, a.text);
            c.setGraphAnnotationType(5 + i, kSymbolNone);
            c.setGraphAnnotationText(5 + i, QString());
        }
        graphState().annotationCounter = firstSlot + 2;
    }
    QStringList listed;
    bool deleteEnabled = false;
    m_dialogs = [&](QDialog &d) {
        auto *list = qobject_cast<TfrmDelAnno *>(&d);
        QTableWidget *g = list->StringGrid1();
        for (int c = 0; c < 3; ++c)
            listed << g->horizontalHeaderItem(c)->text();
        for (int r = 0; r < g->rowCount(); ++r)
            listed << g->item(r, 0)->text() + QLatin1Char('|') + g->item(r, 1)->text() + QLatin1Char('|') +
                          g->item(r, 2)->text();
        deleteEnabled = list->BitBtn1()->isEnabled();
        g->setRangeSelected(QTableWidgetSelectionRange(top, 0, bottom, 2), true);
        return int(QDialog::Accepted);
    };
    w->ToolButton13()->trigger();
    QVERIFY(deleteEnabled);
    const QString at10 = dateTimeText(kStart + 10 * kSecond), at20 = dateTimeText(kStart + 20 * kSecond);
    QCOMPARE(listed, QStringList({"NO", "Time", "Contents", "1|" + at10 + "|X", "2|" + at20 + "|Truck",
                                  "3|" + dateTimeText(kStart + 30 * kSecond) + "|Door"}));
    for (int slot = firstSlot; slot < firstSlot + 3; ++slot)
        QCOMPARE(c.model().annotation(slot).visible(), kept.contains(slot));
}

void TestTfrmGraphAnnotations::eraseListWithNothingListed()
{
    TfrmGraph *w = window();
    w->PESGraph1()->setGraphAnnotationText(5, QString()); // an empty note: not listed
    graphState().annotationCounter = 5;
    bool deleteEnabled = true;
    int rows = 0;
    m_dialogs = [&](QDialog &d) {
        auto *list = qobject_cast<TfrmDelAnno *>(&d);
        deleteEnabled = list->BitBtn1()->isEnabled();
        rows = list->StringGrid1()->rowCount();
        return int(QDialog::Rejected);
    };
    w->ToolButton13()->trigger();
    QVERIFY(!deleteEnabled);
    QCOMPARE(rows, 1); // one empty row
}

void TestTfrmGraphAnnotations::clearEmptiesTheRealTimeChart()
{
    test::FakeClock clock;
    const TDateTime now = toTDateTime(clock.now());
    TfrmGraph *other = window(QStringLiteral("DataLogger"));
    TfrmGraph *rt = window(QStringLiteral("Real-Time Graph"));
    threeAnnotations(*rt->PESGraph1());
    other->PESGraph1()->setGraphAnnotationText(5, QStringLiteral("Kept"));
    rt->PESGraph1()->setYData(0, 3, 66.f);
    graphState().realTime.realTimePointCount = 12;

    rt->tbntClr()->trigger();
    PESGraph &c = *rt->PESGraph1();
    QCOMPARE(c.points(), 200);
    QCOMPARE(c.manualMinX(), now);
    QCOMPARE(c.manualMaxX(), now + 30 * kSecond);
    QCOMPARE(c.yData(0, 3), PESGraph::nullDataValueY());
    QCOMPARE(graphState().realTime.realTimePointCount, 0);
    for (int slot = 5; slot <= 7; ++slot)
        QVERIFY(!c.model().annotation(slot).visible() && c.model().annotation(slot).x == 0.0);
    QCOMPARE(graphState().annotationCounter, 4);
    QVERIFY(rt->tbntClr()->isVisible());

    // The next note of the cleared chart takes slot 5 and is listed; the other window keeps its own slot 5.
    rt->ToolButton5()->trigger();
    click(rt, c.plotRect().center());
    QCOMPARE(c.model().annotation(5).type, kSymbolCross);
    other->ToolButton5()->trigger();
    click(other, other->PESGraph1()->plotRect().center());
    QCOMPARE(other->PESGraph1()->model().annotation(5).text, QStringLiteral("Kept"));
    QCOMPARE(other->PESGraph1()->model().annotation(6).type, kSymbolCross);
    int listed = 0;
    m_dialogs = [&](QDialog &d) {
        listed = qobject_cast<TfrmDelAnno *>(&d)->StringGrid1()->rowCount();
        return int(QDialog::Rejected);
    };
    other->ToolButton13()->trigger();
    QCOMPARE(listed, 2);

    // Cleared again, the shared counter restarts below slots the other chart still shows: its
    // next note passes over them instead of overwriting them.
    rt->tbntClr()->trigger();
    click(other, other->PESGraph1()->plotRect().center() + QPoint(40, 0));
    QCOMPARE(other->PESGraph1()->model().annotation(5).text, QStringLiteral("Kept"));
    QCOMPARE(other->PESGraph1()->model().annotation(6).type, kSymbolCross);
    QCOMPARE(other->PESGraph1()->model().annotation(7).type, kSymbolCross);
    QCOMPARE(graphState().annotationCounter, 7);
}

void TestTfrmGraphAnnotations::modeIsSharedByTheWindows()
{
    TfrmGraph *a = window();
    TfrmGraph *b = window();
    m_area->setActiveSubWindow(a);
    a->ToolButton5()->trigger();
    m_area->setActiveSubWindow(b);
    QVERIFY(b->ToolButton5()->isChecked());
    auto *plot = b->PESGraph1()->findChild<QWidget *>(QStringLiteral("plot"));
    QCOMPARE(plot->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(plot->cursor().hotSpot(), QPoint(15, 15));
    // A window shown afterwards starts every window over in normal mode.
    TfrmGraph *c = window();
    QCOMPARE(graphState().annotationMode, AnnotationMode::Normal);
    QVERIFY(c->ToolButton4()->isChecked());
}

void TestTfrmGraphAnnotations::dialogsAreNamed_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QStringList>("names"); // text field, OK, Cancel, list, Delete, caption
    QTest::newRow("English") << int(Language::English)
                             << QStringList{"Annotation text", "OK", "Cancel", "Annotations", "Delete", "Erase Annotation"};
    QTest::newRow("French") << int(Language::French)
                            << QStringList{"Texte de l'annotation", "OK", "Annuler", "Annotations", "Supprimer",
                                           "Effacer des annotations"};
}

void TestTfrmGraphAnnotations::dialogsAreNamed()
{
    QFETCH(int, language);
    QFETCH(QStringList, names);
    LanguageDispatcher::instance().setLanguage(Language(language));
    TfrmAnnoEdit edit;
    QVERIFY(edit.windowTitle().isEmpty());
    QCOMPARE(edit.Edit1()->width(), 297);
    TfrmDelAnno list({}, {}, nullptr);
    QCOMPARE(QStringList({nameOf(edit.Edit1()), nameOf(edit.BitBtn1()), nameOf(edit.BitBtn2()), nameOf(list.StringGrid1()),
                          nameOf(list.BitBtn1()), list.windowTitle()}),
             names);
    QVERIFY(!nameOf(&edit).isEmpty());
}

QTEST_MAIN(TestTfrmGraphAnnotations)
#include "tst_TfrmGraphAnnotations.moc"
