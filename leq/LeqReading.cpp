#include "leq/LeqReading.h"

#include "common/DateTime.h"
#include "meter/MeterStatus.h"

#include <algorithm>
#include <array>

namespace ql708::leq {

namespace {

constexpr std::array<int, kDurationEntries> kDurations = {10, 60, 300, 600, 900, 1800, 3600, 28800, 86400, 86400};

QDateTime wholeSeconds(const QDateTime &t)
{
    const QTime time = t.time();
    return QDateTime(t.date(), QTime(time.hour(), time.minute(), time.second()));
}

// The meter clock of a status, or an invalid date-time when any field is not BCD or the
// fields name no moment.
QDateTime meterClock(const MeterStatus &s)
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
    return QDateTime(date, time);
}

} // namespace

LeqReading decodeReading(const ReplyBuffer &reply, const QDateTime &pcNow)
{
    const MeterStatus s = decodeMeterStatus(reply);
    LeqReading r;
    r.levelTenths = s.level;
    r.levelDb = float(s.level * 0.1);
    r.secondsByte = s.clockSeconds;
    r.time = meterClock(s);
    r.fromMeterClock = r.time.isValid();
    if (!r.fromMeterClock)
        r.time = wholeSeconds(pcNow);
    return r;
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
