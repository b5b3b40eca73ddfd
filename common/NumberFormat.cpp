// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/NumberFormat.h"

#include <cmath>

namespace ql708 {

QString formatLevel(double v, const QLocale &locale)
{
    if (std::isnan(v))
        return QStringLiteral("NAN");
    if (std::isinf(v))
        return v < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
    QString s = locale.toString(v, 'f', 1);
    // Group separators would make the number unreadable as input again.
    s.remove(locale.groupSeparator());
    return s;
}

bool parseDecimal(const QString &text, double &out, const QLocale &locale)
{
    bool ok = false;
    const double v = locale.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        return false;
    out = v;
    return true;
}

bool parseWhole(const QString &text, long long &out)
{
    bool ok = false;
    const long long v = text.trimmed().toLongLong(&ok, 10);
    if (!ok)
        return false;
    out = v;
    return true;
}

} // namespace ql708
