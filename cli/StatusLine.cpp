// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/StatusLine.h"

namespace ql708 {

namespace {

QString yesNo(bool b) { return b ? QStringLiteral("yes") : QStringLiteral("no"); }

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

QString rangeText(std::uint8_t code)
{
    int low = 0, high = 0;
    if (!rangeLimits(code, low, high))
        return QStringLiteral("range?");
    return QStringLiteral("%1-%2dB").arg(low).arg(high);
}

QString bcd(std::uint8_t b) { return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper(); }

} // namespace

QString statusLine(const QDateTime &pcTime, const MeterStatus &s)
{
    // The level always with a full stop, whatever the locale, so the listing can be parsed.
    return QStringLiteral("%1  %2 %3 %4 %5 maxmin=%6 rec=%7 over=%8 under=%9 full=%10 clock=%11:%12:%13")
        .arg(pcTime.toString(Qt::ISODate))
        .arg(QString::number(s.shownLevel() / 10.0, 'f', 1), 5)
        .arg(s.aWeighting ? QStringLiteral("dBA") : QStringLiteral("dBC"))
        .arg(s.fastResponse ? QStringLiteral("FAST") : QStringLiteral("SLOW"))
        .arg(rangeText(s.rangeCode), maxMinText(s), yesNo(s.recording), yesNo(s.over),
             yesNo(s.under), yesNo(s.memoryFull))
        .arg(bcd(s.clockHours), bcd(s.clockMinutes), bcd(s.clockSeconds));
}

} // namespace ql708
