// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <optional>

namespace ql708 {

// Dates and times as days since 30 December 1899 (local time), the fraction being the time of day.
using TDateTime = double;

constexpr double kSecond = 1.0 / 86400.0;

// The days the program's dates name, those with a four-digit year: 1 January 1 up to the end of
// 31 December 9999. The program makes no time outside them; a file that holds one is damaged.
constexpr double kFirstCalendarDay = -693593.0;
constexpr double kEndCalendarDay = 2958466.0; // the day after the last
inline bool isCalendarTime(TDateTime t) { return t >= kFirstCalendarDay && t < kEndCalendarDay; }

TDateTime toTDateTime(const QDateTime &dt);
// An invalid date-time for a time outside the calendar (or not a number).
QDateTime fromTDateTime(TDateTime t);

// The locale's short date format with a four-digit year, as the program writes dates everywhere:
// files then read back to the same day in any century.
QString shortDateFormat(const QLocale &locale);
// The locale's long time format less its time zone field: the time of the program's date-times.
QString longTimeFormat(const QLocale &locale);

// A date-time typed by the user: ISO 8601 (2024-05-17T14:02:11, a space for the T, seconds and a
// UTC offset optional; an offset is taken to local time) or the program's own text in the
// locale's short date and long time (17/05/2024 14:02:11). Nothing for other text or a time
// outside the calendar.
std::optional<TDateTime> parseDateTime(const QString &text, const QLocale &locale = QLocale());

// Value of a packed BCD byte (0x24 -> 24), or -1 when a nibble is above 9.
int bcdToInt(quint8 b);
// Packed BCD of 0..99.
quint8 intToBcd(int v);

} // namespace ql708
