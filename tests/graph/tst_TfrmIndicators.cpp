// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/PESGraph.h"
#include "common/Paths.h"
#include "graph/ChartSetup.h"
#include "graph/GraphState.h"
#include "graph/TfrmGraph.h"
#include "graph/TfrmIndicators.h"
#include "widgets/LanguageDispatcher.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

using namespace ql708;
using namespace ql708::graph;

namespace {
constexpr double kStart = 45365.5; // 14 March 2024, noon
// Ten readings a second apart: 80, then 90 for four seconds, then quiet.
const std::vector<float> kLevels{80, 80, 90, 90, 90, 90, 60, 60, 60, 60};
const std::vector<double> kTimes = [] {
    std::vector<double> x(kLevels.size());
    for (size_t i = 0; i < x.size(); ++i)
        x[i] = kStart + double(i) * kSecond;
    return x;
}();

QString cell(QTableWidget *g, int r, int c) { return g->item(r, c) ? g->item(r, c)->text() : QString(); }
} // namespace

class TestTfrmIndicators : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void spanFollowsTheCursors();
    void eventsAtTheThreshold();
    void hoursPutTheCursorsAround();
    void cWeightedExposureIsMarked();
    void settingsAreCheckedAndRemembered_data();
    void settingsAreCheckedAndRemembered();
    void controlsAreNamedInBothLanguages_data();
    void controlsAreNamedInBothLanguages();

private:
    TfrmIndicators *opened();
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QMdiArea> m_area;
    TfrmGraph *m_graph = nullptr;
};

void TestTfrmIndicators::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    paths::setTestRoot(m_dir->path());
    graphState() = GraphState();
    LanguageDispatcher::instance().setLanguage(Language::English);
    m_area = std::make_unique<QMdiArea>();
    m_area->show();
    m_graph = TfrmGraph::create(m_area.get(), QStringLiteral("site.ghf"));
    PrepareChart(*m_graph->PESGraph1(), 1, 130, 30, kTimes.back(), kTimes.front(), int(kLevels.size()));
    m_graph->showSeries(kTimes.data(), kLevels.data(), int(kLevels.size()));
}

void TestTfrmIndicators::cleanup()
{
    m_area.reset();
    paths::setTestRoot({});
    LanguageDispatcher::instance().setLanguage(Language::English);
}

TfrmIndicators *TestTfrmIndicators::opened()
{
    m_graph->btnIndicators()->trigger();
    TfrmIndicators *w = m_graph->indicators();
    return w && w->isVisible() ? w : nullptr;
}

// Row 0 is Leq,T; the right column is the cursor panel's span, moved with it.
void TestTfrmIndicators::spanFollowsTheCursors()
{
    TfrmIndicators *w = opened();
    QVERIFY(w);
    QTableWidget *g = w->gridFigures();
    QCOMPARE(cell(g, 0, 0), QStringLiteral("Leq,T"));
    QCOMPARE(cell(g, 0, 1), QStringLiteral("86.2"));
    m_graph->placeCursors(5, 2);
    QCOMPARE(cell(g, 0, 2), QStringLiteral("90.0"));
    QCOMPARE(cell(g, 1, 2), QStringLiteral("4.0 s")); // T: four readings of 1 s
    QCOMPARE(cell(g, 0, 1), QStringLiteral("86.2"));  // the whole series stays
    m_graph->placeCursors(6, 9);
    QCOMPARE(cell(g, 0, 2), QStringLiteral("60.0"));
}

void TestTfrmIndicators::eventsAtTheThreshold()
{
    TfrmIndicators *w = opened();
    QVERIFY(w);
    QCOMPARE(w->gridEvents()->rowCount(), 1);
    QCOMPARE(w->lblEvents()->text(), QStringLiteral("NA85: 1 events, 4.0 s"));
    QCOMPARE(cell(w->gridEvents(), 0, 2), QStringLiteral("90.0"));
    emit w->gridEvents()->cellDoubleClicked(0, 1);
    QCOMPARE(m_graph->cursors.cursorA, 2);
    QCOMPARE(m_graph->cursors.cursorB, 5);

    w->txtThreshold()->setText(QStringLiteral("loud"));
    emit w->txtThreshold()->editingFinished();
    QVERIFY(!w->lblMessage()->text().isEmpty());
    QCOMPARE(w->gridEvents()->rowCount(), 1); // the last good threshold stays
    w->txtThreshold()->setText(QStringLiteral("75"));
    emit w->txtThreshold()->editingFinished();
    QVERIFY(w->lblMessage()->text().isEmpty());
    QCOMPARE(w->lblEvents()->text(), QStringLiteral("NA75: 1 events, 6.0 s"));
}

void TestTfrmIndicators::hoursPutTheCursorsAround()
{
    TfrmIndicators *w = opened();
    QVERIFY(w);
    QCOMPARE(w->gridHours()->rowCount(), 24);
    QCOMPARE(cell(w->gridHours(), 12, 1), QStringLiteral("10"));
    QCOMPARE(cell(w->gridHours(), 11, 3), QStringLiteral("-")); // no reading: no level
    m_graph->placeCursors(3, 4);
    emit w->gridHours()->cellDoubleClicked(12, 0);
    QCOMPARE(m_graph->cursors.cursorA, 0);
    QCOMPARE(m_graph->cursors.cursorB, 9);
    QCOMPARE(w->gridDays()->rowCount(), 1);
}

void TestTfrmIndicators::cWeightedExposureIsMarked()
{
    TfrmIndicators *w = opened();
    QVERIFY(w);
    SeriesTraits traits = m_graph->seriesTraits();
    traits.aWeighted = false;
    m_graph->setSeriesTraits(traits);
    QCOMPARE(cell(w->gridFigures(), 2, 0), QStringLiteral("LEX,8h (not A-weighted)"));
    QCOMPARE(cell(w->gridFigures(), 12, 0), QStringLiteral("SEL"));
}

void TestTfrmIndicators::settingsAreCheckedAndRemembered_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("fault"); // empty: taken
    QTest::newRow("limit") << "txtLimit" << "88.0" << "";
    QTest::newRow("limit too high") << "txtLimit" << "250" << "levels from 0 to 200 dB";
    QTest::newRow("duration") << "txtMinDuration" << "3" << "";
    QTest::newRow("duration negative") << "txtMinDuration" << "-1" << "0 to 86400 s";
    QTest::newRow("day after evening") << "txtDayStart" << "20" << "whole hours";
    QTest::newRow("hour no number") << "txtNightStart" << "late" << "whole hours";
    QTest::newRow("6 to 18") << "txtEveningStart" << "18" << "";
}

// A value taken changes the figures and is there again in the next window; one refused keeps
// the last good values and says why.
void TestTfrmIndicators::settingsAreCheckedAndRemembered()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, fault);
    TfrmIndicators *w = opened();
    QVERIFY(w);
    const IndicatorSettings before = w->settings();
    auto *edit = w->findChild<QLineEdit *>(field);
    QVERIFY(edit);
    edit->setText(typed);
    emit edit->editingFinished();
    QCOMPARE(w->lblMessage()->text().contains(fault), true);
    QCOMPARE(w->lblMessage()->text().isEmpty(), fault.isEmpty());
    QCOMPARE(w->settings() == before, !fault.isEmpty());
    if (field == QLatin1String("txtLimit") && fault.isEmpty()) {
        QCOMPARE(cell(w->gridFigures(), 11, 0), QStringLiteral("Time at or above 88.0 dB"));
        QCOMPARE(cell(w->gridFigures(), 11, 1), QStringLiteral("4.0 s"));
    }
    if (field == QLatin1String("txtMinDuration") && fault.isEmpty())
        QCOMPARE(w->gridEvents()->rowCount(), 1); // the 4 s event is longer than 3 s
    TfrmIndicators again;
    QCOMPARE(again.settings() == w->settings(), true);
    QCOMPARE(again.findChild<QLineEdit *>(field)->text() == typed, fault.isEmpty());
}

void TestTfrmIndicators::controlsAreNamedInBothLanguages_data()
{
    QTest::addColumn<Language>("lang");
    QTest::addColumn<QString>("figures");
    QTest::addColumn<QString>("threshold");
    QTest::addColumn<QString>("button");
    QTest::newRow("en") << Language::English << "Indicators of the whole series and between the cursors"
                        << "Event threshold in dB" << "Indicators";
    QTest::newRow("fr") << Language::French << "Indicateurs de toute la série et entre les curseurs"
                        << "Seuil des événements en dB" << "Indicateurs";
}

void TestTfrmIndicators::controlsAreNamedInBothLanguages()
{
    QFETCH(Language, lang);
    QFETCH(QString, figures);
    QFETCH(QString, threshold);
    QFETCH(QString, button);
    TfrmIndicators *w = opened();
    QVERIFY(w);
    LanguageDispatcher::instance().setLanguage(lang);
    const auto name = [](QObject *o) { return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name); };
    QCOMPARE(name(w->gridFigures()), figures);
    QCOMPARE(name(w->txtThreshold()), threshold);
    QCOMPARE(m_graph->btnIndicators()->text(), button);
    QCOMPARE(w->windowTitle(), button);
    for (QTableWidget *g : {w->gridFigures(), w->gridEvents(), w->gridHours(), w->gridDays()})
        QVERIFY2(!name(g).isEmpty() && !g->horizontalHeaderItem(0)->text().isEmpty(), qPrintable(g->objectName()));
}

QTEST_MAIN(TestTfrmIndicators)
#include "tst_TfrmIndicators.moc"
