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
