// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/StatsCommand.h"
#include "data/CollectionFile.h"
#include "tests/data/ImageBuilder.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace ql708;
using namespace ql708::cli;

class TestStatsCommand : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { QLocale::setDefault(QLocale::c()); }
    void jsonFigures_data();
    void jsonFigures();
    void textUsesFullStops();
    void faults_data();
    void faults();

private:
    int run(QStringList words, QString &out, QString &err);
    QTemporaryDir m_dir;
};

void TestStatsCommand::initTestCase()
{
    // Decimal commas in the user's locale: the output must not follow them.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    // 3 points of 65.0 dB from 5 March 2024 14:07:09 every 2 s.
    QVERIFY(data::writeCollection(m_dir.filePath("sets.rec"), test::buildImage({test::steadyRecord(3, 650)})));
    // Two readings of 94 dB 10 s apart, and a line whose time is no time.
    const QList<QPair<QString, QByteArray>> files{
        {"two.csv", "05/03/2024, 14:07:09.0, 94.0\r\n05/03/2024, 14:07:19.0, 94.0\r\n"},
        {"bad.csv", "05/03/2024, 14:07:09.0, 94.0\r\nnoon, 14:07:19.0, 94.0\r\n"}};
    for (const auto &[name, bytes] : files) {
        QFile f(m_dir.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
}

int TestStatsCommand::run(QStringList words, QString &out, QString &err)
{
    for (QString &w : words)
        if (QRegularExpression(QStringLiteral("^[a-z]+\\.[a-z]+$")).match(w).hasMatch())
            w = m_dir.filePath(w);
    QTextStream outStream(&out), errStream(&err);
    CliContext context{outStream, errStream, {}};
    CliArgs args(words);
    const int status = runStats(args, context);
    outStream.flush();
    errStream.flush();
    err += args.error();
    return status;
}

void TestStatsCommand::jsonFigures_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<QString>("key"); // a path of names through the document
    QTest::addColumn<QJsonValue>("value");
    const QStringList set{"sets.rec", "--set", "1", "--json"};
    QTest::newRow("readings") << set << "readings" << QJsonValue(3);
    QTest::newRow("T is readings x interval") << set << "duration_s" << QJsonValue(6.0);
    QTest::newRow("Leq") << set << "leq" << QJsonValue(65.0);
    QTest::newRow("SEL over 6 s") << set << "sel" << QJsonValue(72.8);
    QTest::newRow("LEX,8h") << set << "exposure/lex_8h" << QJsonValue(28.2);
    QTest::newRow("not reached") << set << "exposure/lower_action_value_reached" << QJsonValue(false);
    QTest::newRow("no OSHA dose below its threshold") << set << "exposure/osha/twa" << QJsonValue();
    QTest::newRow("first time, local with its offset") << set << "from"
                                                      << QJsonValue(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9))
                                                                        .toOffsetFromUtc(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9)).offsetFromUtc())
                                                                        .toString(Qt::ISODate));
    QTest::newRow("events under a threshold given") << QStringList{"sets.rec", "--set", "1", "--json", "--threshold", "64.5"}
                                                    << "events/count" << QJsonValue(1);
    QTest::newRow("no events at 85") << set << "events/count" << QJsonValue(0);
    QTest::newRow("from to, ISO") << QStringList{"sets.rec", "--set=1", "--json", "--from", "2024-03-05T14:07:10", "--to",
                                                 "2024-03-05 14:07:13"}
                                  << "readings" << QJsonValue(2);
    QTest::newRow("from, the program's own text") << QStringList{"sets.rec", "--set=1", "--json", "--from",
                                                                 "05/03/2024 14:07:11"}
                                                  << "readings" << QJsonValue(2);
    QTest::newRow("two of 94 dB 10 s apart") << QStringList{"two.csv", "--json"} << "sel" << QJsonValue(107.0);
    QTest::newRow("interval from the times") << QStringList{"two.csv", "--json"} << "interval_s" << QJsonValue(10.0);
    QTest::newRow("the hour of the readings") << set << "hours/14/readings" << QJsonValue(3);
    QTest::newRow("a day without its evening has no Lden") << set << "days/0/lden" << QJsonValue();
}

void TestStatsCommand::jsonFigures()
{
    QFETCH(QStringList, words);
    QFETCH(QString, key);
    QFETCH(QJsonValue, value);
    QString out, err;
    QCOMPARE(run(words, out, err), 0);
    QVERIFY2(err.isEmpty(), qPrintable(err));
    QJsonParseError parsed;
    QJsonValue v = QJsonDocument::fromJson(out.toUtf8(), &parsed).object();
    QCOMPARE(parsed.error, QJsonParseError::NoError);
    for (const QString &name : key.split(QLatin1Char('/'))) {
        bool index = false;
        const int i = name.toInt(&index);
        v = index ? v.toArray().at(i) : v.toObject().value(name);
    }
    QCOMPARE(v, value);
}

void TestStatsCommand::textUsesFullStops()
{
    QString out, err;
    QCOMPARE(run({"sets.rec", "--set", "1"}, out, err), 0);
    QVERIFY(out.contains(QStringLiteral("  Leq (dB): 65.0\n")));
    QVERIFY(out.contains(QStringLiteral("  SEL (dB): 72.8\n")));
    QVERIFY(out.contains(QStringLiteral("  TWA (dB): -\n")));
}

void TestStatsCommand::faults_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("err");
    QTest::newRow("no set") << QStringList{"sets.rec"} << 2 << "--set N is needed";
    QTest::newRow("set of a text file") << QStringList{"two.csv", "--set", "1"} << 2 << "for collection files";
    QTest::newRow("no set 2") << QStringList{"sets.rec", "--set", "2"} << 1 << "there is no set 2";
    QTest::newRow("other file") << QStringList{"a.wav"} << 2 << "not a .rec, .ghf, .txt or .csv file";
    QTest::newRow("missing") << QStringList{"missing.ghf"} << 1 << "missing.ghf";
    QTest::newRow("time no time") << QStringList{"bad.csv"} << 1 << "line 2: \"noon 14:07:19.0\" is no date and time";
    QTest::newRow("--from no time") << QStringList{"two.csv", "--from", "yesterday"} << 2 << "\"yesterday\" is no date";
    QTest::newRow("span without readings") << QStringList{"two.csv", "--from", "2030-01-01T00:00"} << 1
                                           << "no reading is stamped";
    QTest::newRow("threshold no number") << QStringList{"two.csv", "--threshold", "85,5"} << 2 << "not \"85,5\"";
}

void TestStatsCommand::faults()
{
    QFETCH(QStringList, words);
    QFETCH(int, status);
    QFETCH(QString, err);
    QString outText, errText;
    QCOMPARE(run(words, outText, errText), status);
    QVERIFY(outText.isEmpty());
    QVERIFY2(errText.contains(err), qPrintable(errText));
}

QTEST_GUILESS_MAIN(TestStatsCommand)
#include "tst_StatsCommand.moc"
