// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/SpanIndex.h"

#include <optional>
#include <vector>

namespace ql708::analysis {

// Where day, evening and night begin, in hours of the wall clock. The night runs from nightStart
// to dayStart of the next day. Evening may be empty (eveningStart == nightStart).
struct PeriodBounds {
    int dayStart = 7;
    int eveningStart = 19;
    int nightStart = 23;
    bool operator==(const PeriodBounds &) const = default;
};
// 0 <= dayStart < eveningStart <= nightStart <= 24, and a night of at least an hour.
bool isValid(const PeriodBounds &b);

// The period an hour of the wall clock (0 to 23) belongs to, and whose: the hours before dayStart
// are the night of the day before (dayOffset -1), the others belong to their own day.
enum class PeriodPart { Day, Evening, Night };
struct PeriodPlace {
    int dayOffset = 0;
    PeriodPart part = PeriodPart::Day;
};
PeriodPlace periodOfHour(int hour, const PeriodBounds &bounds = {});

// One clock period. Its readings are those stamped in it, from its start up to its end excluded.
struct PeriodFigures {
    TDateTime start = 0.0;
    double hours = 0.0;
    double coverage = 0.0; // percent of the period that the levels stand for: levels × interval
    std::optional<SpanFigures> figures; // absent when no reading is stamped in the period
};

struct DayFigures {
    TDateTime date = 0.0; // midnight
    PeriodFigures day;
    PeriodFigures evening;
    PeriodFigures night; // the night that follows the day
    // Only when every period of the day that has a length has a level.
    std::optional<double> lden;
};

// Each calendar day that holds a reading gives its 24 clock hours; each day whose day, evening
// or night holds a reading gives a row of days. Days are counted on the wall clock the times
// are stamped in, 24 hours each, whatever daylight saving did.
struct PeriodTables {
    std::vector<PeriodFigures> hours;
    std::vector<DayFigures> days;
};

// Empty when the series' times are missing, do not rise, or are not dates, or the bounds are not
// valid.
std::optional<PeriodTables> periodTables(const SpanIndex &index, const PeriodBounds &bounds = {});

// Lden = 10 lg((d·10^(Ld/10) + e·10^((Le + 5)/10) + n·10^((Ln + 10)/10)) / 24), d, e and n the
// periods' lengths in hours (12, 4 and 8 by default). Empty unless every period with a length
// has its level.
std::optional<double> dayEveningNightLevel(std::optional<double> day, std::optional<double> evening,
                                           std::optional<double> night, const PeriodBounds &bounds = {});

} // namespace ql708::analysis
