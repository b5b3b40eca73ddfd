// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/DaySummary.h"

#include "analysis/Exposure.h"
#include "monitor/MonitorCsv.h"

#include <QDateTime>

namespace ql708::monitor {

namespace {

// The wall clock's hour of a day as an instant; hour 24 is the next day's midnight. Lengths
// come from instants, so a night that daylight saving makes 7 or 9 hours long is covered in full
// by the readings of 7 or 9 hours.
QDateTime hourOf(QDate date, int hour) { return QDateTime(date.addDays(hour / 24), QTime(hour % 24, 0)); }

double coverage(const analysis::RunTotals &t, const QDateTime &from, const QDateTime &to, double interval)
{
    const qint64 ms = from.msecsTo(to);
    return ms > 0 ? 100.0 * t.levels * interval * 1000.0 / double(ms) : 0.0;
}

} // namespace

void DaySummary::addToCalendarDay(const Reading &r)
{
    analysis::addReading(m_calendar, r.figureLevel(), 0, analysis::kDefaultLimit);
    m_weightings |= r.aWeighting ? 1u : 2u;
}

void DaySummary::addToPeriod(analysis::PeriodPart part, const Reading &r)
{
    analysis::addReading(m_periods[size_t(part)], r.figureLevel(), 0, analysis::kDefaultLimit);
    m_weightings |= r.aWeighting ? 1u : 2u;
}

bool DaySummary::overBy(const Stamp &now, const analysis::PeriodBounds &bounds) const
{
    const QDate next = m_date.addDays(1);
    const QDate today = now.localDate();
    return today > next || (today == next && now.localHour() >= bounds.dayStart);
}

QByteArray DaySummary::line(const analysis::PeriodBounds &b, double interval) const
{
    using analysis::PeriodPart;
    const int starts[] = {b.dayStart, b.eveningStart, b.nightStart, 24 + b.dayStart};
    QByteArray line = m_date.toString(QStringLiteral("yyyy-MM-dd")).toLatin1();
    line += ',' + QByteArray::number(m_calendar.levels + m_calendar.outOfRange);
    line += ',' + decimal(coverage(m_calendar, hourOf(m_date, 0), hourOf(m_date, 24), interval));
    line += ',' + decimal(analysis::leqOf(m_calendar));
    std::array<std::optional<double>, 3> levels;
    for (size_t p = 0; p < m_periods.size(); ++p) {
        levels[p] = analysis::leqOf(m_periods[p]);
        line += ',' + decimal(levels[p]);
        line += ',' + decimal(coverage(m_periods[p], hourOf(m_date, starts[p]), hourOf(m_date, starts[p + 1]), interval));
    }
    line += ',' + decimal(analysis::dayEveningNightLevel(levels[size_t(PeriodPart::Day)],
                                                         levels[size_t(PeriodPart::Evening)],
                                                         levels[size_t(PeriodPart::Night)], b));
    line += ',' + weightingsText(m_weightings);
    return line;
}

} // namespace ql708::monitor
