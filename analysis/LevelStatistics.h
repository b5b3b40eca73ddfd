// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <optional>
#include <span>

namespace ql708 {

// A level of 9999 dB marks a gap: no reading there. Levels that are not finite numbers count
// as gaps too. Gaps are left out of every figure below.
constexpr float kGapLevel = 9999.0f;
inline bool isGapLevel(float level) { return level == kGapLevel || !std::isfinite(level); }

// The logger memory stores a reading under or over the meter's range as 0.0 dB, and the files
// written from it keep that value. It is no level: every figure leaves it out and counts it.
constexpr float kOutOfRangeLevel = 0.0f;
inline bool isOutOfRangeLevel(float level) { return level == kOutOfRangeLevel; }

// A level the figures take: neither a gap nor an out-of-range reading.
inline bool isMeasuredLevel(float level) { return !isGapLevel(level) && !isOutOfRangeLevel(level); }

// Arithmetic figures of a run of levels, gaps and out-of-range readings left out. The first of
// equal extremes wins.
struct LevelSummary {
    int count = 0;      // measured levels
    int outOfRange = 0; // readings out of the meter's range, left out of every figure
    float max = 0.0f;  // meaningful when count > 0
    float min = 0.0f;
    int maxIndex = -1; // position in the run; -1 when count is 0
    int minIndex = -1;
    double mean = 0.0; // arithmetic mean of the dB values
};
LevelSummary summarizeLevels(std::span<const float> levels);

// 10^(d/10): the energy of a level d dB above a reference level, relative to the reference's.
// Inline: the running sums call it for every reading.
inline double relativeEnergy(double d)
{
    constexpr double kLn10Over10 = 0.23025850929940458;
    return std::exp(d * kLn10Over10);
}

// Equivalent continuous level: 10 lg of the mean of 10^(L/10), measured levels only. Computed relative
// to the loudest level, so that no level can overflow the energy sum. Empty without levels.
std::optional<double> equivalentLevel(std::span<const float> levels);
// The same with the run's summary already at hand (saves a pass over long runs).
std::optional<double> equivalentLevel(std::span<const float> levels, const LevelSummary &summary);

// Sound exposure level of a Leq held for the given seconds: Leq + 10 lg(seconds). Empty when
// the duration is not positive.
std::optional<double> soundExposureLevel(double leq, double seconds);

// The levels exceeded in 10, 50 and 90 % of the measured levels. The rule: put the N
// levels in order from the lowest up; Lx is the one in position ceil((100 - x) * N / 100),
// counting from 1 (at least 1). Found by selection, without sorting the run.
struct ExceededLevels {
    float l10 = 0.0f;
    float l50 = 0.0f;
    float l90 = 0.0f;
};
std::optional<ExceededLevels> exceededLevels(std::span<const float> levels);
std::optional<ExceededLevels> exceededLevels(std::span<const float> levels, const LevelSummary &summary);

// The position (from 0, lowest level first) of Lx among count levels by the rule above.
int exceededPosition(int percent, int count);

// One step of the running Leq: the energy mean of n levels from the mean of the first n - 1
// (previous) and the n-th level. The weights and the result are single precision; when the
// arithmetic fails the previous value stays. n = 1 gives the level itself.
float runningLeqStep(float previous, float level, int n);

} // namespace ql708
