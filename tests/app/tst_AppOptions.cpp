// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppOptions.h"

#include <QtTest>

using namespace ql708;

class tst_AppOptions : public QObject {
    Q_OBJECT

private slots:
    void startLanguage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Language>("language"); // French also when none is asked for
        QTest::addColumn<bool>("error");
        QTest::addColumn<bool>("simulate");
        QTest::newRow("none asked: the one last chosen") << QStringList{"ql708"} << Language::French << false << false;
        QTest::newRow("en") << QStringList{"ql708", "--language", "en", "--simulate"} << Language::English << false << true;
        QTest::newRow("=fr") << QStringList{"ql708", "--language=en", "--language=fr"} << Language::French << false << false;
        QTest::newRow("unknown") << QStringList{"ql708", "--language", "de"} << Language::French << true << false;
        QTest::newRow("value missing") << QStringList{"ql708", "--language"} << Language::French << true << false;
        QTest::newRow("option as value") << QStringList{"ql708", "--language", "--simulate"} << Language::French << true << false;
    }
    void startLanguage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(Language, language);
        QFETCH(bool, error);
        QFETCH(bool, simulate);
        const AppOptions o = AppOptions::parse(arguments);
        QCOMPARE(o.language.value_or(Language::French), language);
        QCOMPARE(o.language.has_value(), arguments.size() > 1 && !error);
        QCOMPARE(!o.error.isEmpty(), error);
        QCOMPARE(o.simulate, simulate);
        QVERIFY(AppOptions::usage().contains(QLatin1String("--language en|fr")));
    }

    void setupOption()
    {
        QVERIFY(AppOptions::parse({"ql708", "--simulate", "--setup"}).setup);
        QVERIFY(!AppOptions::parse({"ql708", "--simulate"}).setup);
        QVERIFY(AppOptions::usage().contains(QLatin1String("--setup")));
    }

    // Every word is ours or Qt's; the first stray one is named, whatever follows it.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        QTest::addColumn<bool>("help");
        QTest::addColumn<bool>("version");
        QTest::newRow("version") << QStringList{"ql708", "--version"} << QString() << false << true;
        QTest::newRow("-h") << QStringList{"ql708", "-h"} << QString() << true << false;
        QTest::newRow("a word is a file: one the program does not open")
            << QStringList{"ql708", "x", "--version"} << "x: the program opens .rec, .ghf, .txt and .csv files" << false
            << true;
        QTest::newRow("unknown option") << QStringList{"ql708", "--simulat", "--help"} << "unknown option: --simulat"
                                        << true << false;
        QTest::newRow("first fault named") << QStringList{"ql708", "-x", "y"} << "unknown option: -x" << false << false;
        QTest::newRow("Qt option takes its value")
            << QStringList{"ql708", "-platform", "offscreen", "-reverse", "--version"} << QString() << false << true;
        QTest::newRow("Qt option without value") << QStringList{"ql708", "-style"} << "-style needs a value" << false
                                                 << false;
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        QFETCH(bool, help);
        QFETCH(bool, version);
        const AppOptions o = AppOptions::parse(arguments);
        QCOMPARE(o.error, error);
        QCOMPARE(o.showHelp, help);
        QCOMPARE(o.showVersion, version);
    }

    void traceOptions_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("trace");
        QTest::addColumn<QString>("replay");
        QTest::addColumn<QString>("error");
        QTest::newRow("trace the simulated meter")
            << QStringList{"ql708", "--simulate", "--trace", "t.txt"} << "t.txt" << "" << "";
        QTest::newRow("replay, recorded again")
            << QStringList{"ql708", "--replay=a b.txt", "--trace=c.txt"} << "c.txt" << "a b.txt" << "";
        QTest::newRow("replay takes the meter's place")
            << QStringList{"ql708", "--replay", "t.txt", "--simulate"} << "" << "t.txt"
            << "--replay takes the place of the meter; leave out --simulate";
        QTest::newRow("no file") << QStringList{"ql708", "--trace"} << "" << "" << "--trace needs a file";
        QTest::newRow("an option is no file")
            << QStringList{"ql708", "--replay", "--simulate"} << "" << "" << "--replay needs a file";
        QTest::newRow("empty file name") << QStringList{"ql708", "--trace="} << "" << "" << "--trace needs a file";
    }
    void traceOptions()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, trace);
        QFETCH(QString, replay);
        QFETCH(QString, error);
        const AppOptions o = AppOptions::parse(arguments);
        QCOMPARE(o.trace.traceFile, trace);
        QCOMPARE(o.trace.replayFile, replay);
        QCOMPARE(o.error, error);
    }

    // Files to open, as a file manager or a shell hands them over.
    void files_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("error");
        QTest::newRow("every type, either case, in order")
            << QStringList{"ql708", "a.rec", "--simulate", "b.GHF", "c d.txt", "e.Csv"}
            << QStringList{"a.rec", "b.GHF", "c d.txt", "e.Csv"} << "";
        QTest::newRow("-- ends the options") << QStringList{"ql708", "--", "-x.rec", "--simulate.ghf"}
                                             << QStringList{"-x.rec", "--simulate.ghf"} << "";
        QTest::newRow("a dashed name before --") << QStringList{"ql708", "-x.rec"} << QStringList{}
                                                 << "unknown option: -x.rec";
        QTest::newRow("a type the program does not open")
            << QStringList{"ql708", "a.rec", "notes.doc"} << QStringList{"a.rec"}
            << "notes.doc: the program opens .rec, .ghf, .txt and .csv files";
        QTest::newRow("no extension") << QStringList{"ql708", "--", "rec"} << QStringList{}
                                      << "rec: the program opens .rec, .ghf, .txt and .csv files";
    }
    void files()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, files);
        QFETCH(QString, error);
        const AppOptions o = AppOptions::parse(arguments);
        QCOMPARE(o.files, files);
        QCOMPARE(o.error, error);
    }
};

QTEST_GUILESS_MAIN(tst_AppOptions)
#include "tst_AppOptions.moc"
