#include "common/LevelStatistics.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

namespace ql708 {

namespace {

// 10^(d/10) for d <= 0 dB, to about 1e-8 relative: 2^t split into a power of two and 2^f on
// [0, 1), the latter as sqrt(2) e^g with |g| <= ln(2)/2 by its series to the 7th power. Several
// times faster than the library's exp on the long runs a cursor drag goes over.
double energyBelowReference(double d)
{
    constexpr double kLog2Of10Over10 = 0.33219280948873623;
    constexpr double kLn2 = 0.69314718055994531;
    constexpr double kSqrt2 = 1.4142135623730951;
    const double t = d * kLog2Of10Over10;
    if (!(t > -1000.0))
        return 0.0; // more than 3000 dB below the loudest level: adds nothing
    int i = int(t);
    if (t < i)
        --i;
    const double g = (t - i - 0.5) * kLn2;
    const double e = 1 + g * (1 + g * (1.0 / 2 + g * (1.0 / 6 + g * (1.0 / 24 + g * (1.0 / 120 +
                                                      g * (1.0 / 720 + g * (1.0 / 5040)))))));
    const double twoToI = std::bit_cast<double>(std::uint64_t(i + 1023) << 52);
    return kSqrt2 * e * twoToI;
}

constexpr int kBuckets = 4096;

} // namespace

bool isGapLevel(float level) { return level == kGapLevel || !std::isfinite(level); }

LevelSummary summarizeLevels(std::span<const float> levels)
{
    LevelSummary s;
    double sum = 0.0;
    for (size_t i = 0; i < levels.size(); ++i) {
        const float v = levels[i];
        if (isGapLevel(v))
            continue;
        sum += v;
        if (s.count++ == 0) {
            s.max = s.min = v;
            s.maxIndex = s.minIndex = int(i);
        } else if (v > s.max) {
            s.max = v;
            s.maxIndex = int(i);
        } else if (v < s.min) {
            s.min = v;
            s.minIndex = int(i);
        }
    }
    if (s.count > 0)
        s.mean = sum / s.count;
    return s;
}

std::optional<double> equivalentLevel(std::span<const float> levels)
{
    const LevelSummary s = summarizeLevels(levels);
    if (s.count == 0)
        return std::nullopt;
    const double reference = s.max;
    double energy = 0.0;
    for (const float v : levels)
        if (!isGapLevel(v))
            energy += energyBelowReference(v - reference);
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
    const LevelSummary s = summarizeLevels(levels);
    if (s.count == 0)
        return std::nullopt;
    if (s.max == s.min)
        return ExceededLevels{s.max, s.max, s.max};
    const double lo = s.min;
    const double scale = kBuckets / (double(s.max) - lo);
    auto bucketOf = [&](float v) { return std::min(kBuckets - 1, int((v - lo) * scale)); };

    std::vector<int> counts(kBuckets, 0);
    for (const float v : levels)
        if (!isGapLevel(v))
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

    std::array<std::vector<float>, 3> members;
    for (size_t k = 0; k < members.size(); ++k)
        members[k].reserve(size_t(counts[size_t(bucket[k])]));
    for (const float v : levels) {
        if (isGapLevel(v))
            continue;
        const int b = bucketOf(v);
        for (size_t k = 0; k < bucket.size(); ++k)
            if (b == bucket[k])
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
