// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/DataSetText.h"

#include "meter/Protocol.h"

namespace ql708::data {

using namespace memory_layout;

QString rateText(int seconds)
{
    return QStringLiteral("%1:%2").arg(seconds / 60, 2, 10, QLatin1Char('0')).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString rangeText(std::uint8_t flags)
{
    static const char *const texts[] = {"30-90", "50-110", "70-130", "30-130"};
    return QString::fromLatin1(texts[(flags & kFlagRangeMask) >> kFlagRangeShift]);
}

bool isAWeighted(std::uint8_t flags) { return (flags & kFlagAWeighting) != 0; }

QString weightingText(std::uint8_t flags)
{
    return isAWeighted(flags) ? QStringLiteral("dBA") : QStringLiteral("dBC");
}

QString responseText(std::uint8_t flags)
{
    return flags & kFlagFast ? QStringLiteral("FAST") : QStringLiteral("SLOW");
}

QString clockText(TDateTime t) { return fromTDateTime(t).time().toString(QStringLiteral("HH:mm:ss")); }

} // namespace ql708::data
