// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/NoiseEvents.h"
#include "monitor/Reading.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

namespace ql708::monitor {

// The monitor's files are plain CSV that spreadsheets and data tools read as they are: a heading
// line, ',' between fields, '.' in numbers whatever the locale, times in ISO 8601 with their UTC
// offset, an empty field for a figure that has no value.

// 2024-03-05T14:07:09.500+01:00, or without the milliseconds.
QByteArray isoTime(const Stamp &t, bool withMilliseconds = true);
// Reads what isoTime wrote (either form); empty for anything else.
std::optional<Stamp> parseIsoTime(QByteArrayView text);

// A level or figure with one decimal; empty without a value.
QByteArray decimal(std::optional<double> value);

// The daily readings file: one line per reading, and a gap line where readings broke off
// (the meter went away, the monitor stopped).
inline constexpr char kReadingsHeading[] = "time,level_db,weighting,time_weighting,range_db,mark";
QByteArray readingLine(const Reading &r);
QByteArray gapLine(const Stamp &t);
// "A" or "C"; "FAST" or "SLOW"; "30-130".
QByteArray weightingText(bool aWeighting);
QByteArray rangeText(std::uint8_t rangeCode);

// A line of the readings file read back: a reading, or a gap at its time.
struct ReadingsLine {
    Stamp time;
    std::optional<Reading> reading;
};
std::optional<ReadingsLine> parseReadingsLine(QByteArrayView line);

// events.csv: one line per event, written as it ends. touches_gap: a gap or a reading out of
// range came right before or after it, so it may have lasted longer.
inline constexpr char kEventsHeading[] = "start,duration_s,lmax_db,sel_db,touches_gap";
QByteArray eventLine(const Stamp &start, const analysis::NoiseEvent &e);

// The first field of a line: the key (time or date) of a summary line.
QByteArrayView firstField(QByteArrayView line);

} // namespace ql708::monitor
