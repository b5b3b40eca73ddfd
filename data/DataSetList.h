// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/DateTime.h"
#include "analysis/LevelSeries.h"
#include "analysis/LevelStatistics.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace ql708::data {

// The data sets of one logger memory image, held column-wise: one entry per set in each of
// the per-set sequences, and the points of all sets one after the other, in set order, in
// levels and times. Set i's points start at offsetOf(i); their times rise from its start time
// by its rate, so one set can be handed on as one contiguous run.
struct DataSetList {
    std::vector<TDateTime> startTimes;
    std::vector<std::int32_t> rates;       // whole seconds, 0 to 60
    std::vector<std::int32_t> pointCounts;
    std::vector<std::uint8_t> modeFlags;   // bit 0 FAST, bit 1 A weighting, bits 2-3 range
    std::vector<std::int32_t> recordStarts; // image offset of the record's first byte
    std::vector<std::int32_t> recordEnds;   // image offset of the record's last byte
    // Each set's extremes (indices within the set), mean and out-of-range readings.
    std::vector<LevelSummary> summaries;
    // The WAV recording that belongs to each set, 8 characters, or empty for none. The list
    // shows it in its "wave file" column; playback finds the recording by it.
    std::vector<QString> waveNames;

    std::vector<float> levels;     // dB in steps of 0.1; kOutOfRangeLevel for a reading out of 20-140 dB
    std::vector<TDateTime> times;

    int count() const { return int(startTimes.size()); }
    bool isEmpty() const { return startTimes.empty(); }
    // The index in levels and times of set i's first point.
    std::size_t offsetOf(int i) const;

    // Moves set i's start and the times of its points; the other sets keep theirs.
    void changeStartTime(int i, TDateTime start);
};

// Set i as a series for the acoustic figures: its points, each standing for the set's recording
// interval, A-weighted or not as it was measured. Points into the list.
analysis::LevelSeries levelSeries(const DataSetList &sets, int i);

// The time of point k of a set that starts at start and records every rate seconds.
inline TDateTime pointTime(TDateTime start, int rate, std::size_t k)
{
    return start + double(k) * (rate / 86400.0);
}

} // namespace ql708::data
