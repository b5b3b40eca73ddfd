// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/MqttMessages.h"

#include "monitor/MonitorCsv.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cctype>

namespace ql708::monitor {

namespace {

QByteArray number(std::optional<double> v)
{
    const QByteArray d = decimal(v);
    return d.isEmpty() ? QByteArray("null") : d;
}

QByteArray flag(bool b) { return b ? "true" : "false"; }

QByteArray text(const QByteArray &s) { return '"' + s + '"'; }

std::optional<double> exceeded(const MinuteFigures &m, float ExceededLevels::*l)
{
    return m.exceeded ? std::optional<double>((*m.exceeded).*l) : std::nullopt;
}

// A node id Home Assistant takes: letters, digits, '_' and '-'.
QByteArray nodeId(const QByteArray &prefix)
{
    QByteArray id = prefix;
    for (char &c : id)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '-')
            c = '_';
    return id;
}

struct Sensor {
    const char *object;
    const char *name;
    const char *subtopic;
    const char *field;
};
constexpr Sensor kSensors[] = {
    {"level", "Sound level", "level", "level"},
    {"minute_leq", "Leq, 1 min", "minute", "leq"},
    {"minute_lmax", "Lmax, 1 min", "minute", "lmax"},
    {"minute_l90", "L90, 1 min", "minute", "l90"},
    {"event_lmax", "Last event Lmax", "event", "lmax"},
    {"event_sel", "Last event SEL", "event", "sel"},
};

} // namespace

QByteArray levelJson(const Reading &r)
{
    return "{\"time\":" + text(isoTime(r.time)) + ",\"level\":" + number(r.level()) +
           ",\"weighting\":" + text(weightingText(r.aWeighting)) + ",\"time_weighting\":" +
           text(r.fast ? "FAST" : "SLOW") + ",\"range\":" + text(rangeText(r.rangeCode)) + ",\"over\":" +
           flag(r.over) + ",\"under\":" + flag(r.under) + '}';
}

QByteArray minuteJson(const MinuteFigures &m)
{
    return "{\"start\":" + text(isoTime(m.start, false)) + ",\"readings\":" + QByteArray::number(m.readings) +
           ",\"out_of_range\":" + QByteArray::number(m.outOfRange) + ",\"leq\":" + number(m.leq) +
           ",\"lmax\":" + number(m.lmax) + ",\"lmin\":" + number(m.lmin) +
           ",\"l10\":" + number(exceeded(m, &ExceededLevels::l10)) +
           ",\"l50\":" + number(exceeded(m, &ExceededLevels::l50)) +
           ",\"l90\":" + number(exceeded(m, &ExceededLevels::l90)) + ",\"weighting\":" +
           text(weightingsText(m.weightings)) + '}';
}

QByteArray eventJson(const Stamp &start, const analysis::NoiseEvent &e)
{
    return "{\"start\":" + text(isoTime(start)) + ",\"duration\":" + number(e.seconds) + ",\"lmax\":" +
           number(e.lmax) + ",\"sel\":" + number(e.sel) + ",\"touches_gap\":" + flag(e.touchesMissing) + '}';
}

QByteArray statusTopic(const QByteArray &prefix) { return prefix + "/status"; }

QList<MqttMessage> discoveryMessages(const QByteArray &prefix, const QString &version)
{
    const QByteArray node = nodeId(prefix);
    const QString p = QString::fromUtf8(prefix);
    const QJsonObject device{{"identifiers", QJsonArray{QString::fromLatin1(node)}},
                             {"name", QStringLiteral("QL708 sound level meter")},
                             {"model", QStringLiteral("QL708 monitor")},
                             {"sw_version", version}};
    QList<MqttMessage> messages;
    for (const Sensor &s : kSensors) {
        const QJsonObject config{
            {"name", QString::fromLatin1(s.name)},
            {"unique_id", QString::fromLatin1(node + '_' + s.object)},
            {"state_topic", p + '/' + QLatin1String(s.subtopic)},
            {"value_template", QStringLiteral("{{ value_json.%1 }}").arg(QLatin1String(s.field))},
            {"unit_of_measurement", QStringLiteral("dB")},
            {"device_class", QStringLiteral("sound_pressure")},
            {"state_class", QStringLiteral("measurement")},
            {"availability_topic", QString::fromUtf8(statusTopic(prefix))},
            {"device", device}};
        messages.append({"homeassistant/sensor/" + node + '/' + s.object + "/config",
                         QJsonDocument(config).toJson(QJsonDocument::Compact), true});
    }
    return messages;
}

bool isValidTopicPrefix(const QString &prefix)
{
    const QByteArray b = prefix.toUtf8();
    return !b.isEmpty() && b.size() <= 200 && !b.contains('+') && !b.contains('#') && !b.contains('\0') &&
           !b.endsWith('/');
}

} // namespace ql708::monitor
