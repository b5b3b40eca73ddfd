// SPDX-License-Identifier: GPL-3.0-or-later
#include "realtime/RunSetup.h"

#include <QTest>

using namespace ql708::realtime;

Q_DECLARE_METATYPE(std::optional<int>)
Q_DECLARE_METATYPE(std::optional<float>)

class TestRunSetup : public QObject {
    Q_OBJECT
private slots:
    void pointCounts_data();
    void pointCounts();
    void rates_data();
    void rates();
    void periods_data();
    void periods();
};

void TestRunSetup::pointCounts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<std::optional<int>>("count");
    const std::optional<int> none;
    QTest::newRow("2000") << "2000" << std::optional<int>(2000);
    QTest::newRow("blanks around") << "  25 " << std::optional<int>(25);
    QTest::newRow("one") << "1" << std::optional<int>(1);
    QTest::newRow("a million") << "1000000" << std::optional<int>(1'000'000);
    QTest::newRow("one more than a million") << "1000001" << none;
    QTest::newRow("zero") << "0" << none;
    QTest::newRow("negative") << "-5" << none;
    QTest::newRow("decimal") << "20.5" << none;
    QTest::newRow("letters") << "abc" << none;
    QTest::newRow("empty") << "" << none;
    QTest::newRow("beyond 64 bits") << "99999999999999999999" << none;
}

void TestRunSetup::pointCounts()
{
    QFETCH(QString, text);
    QTEST(pointCount(text), "count");
}

void TestRunSetup::rates_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<std::optional<float>>("rate");
    const std::optional<float> none;
    QTest::newRow("0.5") << "0.5" << "en_US" << std::optional<float>(0.5f);
    QTest::newRow("0,5 in French") << "0,5" << "fr_FR" << std::optional<float>(0.5f);
    QTest::newRow("30.0") << "30.0" << "en_US" << std::optional<float>(30.0f);
    QTest::newRow("a typed 0.2") << " 0.2 " << "en_US" << std::optional<float>(0.2f);
    QTest::newRow("zero") << "0" << "en_US" << none;
    QTest::newRow("negative") << "-1" << "en_US" << none;
    QTest::newRow("not a number") << "fast" << "en_US" << none;
}

void TestRunSetup::rates()
{
    QFETCH(QString, text);
    QFETCH(QString, locale);
    QTEST(samplingRate(text, QLocale(locale)), "rate");
}

void TestRunSetup::periods_data()
{
    QTest::addColumn<double>("rate");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("unpadded");
    QTest::addColumn<QString>("padded");
    QTest::newRow("2000 at 2 s") << 2.0 << 2000 << "1:6:40" << "1:06:40";
    QTest::newRow("2000 at 0.2 s") << 0.2 << 2000 << "0:6:40" << "0:06:40";
    QTest::newRow("rounds half up") << 0.5 << 3 << "0:0:2" << "0:00:02";
    QTest::newRow("nothing") << 0.5 << 0 << "0:0:0" << "0:00:00";
    QTest::newRow("a day and more") << 30.0 << 1'000'000 << "8333:20:0" << "8333:20:00";
}

void TestRunSetup::periods()
{
    QFETCH(double, rate);
    QFETCH(int, count);
    const qint64 s = periodSeconds(rate, count);
    QTEST(periodText(s, PeriodStyle::Unpadded), "unpadded");
    QTEST(periodText(s, PeriodStyle::Padded), "padded");
}

QTEST_MAIN(TestRunSetup)
#include "tst_RunSetup.moc"
