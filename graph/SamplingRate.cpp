#include "graph/SamplingRate.h"

#include "common/NumberFormat.h"

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

RateChange samplingRateChanged(const QString &text, GraphState &state, const QLocale &locale)
{
    if (state.realTimeRunning)
        return {true, rateEntry(state.RealTimeRate)};
    double v = 0;
    if (parseDecimal(text, v, locale))
        state.RealTimeRate = float(v);
    return {};
}

} // namespace ql708::graph
