// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/PercentileIndex.h"

#include "analysis/LevelSeries.h"
#include "analysis/Rounding.h"
#include "analysis/TenthCounts.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ql708::analysis {

namespace {

// Beyond this no series of sound levels goes; such numbers stay out of the tenths' arithmetic.
constexpr double kLargestTenthsLevel = 1.0e6;

long long roundedTenth(float level) { return roundedToWhole(double(level) * 10.0); }

} // namespace

PercentileIndex::PercentileIndex(std::span<const float> levels)
    : m_levels(levels)
{
    long long lo = 0, hi = -1;
    for (const float v : levels) {
        if (!isMeasuredLevel(v))
            continue;
        if (std::fabs(v) > kLargestTenthsLevel)
            return;
        const long long t = roundedTenth(v);
        if (hi < lo) {
            lo = hi = t;
        } else {
            lo = std::min(lo, t);
            hi = std::max(hi, t);
        }
    }
    if (hi < lo || hi - lo >= kMaxTenths)
        return;
    m_lowest = int(lo);
    m_tenths = int(hi - lo + 1);

    // A tenth shows its readings' common value while they all agree, else the tenth itself.
    m_shown.assign(size_t(m_tenths), std::numeric_limits<float>::quiet_NaN());
    std::vector<bool> mixed(size_t(m_tenths), false);
    std::vector<std::uint32_t> counts(size_t(m_tenths), 0);
    const int n = int(levels.size());
    m_rows.reserve(size_t(n / kBlock + 1) * size_t(m_tenths));
    for (int i = 0; i < n; ++i) {
        if (i % kBlock == 0)
            m_rows.insert(m_rows.end(), counts.begin(), counts.end());
        const float v = levels[size_t(i)];
        if (!isMeasuredLevel(v))
            continue;
        const size_t t = size_t(tenthOf(v));
        ++counts[t];
        if (std::isnan(m_shown[t]))
            m_shown[t] = v;
        else if (m_shown[t] != v)
            mixed[t] = true;
    }
    if (n % kBlock == 0)
        m_rows.insert(m_rows.end(), counts.begin(), counts.end());
    for (size_t t = 0; t < m_shown.size(); ++t)
        if (mixed[t])
            m_shown[t] = float((m_lowest + int(t)) / 10.0);
}

int PercentileIndex::tenthOf(float level) const { return int(roundedTenth(level) - m_lowest); }

void PercentileIndex::countTenths(int begin, int end, std::vector<std::uint32_t> &counts) const
{
    for (int i = begin; i < end; ++i) {
        const float v = m_levels[size_t(i)];
        if (isMeasuredLevel(v))
            ++counts[size_t(tenthOf(v))];
    }
}

std::optional<ExceededLevels> PercentileIndex::direct(int first, int last) const
{
    std::vector<float> run(m_levels.begin() + first, m_levels.begin() + last + 1);
    for (float &v : run)
        if (!isMeasuredLevel(v))
            v = kGapLevel;
    return exceededLevels(run);
}

std::optional<ExceededLevels> PercentileIndex::exceeded(int first, int last) const
{
    if (m_tenths == 0)
        return direct(first, last);
    std::vector<std::uint32_t> counts(size_t(m_tenths), 0);
    const int end = last + 1;
    const int firstRow = (first + kBlock - 1) / kBlock;
    const int endRow = end / kBlock;
    if (firstRow < endRow) {
        const std::uint32_t *a = m_rows.data() + size_t(firstRow) * size_t(m_tenths);
        const std::uint32_t *b = m_rows.data() + size_t(endRow) * size_t(m_tenths);
        for (size_t t = 0; t < counts.size(); ++t)
            counts[t] = b[t] - a[t];
        countTenths(first, firstRow * kBlock, counts);
        countTenths(endRow * kBlock, end, counts);
    } else {
        countTenths(first, end, counts);
    }

    const std::optional<ExceededTenths> at = exceededTenths(counts);
    if (!at)
        return std::nullopt;
    return ExceededLevels{m_shown[at->l10], m_shown[at->l50], m_shown[at->l90]};
}

std::size_t PercentileIndex::memoryBytes() const
{
    return m_rows.capacity() * sizeof(std::uint32_t) + m_shown.capacity() * sizeof(float);
}

} // namespace ql708::analysis
