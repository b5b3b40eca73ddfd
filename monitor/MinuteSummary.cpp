// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitor/MinuteSummary.h"

#include "analysis/Exposure.h"
#include "monitor/MonitorCsv.h"

namespace ql708::monitor {

QByteArray weightingsText(Weightings w)
{
    switch (w) {
    case 1: return "A";
    case 2: return "C";
    case 3: return "A+C";
    default: return {};
    }
}

MinuteSummary::MinuteSummary() : m_tenths(0.0f, kHighestTenths / 10.0f) {}

void MinuteSummary::begin(const Stamp &firstReading)
{
    m_minute = firstReading.minute();
    m_figures = {};
    m_figures.start = {m_minute * 60'000, firstReading.offsetSeconds};
    m_totals = {};
    m_tenths.clear();
}

void MinuteSummary::add(const Reading &r)
{
    const float level = r.figureLevel();
    analysis::addReading(m_totals, level, m_figures.readings, analysis::kDefaultLimit);
    m_tenths.add(level);
    ++m_figures.readings;
    m_figures.weightings |= r.aWeighting ? 1u : 2u;
}

MinuteFigures MinuteSummary::figures() const
{
    MinuteFigures f = m_figures;
    f.outOfRange = m_totals.outOfRange;
    f.leq = analysis::leqOf(m_totals);
    if (m_totals.levels > 0) {
        f.lmax = m_totals.max;
        f.lmin = m_totals.min;
    }
    f.exceeded = m_tenths.exceeded();
    return f;
}

QByteArray minuteLine(const MinuteFigures &m)
{
    const auto e = m.exceeded;
    return isoTime(m.start, false) + ',' + QByteArray::number(m.readings) + ',' + QByteArray::number(m.outOfRange) +
           ',' + decimal(m.leq) + ',' + decimal(m.lmax) + ',' + decimal(m.lmin) + ',' +
           decimal(e ? std::optional<double>(e->l10) : std::nullopt) + ',' +
           decimal(e ? std::optional<double>(e->l50) : std::nullopt) + ',' +
           decimal(e ? std::optional<double>(e->l90) : std::nullopt) + ',' + weightingsText(m.weightings);
}

} // namespace ql708::monitor
