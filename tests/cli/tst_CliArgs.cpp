// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliArgs.h"

#include <QTest>
#include <limits>

using namespace ql708::cli;

class tst_CliArgs : public QObject {
    Q_OBJECT
private slots:
    void readsOptions_data();
    void readsOptions();
    void endOfOptions_data();
    void endOfOptions();
};

// The words of a command that knows --simulate and --count (0 or more).
void tst_CliArgs::readsOptions_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<bool>("simulate");
    QTest::addColumn<qint64>("count"); // -1: not given or refused
    QTest::addColumn<QString>("error");
    const qint64 none = -1;
    QTest::newRow("nothing") << QStringList{} << false << none << QString();
    QTest::newRow("both") << QStringList{"--count", "7", "--simulate"} << true << qint64(7) << QString();
    QTest::newRow("joined value, last counts") << QStringList{"--count=3", "--count", "0"} << false << qint64(0)
                                                << QString();
    QTest::newRow("largest") << QStringList{"--count", "9223372036854775807"} << false
                             << std::numeric_limits<qint64>::max() << QString();
    QTest::newRow("too large for a number")
        << QStringList{"--count", "99999999999999999999"} << false << none
        << "--count 99999999999999999999 is too large; the largest is 9223372036854775807";
    QTest::newRow("negative") << QStringList{"--count", "-1"} << false << none
                              << "--count -1 is too small; the smallest is 0";
    QTest::newRow("not a number") << QStringList{"--count", "5x"} << false << none
                                  << "--count takes a whole number, not \"5x\"";
    QTest::newRow("value missing") << QStringList{"--simulate", "--count"} << true << none << "--count needs a value";
    QTest::newRow("unknown option named") << QStringList{"--simulate", "--frob", "x"} << true << none
                                          << "unknown option: --frob";
    QTest::newRow("stray word named") << QStringList{"now"} << false << none << "unexpected word: now";
}

void tst_CliArgs::readsOptions()
{
    QFETCH(QStringList, words);
    QFETCH(bool, simulate);
    QFETCH(qint64, count);
    QFETCH(QString, error);
    CliArgs args(words);
    QCOMPARE(args.flag(QStringLiteral("--simulate")), simulate);
    QCOMPARE(args.number(QStringLiteral("--count"), 0, std::numeric_limits<qint64>::max()).value_or(-1), count);
    QCOMPARE(args.finish(), error.isEmpty());
    QCOMPARE(args.error(), error);
}

// A command that takes --simulate, -o FILE and one word, with "--" in its words.
void tst_CliArgs::endOfOptions_data()
{
    QTest::addColumn<QStringList>("words");
    QTest::addColumn<bool>("simulate");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("help");
    QTest::addColumn<QString>("error");
    QTest::newRow("an option after -- is a word") << QStringList{"--", "--simulate"} << false << "" << "--simulate"
                                                  << false << "";
    QTest::newRow("a dashed file name") << QStringList{"--simulate", "--", "-x.rec"} << true << "" << "-x.rec" << false
                                        << "";
    QTest::newRow("-h after -- is no help") << QStringList{"x.rec", "--", "-h"} << false << "" << "x.rec" << false
                                            << "unexpected word: -h";
    QTest::newRow("help before --") << QStringList{"-h", "--", "x.rec"} << false << "" << "x.rec" << true
                                    << "unknown option: -h";
    QTest::newRow("standard output") << QStringList{"-o", "-", "x.rec"} << false << "-" << "x.rec" << false << "";
    QTest::newRow("a lone dash is a word") << QStringList{"-"} << false << "" << "-" << false << "";
    QTest::newRow("one word too many") << QStringList{"--", "a", "b"} << false << "" << "a" << false
                                       << "unexpected word: b";
}

void tst_CliArgs::endOfOptions()
{
    QFETCH(QStringList, words);
    QFETCH(bool, simulate);
    QFETCH(QString, output);
    QFETCH(QString, word);
    QFETCH(bool, help);
    QFETCH(QString, error);
    QCOMPARE(CliArgs::asksForHelp(words), help);
    CliArgs args(words);
    QCOMPARE(args.flag(QStringLiteral("--simulate")), simulate);
    QCOMPARE(args.value(QStringLiteral("-o")).value_or(QString()), output);
    QCOMPARE(args.word(QStringLiteral("FILE")).value_or(QString()), word);
    QCOMPARE(args.finish(), error.isEmpty());
    QCOMPARE(args.error(), error);
}

QTEST_GUILESS_MAIN(tst_CliArgs)
#include "tst_CliArgs.moc"
