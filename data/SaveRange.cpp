// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/SaveRange.h"

#include "common/NumberFormat.h"

#include <limits>
#include <utility>

namespace ql708::data {

namespace {

// A whole number's size, capped where no count reaches.
bool readBound(const QString &text, long long &out)
{
    long long v = 0;
    if (!parseWhole(text, v))
        return false;
    out = v == std::numeric_limits<long long>::min() ? std::numeric_limits<long long>::max() : (v < 0 ? -v : v);
    return true;
}

} // namespace

SaveRange chooseSaveRange(bool all, const QString &from, const QString &to, int count)
{
    SaveRange range;
    long long lo = 1, hi = count;
    if (!all && (!readBound(from, lo) || !readBound(to, hi))) {
        range.problem = SaveRange::NotWhole;
        return range;
    }
    if (hi < lo)
        std::swap(lo, hi);
    if (hi > count)
        hi = count;
    if (lo == 0)
        lo = 1;
    if (lo > hi) {
        range.problem = SaveRange::Empty;
        return range;
    }
    range.from = int(lo);
    range.to = int(hi);
    return range;
}

} // namespace ql708::data
