// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "monitor/Publisher.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>
#include <deque>
#include <mutex>
#include <thread>

struct mosquitto;

namespace ql708::monitor {

struct MqttOptions {
    QString host = QStringLiteral("localhost");
    int port = 1883;
    QByteArray prefix = "ql708";
    qsizetype queueLimit = 10'000; // messages that wait while the broker is away
    QString version;               // shown in Home Assistant's device page
};

// Publishes to an MQTT broker through libmosquitto, on a thread of its own: handing a message
// over only queues it, so the files never wait on the network. The thread connects, sends the
// Home Assistant discovery configs and "online" (retained; "offline" is the will), sends what
// waits, and when the broker goes away reconnects with a growing delay. While it is away at most
// queueLimit messages wait; older ones are dropped and counted, and the count is told.
class MqttPublisher : public Publisher {
public:
    // Messages handed to the client and not yet written to the socket: beyond them the queue
    // holds the rest, so a broker that stops reading cannot make the client's buffers grow.
    static constexpr int kInFlightLimit = 100;

    explicit MqttPublisher(MqttOptions options);
    // Publishes "offline" when connected, disconnects and ends the thread.
    ~MqttPublisher() override;
    MqttPublisher(const MqttPublisher &) = delete;
    MqttPublisher &operator=(const MqttPublisher &) = delete;

    // Starts the thread; false with the reason only when the client cannot be made. A broker
    // that does not answer is no error: the thread keeps trying.
    bool start(QString &error);

    void publish(const QByteArray &subtopic, const QByteArray &payload) override;
    QStringList takeNotes() override;

    qint64 dropped() const;
    bool connected() const;

private:
    struct Message {
        QByteArray topic;
        QByteArray payload;
        bool retain = false;
    };

    void run();
    void send(const Message &m, int qos);
    void drain();
    void farewell();
    void note(const QString &text);
    QString where() const;

    static void onConnect(mosquitto *, void *self, int rc);
    static void onDisconnect(mosquitto *, void *self, int rc);
    static void onPublish(mosquitto *, void *self, int mid);

    MqttOptions m_options;
    mosquitto *m_client = nullptr;
    std::thread m_thread;
    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_connected{false};
    std::atomic<int> m_inFlight{0};
    bool m_everConnected = false; // these two: the client's thread only
    bool m_toldUnreachable = false;

    mutable std::mutex m_mutex; // guards what follows
    std::deque<Message> m_queue;
    qint64 m_dropped = 0;
    qint64 m_droppedTold = 0;
    bool m_toldFull = false;
    QStringList m_notes;
};

} // namespace ql708::monitor
