// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "meter/MeterStatus.h"

#include <QDateTime>
#include <QString>

namespace ql708 {

// One line of the status listing: PC time, shown level, modes, flags and the meter clock.
QString statusLine(const QDateTime &pcTime, const MeterStatus &s);

// The listing as CSV: this heading, then one line per poll with the PC time in ISO 8601 with
// its UTC offset and '.' decimals, whatever the locale.
inline constexpr char kStatusCsvHeading[] =
    "time,level_db,weighting,time_weighting,range_db,maxmin,recording,over,under,memory_full,meter_clock";
QString statusCsvLine(const QDateTime &pcTime, const MeterStatus &s);

// The parts the listings share: the PC time as the CSV and JSON give it, the level in dB with
// '.', the MAX/MIN mode ("off", "MAX", "MIN", "MAX/MIN"), the range ("30-90", empty for a code
// the meter does not have) and the meter clock ("HH:MM:SS" from its BCD digits).
QString statusTime(const QDateTime &pcTime);
QString statusLevel(const MeterStatus &s);
QString maxMinText(const MeterStatus &s);
QString statusRange(const MeterStatus &s);
QString meterClock(const MeterStatus &s);

} // namespace ql708
