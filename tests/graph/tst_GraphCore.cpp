// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/GraphCloseRules.h"
#include "graph/SamplingRate.h"

#include <QTest>
#include <limits>

using namespace ql708::graph;

Q_DECLARE_METATYPE(std::optional<int>)
Q_DECLARE_METATYPE(GraphKind)
Q_DECLARE_METATYPE(Answer)
Q_DECLARE_METATYPE(CloseQuestion)

class TestGraphCore : public QObject {
    Q_OBJECT
private slots:
    void rateEntryByRate_data();
    void rateEntryByRate();
    void entriesInTheUsersFormat();
    void rateBoxChange_data();
    void rateBoxChange();
    void closeQuestions_data();
    void closeQuestions();
    void closeClearsByCaption_data();
    void closeClearsByCaption();
};

void TestGraphCore::rateEntryByRate_data()
{
    QTest::addColumn<double>("rate");
    QTest::addColumn<std::optional<int>>("entry");
    QTest::newRow("default 0.2") << 0.2 << std::optional<int>(0);
    QTest::newRow("just below 0.55") << 0.5499 << std::optional<int>(0);
    QTest::newRow("0.55") << 0.55 << std::optional<int>(1);
    QTest::newRow("1.5") << 1.5 << std::optional<int>(2);
    QTest::newRow("5.5") << 5.5 << std::optional<int>(4);
    QTest::newRow("20.5") << 20.5 << std::optional<int>(6);
    QTest::newRow("30.49") << 30.49 << std::optional<int>(6);
    QTest::newRow("30.5 none") << 30.5 << std::optional<int>();
    QTest::newRow("45 none") << 45.0 << std::optional<int>();
    QTest::newRow("NaN none") << std::numeric_limits<double>::quiet_NaN() << std::optional<int>();
}

void TestGraphCore::rateEntryByRate()
{
    QFETCH(double, rate);
    QFETCH(std::optional<int>, entry);
    QCOMPARE(rateEntry(rate), entry);
}

void TestGraphCore::entriesInTheUsersFormat()
{
    QCOMPARE(rateEntryTexts(QLocale::c()),
             QStringList({"0.5", "1.0", "2.0", "5.0", "10.0", "20.0", "30.0"}));
    QCOMPARE(rateEntryTexts(QLocale(QLocale::German)),
             QStringList({"0,5", "1,0", "2,0", "5,0", "10,0", "20,0", "30,0"}));
}

void TestGraphCore::rateBoxChange_data()
{
    QTest::addColumn<bool>("running");
    QTest::addColumn<float>("rate");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<float>("rateAfter");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<std::optional<int>>("entry");
    QTest::newRow("idle takes the number") << false << 0.2f << "5.0" << "C" << 5.0f << false << std::optional<int>();
    QTest::newRow("idle, comma locale") << false << 0.2f << "0,5" << "de_DE" << 0.5f << false << std::optional<int>();
    QTest::newRow("idle, not a number") << false << 2.0f << "fast" << "C" << 2.0f << false << std::optional<int>();
    QTest::newRow("running 0.55 goes back to 1.0") << true << 0.55f << "5.0" << "C" << 0.55f << true << std::optional<int>(1);
    QTest::newRow("running 45 keeps the entry") << true << 45.0f << "5.0" << "C" << 45.0f << true << std::optional<int>();
    QTest::newRow("running, the entry shown again") << true << 2.0f << "2.0" << "C" << 2.0f << false << std::optional<int>();
    QTest::newRow("running 0.2, its entry 0.5") << true << 0.2f << "0,5" << "fr_FR" << 0.2f << false << std::optional<int>();
    QTest::newRow("running 0.55, entry 0.5 is another") << true << 0.55f << "0.5" << "C" << 0.55f << true << std::optional<int>(1);
    QTest::newRow("idle, zero is no rate") << false << 2.0f << "0" << "C" << 2.0f << false << std::optional<int>();
    QTest::newRow("idle, 1e300 is no rate") << false << 2.0f << "1e300" << "C" << 2.0f << false << std::optional<int>();
}

void TestGraphCore::rateBoxChange()
{
    QFETCH(bool, running);
    QFETCH(float, rate);
    QFETCH(QString, text);
    QFETCH(QString, locale);
    QFETCH(float, rateAfter);
    QFETCH(bool, refused);
    QFETCH(std::optional<int>, entry);
    GraphState s;
    s.realTime.realTimeRunning = running;
    s.realTime.RealTimeRate = rate;
    const RateChange c = samplingRateChanged(text, s.realTime, QLocale(locale));
    QCOMPARE(s.realTime.RealTimeRate, rateAfter);
    QCOMPARE(c.refused, refused);
    QCOMPARE(c.entry, entry);
}

void TestGraphCore::closeQuestions_data()
{
    QTest::addColumn<GraphKind>("kind");
    QTest::addColumn<bool>("loggerUnsaved");
    QTest::addColumn<bool>("realTimeUnsaved");
    QTest::addColumn<CloseQuestion>("question");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("allow");
    QTest::addColumn<bool>("save");
    QTest::addColumn<bool>("loggerAfter");
    QTest::addColumn<bool>("realTimeAfter");
    using K = GraphKind;
    using A = Answer;
    const auto logger = CloseQuestion::SaveLoggerData, live = CloseQuestion::SaveRealTime, none = CloseQuestion::None;
    QTest::newRow("logger Yes") << K::DataLogger << true << true << logger << A::Yes << true << true << false << true;
    QTest::newRow("logger No") << K::DataLogger << true << false << logger << A::No << true << false << true << false;
    QTest::newRow("logger Cancel") << K::DataLogger << true << false << logger << A::Cancel << false << false << true << false;
    QTest::newRow("logger saved") << K::DataLogger << false << true << none << A::Yes << true << false << false << true;
    QTest::newRow("real-time Yes") << K::RealTime << true << true << live << A::Yes << true << true << true << false;
    QTest::newRow("real-time No") << K::RealTime << false << true << live << A::No << true << false << false << false;
    QTest::newRow("real-time Cancel") << K::RealTime << false << true << live << A::Cancel << false << false << false << true;
    QTest::newRow("real-time saved") << K::RealTime << true << false << none << A::Yes << true << false << true << false;
    QTest::newRow("plain never asks") << K::Plain << true << true << none << A::Yes << true << false << true << true;
    QTest::newRow("LEQ never asks") << K::CalLeq << true << true << none << A::Yes << true << false << true << true;
}

void TestGraphCore::closeQuestions()
{
    QFETCH(GraphKind, kind);
    QFETCH(bool, loggerUnsaved);
    QFETCH(bool, realTimeUnsaved);
    QFETCH(CloseQuestion, question);
    QFETCH(Answer, answer);
    QFETCH(bool, allow);
    QFETCH(bool, save);
    QFETCH(bool, loggerAfter);
    QFETCH(bool, realTimeAfter);
    GraphState s;
    s.loggerDataUnsaved = loggerUnsaved;
    s.realTime.realTimeUnsaved = realTimeUnsaved;
    QCOMPARE(closeQuestion(kind, s), question);
    if (question != CloseQuestion::None) {
        const CloseAnswer a = answerCloseQuestion(kind, answer, s);
        QCOMPARE(a.allow, allow);
        QCOMPARE(a.save, save);
    }
    QCOMPARE(s.loggerDataUnsaved, loggerAfter);
    QCOMPARE(s.realTime.realTimeUnsaved, realTimeAfter);
}

void TestGraphCore::closeClearsByCaption_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<GraphKind>("kind");
    QTest::addColumn<bool>("runEnds");
    QTest::newRow("real-time") << "Real-Time Graph" << GraphKind::RealTime << true;
    QTest::newRow("DataLogger") << "DataLogger" << GraphKind::DataLogger << false;
    QTest::newRow("CAL Leq") << "LEQ" << GraphKind::CalLeq << false;
    QTest::newRow("LEQ results are plain") << "Leq" << GraphKind::Plain << false;
    QTest::newRow("a graph file") << "/home/u/site.ghf" << GraphKind::Plain << false;
}

void TestGraphCore::closeClearsByCaption()
{
    QFETCH(QString, caption);
    QFETCH(GraphKind, kind);
    QFETCH(bool, runEnds);
    QCOMPARE(graphKind(caption), kind);
    GraphState s;
    s.loggerDataUnsaved = true;
    s.realTime.realTimeRunning = true;
    s.realTime.realTimePointCount = 17;
    s.realTime.RealTimeRate = 2.0f;
    closeGraph(kind, s);
    QCOMPARE(s.loggerDataUnsaved, kind != GraphKind::DataLogger);
    QCOMPARE(s.realTime.realTimeRunning, !runEnds);
    QCOMPARE(s.realTime.realTimePointCount, runEnds ? 0 : 17);
    QCOMPARE(s.realTime.RealTimeRate, 2.0f);
}

QTEST_GUILESS_MAIN(TestGraphCore)
#include "tst_GraphCore.moc"
