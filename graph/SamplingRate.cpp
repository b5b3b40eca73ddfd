// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/SamplingRate.h"

#include "common/NumberFormat.h"
#include "common/Settings.h"

#include <array>

namespace ql708::graph {

namespace {
constexpr std::array<double, kRateEntryCount> kRates = {0.5, 1, 2, 5, 10, 20, 30};
constexpr std::array<double, kRateEntryCount> kUpperBounds = {0.55, 1.5, 2.5, 5.5, 10.5, 20.5, 30.5};
} // namespace

std::optional<int> rateEntry(double rate)
{
    for (int i = 0; i < kRateEntryCount; ++i)
        if (rate < kUpperBounds[size_t(i)])
            return i;
    return std::nullopt;
}

QStringList rateEntryTexts(const QLocale &locale)
{
    QStringList texts;
    for (double r : kRates)
        texts << formatLevel(r, locale);
    return texts;
}

RateChange samplingRateChanged(const QString &text, RealTimeRunState &state, const QLocale &locale)
{
    double v = 0;
    const bool isRate = parseDecimal(text, v, locale) && settings::isRealTimeRate(v);
    if (state.realTimeRunning) {
        // Picking the entry already shown again changes nothing; only another rate is refused.
        const std::optional<int> shown = rateEntry(state.RealTimeRate);
        if (isRate && shown && rateEntry(v) == shown)
            return {};
        return {true, shown};
    }
    if (isRate)
        state.RealTimeRate = float(v);
    return {};
}

} // namespace ql708::graph
