// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/StatusLine.h"

#include "monitor/MonitorCsv.h"

#include <QStringList>

namespace ql708 {

namespace {

QString yesNo(bool b) { return b ? QStringLiteral("yes") : QStringLiteral("no"); }

QString bcd(std::uint8_t b) { return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper(); }

} // namespace

QString maxMinText(const MeterStatus &s)
{
    if (!s.maxMinActive)
        return QStringLiteral("off");
    switch (s.maxMinMode) {
    case kMaxHeld: return QStringLiteral("MAX");
    case kMinHeld: return QStringLiteral("MIN");
    case kMaxMinAlternate: return QStringLiteral("MAX/MIN");
    default: return QStringLiteral("on");
    }
}

QString statusTime(const QDateTime &pcTime) { return QString::fromLatin1(monitor::isoTime(monitor::Stamp::of(pcTime))); }

// Always with a full stop, whatever the locale, so the listing can be parsed.
QString statusLevel(const MeterStatus &s) { return QString::number(s.shownLevel() / 10.0, 'f', 1); }

QString statusRange(const MeterStatus &s) { return QString::fromLatin1(monitor::rangeText(s.rangeCode)); }

QString meterClock(const MeterStatus &s)
{
    return bcd(s.clockHours) + QLatin1Char(':') + bcd(s.clockMinutes) + QLatin1Char(':') + bcd(s.clockSeconds);
}

QString statusLine(const QDateTime &pcTime, const MeterStatus &s)
{
    const QString range = statusRange(s);
    return QStringLiteral("%1  %2 %3 %4 %5 maxmin=%6 rec=%7 over=%8 under=%9 full=%10 clock=%11")
        .arg(pcTime.toString(Qt::ISODate))
        .arg(statusLevel(s), 5)
        .arg(s.aWeighting ? QStringLiteral("dBA") : QStringLiteral("dBC"))
        .arg(s.fastResponse ? QStringLiteral("FAST") : QStringLiteral("SLOW"))
        .arg(range.isEmpty() ? QStringLiteral("range?") : range + QStringLiteral("dB"), maxMinText(s),
             yesNo(s.recording), yesNo(s.over), yesNo(s.under), yesNo(s.memoryFull))
        .arg(meterClock(s));
}

QString statusCsvLine(const QDateTime &pcTime, const MeterStatus &s)
{
    return QStringList{statusTime(pcTime),
                       statusLevel(s),
                       QString::fromLatin1(monitor::weightingText(s.aWeighting)),
                       s.fastResponse ? QStringLiteral("FAST") : QStringLiteral("SLOW"),
                       statusRange(s),
                       maxMinText(s),
                       yesNo(s.recording),
                       yesNo(s.over),
                       yesNo(s.under),
                       yesNo(s.memoryFull),
                       meterClock(s)}
        .join(QLatin1Char(','));
}

} // namespace ql708
