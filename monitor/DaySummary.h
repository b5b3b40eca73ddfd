// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/BlockTree.h"
#include "analysis/Periods.h"
#include "monitor/MinuteSummary.h"

#include <QByteArray>
#include <QDate>

#include <array>

namespace ql708::monitor {

// One day of readings as days.csv gives it: the calendar day's Leq, and the day's Lday, Levening
// and Lnight, whose night runs into the next morning, with Lden once all three have a level.
// Readings are summed as they come.
class DaySummary {
public:
    explicit DaySummary(QDate date) : m_date(date) {}

    QDate date() const { return m_date; }
    void addToCalendarDay(const Reading &r);
    void addToPeriod(analysis::PeriodPart part, const Reading &r);

    // Whether the day is over by the wall clock's time: its line is written once the night
    // that follows it has ended, at the start of the next day's day period.
    bool overBy(const Stamp &now, const analysis::PeriodBounds &bounds) const;

    // intervalSeconds: the time one reading stands for, which gives the coverage.
    QByteArray line(const analysis::PeriodBounds &bounds, double intervalSeconds) const;

private:
    QDate m_date;
    analysis::RunTotals m_calendar;
    std::array<analysis::RunTotals, 3> m_periods{};
    Weightings m_weightings = 0;
};

inline constexpr char kDaysHeading[] =
    "date,readings,coverage_pct,leq_db,lday_db,lday_coverage_pct,levening_db,levening_coverage_pct,lnight_db,"
    "lnight_coverage_pct,lden_db,weighting";

} // namespace ql708::monitor
