// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/TenthCounts.h"

#include "analysis/Rounding.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>

namespace ql708::analysis {

std::optional<ExceededTenths> exceededTenths(std::span<const std::uint32_t> counts)
{
    long long total = 0;
    for (const std::uint32_t c : counts)
        total += c;
    if (total == 0)
        return std::nullopt;
    // Positions from the lowest level: L90 first, then L50, then L10.
    constexpr std::array<int, 3> kPercents = {90, 50, 10};
    std::array<std::size_t, 3> found{};
    std::size_t t = 0;
    long long below = counts[0];
    for (std::size_t k = 0; k < kPercents.size(); ++k) {
        const long long position = exceededPosition(kPercents[k], int(std::min<long long>(total, INT_MAX)));
        while (below <= position)
            below += counts[++t];
        found[k] = t;
    }
    return ExceededTenths{found[2], found[1], found[0]};
}

TenthHistogram::TenthHistogram(float lowest, float highest)
    : m_lowest(roundedToWhole(double(lowest) * 10.0)),
      m_counts(std::size_t(std::max(0LL, roundedToWhole(double(highest) * 10.0) - m_lowest + 1)), 0)
{
}

bool TenthHistogram::add(float level)
{
    if (!isMeasuredLevel(level) || std::fabs(level) > 1.0e6f)
        return false;
    const long long t = roundedToWhole(double(level) * 10.0) - m_lowest;
    if (t < 0 || t >= (long long)m_counts.size())
        return false;
    ++m_counts[std::size_t(t)];
    return true;
}

void TenthHistogram::clear() { std::fill(m_counts.begin(), m_counts.end(), 0); }

std::optional<ExceededLevels> TenthHistogram::exceeded() const
{
    const std::optional<ExceededTenths> at = exceededTenths(m_counts);
    if (!at)
        return std::nullopt;
    auto level = [this](std::size_t t) { return float(double(m_lowest + (long long)t) / 10.0); };
    return ExceededLevels{level(at->l10), level(at->l50), level(at->l90)};
}

} // namespace ql708::analysis
