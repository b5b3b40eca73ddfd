// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/TimeAxisScale.h"

#include "common/DateTime.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ql708::chart {

namespace {

struct Step {
    double seconds;
    int subTicks;
};

// Sub-day steps divide a day evenly, so ticks counted from midnight land on round times.
constexpr Step kSteps[] = {
    {0.1, 1},     {0.2, 1},     {0.5, 4},     {1, 4},       {2, 1},       {5, 4},
    {10, 1},      {15, 2},      {30, 5},      {60, 3},      {120, 1},     {300, 4},
    {600, 1},     {900, 2},     {1800, 5},    {3600, 3},    {7200, 1},    {10800, 2},
    {21600, 5},   {43200, 3},   {86400, 3},   {172800, 1},  {604800, 6},  {1209600, 1},
    {2592000, 5}, {5184000, 1}, {15552000, 5}, {31536000, 3},
};

constexpr double kMaxPlannedTicks = 1000;

QString timeFormat(double stepSeconds)
{
    if (stepSeconds < 1)
        return QStringLiteral("HH:mm:ss.zzz");
    if (stepSeconds < 60)
        return QStringLiteral("HH:mm:ss");
    return QStringLiteral("HH:mm");
}

// A step of 0 labels a lone tick that stands for the left end of the view, to the millisecond.
QString label(double t, double stepSeconds, bool withDate, const QLocale &locale)
{
    const QDateTime dt = fromTDateTime(t);
    const QString date = locale.toString(dt.date(), shortDateFormat(locale));
    if (stepSeconds >= 86400)
        return date;
    QString time = locale.toString(dt.time(), timeFormat(stepSeconds));
    if (stepSeconds >= 0.1 && stepSeconds < 1)
        time.chop(2); // tenths are enough for steps of a tenth of a second and up
    return withDate ? time + QLatin1Char('\n') + date : time;
}

} // namespace

TimeTicks planTimeTicks(double lo, double hi, int maxTicks, const QLocale &locale)
{
    TimeTicks out;
    if (!std::isfinite(lo) || !std::isfinite(hi))
        return out;
    // Cut to the days the labels can name, so no day number grows beyond what a date holds.
    lo = std::max(lo, kFirstCalendarDay);
    hi = std::min(hi, kEndCalendarDay);
    if (hi <= lo)
        return out;
    const double spanSeconds = (hi - lo) * 86400.0;
    const double wanted = spanSeconds / std::max(maxTicks, 1);
    const Step *step = std::find_if(std::begin(kSteps), std::end(kSteps), [&](const Step &s) { return s.seconds >= wanted; });
    if (step == std::end(kSteps))
        --step;
    out.step = step->seconds / 86400.0;
    const double first = std::ceil(lo / out.step - 1e-9);
    const double last = std::floor(hi / out.step + 1e-9);
    if (last < first || last - first > kMaxPlannedTicks) {
        // No step of the list fits the view: one tick at its left end still tells the date.
        out.step = 0.0;
        out.ticks = {lo};
        out.labels = {label(lo, step->seconds >= 86400 ? step->seconds : 0.0, true, locale)};
        return out;
    }
    double prevDay = std::numeric_limits<double>::quiet_NaN(); // the first tick always shows its date
    for (double k = first; k <= last; ++k) {
        const double t = k * out.step;
        const double day = std::floor(t + 1e-9);
        out.ticks.push_back(t);
        out.labels.push_back(label(t, step->seconds, day != prevDay, locale));
        prevDay = day;
        for (int j = 1; j <= step->subTicks; ++j)
            out.subTicks.push_back(t - out.step * j / (step->subTicks + 1));
    }
    for (int j = 1; j <= step->subTicks; ++j)
        out.subTicks.push_back(out.ticks.last() + out.step * j / (step->subTicks + 1));
    return out;
}

} // namespace ql708::chart
