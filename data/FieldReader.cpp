// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/FieldReader.h"

#include <QDate>

#include <algorithm>
#include <charconv>

namespace ql708::data {

namespace {

constexpr qint64 kEpochJulianDay = 2415019; // 30 December 1899
constexpr qint64 kMsPerDay = 86400000;

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || quint8(c) >= 0x80; }

QByteArrayView trimmed(QByteArrayView t)
{
    while (!t.isEmpty() && isBlank(t.front()))
        t = t.sliced(1);
    while (!t.isEmpty() && isBlank(t.back()))
        t.chop(1);
    return t;
}

// Reads a run of 1 to maxDigits digits at pos.
bool readNumber(QByteArrayView t, qsizetype &pos, int maxDigits, int &value, int *digits = nullptr)
{
    int n = 0;
    value = 0;
    while (pos < t.size() && isDigit(t[pos])) {
        if (++n > maxDigits)
            return false;
        value = value * 10 + (t[pos++] - '0');
    }
    if (digits)
        *digits = n;
    return n > 0;
}

bool accept(QByteArrayView t, qsizetype &pos, char c)
{
    if (pos < t.size() && t[pos] == c)
        return ++pos, true;
    return false;
}

// Milliseconds of the day from H:MM[:SS[.ms]] [AM|PM].
std::optional<qint64> timeOfDay(QByteArrayView t)
{
    t = trimmed(t);
    qsizetype pos = 0;
    int h = 0, m = 0, s = 0, ms = 0;
    if (!readNumber(t, pos, 2, h) || !accept(t, pos, ':') || !readNumber(t, pos, 2, m))
        return std::nullopt;
    if (accept(t, pos, ':')) {
        if (!readNumber(t, pos, 2, s))
            return std::nullopt;
        if ((accept(t, pos, '.') || accept(t, pos, ',')) && !readNumber(t, pos, 3, ms))
            return std::nullopt;
    }
    QByteArrayView rest = trimmed(t.sliced(pos));
    if (!rest.isEmpty()) {
        const bool am = rest.compare("AM", Qt::CaseInsensitive) == 0;
        const bool pm = rest.compare("PM", Qt::CaseInsensitive) == 0;
        if ((!am && !pm) || h < 1 || h > 12)
            return std::nullopt;
        h = h % 12 + (pm ? 12 : 0);
    }
    if (h > 23 || m > 59 || s > 59)
        return std::nullopt;
    return ((h * 60LL + m) * 60 + s) * 1000 + ms;
}

TDateTime combine(qint64 day, qint64 ms) { return double(day) + double(ms) / double(kMsPerDay); }

} // namespace

FieldReader::FieldReader(const QLocale &locale) : m_locale(locale), m_format(shortDateFormat(locale))
{
    // The order in which the short date format names day, month and year.
    std::array<std::pair<qsizetype, Part>, 3> at{{{m_format.indexOf(QLatin1Char('d')), Day},
                                                  {m_format.indexOf(QLatin1Char('M')), Month},
                                                  {m_format.indexOf(QLatin1Char('y')), Year}}};
    if (std::all_of(at.begin(), at.end(), [](const auto &p) { return p.first >= 0; })) {
        std::sort(at.begin(), at.end());
        for (int i = 0; i < 3; ++i)
            m_order[size_t(i)] = at[size_t(i)].second;
    }
}

std::optional<qint64> FieldReader::dayNumber(QByteArrayView date) const
{
    date = trimmed(date);
    int numbers[3] = {0, 0, 0}, digits[3] = {0, 0, 0};
    qsizetype pos = 0;
    bool numeric = true;
    for (int i = 0; i < 3 && numeric; ++i) {
        numeric = readNumber(date, pos, 4, numbers[i], &digits[i]);
        // Separators: punctuation and spaces, as short dates use them ("12/05/2011", "12. 5. 2011").
        const qsizetype start = pos;
        while (pos < date.size() && !isDigit(date[pos]) && !isLetter(date[pos]))
            ++pos;
        numeric = numeric && (i == 2 || pos > start);
    }
    numeric = numeric && pos == date.size();
    if (!numeric) {
        const QDate d = m_locale.toDate(QString::fromUtf8(date), m_format);
        return d.isValid() ? std::optional<qint64>(d.toJulianDay() - kEpochJulianDay) : std::nullopt;
    }
    std::array<Part, 3> order = digits[0] == 4 ? std::array<Part, 3>{Year, Month, Day} : m_order;
    int y = 0, m = 0, d = 0;
    for (int i = 0; i < 3; ++i) {
        if (order[size_t(i)] == Year)
            y = digits[i] <= 2 ? 2000 + numbers[i] : numbers[i];
        else if (order[size_t(i)] == Month)
            m = digits[i] <= 2 ? numbers[i] : 0;
        else
            d = digits[i] <= 2 ? numbers[i] : 0;
    }
    if (!QDate::isValid(y, m, d))
        return std::nullopt;
    return QDate(y, m, d).toJulianDay() - kEpochJulianDay;
}

std::optional<TDateTime> FieldReader::dateTime(QByteArrayView date, QByteArrayView time) const
{
    const std::optional<qint64> day = dayNumber(date);
    const std::optional<qint64> ms = day ? timeOfDay(time) : std::nullopt;
    if (!ms)
        return std::nullopt;
    return combine(*day, *ms);
}

std::optional<TDateTime> FieldReader::isoDateTime(QByteArrayView text) const
{
    text = trimmed(text);
    const qsizetype t = text.indexOf('T');
    if (t != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    qsizetype pos = 0;
    int y = 0, m = 0, d = 0, n = 0;
    const QByteArrayView date = text.first(10);
    if (!readNumber(date, pos, 4, y, &n) || n != 4 || !accept(date, pos, '-') || !readNumber(date, pos, 2, m, &n) ||
        n != 2 || !accept(date, pos, '-') || !readNumber(date, pos, 2, d, &n) || n != 2 || !QDate::isValid(y, m, d))
        return std::nullopt;
    const std::optional<qint64> ms = timeOfDay(text.sliced(11));
    if (!ms)
        return std::nullopt;
    return combine(QDate(y, m, d).toJulianDay() - kEpochJulianDay, *ms);
}

std::optional<float> FieldReader::level(QByteArrayView text)
{
    text = trimmed(text);
    char buf[64];
    if (text.isEmpty() || text.size() >= qsizetype(sizeof buf))
        return std::nullopt;
    qsizetype n = 0, digits = 0;
    bool mark = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (isDigit(c))
            ++digits;
        else if ((c == '.' || c == ',') && !mark)
            mark = true;
        else if (!(i == 0 && (c == '-' || c == '+')))
            return std::nullopt;
        if (c != '+')
            buf[n++] = c == ',' ? '.' : c;
    }
    double v = 0;
    if (digits == 0 || std::from_chars(buf, buf + n, v).ptr != buf + n)
        return std::nullopt;
    return float(v);
}

} // namespace ql708::data
