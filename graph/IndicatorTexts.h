// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/NoiseEvents.h"
#include "analysis/Periods.h"
#include "analysis/SpanIndex.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <vector>

namespace ql708::graph {

// The Indicators window's texts, in the active language and the locale's decimals.

// One figure for the whole series and for the span between the cursors.
struct IndicatorRow {
    QString label;
    QString whole;
    QString span;
};
// LAeq,T, T, LEX,8h, the three exposure values reached or not, the OSHA and NIOSH doses, the
// time at or above the limit, SEL, Lmax, Lmin, L10, L50, L90, readings, gaps and out-of-range
// readings. A series not A-weighted has its exposure labels marked so. An absent figure is "-".
std::vector<IndicatorRow> indicatorRows(const analysis::SpanFigures &whole, const analysis::SpanFigures &span,
                                        const QLocale &locale = QLocale());

// An event's start, duration, Lmax and SEL.
QStringList eventCells(const analysis::NoiseEvent &e, const QLocale &locale = QLocale());
// "NA85: 3 events, 42.0 s" for the events at or above the threshold.
QString eventSummary(const analysis::EventList &events, float threshold, const QLocale &locale = QLocale());
// A clock hour: start, readings, coverage, Leq, Lmax, Lmin, L10, L50, L90.
QStringList hourCells(const analysis::PeriodFigures &p, const QLocale &locale = QLocale());
// A day: date, Lday, Levening, Lnight (each with its coverage) and Lden.
QStringList dayCells(const analysis::DayFigures &d, const QLocale &locale = QLocale());

} // namespace ql708::graph
