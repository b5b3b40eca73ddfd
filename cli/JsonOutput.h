// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "meter/MeterStatus.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace ql708 {
struct MeterInformation;
namespace data {
struct DataSetList;
}
} // namespace ql708

namespace ql708::cli {

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
