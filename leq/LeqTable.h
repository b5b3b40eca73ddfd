// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/DateTime.h"
#include "analysis/LevelStatistics.h"
#include "data/TextTable.h"

#include <QLocale>
#include <QString>

#include <optional>
#include <span>
#include <vector>

namespace ql708::leq {

// The table of a run, one row per completed second, held column-wise so that a 24-hour run
// (86,400 rows) stays small: the time of the reading that opened the second, the second's
// average level (SPL) and the Leq of the run up to it. A second without readings of its own
// holds kGapLevel in both level columns.
class LeqTable {
public:
    enum Column { No, Date, Time, Spl, Leq, Columns };

    int rows() const { return int(m_times.size()); }
    bool empty() const { return m_times.empty(); }
    void clear();
    void append(TDateTime time, float spl, float leq);

    TDateTime time(int row) const { return m_times[size_t(row)]; }
    float spl(int row) const { return m_spl[size_t(row)]; }
    float leq(int row) const { return m_leq[size_t(row)]; }
    bool hasLevels(int row) const { return !isGapLevel(m_spl[size_t(row)]); }

    std::span<const double> times() const { return m_times; }
    std::span<const float> splLevels() const { return m_spl; }
    std::span<const float> leqLevels() const { return m_leq; }

    // A cell as the window shows it and the table text file holds it: the row number from 1,
    // the date (short format, four-digit year), the time (long format), levels with one
    // decimal; an empty text for a level the second does not have.
    QString cellText(int row, int column, const QLocale &locale = QLocale()) const;

private:
    std::vector<double> m_times;
    std::vector<float> m_spl;
    std::vector<float> m_leq;
};

// The table as a table text file holds it: date, time, SPL and Leq per row, the row number
// left out. A copy: the run may go on (or start again) while it is written.
data::TextTable textTable(const LeqTable &table, const QLocale &locale = QLocale());

// The figures of a run beyond its table: the last Leq, the extremes of the per-second levels
// and the levels they exceeded in 10, 50 and 90 % of the seconds (seconds without readings
// left out). Takes one pass over the table (for the summary, not for every reading).
struct LeqSummary {
    int seconds = 0;          // rows of the table
    TDateTime start = 0.0;    // the first row's time; meaningful when seconds > 0
    std::optional<float> leq; // the Leq of the last second that had readings
    LevelSummary levels;
    std::optional<ExceededLevels> exceeded;
};
LeqSummary summarize(const LeqTable &table);

// The summary as plain text, one figure a line, labelled in the active language: what the
// window copies to the clipboard and a printout shows.
QString summaryText(const LeqSummary &summary, const QLocale &locale = QLocale());

} // namespace ql708::leq
