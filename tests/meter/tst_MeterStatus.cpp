// SPDX-License-Identifier: GPL-3.0-or-later
#include "meter/MeterStatus.h"

#include <QTest>

using namespace ql708;

class TestMeterStatus : public QObject {
    Q_OBJECT
private slots:
    void decodesEveryField_data();
    void decodesEveryField();
    void shownLevel_data();
    void shownLevel();
    void handshake_data();
    void handshake();
};

namespace {
ReplyBuffer reply(std::initializer_list<std::pair<int, int>> bytes)
{
    ReplyBuffer r{};
    r[0] = kStx;
    r[31] = kEtx;
    for (auto [at, v] : bytes)
        r[at] = std::uint8_t(v);
    return r;
}
} // namespace

void TestMeterStatus::decodesEveryField_data()
{
    QTest::addColumn<int>("at");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("expected");
    QTest::newRow("recording") << 1 << 0x01 << "recording" << 1;
    QTest::newRow("maxmin") << 1 << 0x04 << "maxMinActive" << 1;
    QTest::newRow("A weighting") << 1 << 0x08 << "aWeighting" << 1;
    QTest::newRow("fast") << 1 << 0x10 << "fastResponse" << 1;
    QTest::newRow("under") << 1 << 0x40 << "under" << 1;
    QTest::newRow("over") << 1 << 0x80 << "over" << 1;
    QTest::newRow("unused bits 1 and 5") << 1 << 0x22 << "flags" << 0;
    QTest::newRow("memory full") << 2 << 0x10 << "memoryFull" << 1;
    QTest::newRow("other bits of byte 2") << 2 << 0xEF << "memoryFull" << 0;
    QTest::newRow("range") << 3 << 0x44 << "rangeCode" << 0x44;
    QTest::newRow("maxmin mode") << 4 << 0x22 << "maxMinMode" << 0x22;
    QTest::newRow("seconds") << 15 << 0x59 << "clockSeconds" << 0x59;
    QTest::newRow("minutes") << 16 << 0x07 << "clockMinutes" << 0x07;
    QTest::newRow("hours") << 17 << 0x23 << "clockHours" << 0x23;
    QTest::newRow("month") << 19 << 0x12 << "clockMonth" << 0x12;
    QTest::newRow("day") << 20 << 0x31 << "clockDay" << 0x31;
    QTest::newRow("year") << 21 << 0x24 << "clockYear" << 0x24;
}

void TestMeterStatus::decodesEveryField()
{
    QFETCH(int, at);
    QFETCH(int, value);
    QFETCH(QString, field);
    QFETCH(int, expected);
    const MeterStatus s = decodeMeterStatus(reply({{at, value}}));
    const QHash<QString, int> fields = {
        {"recording", s.recording},       {"maxMinActive", s.maxMinActive},
        {"aWeighting", s.aWeighting},     {"fastResponse", s.fastResponse},
        {"under", s.under},               {"over", s.over},
        {"memoryFull", s.memoryFull},     {"rangeCode", s.rangeCode},
        {"maxMinMode", s.maxMinMode},     {"clockSeconds", s.clockSeconds},
        {"clockMinutes", s.clockMinutes}, {"clockHours", s.clockHours},
        {"clockMonth", s.clockMonth},     {"clockDay", s.clockDay},
        {"clockYear", s.clockYear},
        {"flags", s.recording + s.maxMinActive + s.aWeighting + s.fastResponse + s.under + s.over}};
    QCOMPARE(fields.value(field, -1), expected);
}

void TestMeterStatus::shownLevel_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("expected");
    // present 0x0123 = 291, max 0x0456 = 1110, min 0x0078 = 120
    QTest::newRow("no maxmin") << 0x00 << 0x11 << 291;
    QTest::newRow("max held") << 0x04 << 0x11 << 1110;
    QTest::newRow("min held") << 0x04 << 0x22 << 120;
    QTest::newRow("alternate shows present") << 0x04 << 0x44 << 291;
    QTest::newRow("active, mode none") << 0x04 << 0x00 << 291;
}

void TestMeterStatus::shownLevel()
{
    QFETCH(int, flags);
    QFETCH(int, mode);
    QFETCH(int, expected);
    const MeterStatus s = decodeMeterStatus(
        reply({{1, flags}, {4, mode}, {5, 0x01}, {6, 0x23}, {11, 0x04}, {12, 0x56}, {13, 0x00}, {14, 0x78}}));
    QCOMPARE(int(s.shownLevel()), expected);
    QCOMPARE(s.shownLevelDb(), float(expected * 0.1));
}

void TestMeterStatus::handshake_data()
{
    QTest::addColumn<QByteArray>("digits");
    QTest::addColumn<bool>("recognised");
    QTest::newRow("617") << QByteArray("617") << true;
    QTest::newRow("618") << QByteArray("618") << false;
    QTest::newRow("716") << QByteArray("716") << false;
}

void TestMeterStatus::handshake()
{
    QFETCH(QByteArray, digits);
    QFETCH(bool, recognised);
    ReplyBuffer r{};
    r.fill(0xEE); // whatever the other bytes hold
    for (int i = 0; i < 3; ++i)
        r[kHandshakeIdOffset + i] = std::uint8_t(digits[i]);
    QCOMPARE(isHandshakeReply(r), recognised);
}

QTEST_GUILESS_MAIN(TestMeterStatus)
#include "tst_MeterStatus.moc"
