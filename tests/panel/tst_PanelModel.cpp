// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/PanelModel.h"

#include <QTest>

using namespace ql708;

using Digits4 = std::array<int, 4>;
using Clock6 = PanelClock::Digits;
Q_DECLARE_METATYPE(Digits4)
Q_DECLARE_METATYPE(Clock6)

namespace {
constexpr int B = kDigitBlank;
constexpr int N = kNoDigit;

MeterStatus status(std::uint8_t range, std::uint16_t level)
{
    MeterStatus s;
    s.rangeCode = range;
    s.level = level;
    return s;
}
} // namespace

class tst_PanelModel : public QObject {
    Q_OBJECT
private slots:
    void levelDigits_data();
    void levelDigits();
    void barWidth_data();
    void barWidth();
    void clockRules_data();
    void clockRules();
    void indicatorsFollowStatus();
    void maxMinLabels_data();
    void maxMinLabels();
    void blinkStopsWhenMaxHeld();
    void unknownRangeKeepsRangeAndBar();
};

void tst_PanelModel::levelDigits_data()
{
    QTest::addColumn<unsigned>("level");
    QTest::addColumn<Digits4>("digits");
    QTest::newRow("0 reads 00.0 after a blank") << 0u << Digits4{B, 0, 0, 0};
    QTest::newRow("450") << 450u << Digits4{B, 4, 5, 0};
    QTest::newRow("950") << 950u << Digits4{B, 9, 5, 0};
    QTest::newRow("1000 keeps inner zeros") << 1000u << Digits4{1, 0, 0, 0};
    QTest::newRow("1234") << 1234u << Digits4{1, 2, 3, 4};
    QTest::newRow("9999") << 9999u << Digits4{9, 9, 9, 9};
    QTest::newRow("10000 reads Err") << 10000u << Digits4{kDigitLetterE, kDigitSmallR, kDigitSmallR, B};
    QTest::newRow("65535 reads Err") << 65535u << Digits4{kDigitLetterE, kDigitSmallR, kDigitSmallR, B};
}

void tst_PanelModel::levelDigits()
{
    QFETCH(unsigned, level);
    QFETCH(Digits4, digits);
    QCOMPARE(ql708::levelDigits(level), digits);
}

void tst_PanelModel::barWidth_data()
{
    QTest::addColumn<int>("range");
    QTest::addColumn<unsigned>("level");
    QTest::addColumn<int>("width");
    // Threshold, just above it, range top, beyond the top.
    QTest::newRow("30-90 at 300") << 0x11 << 300u << 4;
    QTest::newRow("30-90 at 305") << 0x11 << 305u << 5;
    QTest::newRow("30-90 top") << 0x11 << 900u << 154;
    QTest::newRow("30-90 below range") << 0x11 << 0u << 4;
    QTest::newRow("50-110 at 500") << 0x22 << 500u << 4;
    QTest::newRow("50-110 top") << 0x22 << 1100u << 154;
    QTest::newRow("70-130 at 700") << 0x44 << 700u << 4;
    QTest::newRow("70-130 top") << 0x44 << 1300u << 154;
    QTest::newRow("70-130 beyond top fills the strip") << 0x44 << 1400u << 156;
    QTest::newRow("30-90 absurd level") << 0x11 << 65535u << 156;
    QTest::newRow("30-130 absurd level") << 0x88 << 4294967295u << 156;
    QTest::newRow("30-130 at 301 truncates") << 0x88 << 301u << 4;
    QTest::newRow("30-130 at 307") << 0x88 << 307u << 5;
    QTest::newRow("30-130 top") << 0x88 << 1300u << 154;
}

void tst_PanelModel::barWidth()
{
    QFETCH(int, range);
    QFETCH(unsigned, level);
    QFETCH(int, width);
    QCOMPARE(ql708::barWidth(std::uint8_t(range), level), std::optional<int>(width));
    PanelModel m;
    m.update(status(std::uint8_t(range), std::uint16_t(level)));
    QCOMPARE(m.view().barWidth, width);
}

void tst_PanelModel::clockRules_data()
{
    // Each row: the seconds, minutes and hours of two replies in turn, then the digits
    // shown (hours, minutes, seconds) and the remembered seconds.
    QTest::addColumn<QList<int>>("replies");
    QTest::addColumn<Clock6>("digits");
    QTest::addColumn<int>("lastSeconds");
    QTest::newRow("first reply with seconds 00 shows nothing")
        << QList<int>{0x00, 0x30, 0x12} << Clock6{N, N, N, N, N, N} << 0;
    QTest::newRow("a change of seconds shows all fields")
        << QList<int>{0x00, 0x30, 0x12, 0x01, 0x30, 0x12} << Clock6{1, 2, 3, 0, 0, 1} << 0x01;
    QTest::newRow("same seconds changes nothing")
        << QList<int>{0x07, 0x30, 0x12, 0x07, 0x45, 0x23} << Clock6{1, 2, 3, 0, 0, 7} << 0x07;
    QTest::newRow("5A in hours keeps the digits and remembers 2")
        << QList<int>{0x07, 0x30, 0x12, 0x08, 0x31, 0x5A} << Clock6{1, 2, 3, 0, 0, 7} << 2;
    QTest::newRow("5A in seconds")
        << QList<int>{0x5A, 0x00, 0x00} << Clock6{N, N, N, N, N, N} << 2;
    QTest::newRow("hex minutes stop at their field")
        << QList<int>{0x07, 0x30, 0x11, 0x59, 0x3B, 0x12} << Clock6{1, 2, 3, 0, 0, 7} << 0x59;
    QTest::newRow("hex hours leave everything")
        << QList<int>{0x07, 0x30, 0x11, 0x08, 0x31, 0xA1} << Clock6{1, 1, 3, 0, 0, 7} << 0x08;
    QTest::newRow("hex seconds still set hours and minutes")
        << QList<int>{0x1F, 0x45, 0x09} << Clock6{0, 9, 4, 5, N, N} << 0x1F;
}

void tst_PanelModel::clockRules()
{
    QFETCH(QList<int>, replies);
    QFETCH(Clock6, digits);
    QFETCH(int, lastSeconds);
    PanelModel m;
    PanelClock c;
    for (int i = 0; i + 2 < replies.size(); i += 3) {
        MeterStatus s;
        s.clockSeconds = std::uint8_t(replies[i]);
        s.clockMinutes = std::uint8_t(replies[i + 1]);
        s.clockHours = std::uint8_t(replies[i + 2]);
        m.update(s);
        c.update(s.clockSeconds, s.clockMinutes, s.clockHours);
    }
    QCOMPARE(m.view().clock, digits);
    QCOMPARE(int(c.lastSeconds()), lastSeconds);
}

void tst_PanelModel::indicatorsFollowStatus()
{
    PanelModel m;
    MeterStatus s = status(0x11, 500);
    s.recording = s.under = s.memoryFull = true;
    s.aWeighting = s.fastResponse = s.over = false;
    m.update(s);
    const PanelView &v = m.view();
    QVERIFY(v.rec && v.under && v.full && !v.over);
    QVERIFY(!v.dBA && v.dBC && !v.fast && v.slow);
    QCOMPARE(v.digits, (Digits4{B, 5, 0, 0}));
    QCOMPARE(v.rangeLow, 30);
    QCOMPARE(v.rangeHigh, 90);

    s.aWeighting = s.fastResponse = s.over = true;
    s.recording = s.under = s.memoryFull = false;
    m.update(s);
    QVERIFY(!v.rec && !v.under && !v.full && v.over);
    QVERIFY(v.dBA && !v.dBC && v.fast && !v.slow);
}

void tst_PanelModel::maxMinLabels_data()
{
    QTest::addColumn<bool>("active");
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("max");
    QTest::addColumn<bool>("min");
    QTest::addColumn<bool>("blink");
    QTest::addColumn<int>("shown");
    // The labels start as MAX shown, MIN shown and the blink running, to see what changes.
    QTest::newRow("inactive hides both and stops") << false << 0x11 << false << false << false << 500;
    QTest::newRow("mode 00 leaves labels, stops") << true << 0x00 << true << true << false << 500;
    QTest::newRow("11 MAX") << true << 0x11 << true << false << false << 900;
    QTest::newRow("22 MIN") << true << 0x22 << false << true << false << 300;
    QTest::newRow("44 blinks") << true << 0x44 << true << true << true << 500;
    QTest::newRow("other leaves everything") << true << 0x33 << true << true << true << 500;
}

void tst_PanelModel::maxMinLabels()
{
    QFETCH(bool, active);
    QFETCH(int, mode);
    QFETCH(bool, max);
    QFETCH(bool, min);
    QFETCH(bool, blink);
    QFETCH(int, shown);
    PanelModel m;
    MeterStatus s = status(0x88, 500);
    s.maxLevel = 900;
    s.minLevel = 300;
    s.maxMinActive = true;
    s.maxMinMode = kMaxMinAlternate;
    m.update(s);
    m.blinkTick();
    QVERIFY(m.view().max && m.view().min && m.view().blinkRunning);

    s.maxMinActive = active;
    s.maxMinMode = std::uint8_t(mode);
    m.update(s);
    QCOMPARE(m.view().max, max);
    QCOMPARE(m.view().min, min);
    QCOMPARE(m.view().blinkRunning, blink);
    QCOMPARE(m.view().digits, ql708::levelDigits(unsigned(shown)));
}

void tst_PanelModel::blinkStopsWhenMaxHeld()
{
    PanelModel m;
    MeterStatus s = status(0x88, 500);
    s.maxMinActive = true;
    s.maxMinMode = kMaxMinAlternate;
    QList<bool> phases;
    for (int i = 0; i < 3; ++i) {
        m.update(s); // repeated 0x44 keeps the one blink and its phase going
        m.blinkTick();
        phases << m.view().max;
        QCOMPARE(m.view().min, m.view().max);
    }
    QCOMPARE(phases, (QList<bool>{true, false, true}));
    s.maxMinMode = kMaxHeld;
    m.update(s);
    QVERIFY(!m.view().blinkRunning);
    QVERIFY(m.view().max);
    QVERIFY(!m.view().min);
}

void tst_PanelModel::unknownRangeKeepsRangeAndBar()
{
    PanelModel m;
    m.update(status(0x22, 800));
    m.update(status(0x00, 1100));
    QCOMPARE(m.view().rangeLow, 50);
    QCOMPARE(m.view().rangeHigh, 110);
    QCOMPARE(m.view().barWidth, 79);
    QCOMPARE(ql708::barWidth(0x00, 1100), std::nullopt);
}

QTEST_APPLESS_MAIN(tst_PanelModel)
#include "tst_PanelModel.moc"
