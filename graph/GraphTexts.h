// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/DateTime.h"

#include <QList>
#include <QLocale>
#include <QString>

#include <utility>

namespace ql708::graph {

// Date and time as the graph windows show them: the short date with a four-digit year and the
// long time, without a time zone.
QString dateTimeText(TDateTime t, const QLocale &locale = QLocale());
// The short date only.
QString dateText(TDateTime t, const QLocale &locale = QLocale());
// The long time only.
QString timeText(TDateTime t, const QLocale &locale = QLocale());

// The mouse readout: level, "dB", "@" and the time, run together (65.4dB@14:02:11).
QString readoutText(double level, TDateTime t, const QLocale &locale = QLocale());

// A duration in seconds with one decimal and its unit.
QString durationText(double seconds, const QLocale &locale = QLocale());

// One line of the exported statistics: label, value and, for some, "@" and a time.
struct StatisticLine {
    StatisticLine(QString label, QString value, QString time = QString(), bool withTime = false)
        : label(std::move(label)), value(std::move(value)), time(std::move(time)), withTime(withTime)
    {
    }
    QString label;
    QString value;
    QString time;
    bool withTime;
};
// The lines run together, each ended by a single line feed.
QString statisticsText(const QList<StatisticLine> &lines);

} // namespace ql708::graph
