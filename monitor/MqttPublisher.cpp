// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/MqttPublisher.h"

#include "monitor/MqttMessages.h"

#include <mosquitto.h>

#include <QCoreApplication>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <unistd.h>

namespace ql708::monitor {

namespace {

constexpr int kKeepAliveSeconds = 30;
constexpr int kLoopMs = 100;
constexpr int kMaxRetrySeconds = 30;
constexpr int kFarewellMs = 2000;

void libraryInit()
{
    static const int done = mosquitto_lib_init();
    Q_UNUSED(done);
}

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

} // namespace

MqttPublisher::MqttPublisher(MqttOptions options) : m_options(std::move(options)) {}

MqttPublisher::~MqttPublisher()
{
    m_stopping = true;
    if (m_thread.joinable())
        m_thread.join();
    if (m_client)
        mosquitto_destroy(m_client);
}

bool MqttPublisher::start(QString &error)
{
    libraryInit();
    const QByteArray id = "ql708-" + QByteArray::number(qint64(::getpid())) + '-' + m_options.prefix.left(40);
    m_client = mosquitto_new(id.constData(), true, this);
    if (!m_client) {
        error = QStringLiteral("cannot make an MQTT client");
        return false;
    }
    mosquitto_connect_callback_set(m_client, onConnect);
    mosquitto_disconnect_callback_set(m_client, onDisconnect);
    mosquitto_publish_callback_set(m_client, onPublish);
    const QByteArray status = statusTopic(m_options.prefix);
    if (mosquitto_will_set(m_client, status.constData(), int(qstrlen(kOffline)), kOffline, 1, true) != MOSQ_ERR_SUCCESS) {
        error = QStringLiteral("the MQTT topic prefix %1 is not one the broker takes").arg(QString::fromUtf8(m_options.prefix));
        return false;
    }
    m_thread = std::thread([this] { run(); });
    return true;
}

QString MqttPublisher::where() const { return QStringLiteral("%1:%2").arg(m_options.host).arg(m_options.port); }

void MqttPublisher::publish(const QByteArray &subtopic, const QByteArray &payload)
{
    std::lock_guard lock(m_mutex);
    if (qsizetype(m_queue.size()) >= m_options.queueLimit) {
        m_queue.pop_front();
        ++m_dropped;
        if (!m_toldFull)
            m_notes << QStringLiteral("MQTT: %1 messages wait for the broker at %2; from now on the oldest are "
                                      "dropped until it is back")
                           .arg(m_options.queueLimit)
                           .arg(where());
        m_toldFull = true;
    }
    m_queue.push_back({m_options.prefix + '/' + subtopic, payload, false});
}

// Everything libmosquitto does happens here, so the caller's thread never waits on it.
void MqttPublisher::run()
{
    const QByteArray host = m_options.host.toUtf8();
    int retrySeconds = 1;
    bool first = true;
    while (!m_stopping) {
        int rc = first ? mosquitto_connect_async(m_client, host.constData(), m_options.port, kKeepAliveSeconds)
                       : mosquitto_reconnect_async(m_client);
        first = false;
        while (rc == MOSQ_ERR_SUCCESS && !m_stopping) {
            drain();
            rc = mosquitto_loop(m_client, kLoopMs, 1);
        }
        if (m_stopping)
            break;
        QString why = QString::fromLocal8Bit(rc == MOSQ_ERR_ERRNO ? strerror(errno) : mosquitto_strerror(rc));
        if (why.endsWith(QLatin1Char('.')))
            why.chop(1);
        if (m_connected.exchange(false)) {
            note(QStringLiteral("MQTT: lost the broker at %1 (%2); messages wait (at most %3, the oldest dropped) "
                                "while it is looked for again")
                     .arg(where(), why)
                     .arg(m_options.queueLimit));
            retrySeconds = 1;
        } else if (!m_everConnected && !m_toldUnreachable) {
            note(QStringLiteral("MQTT: no broker answers at %1 (%2); trying again, the files go on meanwhile")
                     .arg(where(), why));
            m_toldUnreachable = true;
        }
        for (int waited = 0; waited < retrySeconds * 1000 && !m_stopping; waited += kLoopMs)
            sleepMs(kLoopMs);
        retrySeconds = std::min(retrySeconds * 2, kMaxRetrySeconds);
    }
    farewell();
}

void MqttPublisher::onConnect(mosquitto *, void *self, int rc)
{
    auto *p = static_cast<MqttPublisher *>(self);
    if (rc != 0) {
        p->note(QStringLiteral("MQTT: the broker at %1 refused the connection: %2")
                    .arg(p->where(), QString::fromUtf8(mosquitto_connack_string(rc))));
        return;
    }
    p->m_inFlight = 0;
    for (const MqttMessage &m : discoveryMessages(p->m_options.prefix, p->m_options.version))
        p->send({m.topic, m.payload, m.retain}, 1);
    p->send({statusTopic(p->m_options.prefix), kOnline, true}, 1);
    p->m_connected = true;
    qint64 dropped = 0;
    {
        std::lock_guard lock(p->m_mutex);
        dropped = p->m_dropped - p->m_droppedTold;
        p->m_droppedTold = p->m_dropped;
        p->m_toldFull = false;
    }
    QString text = QStringLiteral("MQTT: connected to %1").arg(p->where());
    if (p->m_everConnected)
        text += dropped > 0 ? QStringLiteral(" again; %1 messages were dropped while it was away").arg(dropped)
                            : QStringLiteral(" again; no message was dropped");
    p->note(text);
    p->m_everConnected = true;
}

void MqttPublisher::onDisconnect(mosquitto *, void *self, int)
{
    static_cast<MqttPublisher *>(self)->m_inFlight = 0;
}

void MqttPublisher::onPublish(mosquitto *, void *self, int)
{
    auto *p = static_cast<MqttPublisher *>(self);
    if (p->m_inFlight > 0)
        --p->m_inFlight;
}

void MqttPublisher::send(const Message &m, int qos)
{
    if (mosquitto_publish(m_client, nullptr, m.topic.constData(), int(m.payload.size()), m.payload.constData(), qos,
                          m.retain) == MOSQ_ERR_SUCCESS)
        ++m_inFlight;
}

void MqttPublisher::drain()
{
    if (!m_connected)
        return;
    std::deque<Message> batch;
    {
        std::lock_guard lock(m_mutex);
        while (!m_queue.empty() && m_inFlight + int(batch.size()) < kInFlightLimit) {
            batch.push_back(std::move(m_queue.front()));
            m_queue.pop_front();
        }
    }
    for (const Message &m : batch)
        send(m, 0);
}

// "offline" by hand: the will is only sent for a connection that breaks.
void MqttPublisher::farewell()
{
    if (!m_connected)
        return;
    drain();
    send({statusTopic(m_options.prefix), kOffline, true}, 1);
    for (int waited = 0; m_inFlight > 0 && waited < kFarewellMs; waited += kLoopMs)
        if (mosquitto_loop(m_client, kLoopMs, 1) != MOSQ_ERR_SUCCESS)
            break;
    mosquitto_disconnect(m_client);
    mosquitto_loop(m_client, kLoopMs, 1);
    m_connected = false;
}

void MqttPublisher::note(const QString &text)
{
    std::lock_guard lock(m_mutex);
    m_notes << text;
}

QStringList MqttPublisher::takeNotes()
{
    std::lock_guard lock(m_mutex);
    QStringList notes;
    notes.swap(m_notes);
    return notes;
}

qint64 MqttPublisher::dropped() const
{
    std::lock_guard lock(m_mutex);
    return m_dropped;
}

bool MqttPublisher::connected() const { return m_connected; }

} // namespace ql708::monitor
