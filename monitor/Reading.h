// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "meter/MeterStatus.h"

#include <QDate>
#include <QDateTime>

#include <cstdint>
#include <optional>

namespace ql708::monitor {

// An instant as the monitor's files give it: milliseconds since the epoch and the local offset
// from UTC at that instant. Local dates and hours come from the two without asking the time
// zone again, so a reading costs one time zone look-up, and an hour that daylight saving
// repeats keeps its own offset.
struct Stamp {
    qint64 msecs = 0;
    int offsetSeconds = 0;

    static Stamp of(const QDateTime &time);
    // The instant at a local date and time of day with the offset in force then.
    static Stamp ofLocal(QDate date, qint64 msOfDay, int offsetSeconds);
    qint64 localMsecs() const { return msecs + qint64(offsetSeconds) * 1000; }
    QDate localDate() const;
    qint64 localMsOfDay() const;
    int localHour() const { return int(localMsOfDay() / 3'600'000); }
    qint64 minute() const; // minutes since the epoch; local minutes begin with them
};

// One decoded poll of the live level.
struct Reading {
    Stamp time;
    std::uint16_t tenths = 0; // the present level, not a held MAX or MIN
    bool aWeighting = true;
    bool fast = true;
    bool over = false;
    bool under = false;
    std::uint8_t rangeCode = 0;

    float level() const { return float(tenths * 0.1); }
    // The level the figures take: none (out of range) while the meter marks it over or under.
    float figureLevel() const;
};

// The levels a reading can hold: beyond them a reply is taken for garbage.
constexpr std::uint16_t kHighestTenths = 2000;

// The reading a status gives at the time; empty when the status cannot come from a working
// meter (a range code that names no range, a level beyond any range).
std::optional<Reading> readingOf(const MeterStatus &status, const QDateTime &time);

} // namespace ql708::monitor
