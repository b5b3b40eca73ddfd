// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/Periods.h"

#include "analysis/Rounding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace ql708::analysis {

namespace {

using Ms = long long;
constexpr Ms kHourMs = 3'600'000;
constexpr Ms kDayMs = 24 * kHourMs;
// Times from the year 1 to the year 9999, as the program's dates go.
constexpr TDateTime kEarliest = -693593.0;
constexpr TDateTime kLatest = 2958466.0;

// Times in whole milliseconds, so that a reading stamped on the hour falls in that hour whatever
// the rounding of its double.
Ms msOf(TDateTime t) { return roundedToWhole(t * double(kDayMs)); }
TDateTime timeOf(Ms ms) { return double(ms) / double(kDayMs); }
Ms floorDiv(Ms a, Ms b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

bool timesUsable(const LevelSeries &s)
{
    if (s.times.size() != s.levels.size() || s.times.empty())
        return false;
    Ms previous = 0;
    for (size_t i = 0; i < s.times.size(); ++i) {
        const TDateTime t = s.times[i];
        if (!(t >= kEarliest && t <= kLatest))
            return false;
        const Ms ms = msOf(t);
        if (i > 0 && ms < previous)
            return false;
        previous = ms;
    }
    return true;
}

class PeriodWalker {
public:
    explicit PeriodWalker(const SpanIndex &index) : m_index(index) {}

    // The first reading at or after the time, searching from the given reading on.
    int firstAtOrAfter(Ms ms, int from) const
    {
        const auto times = m_index.series().times;
        const auto it = std::partition_point(times.begin() + from, times.end(),
                                             [ms](TDateTime t) { return msOf(t) < ms; });
        return int(it - times.begin());
    }

    PeriodFigures period(Ms begin, Ms end, int &from) const
    {
        PeriodFigures p;
        p.start = timeOf(begin);
        p.hours = double(end - begin) / double(kHourMs);
        const int first = firstAtOrAfter(begin, from);
        const int stop = firstAtOrAfter(end, first);
        from = stop;
        if (first == stop)
            return p;
        p.figures = m_index.figures(first, stop - 1);
        p.coverage = 100.0 * p.figures->exposure.seconds / (p.hours * 3600.0);
        return p;
    }

    int size() const { return m_index.size(); }
    Ms msAt(int i) const { return msOf(m_index.series().times[size_t(i)]); }

private:
    const SpanIndex &m_index;
};

std::vector<PeriodFigures> hourTable(const PeriodWalker &w)
{
    std::vector<PeriodFigures> hours;
    for (int i = 0; i < w.size();) {
        const Ms day = floorDiv(w.msAt(i), kDayMs) * kDayMs;
        for (int h = 0; h < 24; ++h)
            hours.push_back(w.period(day + h * kHourMs, day + (h + 1) * kHourMs, i));
    }
    return hours;
}

std::optional<double> leqOf(const PeriodFigures &p)
{
    return p.figures ? p.figures->leq : std::nullopt;
}

std::vector<DayFigures> dayTable(const PeriodWalker &w, const PeriodBounds &b)
{
    const Ms dayStart = b.dayStart * kHourMs;
    std::vector<DayFigures> days;
    for (int i = 0; i < w.size();) {
        const Ms midnight = floorDiv(w.msAt(i) - dayStart, kDayMs) * kDayMs;
        DayFigures d;
        d.date = timeOf(midnight);
        d.day = w.period(midnight + dayStart, midnight + b.eveningStart * kHourMs, i);
        d.evening = w.period(midnight + b.eveningStart * kHourMs, midnight + b.nightStart * kHourMs, i);
        d.night = w.period(midnight + b.nightStart * kHourMs, midnight + kDayMs + dayStart, i);
        d.lden = dayEveningNightLevel(leqOf(d.day), leqOf(d.evening), leqOf(d.night), b);
        days.push_back(d);
    }
    return days;
}

} // namespace

bool isValid(const PeriodBounds &b)
{
    return b.dayStart >= 0 && b.dayStart < b.eveningStart && b.eveningStart <= b.nightStart &&
           b.nightStart <= 24 && 24 - b.nightStart + b.dayStart >= 1;
}

PeriodPlace periodOfHour(int hour, const PeriodBounds &b)
{
    if (hour < b.dayStart)
        return {-1, PeriodPart::Night};
    if (hour < b.eveningStart)
        return {0, PeriodPart::Day};
    if (hour < b.nightStart)
        return {0, PeriodPart::Evening};
    return {0, PeriodPart::Night};
}

std::optional<PeriodTables> periodTables(const SpanIndex &index, const PeriodBounds &bounds)
{
    if (!isValid(bounds) || !timesUsable(index.series()))
        return std::nullopt;
    const PeriodWalker walker(index);
    return PeriodTables{hourTable(walker), dayTable(walker, bounds)};
}

std::optional<double> dayEveningNightLevel(std::optional<double> day, std::optional<double> evening,
                                           std::optional<double> night, const PeriodBounds &b)
{
    if (!isValid(b))
        return std::nullopt;
    struct Part {
        double hours;
        std::optional<double> level;
        double penalty;
    };
    const std::array<Part, 3> parts = {Part{double(b.eveningStart - b.dayStart), day, 0.0},
                                       Part{double(b.nightStart - b.eveningStart), evening, 5.0},
                                       Part{double(24 - b.nightStart + b.dayStart), night, 10.0}};
    // Summed relative to the loudest weighted level, so that no level can overflow the sum.
    double top = -std::numeric_limits<double>::infinity();
    for (const Part &p : parts) {
        if (p.hours > 0 && !p.level)
            return std::nullopt;
        if (p.hours > 0)
            top = std::max(top, *p.level + p.penalty);
    }
    double sum = 0.0;
    for (const Part &p : parts)
        if (p.hours > 0)
            sum += p.hours * std::pow(10.0, (*p.level + p.penalty - top) / 10.0);
    return top + 10.0 * std::log10(sum / 24.0);
}

} // namespace ql708::analysis
