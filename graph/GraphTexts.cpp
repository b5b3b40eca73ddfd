// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/GraphTexts.h"

#include "common/NumberFormat.h"
#include "chart/TimeAxisScale.h"

namespace ql708::graph {

QString dateTimeText(TDateTime t, const QLocale &locale)
{
    const QDateTime dt = fromTDateTime(t);
    if (!dt.isValid())
        return QString();
    return dateText(t, locale) + QLatin1Char(' ') + locale.toString(dt.time(), longTimeFormat(locale));
}

QString dateText(TDateTime t, const QLocale &locale)
{
    const QDateTime dt = fromTDateTime(t);
    return dt.isValid() ? locale.toString(dt.date(), chart::shortDateFormat(locale)) : QString();
}

QString timeText(TDateTime t, const QLocale &locale)
{
    const QDateTime dt = fromTDateTime(t);
    return dt.isValid() ? locale.toString(dt.time(), longTimeFormat(locale)) : QString();
}

QString readoutText(double level, TDateTime t, const QLocale &locale)
{
    return formatLevel(level, locale) + QStringLiteral("dB@") + timeText(t, locale);
}

QString durationText(double seconds, const QLocale &locale)
{
    return formatLevel(seconds, locale) + QStringLiteral(" s");
}

QString statisticsText(const QList<StatisticLine> &lines)
{
    QString text;
    for (const StatisticLine &l : lines) {
        text += l.label + l.value;
        if (l.withTime)
            text += QLatin1Char('@') + l.time;
        text += QLatin1Char('\n');
    }
    return text;
}

} // namespace ql708::graph
