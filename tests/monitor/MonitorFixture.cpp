// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/monitor/MonitorFixture.h"

#include <QFile>

#include <cmath>

namespace ql708::test {

monitor::Reading readingAt(const QDateTime &time, double dB, bool over)
{
    monitor::Reading r;
    r.time = monitor::Stamp::of(time);
    r.tenths = std::uint16_t(std::lround(dB * 10));
    r.rangeCode = kRange30to130;
    r.over = over;
    return r;
}

QList<QByteArray> fileLines(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> lines = f.readAll().split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QList<QByteArray> FakePublisher::payloads(const QByteArray &subtopic) const
{
    QList<QByteArray> out;
    for (const auto &[topic, payload] : messages)
        if (topic == subtopic)
            out << payload;
    return out;
}

} // namespace ql708::test
