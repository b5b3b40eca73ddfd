// SPDX-License-Identifier: GPL-3.0-or-later
// The MQTT publisher against Debian's real broker on a free loopback port, read by a real
// subscriber.
#include "monitor/MonitorCsv.h"
#include "monitor/MonitorPoll.h"
#include "monitor/MqttMessages.h"
#include "monitor/MqttPublisher.h"
#include "meter/sim/SimulatedMeter.h"
#include "tests/monitor/MonitorFixture.h"
#include "tests/monitor/MqttFixture.h"
#include "tests/support/FakeClock.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <memory>

using namespace ql708;
using namespace ql708::monitor;
using test::MqttReceived;

namespace {

MqttOptions options(int port, qsizetype queueLimit = 10'000)
{
    MqttOptions o;
    o.host = "127.0.0.1";
    o.port = port;
    o.prefix = "qltest";
    o.queueLimit = queueLimit;
    o.version = "9.9";
    return o;
}

auto countOf(const QByteArray &topic, int n)
{
    return [topic, n](const QList<MqttReceived> &r) {
        return std::count_if(r.begin(), r.end(), [&](const MqttReceived &m) { return m.topic == topic; }) >= n;
    };
}

} // namespace

class TestMqttPublisher : public QObject {
    Q_OBJECT
private slots:
    void init();
    void readingsMinutesEventsAndDiscovery();
    void aBrokerAwayHoldsNothingUp();
};

void TestMqttPublisher::init()
{
    if (const QString why = test::MosquittoBroker::missing(); !why.isEmpty())
        QSKIP(qPrintable(why));
}

void TestMqttPublisher::readingsMinutesEventsAndDiscovery()
{
    test::MosquittoBroker broker;
    QVERIFY(broker.start());
    test::MqttSubscriber sub(broker.port(), {"qltest/#", "homeassistant/#"});
    QVERIFY(sub.subscribed());
    {
        MqttPublisher publisher(options(broker.port()));
        QString error;
        QVERIFY2(publisher.start(error), qPrintable(error));
        for (int i = 0; i < 3; ++i)
            publisher.publish("level", "{\"level\":" + QByteArray::number(50 + i) + "}");
        publisher.publish("minute", "{\"leq\":51.0}");
        publisher.publish("event", "{\"lmax\":90.0}");
        QVERIFY(sub.waitFor(countOf("qltest/level", 3)));
        QVERIFY(sub.waitFor(countOf("qltest/event", 1)));
        QCOMPARE(sub.payloads("qltest/level"), (QList<QByteArray>{"{\"level\":50}", "{\"level\":51}", "{\"level\":52}"}));
        QCOMPARE(sub.payloads("qltest/minute"), QList<QByteArray>{"{\"leq\":51.0}"});
        QCOMPARE(sub.payloads("qltest/status"), QList<QByteArray>{"online"});
        QVERIFY(publisher.connected());
        QCOMPARE(publisher.takeNotes(), QStringList{QString("MQTT: connected to 127.0.0.1:%1").arg(broker.port())});
    }
    QVERIFY(sub.waitFor(countOf("qltest/status", 2)));
    QCOMPARE(sub.payloads("qltest/status").last(), QByteArray("offline"));

    // Whoever subscribes later finds the availability and the sensors kept by the broker.
    test::MqttSubscriber later(broker.port(), {"qltest/#", "homeassistant/#"});
    QVERIFY(later.waitFor([](const QList<MqttReceived> &r) { return r.size() >= 7; }));
    const QList<MqttReceived> kept = later.received();
    QVERIFY(std::all_of(kept.begin(), kept.end(), [](const MqttReceived &m) { return m.retained; }));
    QCOMPARE(later.payloads("qltest/status"), QList<QByteArray>{"offline"});
    const QList<QByteArray> config = later.payloads("homeassistant/sensor/qltest/level/config");
    QCOMPARE(config.size(), 1);
    const QJsonObject level = QJsonDocument::fromJson(config[0]).object();
    QCOMPARE(level.value("state_topic").toString(), QString("qltest/level"));
    QCOMPARE(level.value("value_template").toString(), QString("{{ value_json.level }}"));
    QCOMPARE(level.value("availability_topic").toString(), QString("qltest/status"));
    QCOMPARE(level.value("unique_id").toString(), QString("qltest_level"));
    QCOMPARE(level.value("device_class").toString(), QString("sound_pressure"));
    QCOMPARE(level.value("device").toObject().value("identifiers").toArray().at(0).toString(), QString("qltest"));
    QCOMPARE(later.payloads("homeassistant/sensor/qltest/minute_leq/config").size(), 1);
    QCOMPARE(later.payloads("homeassistant/sensor/qltest/event_lmax/config").size(), 1);
}

// The monitor at two readings a second (fake time, ten times as fast as the clock on the wall)
// while the broker stops and starts again: every reading reaches the files, a bounded number of
// messages waits, and the readings reach the broker again after its return.
void TestMqttPublisher::aBrokerAwayHoldsNothingUp()
{
    test::MosquittoBroker broker;
    QVERIFY(broker.start());
    test::MqttSubscriber sub(broker.port(), {"qltest/level"});
    QVERIFY(sub.subscribed());

    QTemporaryDir dir;
    test::FakeClock clock(QDateTime(QDate(2024, 3, 5), QTime(14, 7)));
    SimulatedMeter meter;
    QStringList notes;
    MonitorSession session({dir.path(), {85.0f, 0.0}, {}, 0.5}, [&](const QString &n) { notes << n; });
    QString error;
    QVERIFY(session.start(clock.now(), error));
    MqttPublisher publisher(options(broker.port(), 20));
    QVERIFY(publisher.start(error));
    session.setPublisher(&publisher);
    MonitorPoll poll(meter, session, [&](const QString &n) { notes << n; });
    auto run = [&](int steps) {
        for (int i = 0; i < steps; ++i) {
            clock.advance(poll.step() - clock.tickMs());
            QThread::msleep(25);
        }
    };

    run(40);
    QVERIFY(sub.waitFor(countOf("qltest/level", 5)));
    broker.stop();
    run(120); // a minute of readings with the broker away
    const QDateTime back = clock.now();
    QVERIFY(broker.start());
    QVERIFY(sub.subscribed());
    const QByteArray afterReturn = '"' + isoTime(Stamp::of(back)).left(19);
    bool arrived = false;
    for (int tries = 0; tries < 60 && !arrived; ++tries) {
        run(10);
        const QList<QByteArray> got = sub.payloads("qltest/level");
        arrived = std::any_of(got.begin(), got.end(), [&](const QByteArray &p) {
            return p.mid(8, 20) > afterReturn; // {"time":"2024-...
        });
    }
    QVERIFY2(arrived, qPrintable(notes.join('\n')));
    session.tick(clock.now().addSecs(61)); // a sync

    const QString all = notes.join('\n');
    QVERIFY2(all.contains("MQTT: lost the broker at 127.0.0.1"), qPrintable(all));
    QVERIFY2(all.contains("messages were dropped while it was away"), qPrintable(all));
    QVERIFY(publisher.dropped() >= 100);
    // The files lost nothing: every reading, no gap.
    const QList<QByteArray> lines = test::fileLines(dir.filePath("2024-03-05.csv"));
    QCOMPARE(lines.size() - 1, int(poll.readings()));
    QVERIFY(std::none_of(lines.begin(), lines.end(), [](const QByteArray &l) { return l.endsWith(",gap"); }));
    QVERIFY(test::fileLines(dir.filePath("2024-03-05-minutes.csv")).size() >= 1 + 2);
}

QTEST_GUILESS_MAIN(TestMqttPublisher)
#include "tst_MqttPublisher.moc"
