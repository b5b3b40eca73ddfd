// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/BlockTree.h"

#include "analysis/Exposure.h"
#include "analysis/LevelSeries.h"

#include <algorithm>
#include <cmath>

namespace ql708::analysis {

namespace {

double energyAt(const RunTotals &t, float reference)
{
    return t.levels > 0 ? t.energy * relativeEnergy(double(t.max) - reference) : 0.0;
}

// The later run's extreme replaces the earlier one only when it is strictly beyond it or, being
// equal, comes first in the series: the first of equal extremes wins in any order of combining.
bool takesMax(const RunTotals &a, const RunTotals &b)
{
    return b.levels > 0 && (a.levels == 0 || b.max > a.max || (b.max == a.max && b.maxIndex < a.maxIndex));
}

bool takesMin(const RunTotals &a, const RunTotals &b)
{
    return b.levels > 0 && (a.levels == 0 || b.min < a.min || (b.min == a.min && b.minIndex < a.minIndex));
}

} // namespace

RunTotals combine(const RunTotals &a, const RunTotals &b)
{
    RunTotals c = a;
    c.levels += b.levels;
    c.outOfRange += b.outOfRange;
    c.atOrAboveLimit += b.atOrAboveLimit;
    c.dbSum += b.dbSum;
    c.oshaShares += b.oshaShares;
    c.nioshShares += b.nioshShares;
    if (takesMax(a, b)) {
        c.max = b.max;
        c.maxIndex = b.maxIndex;
    }
    if (takesMin(a, b)) {
        c.min = b.min;
        c.minIndex = b.minIndex;
    }
    if (c.levels > 0)
        c.energy = energyAt(a, c.max) + energyAt(b, c.max);
    return c;
}

std::optional<double> leqOf(const RunTotals &t)
{
    if (t.levels == 0)
        return std::nullopt;
    return t.max + 10.0 * std::log10(t.energy / t.levels);
}

void addReading(RunTotals &t, float v, int index, float limit)
{
    if (!isMeasuredLevel(v)) {
        t.outOfRange += isOutOfRangeLevel(v) ? 1 : 0;
        return;
    }
    // The energy stays relative to the loudest level: a louder one rescales what came before.
    if (t.levels == 0 || v > t.max) {
        t.energy = t.levels == 0 ? 1.0 : t.energy * relativeEnergy(double(t.max) - v) + 1.0;
        t.max = v;
        t.maxIndex = index;
    } else {
        t.energy += relativeEnergy(double(v) - t.max);
    }
    if (v < t.min) {
        t.min = v;
        t.minIndex = index;
    }
    ++t.levels;
    t.dbSum += v;
    t.atOrAboveLimit += v >= limit ? 1 : 0;
    t.oshaShares += doseShare(kOshaDose, v);
    t.nioshShares += doseShare(kNioshDose, v);
}

BlockTree::BlockTree(std::span<const float> levels, float limit)
    : m_levels(levels), m_limit(limit)
{
    const int n = int(levels.size());
    m_blocks = (n + kBlock - 1) / kBlock;
    m_tree.resize(size_t(2 * m_blocks));
    for (int b = 0; b < m_blocks; ++b)
        m_tree[size_t(m_blocks + b)] = scan(b * kBlock, std::min(n, (b + 1) * kBlock));
    for (int i = m_blocks - 1; i > 0; --i)
        m_tree[size_t(i)] = combine(m_tree[size_t(2 * i)], m_tree[size_t(2 * i + 1)]);
}

RunTotals BlockTree::scan(int begin, int end) const
{
    RunTotals t;
    for (int i = begin; i < end; ++i)
        addReading(t, m_levels[size_t(i)], i, m_limit);
    return t;
}

// Whole blocks begin..end - 1 through the tree, keeping their order.
RunTotals BlockTree::blocks(int begin, int end) const
{
    RunTotals left, right;
    for (int l = begin + m_blocks, r = end + m_blocks; l < r; l >>= 1, r >>= 1) {
        if (l & 1)
            left = combine(left, m_tree[size_t(l++)]);
        if (r & 1)
            right = combine(m_tree[size_t(--r)], right);
    }
    return combine(left, right);
}

RunTotals BlockTree::totals(int first, int last) const
{
    const int end = last + 1;
    const int firstWhole = (first + kBlock - 1) / kBlock;
    const int endWhole = end == int(m_levels.size()) ? m_blocks : end / kBlock;
    if (firstWhole >= endWhole)
        return scan(first, end);
    const RunTotals head = scan(first, firstWhole * kBlock);
    const RunTotals tail = scan(std::min(end, endWhole * kBlock), end);
    return combine(combine(head, blocks(firstWhole, endWhole)), tail);
}

} // namespace ql708::analysis
