// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/StringTable.h"
#include "output/IndicatorsPage.h"
#include "tests/support/PdfText.h"

#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

using namespace ql708;
using namespace ql708::output;

class TestIndicatorsPage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setActiveLanguage(Language::English); }
    void eventsThatFit_data();
    void eventsThatFit();
    void pageOfAnHourWithManyEvents();
};

void TestIndicatorsPage::eventsThatFit_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("height");
    QTest::addColumn<int>("shown");
    QTest::newRow("all fit") << 5 << 50.0 << 5;
    QTest::newRow("exactly") << 5 << 5.0 * 10 << 5;
    QTest::newRow("one too many: the last line says so") << 6 << 50.0 << 4;
    QTest::newRow("no room") << 3 << 5.0 << 0;
    QTest::newRow("none") << 0 << 0.0 << 0;
}

void TestIndicatorsPage::eventsThatFit()
{
    QFETCH(int, count);
    QFETCH(double, height);
    QFETCH(int, shown);
    QCOMPARE(eventsShown(count, height, 10.0), shown);
}

// 14:00 to 15:00 with a quiet hour between: 400 events of 2 s, far more than a page holds.
void TestIndicatorsPage::pageOfAnHourWithManyEvents()
{
    const TDateTime start = toTDateTime(QDateTime(QDate(2024, 3, 5), QTime(14, 0)));
    std::vector<TDateTime> times;
    std::vector<float> levels;
    for (int i = 0; i < 1800; ++i) {
        times.push_back(start + i * 2 * kSecond);
        levels.push_back(i % 4 == 0 ? 90.0f : 60.0f);
    }
    times.push_back(start + 2.0 / 24);
    levels.push_back(70.0f);
    const analysis::SpanIndex index({times, levels, 2.0, true});
    const IndicatorsPage p = indicatorsPage(QStringLiteral("site.rec"), index);
    QCOMPARE(p.hours.size(), 3);
    QVERIFY(p.hours[0].leq && !p.hours[1].leq && p.hours[2].leq);
    QCOMPARE(p.hours[2].label, QStringLiteral("16"));
    QCOMPARE(p.events.size(), 450);
    QCOMPARE(p.eventsTitle, QStringLiteral("NA85: 450 events, 900.0 s"));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("page.pdf"));
    {
        QPdfWriter writer(path);
        QPainter painter(&writer);
        paintIndicatorsPage(painter, QRectF(0, 0, writer.width(), writer.height()), p);
    }
    QCOMPARE(test::pdfPages(path), 1);
    const QString page = test::pdfText(path, 1);
    QVERIFY(page.contains(QStringLiteral("LEX,8h")));
    QVERIFY(page.contains(QStringLiteral("NA85: 450 events")));
    QVERIFY2(page.contains(QRegularExpression(QStringLiteral("… and [0-9]+ more"))), qPrintable(page.right(200)));
}

QTEST_MAIN(TestIndicatorsPage)
#include "tst_IndicatorsPage.moc"
