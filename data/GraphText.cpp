// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/GraphText.h"

#include <QIODevice>

#include <charconv>
#include <cmath>

namespace ql708::data {

namespace {

constexpr qint64 kMsPerDay = 86400000;

void appendTwoDigits(QByteArray &out, int v)
{
    out.append(char('0' + v / 10));
    out.append(char('0' + v % 10));
}

void appendNumber(QByteArray &out, long long v)
{
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr - buf);
}

// Splits a time into its day and milliseconds of the day, rounded as the program shows times;
// false for a time outside the calendar, which has neither.
bool splitTime(TDateTime t, qint64 &day, qint64 &ms)
{
    if (!isCalendarTime(t))
        return false;
    const double days = std::floor(t);
    day = qint64(days);
    ms = std::llround((t - days) * kMsPerDay);
    if (ms >= kMsPerDay)
        ++day, ms -= kMsPerDay;
    return true;
}

// The time of day as hh:mm:ss.ms: two-digit fields and the milliseconds without leading zeros
// (7 s and 5 ms give "07.5"), or with three digits in an ISO date-time.
void appendTime(QByteArray &out, qint64 ms, bool iso)
{
    appendTwoDigits(out, int(ms / 3600000));
    out.append(':');
    appendTwoDigits(out, int(ms / 60000 % 60));
    out.append(':');
    appendTwoDigits(out, int(ms / 1000 % 60));
    out.append('.');
    const int milli = int(ms % 1000);
    if (iso) {
        out.append(char('0' + milli / 100));
        appendTwoDigits(out, milli % 100);
    } else {
        appendNumber(out, milli);
    }
}

// Lines of one format, built as UTF-8 bytes. Neighbouring points share their day, so the date
// text is made once per day.
class LineWriter {
public:
    explicit LineWriter(const GraphTextFormat &f) : m_format(f)
    {
        const QString mark = f.locale.decimalPoint();
        m_decimal = (f.separator == TextSeparator::Comma && mark == QLatin1String(",")) ? QByteArray(".") : mark.toUtf8();
        m_separator = f.separator == TextSeparator::Comma ? QByteArray(", ") : QByteArray("\t");
        m_secondSeparator = f.separator == TextSeparator::Comma ? QByteArray(",") : QByteArray("\t");
    }

    void append(QByteArray &out, const GraphColumns &c, int i)
    {
        qint64 day = 0, ms = 0;
        const bool dated = splitTime(c.x[i], day, ms); // else the date and time fields stay empty
        if (dated)
            out.append(dateOf(day));
        out.append(m_format.isoDateTimes ? QByteArray("T") : m_separator);
        if (dated)
            appendTime(out, ms, m_format.isoDateTimes);
        out.append(m_separator);
        appendLevel(out, c.level[i]);
        if (c.second) {
            out.append(m_secondSeparator);
            appendLevel(out, c.second[i]);
        }
    }

private:
    const QByteArray &dateOf(qint64 day)
    {
        if (day != m_day || m_dateText.isEmpty()) {
            m_day = day;
            const QDate date = QDate(1899, 12, 30).addDays(day);
            m_dateText = (m_format.isoDateTimes ? date.toString(Qt::ISODate)
                                                : m_format.locale.toString(date, shortDateFormat(m_format.locale)))
                             .toUtf8();
        }
        return m_dateText;
    }

    void appendLevel(QByteArray &out, double v)
    {
        if (std::isnan(v)) {
            out.append("NAN");
            return;
        }
        if (std::isinf(v)) {
            out.append(v < 0 ? "-INF" : "INF");
            return;
        }
        char buf[64];
        const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, 1);
        const qsizetype n = r.ptr - buf;
        out.append(buf, n - 2);
        out.append(m_decimal);
        out.append(buf[n - 1]);
    }

    const GraphTextFormat &m_format;
    QByteArray m_decimal, m_separator, m_secondSeparator, m_dateText;
    qint64 m_day = 0;
};

} // namespace

QString graphTextLine(const GraphColumns &columns, int i, const GraphTextFormat &format)
{
    QByteArray out;
    LineWriter(format).append(out, columns, i);
    return QString::fromUtf8(out);
}

TextFileOutcome writeGraphText(QIODevice &out, const GraphColumns &columns, int first, int last,
                               const GraphTextFormat &format, const TextProgress &progress)
{
    LineWriter writer(format);
    LineBlocks lines(out, progress);
    for (int i = std::max(first, 0); i <= last && i < columns.count && columns.x[i] != 0; ++i) {
        writer.append(lines.line(), columns, i);
        if (!lines.endLine())
            break;
    }
    return lines.finish();
}

TextFileOutcome saveGraphText(const QString &path, const GraphColumns &columns, int first, int last,
                              const GraphTextFormat &format, const TextProgress &progress)
{
    return saveText(path, [&](QIODevice &out) { return writeGraphText(out, columns, first, last, format, progress); });
}

} // namespace ql708::data
