// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <mutex>

struct mosquitto;
struct mosquitto_message;

namespace ql708::test {

// Debian's Mosquitto broker on a free port of 127.0.0.1, for as long as the object lives; it can
// be stopped and started again on the same port.
class MosquittoBroker {
public:
    MosquittoBroker();
    ~MosquittoBroker();

    // Empty when the broker program is installed.
    static QString missing();
    bool start();
    void stop();
    int port() const { return m_port; }

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    int m_port = 0;
};

struct MqttReceived {
    QByteArray topic;
    QByteArray payload;
    bool retained = false;
};

// A real subscriber (libmosquitto, on its own thread) to every topic under the given filters. It
// reconnects by itself after the broker went away.
class MqttSubscriber {
public:
    MqttSubscriber(int port, QList<QByteArray> filters);
    ~MqttSubscriber();

    // Waits (at most timeoutMs) until the subscription stands.
    bool subscribed(int timeoutMs = 5000);
    // Waits until what arrived satisfies the test; true when it did in time.
    bool waitFor(const std::function<bool(const QList<MqttReceived> &)> &test, int timeoutMs = 10'000);
    QList<MqttReceived> received() const;
    QList<QByteArray> payloads(const QByteArray &topic) const;

private:
    static void onConnect(mosquitto *, void *self, int rc);
    static void onSubscribe(mosquitto *, void *self, int, int, const int *);
    static void onMessage(mosquitto *, void *self, const ::mosquitto_message *m);

    mosquitto *m_client = nullptr;
    QList<QByteArray> m_filters;
    mutable std::mutex m_mutex;
    QList<MqttReceived> m_received;
    bool m_subscribed = false;
};

} // namespace ql708::test
