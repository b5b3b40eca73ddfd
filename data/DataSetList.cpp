// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/DataSetList.h"

#include "data/DataSetText.h"

#include <numeric>

namespace ql708::data {

std::size_t DataSetList::offsetOf(int i) const
{
    return std::accumulate(pointCounts.begin(), pointCounts.begin() + i, std::size_t(0));
}

void DataSetList::changeStartTime(int i, TDateTime start)
{
    startTimes[i] = start;
    const std::size_t offset = offsetOf(i);
    for (std::size_t k = 0; k < std::size_t(pointCounts[i]); ++k)
        times[offset + k] = pointTime(start, rates[i], k);
}

analysis::LevelSeries levelSeries(const DataSetList &sets, int i)
{
    const std::size_t offset = sets.offsetOf(i);
    const std::size_t n = std::size_t(sets.pointCounts[size_t(i)]);
    return {{sets.times.data() + offset, n}, {sets.levels.data() + offset, n}, double(sets.rates[size_t(i)]),
            isAWeighted(sets.modeFlags[size_t(i)])};
}

} // namespace ql708::data
