#include "app/AppOptions.h"

#include <QtTest>

using namespace ql708;

class tst_LanguageOption : public QObject {
    Q_OBJECT

private slots:
    void startLanguage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Language>("language");
        QTest::addColumn<bool>("error");
        QTest::addColumn<bool>("simulate");
        QTest::newRow("default") << QStringList{"ql708"} << Language::French << false << false;
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
        QCOMPARE(o.language, language);
        QCOMPARE(!o.error.isEmpty(), error);
        QCOMPARE(o.simulate, simulate);
        QVERIFY(AppOptions::usage().contains(QLatin1String("--language en|fr")));
    }
};

QTEST_GUILESS_MAIN(tst_LanguageOption)
#include "tst_LanguageOption.moc"
