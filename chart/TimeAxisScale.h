// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/DateTime.h"

#include <QLocale>
#include <QString>
#include <QVector>

namespace ql708::chart {

// Ticks of a date-time axis (x in days since 30 December 1899) that stay readable from
// fractions of a second to years: a step from a fixed list of calendar-friendly steps, labels
// whose precision follows the step, and the date on the first tick and wherever it changes.
// A view that no step of the list fits gets one tick at its left end.
struct TimeTicks {
    double step = 0.0; // days
    QVector<double> ticks;
    QVector<double> subTicks;
    QVector<QString> labels;
};

TimeTicks planTimeTicks(double lo, double hi, int maxTicks, const QLocale &locale = QLocale());

using ql708::shortDateFormat;

} // namespace ql708::chart
