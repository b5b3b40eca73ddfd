// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/LevelStatistics.h"
#include "common/Paths.h"
#include "common/StringTable.h"
#include "widgets/LanguageDispatcher.h"
#include "widgets/ModalRunner.h"
#include "chart/PESGraph.h"
#include "graph/ChartSetup.h"
#include "graph/GraphTexts.h"
#include "graph/GraphWindows.h"
#include "graph/TfrmGraph.h"
#include "tests/support/FakeClock.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMessageBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <vector>

using namespace ql708;
using namespace ql708::graph;
using namespace ql708::chart;

using Levels = std::vector<float>;
Q_DECLARE_METATYPE(Levels)

namespace {
constexpr double kStart = 45365.5; // 14 March 2024, noon
constexpr float O = kOutOfRangeLevel;
QString text(const char *key) { return ids(QStringLiteral("frmGraph"), QString::fromLatin1(key)); }
} // namespace

class TestTfrmGraphStatistics : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void topPanel_data();
    void topPanel();
    void resetCursorsOnTenPoints();
    void dropLine_data();
    void dropLine();
    void dragRedrawsAtMostFiveTimesASecond();
    void equalTimesOnlyClearTheDragMarks();
    void noLevelsNoFigures();
    void readoutFollowsTheMouse();
    void cursorPanelToggleHidesTheLines();
    void exportPutsEveryFigureOnTheClipboard();
    void outOfRangeReadingsAreLeftOutAndCounted();
    void everyFieldFitsTheOpeningSize_data();
    void everyFieldFitsTheOpeningSize();
    void calLeq_data();
    void calLeq();
    void calLeqWindowGoesWithItsSource();
    void everyControlHasAName_data();
    void everyControlHasAName();

private:
    // A window showing levels one second apart (or step seconds), cursors at their start.
    TfrmGraph *shown(const Levels &y, double step = 1.0);
    QWidget *plot(TfrmGraph *w) const { return w->PESGraph1()->findChild<QWidget *>(QStringLiteral("plot")); }
    // The chart pixel of time t (seconds after kStart), halfway up the plot.
    QPoint pixelAt(TfrmGraph *w, double seconds) const;
    // Presses on a line, moves to the given chart pixel (after the redraw pause) and releases.
    void drag(TfrmGraph *w, int line, QPoint to, bool release = true);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QMdiArea> m_area;
    std::unique_ptr<test::FakeClock> m_clock;
    QStringList m_shown;
};

void TestTfrmGraphStatistics::initTestCase() { setActiveLanguage(Language::English); }

void TestTfrmGraphStatistics::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    paths::setTestRoot(m_dir->path());
    graphState() = GraphState();
    m_clock = std::make_unique<test::FakeClock>();
    m_area = std::make_unique<QMdiArea>();
    m_area->resize(1200, 800);
    m_area->show();
    m_shown.clear();
    setModalHandler([this](QDialog &d) {
        if (auto *box = qobject_cast<QMessageBox *>(&d))
            m_shown << box->text();
        return int(QMessageBox::Ok);
    });
}

void TestTfrmGraphStatistics::cleanup()
{
    setModalHandler({});
    m_area.reset();
    m_clock.reset();
    paths::setTestRoot({});
    QLocale::setDefault(QLocale::c());
    LanguageDispatcher::instance().setLanguage(Language::English);
}

TfrmGraph *TestTfrmGraphStatistics::shown(const Levels &y, double step)
{
    auto *w = TfrmGraph::create(m_area.get(), QStringLiteral("site.ghf"));
    w->setGeometry(0, 0, 1100, 700);
    std::vector<double> x(y.size());
    for (size_t i = 0; i < x.size(); ++i)
        x[i] = kStart + double(i) * step * kSecond;
    PrepareChart(*w->PESGraph1(), 1, 130, 30, x.back(), x.front(), int(y.size()));
    w->showSeries(x.data(), y.data(), int(y.size()));
    QCoreApplication::processEvents();
    return w;
}

QPoint TestTfrmGraphStatistics::pixelAt(TfrmGraph *w, double seconds) const
{
    const QPointF p = w->PESGraph1()->dataToPixel(kStart + seconds * kSecond, 0);
    return QPoint(qRound(p.x()), w->PESGraph1()->plotRect().center().y());
}

void TestTfrmGraphStatistics::drag(TfrmGraph *w, int line, QPoint to, bool release)
{
    QWidget *p = plot(w);
    const QPointF from = w->PESGraph1()->dataToPixel(w->PESGraph1()->vertLineAnnotation(line), 0);
    const QPoint press(qRound(from.x()), w->PESGraph1()->plotRect().center().y());
    QTest::mousePress(p, Qt::LeftButton, {}, p->mapFrom(w->PESGraph1(), press));
    m_clock->advance(250);
    QTest::mouseMove(p, p->mapFrom(w->PESGraph1(), to));
    if (release)
        QTest::mouseRelease(p, Qt::LeftButton, {}, p->mapFrom(w->PESGraph1(), to));
}

void TestTfrmGraphStatistics::topPanel_data()
{
    QTest::addColumn<Levels>("y");
    QTest::addColumn<double>("step");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<QString>("avg");
    QTest::addColumn<QString>("max");
    QTest::addColumn<double>("maxAt"); // seconds
    QTest::addColumn<QString>("min");
    QTest::newRow("1000 points 0.5 s apart") << Levels(1000, 61.0f) << 0.5 << "0.5" << "61.0" << "61.0" << 0.0 << "61.0";
    QTest::newRow("10 points 1 s apart, first of equal highest")
        << Levels{50, 60, 70, 60, 70, 40, 55, 40, 65, 50} << 1.0 << "0.9" << "56.0" << "70.0" << 2.0 << "40.0";
    QTest::newRow("a gap is no level") << Levels{60, kGapLevel, 80} << 1.0 << "0.7" << "70.0" << "80.0" << 2.0 << "60.0";
}

void TestTfrmGraphStatistics::topPanel()
{
    QFETCH(Levels, y);
    QFETCH(double, step);
    QFETCH(QString, rate);
    QFETCH(QString, avg);
    QFETCH(QString, max);
    QFETCH(double, maxAt);
    QFETCH(QString, min);
    TfrmGraph *w = shown(y, step);
    QCOMPARE(w->txtStartTime()->text(), dateTimeText(kStart));
    QCOMPARE(w->txtSamplingRate()->currentText(), rate);
    QCOMPARE(w->txtDataNo()->text(), QString::number(y.size()));
    QCOMPARE(w->txtAvgAll()->text(), avg);
    QCOMPARE(w->txtMax()->text(), max);
    QCOMPARE(w->txtMaxTime()->text(), dateTimeText(kStart + maxAt * kSecond));
    QCOMPARE(w->txtMin()->text(), min);
}

void TestTfrmGraphStatistics::resetCursorsOnTenPoints()
{
    TfrmGraph *w = shown({50, 60, 70, 80, 60, 90, 40, 55, 65, 50});
    w->cursors.cursorA = 9;
    w->ResetCursors();
    QCOMPARE(w->cursors.cursorA, 3);
    QCOMPARE(w->cursors.cursorB, 6);
    QCOMPARE(w->cursors.playbackLine, 0);
    QCOMPARE(w->PESGraph1()->vertLineAnnotation(kCursorALine), kStart + 3 * kSecond);
    QCOMPARE(w->PESGraph1()->vertLineAnnotation(kCursorBLine), kStart + 6 * kSecond);
    QCOMPARE(w->PESGraph1()->vertLineAnnotation(kPlaybackLine), kStart);
    QCOMPARE(w->txtCursorA()->text(), QStringLiteral("80.0"));
    QCOMPARE(w->txtCursorBTime()->text(), dateTimeText(kStart + 6 * kSecond));
    QCOMPARE(w->txtMaxAB()->text(), QStringLiteral("90.0"));
    QCOMPARE(w->txtMaxABTime()->text(), dateTimeText(kStart + 5 * kSecond));
    QCOMPARE(w->txtMinAB()->text(), QStringLiteral("40.0"));
    QCOMPARE(w->txtAvgAB()->text(), QStringLiteral("67.5"));
    QCOMPARE(w->txtDurationAB()->text(), QStringLiteral("3.0 s"));
    QCOMPARE(w->txtLeqAB()->text(), QStringLiteral("84.4")); // 80, 60, 90, 40
    QCOMPARE(w->txtSELAB()->text(), QStringLiteral("90.4")); // four readings of 1 s
    QCOMPARE(w->txtL10AB()->text(), QStringLiteral("90.0"));
    QCOMPARE(w->txtL50AB()->text(), QStringLiteral("60.0"));
    QCOMPARE(w->txtL90AB()->text(), QStringLiteral("40.0"));
}

void TestTfrmGraphStatistics::dropLine_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<double>("to");      // seconds after the start; NaN: left of the plot
    QTest::addColumn<int>("point");      // where the line ends
    QTest::addColumn<QString>("maxAB");
    QTest::newRow("A dropped near point 10") << kCursorALine << 10.2 << 10 << "90.0";
    QTest::newRow("B dropped left of A") << kCursorBLine << 2.0 << 2 << "70.0";
    QTest::newRow("playback line") << kPlaybackLine << 25.0 << 25 << "90.0";
    QTest::newRow("released outside the plot") << kCursorALine << std::nan("") << 20 << "90.0";
}

void TestTfrmGraphStatistics::dropLine()
{
    QFETCH(int, line);
    QFETCH(double, to);
    QFETCH(int, point);
    QFETCH(QString, maxAB);
    Levels y(60, 50.f);
    y[5] = 70.f;
    y[30] = 90.f;
    TfrmGraph *w = shown(y); // A on point 20, B on 40
    const QPoint target = std::isnan(to) ? QPoint(w->PESGraph1()->plotRect().left() - 15, pixelAt(w, 0).y())
                                         : pixelAt(w, to);
    drag(w, line, target, false);
    QCOMPARE(w->PESGraph1()->vertLineAnnotationColor(line), kDraggedLineColor);
    QTest::mouseRelease(plot(w), Qt::LeftButton, {}, plot(w)->mapFrom(w->PESGraph1(), target));
    QCOMPARE(w->PESGraph1()->vertLineAnnotationColor(line), lineColor(line));
    QVERIFY(!w->cursors.draggingA && !w->cursors.draggingB && !w->cursors.draggingPlayback);
    const int got = line == kCursorALine ? w->cursors.cursorA : line == kCursorBLine ? w->cursors.cursorB
                                                                                     : w->cursors.playbackLine;
    QCOMPARE(got, point);
    QCOMPARE(w->PESGraph1()->vertLineAnnotation(line), kStart + point * kSecond);
    QCOMPARE(w->txtMaxAB()->text(), maxAB);
}

void TestTfrmGraphStatistics::dragRedrawsAtMostFiveTimesASecond()
{
    Levels y(100, 50.f);
    y[70] = 95.f;
    TfrmGraph *w = shown(y); // B on point 66
    drag(w, kCursorBLine, pixelAt(w, 80), false);
    const double moved = w->PESGraph1()->vertLineAnnotation(kCursorBLine);
    QVERIFY(std::abs(moved - (kStart + 80 * kSecond)) < 0.5 * kSecond);
    // The figures follow the dragged line; its point changes only on the drop.
    QCOMPARE(w->txtMaxAB()->text(), QStringLiteral("95.0"));
    QCOMPARE(w->cursors.cursorB, 66);
    m_clock->advance(100);
    QTest::mouseMove(plot(w), plot(w)->mapFrom(w->PESGraph1(), pixelAt(w, 90)));
    QCOMPARE(w->PESGraph1()->vertLineAnnotation(kCursorBLine), moved);
    m_clock->advance(150);
    QTest::mouseMove(plot(w), plot(w)->mapFrom(w->PESGraph1(), pixelAt(w, 60)));
    QVERIFY(w->PESGraph1()->vertLineAnnotation(kCursorBLine) < moved);
    QCOMPARE(w->txtMaxAB()->text(), QStringLiteral("50.0"));
}

void TestTfrmGraphStatistics::equalTimesOnlyClearTheDragMarks()
{
    TfrmGraph *w = shown({60, 70, 80});
    PESGraph &c = *w->PESGraph1();
    for (int i = 0; i < 3; ++i)
        c.setXDataII(0, i, kStart + kSecond);
    w->cursors = CursorState{1, 1, 1};
    for (int line : {kPlaybackLine, kCursorALine, kCursorBLine})
        c.setVertLineAnnotation(line, kStart + kSecond);
    c.redraw();
    drag(w, kCursorBLine, pixelAt(w, 0.3));
    QVERIFY(!w->cursors.draggingB);
    QCOMPARE(w->cursors.cursorB, 1);
    QCOMPARE(c.vertLineAnnotation(kCursorBLine), kStart + kSecond);
}

void TestTfrmGraphStatistics::noLevelsNoFigures()
{
    // A chart prepared for points still to come: a click on it shows no time of 1899.
    auto *w = TfrmGraph::create(m_area.get(), QStringLiteral("Real-Time Graph"));
    PrepareChart(*w->PESGraph1(), 1, 130, 30, kStart + 250 * kSecond, kStart, 500);
    QCoreApplication::processEvents();
    QTest::mouseClick(plot(w), Qt::LeftButton, {}, plot(w)->mapFrom(w->PESGraph1(), w->PESGraph1()->plotRect().center()));
    for (QLineEdit *f : {w->txtCursorA(), w->txtCursorATime(), w->txtMaxAB(), w->txtAvgAB(), w->txtDurationAB(), w->txtLeqAB(),
                         w->txtSELAB(), w->txtL10AB()})
        QCOMPARE(f->text(), QString());

    // A cursor on a gap: no level and no time of its own; the figures between come from the rest.
    TfrmGraph *g = shown({60, kGapLevel, 70, 80});
    g->cursors.cursorA = 1;
    g->UpdateCursorStatistics();
    QCOMPARE(g->txtCursorA()->text(), QString());
    QCOMPARE(g->txtCursorATime()->text(), QString());
    QCOMPARE(g->txtMinAB()->text(), QStringLiteral("70.0"));
}

void TestTfrmGraphStatistics::readoutFollowsTheMouse()
{
    TfrmGraph *w = shown(Levels(20, 60.f));
    const QPoint at = w->PESGraph1()->plotRect().center();
    QTest::mouseMove(plot(w), plot(w)->mapFrom(w->PESGraph1(), at));
    const QPointF d = w->PESGraph1()->pixelToData(at);
    QCOMPARE(w->Panel12()->text(), readoutText(d.y(), d.x()));
    QVERIFY(w->Panel12()->text().contains(QStringLiteral("dB@")));
    const QString kept = w->Panel12()->text();
    QTest::mouseMove(plot(w), plot(w)->mapFrom(w->PESGraph1(), QPoint(2, 2)));
    QCOMPARE(w->Panel12()->text(), kept);
}

void TestTfrmGraphStatistics::cursorPanelToggleHidesTheLines()
{
    TfrmGraph *w = shown(Levels(20, 60.f));
    w->ToolButton2()->trigger();
    QVERIFY(!w->pnlStatistic()->isVisible());
    QVERIFY(!w->PESGraph1()->showVertLineAnnotations());
    w->ToolButton2()->trigger();
    QVERIFY(w->pnlStatistic()->isVisible() && w->PESGraph1()->showVertLineAnnotations());
    w->ToolButton1()->trigger();
    QVERIFY(!w->pnlGraphStatistic()->isVisible());
}

void TestTfrmGraphStatistics::exportPutsEveryFigureOnTheClipboard()
{
    TfrmGraph *w = shown({60, 80, 70, 50, 90, 40});
    w->Button2()->trigger();
    const QString clip = QGuiApplication::clipboard()->text();
    QVERIFY(!clip.contains(QLatin1Char('\r')));
    QVERIFY(clip.endsWith(QLatin1Char('\n')));
    const QStringList lines = clip.split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 18); // 17 lines and the empty rest after the last line feed
    QCOMPARE(lines[0], text("IDS_22") + w->txtStartTime()->text());
    QCOMPARE(lines[1], text("IDS_24") + QStringLiteral("0.8"));
    QCOMPARE(lines[4], text("IDS_30") + QStringLiteral("90.0@") + w->txtMaxTime()->text());
    QCOMPARE(lines[6], text("IDS_34") + QStringLiteral("70.0@") + w->txtCursorATime()->text());
    QCOMPARE(lines[10], text("IDS_42") + w->txtAvgAB()->text());
    QCOMPARE(lines[11], text("IDS_80") + QStringLiteral("2.0 s"));
    QCOMPARE(lines[12], text("IDS_81") + w->txtLeqAB()->text());
    QCOMPARE(lines[16], text("IDS_85") + QStringLiteral("50.0"));
    QCOMPARE(m_shown, QStringList{text("IDS_62")});
}

void TestTfrmGraphStatistics::outOfRangeReadingsAreLeftOutAndCounted()
{
    TfrmGraph *w = shown({60, O, 80, O, O, 70}); // A on point 2, B on point 4
    QCOMPARE(w->txtAvgAll()->text(), QStringLiteral("70.0"));
    QCOMPARE(w->txtMin()->text(), QStringLiteral("60.0"));
    QCOMPARE(w->lblOutOfRange()->text(), QStringLiteral("3 readings out of range"));
    QCOMPARE(w->txtCursorB()->text(), QString()); // on a reading out of range
    QCOMPARE(w->txtMinAB()->text(), QStringLiteral("80.0"));
    QCOMPARE(w->txtL90AB()->text(), QStringLiteral("80.0"));
    QCOMPARE(w->lblOutOfRangeAB()->text(), QStringLiteral("2 readings out of range"));

    // Each panel's count closes its lines of the export.
    w->Button2()->trigger();
    const QStringList lines = QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 20);
    QCOMPARE(lines[5], text("IDS_32") + QStringLiteral("60.0@") + w->txtMinTime()->text());
    QCOMPARE(lines[6], QStringLiteral("3 readings out of range"));
    QCOMPARE(lines[18], QStringLiteral("2 readings out of range"));

    LanguageDispatcher::instance().setLanguage(Language::French);
    QCOMPARE(w->lblOutOfRange()->text(), QStringLiteral("3 mesures hors gamme"));
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w->lblOutOfRange());
    QVERIFY(a);
    QCOMPARE(a->text(QAccessible::Name), QStringLiteral("3 mesures hors gamme"));

    // One reading, none between the cursors.
    TfrmGraph *one = shown({O, 60, 70});
    QCOMPARE(one->lblOutOfRange()->text(), QStringLiteral("1 mesure hors gamme"));
    QCOMPARE(one->lblOutOfRangeAB()->text(), QString());
    // Nothing but readings out of range: no figures, only the count.
    TfrmGraph *none = shown({O, O});
    for (QLineEdit *f : {none->txtAvgAll(), none->txtMax(), none->txtMaxTime(), none->txtMin(), none->txtCursorA(), none->txtMaxAB(),
                         none->txtLeqAB(), none->txtL50AB()})
        QCOMPARE(f->text(), QString());
    QCOMPARE(none->lblOutOfRange()->text(), QStringLiteral("2 mesures hors gamme"));
}

void TestTfrmGraphStatistics::everyFieldFitsTheOpeningSize_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QLocale>("locale");
    // A clock with AM and PM writes the longest times.
    QTest::newRow("English") << int(Language::English) << QLocale(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("French") << int(Language::French) << QLocale(QLocale::French, QLocale::France);
}

// The CAL Leq window shows the most: its Leq beside the top panel, and both counts.
void TestTfrmGraphStatistics::everyFieldFitsTheOpeningSize()
{
    QFETCH(int, language);
    QFETCH(QLocale, locale);
    QLocale::setDefault(locale);
    LanguageDispatcher::instance().setLanguage(Language(language));
    TfrmGraph *source = TfrmGraph::create(m_area.get(), QStringLiteral("table.txt"));
    Levels y(90000, 88.8f);
    for (int i = 0; i < 12345; ++i)
        y[size_t(3 * i)] = O;
    std::vector<double> x(y.size());
    for (size_t i = 0; i < x.size(); ++i)
        x[i] = kStart + 300 + double(i) * 3 * kSecond;
    PrepareChart(*source->PESGraph1(), 1, 130, 30, x.back(), x.front(), int(y.size()));
    source->showSeries(x.data(), y.data(), int(y.size()));
    source->bunCalLEQ()->trigger();
    TfrmGraph *w = GraphWindows::instance().calLeq;
    QVERIFY(w);
    QCOMPARE(w->width(), 800);
    w->txtDurationAB()->setText(durationText(188888.8));
    QCoreApplication::processEvents();
    QVERIFY(!w->lblOutOfRange()->text().isEmpty() && !w->lblOutOfRangeAB()->text().isEmpty());

    for (QWidget *panel : {w->pnlGraphStatistic(), w->pnlStatistic()}) {
        QVERIFY(panel->isVisible());
        const QRect room = panel->rect();
        QList<QWidget *> shown;
        for (QWidget *c : panel->findChildren<QWidget *>()) {
            const bool figure = qobject_cast<QLineEdit *>(c) || qobject_cast<QLabel *>(c);
            if (figure && c->isVisible() && !c->objectName().isEmpty())
                shown << c;
        }
        for (QWidget *c : shown) {
            const QRect at(c->mapTo(panel, QPoint(0, 0)), c->size());
            QVERIFY2(room.contains(at), qPrintable(c->objectName()));
            // A field's text sits inside its frame and margins, a label's fills it.
            const auto *field = qobject_cast<QLineEdit *>(c);
            const QString text = field ? field->text() : static_cast<QLabel *>(c)->text();
            QVERIFY2(c->fontMetrics().horizontalAdvance(text) + (field ? 8 : 0) <= c->width(), qPrintable(c->objectName()));
            for (QWidget *other : shown) {
                const QRect there(other->mapTo(panel, QPoint(0, 0)), other->size());
                QVERIFY2(other == c || !at.intersects(there),
                         qPrintable(c->objectName() + QLatin1Char(' ') + other->objectName()));
            }
        }
    }
}

void TestTfrmGraphStatistics::calLeq_data()
{
    QTest::addColumn<Levels>("y");
    QTest::addColumn<Levels>("leq");
    QTest::addColumn<QString>("shown");
    QTest::newRow("60, 70") << Levels{60, 70} << Levels{60.f, 67.4036f} << "67.4";
    QTest::newRow("60, 250, 70") << Levels{60, 250, 70} << Levels{60.f} << "60.0";
    // Out of range adds nothing: no Leq before the first level, the same Leq after one.
    QTest::newRow("out of range left out") << Levels{O, 60, O, 70} << Levels{kGapLevel, 60.f, 60.f, 67.4036f} << "67.4";
}

void TestTfrmGraphStatistics::calLeq()
{
    QFETCH(Levels, y);
    QFETCH(Levels, leq);
    QFETCH(QString, shown);
    TfrmGraph *source = this->shown(y);
    source->bunCalLEQ()->trigger();
    TfrmGraph *w = GraphWindows::instance().calLeq;
    QVERIFY(w && w != source);
    QCOMPARE(w->windowTitle(), QStringLiteral("LEQ"));
    QVERIFY(w->pnlLeq()->isVisible() && !w->bunCalLEQ()->isEnabled());
    QCOMPARE(w->edtLeq()->text(), shown);
    PESGraph &c = *w->PESGraph1();
    QCOMPARE(c.subsets(), 2);
    QCOMPARE(c.subsetLabel(0), QStringLiteral("SPL"));
    QCOMPARE(c.subsetLabel(1), QStringLiteral("Leq"));
    QCOMPARE(c.subsetColor(1), PEargb(255, 255, 0, 0));
    for (int i = 0; i < int(y.size()); ++i) {
        QCOMPARE(c.xDataII(1, i), kStart + i * kSecond);
        if (size_t(i) < leq.size())
            QVERIFY(std::abs(c.yData(1, i) - leq[size_t(i)]) < 1e-3f);
        else
            QCOMPARE(c.yData(1, i), kGapLevel);
    }
    QCOMPARE(c.yData(0, 1), y[1]);
    QCOMPARE(w->txtDataNo()->text(), QString::number(y.size()));
    QCOMPARE(w->txtMax()->text(), QStringLiteral("%1.0").arg(*std::max_element(y.begin(), y.end())));
    QVERIFY(m_shown.isEmpty());
}

void TestTfrmGraphStatistics::calLeqWindowGoesWithItsSource()
{
    TfrmGraph *source = shown({60, 70, 80});
    source->bunCalLEQ()->trigger();
    QPointer<TfrmGraph> first = GraphWindows::instance().calLeq;
    source->bunCalLEQ()->trigger();
    QPointer<TfrmGraph> second = GraphWindows::instance().calLeq;
    QVERIFY(first && second && first != second); // each press makes a new window
    delete source;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(first.isNull() && second.isNull());

    TfrmGraph *noData = shown({250, 60});
    noData->bunCalLEQ()->trigger();
    QCOMPARE(m_shown, QStringList{text("IDS_63")});
    QVERIFY(GraphWindows::instance().calLeq.isNull());
}

void TestTfrmGraphStatistics::everyControlHasAName_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("leqName");
    QTest::newRow("English") << int(Language::English) << "Leq between A and B";
    QTest::newRow("French") << int(Language::French) << "Leq entre A et B";
}

void TestTfrmGraphStatistics::everyControlHasAName()
{
    QFETCH(int, language);
    QFETCH(QString, leqName);
    TfrmGraph *w = shown(Levels(10, 60.f));
    LanguageDispatcher::instance().setLanguage(Language(language));
    auto nameOf = [](QObject *o) {
        QAccessibleInterface *i = QAccessible::queryAccessibleInterface(o);
        return i ? i->text(QAccessible::Name) : QString();
    };
    QStringList unnamed;
    const QList<QWidget *> controls = w->widget()->findChildren<QWidget *>();
    for (QWidget *c : controls) {
        const bool control = qobject_cast<QLineEdit *>(c) || qobject_cast<QComboBox *>(c) ||
                             qobject_cast<QAbstractButton *>(c) || qobject_cast<QTableWidget *>(c) ||
                             qobject_cast<PESGraph *>(c);
        if (control && !c->objectName().isEmpty() && !c->objectName().startsWith(QLatin1String("qt_")) &&
            nameOf(c).trimmed().isEmpty())
            unnamed << c->objectName();
    }
    for (QAction *a : w->ToolBar1()->actions()) {
        QWidget *b = w->ToolBar1()->widgetForAction(a);
        if (!a->isSeparator() && qobject_cast<QAbstractButton *>(b) && nameOf(b).trimmed().isEmpty())
            unnamed << a->objectName();
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QLatin1Char(' '))));
    QCOMPARE(nameOf(w->txtLeqAB()), leqName);
    QCOMPARE(nameOf(w->ToolBar1()->widgetForAction(w->ToolButton5())),
             language == int(Language::English) ? QStringLiteral("Draw A Cross On Graph")
                                                : QStringLiteral("Dessiner une croix sur le graphique"));
}

QTEST_MAIN(TestTfrmGraphStatistics)
#include "tst_TfrmGraphStatistics.moc"
