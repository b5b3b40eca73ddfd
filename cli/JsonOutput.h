// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/DateTime.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QTextStream>

#include <optional>

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

} // namespace ql708::cli
