// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/BlockTree.h"
#include "analysis/TenthCounts.h"
#include "monitor/Reading.h"

#include <QByteArray>

#include <optional>

namespace ql708::monitor {

// Which frequency weightings a run of readings was measured with: bit 1 A, bit 2 C.
using Weightings = unsigned;
QByteArray weightingsText(Weightings w); // "A", "C", "A+C"

// The figures of one clock minute of readings.
struct MinuteFigures {
    Stamp start;
    int readings = 0;
    int outOfRange = 0; // marked over or under: left out of the figures
    std::optional<double> leq;
    std::optional<double> lmax;
    std::optional<double> lmin;
    std::optional<ExceededLevels> exceeded;
    Weightings weightings = 0;
};

// The readings of the minute in progress, summed as they come: its memory does not grow with
// the readings.
class MinuteSummary {
public:
    MinuteSummary();

    bool empty() const { return m_figures.readings == 0; }
    qint64 minute() const { return m_minute; }
    // Starts the minute a reading falls in, forgetting the one before.
    void begin(const Stamp &firstReading);
    void clear() { m_figures.readings = 0; }
    void add(const Reading &r);
    MinuteFigures figures() const;

private:
    qint64 m_minute = 0;
    MinuteFigures m_figures;
    analysis::RunTotals m_totals;
    analysis::TenthHistogram m_tenths;
};

inline constexpr char kMinutesHeading[] = "minute,readings,out_of_range,leq_db,lmax_db,lmin_db,l10_db,l50_db,l90_db,weighting";
QByteArray minuteLine(const MinuteFigures &m);

} // namespace ql708::monitor
