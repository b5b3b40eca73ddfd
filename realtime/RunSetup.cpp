// SPDX-License-Identifier: GPL-3.0-or-later
#include "realtime/RunSetup.h"

#include "common/NumberFormat.h"
#include "common/Settings.h"
#include "realtime/RealTimeRun.h"

#include <cmath>

namespace ql708::realtime {

std::optional<int> pointCount(const QString &text)
{
    long long n = 0;
    if (!parseWhole(text, n) || n < 1 || n > kMaxRunPoints)
        return std::nullopt;
    return int(n);
}

std::optional<float> samplingRate(const QString &text, const QLocale &locale)
{
    double v = 0;
    if (!parseDecimal(text, v, locale) || !settings::isRealTimeRate(v))
        return std::nullopt;
    return float(v);
}

qint64 periodSeconds(double rate, int count) { return qint64(std::floor(double(count) * rate + 0.5)); }

QString periodText(qint64 seconds, PeriodStyle style)
{
    const qint64 h = seconds / 3600;
    const qint64 m = seconds / 60 % 60;
    const qint64 s = seconds % 60;
    if (style == PeriodStyle::Unpadded)
        return QStringLiteral("%1:%2:%3").arg(h).arg(m).arg(s);
    return QStringLiteral("%1:%2:%3").arg(h).arg(m, 2, 10, QLatin1Char('0')).arg(s, 2, 10, QLatin1Char('0'));
}

} // namespace ql708::realtime
