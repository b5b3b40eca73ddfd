// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QStringList>

namespace ql708::monitor {

// Where the monitor sends its readings, minutes and events besides its files: a message broker
// (MqttPublisher), or a test's fake. Handing a message over never waits on the network, so a
// broker that is slow or away never holds the files up.
class Publisher {
public:
    virtual ~Publisher() = default;

    // subtopic: "level", "minute" or "event", below the publisher's topic prefix.
    virtual void publish(const QByteArray &subtopic, const QByteArray &payload) = 0;
    // What happened to the connection since the last call, one sentence each.
    virtual QStringList takeNotes() { return {}; }
};

} // namespace ql708::monitor
