// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/monitor/MqttFixture.h"

#include <mosquitto.h>

#include <QElapsedTimer>
#include <QFile>
#include <QStandardPaths>
#include <QThread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace ql708::test {

namespace {

QString brokerProgram()
{
    const QString onPath = QStandardPaths::findExecutable(QStringLiteral("mosquitto"));
    return onPath.isEmpty() ? QStandardPaths::findExecutable(QStringLiteral("mosquitto"), {"/usr/sbin", "/usr/local/sbin"})
                            : onPath;
}

sockaddr_in loopback(int port)
{
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(quint16(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return a;
}

// A port of 127.0.0.1 that nothing listens on now.
int freePort()
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a = loopback(0);
    socklen_t len = sizeof a;
    int port = 0;
    if (::bind(s, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0 &&
        ::getsockname(s, reinterpret_cast<sockaddr *>(&a), &len) == 0)
        port = ntohs(a.sin_port);
    ::close(s);
    return port;
}

bool accepts(int port)
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in a = loopback(port);
    const bool ok = ::connect(s, reinterpret_cast<const sockaddr *>(&a), sizeof a) == 0;
    ::close(s);
    return ok;
}

} // namespace

MosquittoBroker::MosquittoBroker() : m_port(freePort())
{
    QFile conf(m_dir.filePath("mosquitto.conf"));
    if (conf.open(QIODevice::WriteOnly))
        conf.write("listener " + QByteArray::number(m_port) + " 127.0.0.1\nallow_anonymous true\npersistence false\n");
    m_process.setProcessChannelMode(QProcess::MergedChannels);
}

MosquittoBroker::~MosquittoBroker() { stop(); }

QString MosquittoBroker::missing()
{
    return brokerProgram().isEmpty() ? QStringLiteral("the mosquitto broker is not installed (scripts/install-deps.sh installs it)")
                                     : QString();
}

bool MosquittoBroker::start()
{
    m_process.start(brokerProgram(), {"-c", m_dir.filePath("mosquitto.conf")});
    if (!m_process.waitForStarted(5000))
        return false;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 5000) {
        if (accepts(m_port))
            return true;
        QThread::msleep(20);
    }
    return false;
}

void MosquittoBroker::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}

MqttSubscriber::MqttSubscriber(int port, QList<QByteArray> filters) : m_filters(std::move(filters))
{
    mosquitto_lib_init();
    m_client = mosquitto_new(nullptr, true, this);
    mosquitto_connect_callback_set(m_client, onConnect);
    mosquitto_subscribe_callback_set(m_client, onSubscribe);
    mosquitto_message_callback_set(m_client, onMessage);
    mosquitto_reconnect_delay_set(m_client, 1, 1, false);
    mosquitto_connect_async(m_client, "127.0.0.1", port, 10);
    mosquitto_loop_start(m_client);
}

MqttSubscriber::~MqttSubscriber()
{
    mosquitto_disconnect(m_client);
    mosquitto_loop_stop(m_client, true);
    mosquitto_destroy(m_client);
}

void MqttSubscriber::onConnect(mosquitto *m, void *self, int rc)
{
    if (rc != 0)
        return;
    for (const QByteArray &f : static_cast<MqttSubscriber *>(self)->m_filters)
        mosquitto_subscribe(m, nullptr, f.constData(), 0);
}

void MqttSubscriber::onSubscribe(mosquitto *, void *self, int, int, const int *)
{
    auto *s = static_cast<MqttSubscriber *>(self);
    std::lock_guard lock(s->m_mutex);
    s->m_subscribed = true;
}

void MqttSubscriber::onMessage(mosquitto *, void *self, const mosquitto_message *m)
{
    auto *s = static_cast<MqttSubscriber *>(self);
    std::lock_guard lock(s->m_mutex);
    s->m_received.append({m->topic, QByteArray(static_cast<const char *>(m->payload), m->payloadlen), m->retain});
}

bool MqttSubscriber::subscribed(int timeoutMs)
{
    return waitFor([this](const QList<MqttReceived> &) { return m_subscribed; }, timeoutMs);
}

bool MqttSubscriber::waitFor(const std::function<bool(const QList<MqttReceived> &)> &test, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    do {
        {
            std::lock_guard lock(m_mutex);
            if (test(m_received))
                return true;
        }
        QThread::msleep(20);
    } while (t.elapsed() < timeoutMs);
    return false;
}

QList<MqttReceived> MqttSubscriber::received() const
{
    std::lock_guard lock(m_mutex);
    return m_received;
}

QList<QByteArray> MqttSubscriber::payloads(const QByteArray &topic) const
{
    QList<QByteArray> out;
    for (const MqttReceived &r : received())
        if (r.topic == topic)
            out << r.payload;
    return out;
}

} // namespace ql708::test
