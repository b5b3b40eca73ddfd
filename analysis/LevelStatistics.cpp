// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/LevelStatistics.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <vector>

namespace ql708 {

namespace {

constexpr int kBuckets = 4096;

} // namespace

LevelSummary summarizeLevels(std::span<const float> levels)
{
    // Extremes start beyond any level, so the first level replaces them and later equal ones
    // do not: the first of equal extremes wins.
    float max = -std::numeric_limits<float>::infinity();
    float min = std::numeric_limits<float>::infinity();
    int maxIndex = -1, minIndex = -1, count = 0, outOfRange = 0;
    double sum = 0.0;
    for (size_t i = 0; i < levels.size(); ++i) {
        const float v = levels[i];
        outOfRange += isOutOfRangeLevel(v);
        if (!isMeasuredLevel(v))
            continue;
        sum += v;
        ++count;
        if (v > max) {
            max = v;
            maxIndex = int(i);
        }
        if (v < min) {
            min = v;
            minIndex = int(i);
        }
    }
    LevelSummary s;
    if (count > 0)
        s = {count, outOfRange, max, min, maxIndex, minIndex, sum / count};
    s.outOfRange = outOfRange;
    return s;
}

std::optional<double> equivalentLevel(std::span<const float> levels)
{
    return equivalentLevel(levels, summarizeLevels(levels));
}

std::optional<double> equivalentLevel(std::span<const float> levels, const LevelSummary &s)
{
    if (s.count == 0)
        return std::nullopt;
    const double reference = s.max;
    double energy = 0.0;
    for (const float v : levels)
        if (isMeasuredLevel(v))
            energy += relativeEnergy(v - reference);
    return reference + 10.0 * std::log10(energy / s.count);
}

std::optional<double> soundExposureLevel(double leq, double seconds)
{
    if (!(seconds > 0.0))
        return std::nullopt;
    return leq + 10.0 * std::log10(seconds);
}

int exceededPosition(int percent, int count)
{
    const long long rank = ((100LL - percent) * count + 99) / 100;
    return int(std::clamp<long long>(rank, 1, std::max(count, 1))) - 1;
}

// Selection in two passes: a histogram of the levels over their range finds the bucket that
// holds each wanted position, then only that bucket's levels are searched. Bucketing is
// monotone in the level, so the order between buckets is exact.
std::optional<ExceededLevels> exceededLevels(std::span<const float> levels)
{
    return exceededLevels(levels, summarizeLevels(levels));
}

std::optional<ExceededLevels> exceededLevels(std::span<const float> levels, const LevelSummary &s)
{
    if (s.count == 0)
        return std::nullopt;
    if (s.max == s.min)
        return ExceededLevels{s.max, s.max, s.max};
    const double lo = s.min;
    const double scale = kBuckets / (double(s.max) - lo);
    auto bucketOf = [&](float v) { return std::min(kBuckets - 1, int((v - lo) * scale)); };

    std::vector<int> counts(kBuckets, 0);
    for (const float v : levels)
        if (isMeasuredLevel(v))
            ++counts[size_t(bucketOf(v))];

    constexpr std::array<int, 3> kPercents = {10, 50, 90};
    std::array<int, 3> bucket{}, within{};
    for (size_t k = 0; k < kPercents.size(); ++k) {
        int left = exceededPosition(kPercents[k], s.count);
        int b = 0;
        while (left >= counts[size_t(b)])
            left -= counts[size_t(b++)];
        bucket[k] = b;
        within[k] = left;
    }

    // Which of the wanted positions each bucket holds, one bit each.
    std::vector<unsigned char> wanted(kBuckets, 0);
    std::array<std::vector<float>, 3> members;
    for (size_t k = 0; k < members.size(); ++k) {
        wanted[size_t(bucket[k])] |= 1u << k;
        members[k].reserve(size_t(counts[size_t(bucket[k])]));
    }
    for (const float v : levels) {
        if (!isMeasuredLevel(v))
            continue;
        const unsigned bits = wanted[size_t(bucketOf(v))];
        for (size_t k = 0; bits != 0 && k < members.size(); ++k)
            if (bits >> k & 1u)
                members[k].push_back(v);
    }
    std::array<float, 3> found{};
    for (size_t k = 0; k < members.size(); ++k) {
        auto nth = members[k].begin() + within[k];
        std::nth_element(members[k].begin(), nth, members[k].end());
        found[k] = *nth;
    }
    return ExceededLevels{found[0], found[1], found[2]};
}

float runningLeqStep(float previous, float level, int n)
{
    if (n <= 1)
        return level;
    const float older = float(n - 1) / float(n);
    const float newest = 1.0f / float(n);
    const float l = float(10.0 * std::log10(std::pow(10.0, 0.1 * previous) * older +
                                            std::pow(10.0, 0.1 * level) * newest));
    return std::isfinite(l) ? l : previous;
}

} // namespace ql708
