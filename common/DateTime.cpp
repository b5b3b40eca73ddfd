// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/DateTime.h"

#include <cmath>

namespace ql708 {

namespace {
const QDate kEpoch(1899, 12, 30);
constexpr qint64 kMsPerDay = 86400000;
} // namespace

TDateTime toTDateTime(const QDateTime &dt)
{
    const qint64 days = kEpoch.daysTo(dt.date());
    const double frac = dt.time().msecsSinceStartOfDay() / double(kMsPerDay);
    return double(days) + frac;
}

QDateTime fromTDateTime(TDateTime t)
{
    if (!isCalendarTime(t)) // also keeps the day number inside a 64-bit integer
        return {};
    const double days = std::floor(t);
    qint64 ms = qint64(std::llround((t - days) * kMsPerDay));
    QDate date = kEpoch.addDays(qint64(days));
    if (ms >= kMsPerDay) {
        date = date.addDays(1);
        ms -= kMsPerDay;
    }
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(int(ms)));
}

QString longTimeFormat(const QLocale &locale)
{
    const QString f = locale.timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (const QChar c : f) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (quoted || c != QLatin1Char('t'))
            out += c;
    }
    return out.trimmed();
}

std::optional<TDateTime> parseDateTime(const QString &text, const QLocale &locale)
{
    const QString t = text.trimmed();
    QDateTime dt;
    if (t.size() > 10 && t[10] == QLatin1Char(' ')) // "2024-05-17 14:02:11"
        dt = QDateTime::fromString(QString(t).replace(10, 1, QLatin1Char('T')), Qt::ISODate);
    else
        dt = QDateTime::fromString(t, Qt::ISODate);
    if (!dt.isValid())
        dt = locale.toDateTime(t, shortDateFormat(locale) + QLatin1Char(' ') + longTimeFormat(locale));
    if (!dt.isValid())
        return std::nullopt;
    if (dt.timeSpec() != Qt::LocalTime)
        dt = dt.toLocalTime();
    const TDateTime v = toTDateTime(dt);
    return isCalendarTime(v) ? std::optional<TDateTime>(v) : std::nullopt;
}

QString shortDateFormat(const QLocale &locale)
{
    QString f = locale.dateFormat(QLocale::ShortFormat);
    if (!f.contains(QLatin1String("yyyy")))
        f.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return f;
}

int bcdToInt(quint8 b)
{
    const int hi = b >> 4, lo = b & 0x0F;
    if (hi > 9 || lo > 9)
        return -1;
    return hi * 10 + lo;
}

quint8 intToBcd(int v) { return quint8(((v / 10) % 10) << 4 | (v % 10)); }

} // namespace ql708
