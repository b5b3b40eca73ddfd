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
    : levels_(levels)
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
    lowest_ = int(lo);
    tenths_ = int(hi - lo + 1);

    // A tenth shows its readings' common value while they all agree, else the tenth itself.
    shown_.assign(size_t(tenths_), std::numeric_limits<float>::quiet_NaN());
    std::vector<bool> mixed(size_t(tenths_), false);
    std::vector<std::uint32_t> counts(size_t(tenths_), 0);
    const int n = int(levels.size());
    rows_.reserve(size_t(n / kBlock + 1) * size_t(tenths_));
    for (int i = 0; i < n; ++i) {
        if (i % kBlock == 0)
            rows_.insert(rows_.end(), counts.begin(), counts.end());
        const float v = levels[size_t(i)];
        if (!isMeasuredLevel(v))
            continue;
        const size_t t = size_t(tenthOf(v));
        ++counts[t];
        if (std::isnan(shown_[t]))
            shown_[t] = v;
        else if (shown_[t] != v)
            mixed[t] = true;
    }
    if (n % kBlock == 0)
        rows_.insert(rows_.end(), counts.begin(), counts.end());
    for (size_t t = 0; t < shown_.size(); ++t)
        if (mixed[t])
            shown_[t] = float((lowest_ + int(t)) / 10.0);
}

int PercentileIndex::tenthOf(float level) const { return int(roundedTenth(level) - lowest_); }

void PercentileIndex::countTenths(int begin, int end, std::vector<std::uint32_t> &counts) const
{
    for (int i = begin; i < end; ++i) {
        const float v = levels_[size_t(i)];
        if (isMeasuredLevel(v))
            ++counts[size_t(tenthOf(v))];
    }
}

std::optional<ExceededLevels> PercentileIndex::direct(int first, int last) const
{
    std::vector<float> run(levels_.begin() + first, levels_.begin() + last + 1);
    for (float &v : run)
        if (!isMeasuredLevel(v))
            v = kGapLevel;
    return exceededLevels(run);
}

std::optional<ExceededLevels> PercentileIndex::exceeded(int first, int last) const
{
    if (tenths_ == 0)
        return direct(first, last);
    std::vector<std::uint32_t> counts(size_t(tenths_), 0);
    const int end = last + 1;
    const int firstRow = (first + kBlock - 1) / kBlock;
    const int endRow = end / kBlock;
    if (firstRow < endRow) {
        const std::uint32_t *a = rows_.data() + size_t(firstRow) * size_t(tenths_);
        const std::uint32_t *b = rows_.data() + size_t(endRow) * size_t(tenths_);
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
    return ExceededLevels{shown_[at->l10], shown_[at->l50], shown_[at->l90]};
}

std::size_t PercentileIndex::memoryBytes() const
{
    return rows_.capacity() * sizeof(std::uint32_t) + shown_.capacity() * sizeof(float);
}

} // namespace ql708::analysis
