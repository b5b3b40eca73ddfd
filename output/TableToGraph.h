// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/DateTime.h"
#include "data/FieldReader.h"
#include "data/TextTable.h"

#include <QLocale>
#include <QString>

#include <optional>

namespace ql708::output {

// Turns the rows of a table back into the points of a chart: row r gives point r, its time from
// the date and time fields (or one ISO 8601 date-time field) and its level from the third field,
// or from the fourth where the table's columns are headed "SPL" and "Leq". Leading and trailing
// spaces of a field do not matter.
class TableToGraph {
public:
    explicit TableToGraph(const data::TextTable &table, const QLocale &locale = QLocale());

    // The first row's first field is empty: there is nothing to graph.
    bool isEmpty() const;
    int rowCount() const { return m_table.rowCount(); }

    // Row r's time, or nothing when it cannot be read.
    std::optional<TDateTime> rowTime(int r) const;
    // The text row r's time is read from, as a message quotes it.
    QString rowTimeText(int r) const;

    // Fills points from to to - 1: x the row's time or 0 when it cannot be read, y its level or
    // the chart's null value (9999) when that cannot be read.
    void readRows(int from, int to, double *x, float *y) const;

private:
    const data::TextTable &m_table;
    data::FieldReader m_reader;
    bool m_iso = false;  // the first field is an ISO 8601 date-time
    int m_levelField = 2;
};

} // namespace ql708::output
