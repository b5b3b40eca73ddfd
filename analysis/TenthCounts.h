// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/LevelStatistics.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ql708::analysis {

// Where L10, L50 and L90 fall among levels counted per tenth of a dB (counts[t]: the levels in
// the t-th tenth, lowest first), by the rule of exceededLevels(): indices into counts. Empty when
// nothing is counted.
struct ExceededTenths {
    std::size_t l10 = 0;
    std::size_t l50 = 0;
    std::size_t l90 = 0;
};
std::optional<ExceededTenths> exceededTenths(std::span<const std::uint32_t> counts);

// The levels of a stream counted per tenth of a dB over a fixed range, so that the exceeded
// levels of a run of any length take constant memory. A level is counted in the tenth it rounds
// to, half away from zero; the answers are those tenths.
class TenthHistogram {
public:
    TenthHistogram(float lowest, float highest);

    // False, counting nothing, for a level outside the range or one that is no level.
    bool add(float level);
    void clear();
    std::optional<ExceededLevels> exceeded() const;

private:
    long long m_lowest; // in tenths of a dB
    std::vector<std::uint32_t> m_counts;
};

} // namespace ql708::analysis
