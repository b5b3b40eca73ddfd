// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/LevelStatistics.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ql708::analysis {

// The exceeded levels of any run of a series from counts per tenth of a dB, kept cumulatively at
// the start of every block: a run's counts are the difference of two rows plus at most two part
// blocks, whatever its length.
//
// The answer is the level exceededLevels() finds, to the tenth: a level's tenth is its value
// rounded half away from zero, and rounding keeps the order, so the tenth at a position is the
// rounded level at that position. Where every reading of the series in that tenth holds the same
// value (levels on the 0.1 dB grid, as the logger stores them) that value itself is given, equal
// to exceededLevels(); otherwise the tenth. Levels spread over more than kMaxTenths tenths are
// answered by exceededLevels() on the run itself.
class PercentileIndex {
public:
    static constexpr int kBlock = 4096;
    static constexpr int kMaxTenths = 4096;

    PercentileIndex() = default;
    // The levels must outlive the index.
    explicit PercentileIndex(std::span<const float> levels);

    // Readings first..last, both included, 0 <= first <= last < size; empty without a level.
    std::optional<ExceededLevels> exceeded(int first, int last) const;
    std::size_t memoryBytes() const;

private:
    void countTenths(int begin, int end, std::vector<std::uint32_t> &counts) const;
    int tenthOf(float level) const;
    std::optional<ExceededLevels> direct(int first, int last) const;

    std::span<const float> m_levels;
    int m_lowest = 0; // the tenth counted first, in tenths of a dB
    int m_tenths = 0; // 0 when the levels spread too wide
    std::vector<std::uint32_t> m_rows; // row r: counts of readings 0 .. r·kBlock - 1, per tenth
    std::vector<float> m_shown;        // the value given for each tenth
};

} // namespace ql708::analysis
