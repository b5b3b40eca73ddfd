// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/NoiseEvents.h"
#include "monitor/MinuteSummary.h"
#include "monitor/Reading.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace ql708::monitor {

// The payloads the monitor publishes: small JSON objects with the same names and numbers as
// its files (one decimal, null for a figure without a value).
QByteArray levelJson(const Reading &r);
QByteArray minuteJson(const MinuteFigures &m);
QByteArray eventJson(const Stamp &start, const analysis::NoiseEvent &e);

struct MqttMessage {
    QByteArray topic;
    QByteArray payload;
    bool retain = false;
};

// The availability topic: "online" while the monitor runs, "offline" (its last will) after.
QByteArray statusTopic(const QByteArray &prefix);
inline constexpr char kOnline[] = "online";
inline constexpr char kOffline[] = "offline";

// Home Assistant's MQTT discovery: one retained config per sensor under homeassistant/sensor/,
// so the meter shows up there with its level, the minute's Leq, Lmax and L90 and the last event.
QList<MqttMessage> discoveryMessages(const QByteArray &prefix, const QString &version);

// A prefix that can stand before "/level": not empty, no wildcard, no NUL, at most 200 bytes.
bool isValidTopicPrefix(const QString &prefix);

} // namespace ql708::monitor
