// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/TableToGraph.h"

#include "analysis/LevelStatistics.h"

namespace ql708::output {

TableToGraph::TableToGraph(const data::TextTable &table, const QLocale &locale) : m_table(table), m_reader(locale)
{
    m_iso = !isEmpty() && m_reader.isoDateTime(table.cellBytes(0, 0)).has_value();
    m_levelField = m_iso ? 1 : table.hasSecondLevel() ? 3 : 2;
}

bool TableToGraph::isEmpty() const { return m_table.cellBytes(0, 0).isEmpty(); }

std::optional<TDateTime> TableToGraph::rowTime(int r) const
{
    if (m_iso)
        return m_reader.isoDateTime(m_table.cellBytes(r, 0));
    return m_reader.dateTime(m_table.cellBytes(r, 0), m_table.cellBytes(r, 1));
}

QString TableToGraph::rowTimeText(int r) const
{
    const QString date = m_table.cell(r, 0).trimmed();
    return m_iso ? date : date + QLatin1Char(' ') + m_table.cell(r, 1).trimmed();
}

void TableToGraph::readRows(int from, int to, double *x, float *y) const
{
    for (int r = from; r < to; ++r) {
        const std::optional<TDateTime> t = rowTime(r);
        const std::optional<float> level = t ? data::FieldReader::level(m_table.cellBytes(r, m_levelField)) : std::nullopt;
        x[r] = t.value_or(0.0);
        y[r] = level.value_or(kGapLevel);
    }
}

} // namespace ql708::output
