// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/Reading.h"

#include "analysis/LevelStatistics.h"

namespace ql708::monitor {

namespace {
constexpr qint64 kDayMs = 86'400'000;
constexpr qint64 kJulianDayOfEpoch = 2'440'588;
qint64 floorDiv(qint64 a, qint64 b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }
} // namespace

Stamp Stamp::of(const QDateTime &time) { return {time.toMSecsSinceEpoch(), time.offsetFromUtc()}; }

Stamp Stamp::ofLocal(QDate date, qint64 msOfDay, int offsetSeconds)
{
    const qint64 local = (date.toJulianDay() - kJulianDayOfEpoch) * kDayMs + msOfDay;
    return {local - qint64(offsetSeconds) * 1000, offsetSeconds};
}

QDate Stamp::localDate() const { return QDate::fromJulianDay(kJulianDayOfEpoch + floorDiv(localMsecs(), kDayMs)); }

qint64 Stamp::localMsOfDay() const { return localMsecs() - floorDiv(localMsecs(), kDayMs) * kDayMs; }

qint64 Stamp::minute() const { return floorDiv(msecs, 60'000); }

float Reading::figureLevel() const { return over || under ? kOutOfRangeLevel : level(); }

std::optional<Reading> readingOf(const MeterStatus &s, const QDateTime &time)
{
    int low = 0, high = 0;
    if (!rangeLimits(s.rangeCode, low, high) || s.level > kHighestTenths)
        return std::nullopt;
    Reading r;
    r.time = Stamp::of(time);
    r.tenths = s.level;
    r.aWeighting = s.aWeighting;
    r.fast = s.fastResponse;
    r.over = s.over;
    r.under = s.under;
    r.rangeCode = s.rangeCode;
    return r;
}

} // namespace ql708::monitor
