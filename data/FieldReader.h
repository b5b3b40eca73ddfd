// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/DateTime.h"

#include <QByteArrayView>
#include <QLocale>
#include <QString>

#include <array>
#include <optional>

namespace ql708::data {

// Reads the date, time and level fields of a table, as the graph text writer writes them and as
// other programs commonly do, by hand: a general date-time parser per row is hundreds of times
// slower on a large file. Spaces around a field are allowed.
//
// Dates: three numbers in the locale's short date order (day, month, year as its short format
// puts them), separated by any punctuation; a first number of four digits is a year, read as
// year-month-day. Years of one or two digits are 2000 to 2099 (the meter records since 2000).
// A date that is not numbers only is tried with the locale's short date format.
// Times: H:MM, H:MM:SS, or H:MM:SS followed by a full stop or a comma and 1 to 3 digits giving
// the milliseconds as a whole number ("07.5" is 7 s 5 ms, as written), then an optional AM or PM.
class FieldReader {
public:
    explicit FieldReader(const QLocale &locale = QLocale());

    std::optional<TDateTime> dateTime(QByteArrayView date, QByteArrayView time) const;
    // yyyy-MM-ddTHH:mm:ss with the optional milliseconds, in one field.
    std::optional<TDateTime> isoDateTime(QByteArrayView text) const;
    // A number with a full stop or a comma as decimal mark; no grouping, no exponent.
    static std::optional<float> level(QByteArrayView text);

private:
    enum Part { Day, Month, Year };
    std::optional<qint64> dayNumber(QByteArrayView date) const;

    QLocale m_locale;
    QString m_format;
    std::array<Part, 3> m_order{Day, Month, Year};
};

} // namespace ql708::data
