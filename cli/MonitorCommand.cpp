// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/MonitorCommand.h"

#include "cli/CliMeter.h"
#include "cli/StopSignals.h"
#include "common/Clock.h"
#include "monitor/MonitorPoll.h"
#include "monitor/MqttMessages.h"

#include <QRegularExpression>

#include <algorithm>
#include <memory>

namespace ql708::cli {

namespace {

// The poll loop looks for a stop at least this often.
constexpr int kStopLookMs = 100;


// HOST, HOST:PORT or [IPv6]:PORT.
std::optional<monitor::MqttOptions> brokerOption(CliArgs &args, const QString &text)
{
    static const QRegularExpression form(QStringLiteral("^(?:\\[([0-9A-Fa-f:.]+)\\]|([^:\\[\\]\\s]+))(?::([0-9]{1,5}))?$"));
    const QRegularExpressionMatch m = form.match(text);
    const int port = m.hasMatch() && m.hasCaptured(3) ? m.captured(3).toInt() : 1883;
    if (!m.hasMatch() || port < 1 || port > 65535) {
        args.fail(QStringLiteral("--mqtt takes HOST or HOST:PORT (a port from 1 to 65535), not \"%1\"").arg(text));
        return std::nullopt;
    }
    monitor::MqttOptions o;
    o.host = m.hasCaptured(1) ? m.captured(1) : m.captured(2);
    o.port = port;
    o.version = QStringLiteral(QL708_VERSION);
    return o;
}

} // namespace

std::optional<MonitorOptions> monitorOptions(CliArgs &args)
{
    MonitorOptions o;
    o.simulate = args.flag(QStringLiteral("--simulate"));
    const std::optional<QString> out = args.requiredValue(QStringLiteral("--out"), QStringLiteral("DIR"));
    const std::optional<QString> broker = args.value(QStringLiteral("--mqtt"));
    const QString topic = args.value(QStringLiteral("--topic")).value_or(QStringLiteral("ql708"));
    const auto threshold = args.decimal(QStringLiteral("--threshold"), 0.0, 200.0);
    const auto minimum = args.decimal(QStringLiteral("--min-duration"), 0.0, 86400.0);
    if (broker)
        o.mqtt = brokerOption(args, *broker);
    if (!monitor::isValidTopicPrefix(topic))
        args.fail(QStringLiteral("--topic takes a topic without '+', '#' or a '/' at its end, not \"%1\"").arg(topic));
    if (!args.finish() || !out)
        return std::nullopt;
    o.settings.folder = *out;
    o.settings.events.threshold = float(threshold.value_or(o.settings.events.threshold));
    o.settings.events.minimumSeconds = minimum.value_or(0.0);
    o.settings.intervalSeconds = MeterLink::kPollMs / 1000.0;
    if (o.mqtt)
        o.mqtt->prefix = topic.toUtf8();
    return o;
}

int runMonitor(CliArgs &args, CliContext &context)
{
    const std::optional<MonitorOptions> options = monitorOptions(args);
    if (!options)
        return kExitUsage;
    auto note = [&context](const QString &text) {
        context.err << "ql708-cli monitor: " << text << '\n';
        context.err.flush();
    };
    const std::unique_ptr<HidLink> hid = context.makeLink(options->simulate);
    std::unique_ptr<monitor::MqttPublisher> publisher; // outlives the session, which publishes to it
    monitor::MonitorSession session(options->settings, note);
    QString error;
    if (!session.start(clock().now(), error))
        return failWith(context.err, error);
    if (options->mqtt) {
        publisher = std::make_unique<monitor::MqttPublisher>(*options->mqtt);
        if (!publisher->start(error))
            return failWith(context.err, error);
        session.setPublisher(publisher.get());
    }
    note(QStringLiteral("writing into %1; stop with Ctrl+C").arg(options->settings.folder));
    const StopSignals stopSignals;
    monitor::MonitorPoll poll(*hid, session, note);
    Clock &c = clock();
    while (!stopSignals.requested()) {
        const qint64 due = poll.step();
        for (qint64 now = c.tickMs(); !stopSignals.requested() && now < due; now = c.tickMs())
            c.sleepMs(int(std::min<qint64>(due - now, kStopLookMs)));
    }
    session.stop(c.now());
    session.setPublisher(nullptr);
    if (publisher && publisher->dropped() > 0)
        note(QStringLiteral("MQTT: %1 messages were dropped in all while the broker was away").arg(publisher->dropped()));
    publisher.reset();
    note(QStringLiteral("stopped; %1 readings written, every file complete").arg(poll.readings()));
    return kExitOk;
}

} // namespace ql708::cli
