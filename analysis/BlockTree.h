// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <limits>
#include <optional>
#include <span>
#include <vector>

namespace ql708::analysis {

// What a run of readings adds up to, gaps and out-of-range readings left out. The energy is kept
// relative to the run's own loudest level, so that neither a loud nor a quiet run loses digits.
struct RunTotals {
    int levels = 0;
    int outOfRange = 0;
    int atOrAboveLimit = 0;
    float max = -std::numeric_limits<float>::infinity();
    float min = std::numeric_limits<float>::infinity();
    int maxIndex = -1; // series indices; the first of equal extremes
    int minIndex = -1;
    double energy = 0.0; // Σ 10^((L - max) / 10)
    double dbSum = 0.0;
    double oshaShares = 0.0;
    double nioshShares = 0.0;
};

// The totals of two runs taken together.
RunTotals combine(const RunTotals &a, const RunTotals &b);

// The run's equivalent continuous level; empty without a level.
std::optional<double> leqOf(const RunTotals &t);

// Adds the reading at series index to the totals of the run that ends just before it, for
// readings that come one at a time. limit: the level whose time at or above is counted.
void addReading(RunTotals &t, float level, int index, float limit);

// Totals of fixed blocks of readings in a tree, so that the totals of any run come from a
// logarithmic number of blocks and at most two part blocks read reading by reading.
class BlockTree {
public:
    static constexpr int kBlock = 256;

    BlockTree() = default;
    // The levels must outlive the tree. limit: the level whose time at or above is counted.
    BlockTree(std::span<const float> levels, float limit);

    // Readings first..last, both included, 0 <= first <= last < size.
    RunTotals totals(int first, int last) const;
    std::size_t memoryBytes() const { return m_tree.capacity() * sizeof(RunTotals); }

private:
    RunTotals scan(int begin, int end) const;
    RunTotals blocks(int begin, int end) const;

    std::span<const float> m_levels;
    float m_limit = 0.0f;
    int m_blocks = 0;
    std::vector<RunTotals> m_tree; // node i holds nodes 2i and 2i + 1; leaves from m_blocks on
};

} // namespace ql708::analysis
