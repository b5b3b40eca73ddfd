// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/DateTime.h"
#include "meter/MeterStatus.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QTextStream>

#include <optional>

namespace ql708 {
struct MeterInformation;
namespace data {
struct DataSetList;
}
} // namespace ql708

namespace ql708::cli {

// The values of a command's --json document, the same for every command: scripts read numbers
// as numbers, times as ISO 8601 with the UTC offset, and an absent figure as null.

// The number, or null when absent or not finite.
QJsonValue jsonNumber(std::optional<double> v);
// The number rounded to the given decimals (a level to its tenth, as the program shows it).
QJsonValue jsonNumber(std::optional<double> v, int decimals);
// A local time as 2024-05-17T14:02:11+02:00 (milliseconds only when there are some, "Z" when
// local time is UTC); null for a time outside the calendar.
QJsonValue jsonTime(TDateTime t);
// One document, indented, and a line feed after it.
void writeJson(QTextStream &out, const QJsonObject &document);


// The JSON the commands print with --json, through QJsonDocument: names in snake_case, levels
// in dB as numbers with one decimal, times in ISO 8601, null for a figure without a value.

// sets: {"file", "result", "sets": [{"set", "start", "rate_s", "points", "weighting",
// "time_weighting", "range_db", "wave", "max_db", "min_db", "average_db", "out_of_range"}]},
// indented, with a line end.
QByteArray setsJson(const QString &file, int parseResult, const data::DataSetList &sets);

// info: {"firmware", "clock", "interval_s", "data_sets", "free_points", "serial", "cal_94_db",
// "cal_70_db"}, indented, with a line end.
QByteArray informationJson(const MeterInformation &info);

// status: one compact object per poll on one line, with the fields of the CSV listing.
QByteArray statusJson(const QDateTime &pcTime, const MeterStatus &s);

} // namespace ql708::cli
