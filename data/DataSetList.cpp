// SPDX-License-Identifier: GPL-3.0-or-later
#include "data/DataSetList.h"

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

} // namespace ql708::data
