// SPDX-License-Identifier: GPL-3.0-or-later
#include "leq/LeqReading.h"

#include "meter/MeterStatus.h"

#include <algorithm>
#include <array>

namespace ql708::leq {

namespace {

constexpr std::array<int, kDurationEntries> kDurations = {10, 60, 300, 600, 900, 1800, 3600, 28800, 86400, 86400};

// The date and time as they read, without a time zone to look up for every reading.
TDateTime dateTimeOf(const QDate &date, const QTime &time) { return toTDateTime(QDateTime(date, time, Qt::UTC)); }

// The meter clock of a status, or nothing when any field is not BCD or the fields name no
// moment.
std::optional<TDateTime> meterClock(const MeterStatus &s)
{
    const int second = bcdToInt(s.clockSeconds), minute = bcdToInt(s.clockMinutes);
    const int hour = bcdToInt(s.clockHours), day = bcdToInt(s.clockDay);
    const int month = bcdToInt(s.clockMonth), year = bcdToInt(s.clockYear);
    if (second < 0 || minute < 0 || hour < 0 || day < 0 || month < 0 || year < 0)
        return {};
    const QDate date(2000 + year, month, day);
    const QTime time(hour, minute, second);
    if (!date.isValid() || !time.isValid())
        return {};
    return dateTimeOf(date, time);
}

} // namespace

LeqReading decodeReading(const ReplyBuffer &reply)
{
    const MeterStatus s = decodeMeterStatus(reply);
    LeqReading r;
    r.levelTenths = s.level;
    r.levelDb = float(s.level * 0.1);
    r.secondsByte = s.clockSeconds;
    const std::optional<TDateTime> meter = meterClock(s);
    r.fromMeterClock = meter.has_value();
    r.time = meter.value_or(0.0);
    return r;
}

TDateTime pcClockTime(const QDateTime &now)
{
    const QTime t = now.time();
    return dateTimeOf(now.date(), QTime(t.hour(), t.minute(), t.second()));
}

std::optional<int> durationOfEntry(int index)
{
    if (index < 0 || index >= kDurationEntries)
        return std::nullopt;
    return kDurations[size_t(index)];
}

QString timeLeftText(int seconds)
{
    seconds = std::max(seconds, 0);
    return QStringLiteral("%1:%2:%3").arg(seconds / 3600).arg(seconds / 60 % 60).arg(seconds % 60);
}

} // namespace ql708::leq
