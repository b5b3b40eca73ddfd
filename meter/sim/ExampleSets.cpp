// SPDX-License-Identifier: GPL-3.0-or-later
#include "meter/sim/ExampleSets.h"

#include "meter/sim/LevelModel.h"
#include "meter/sim/LoggerMemory.h"
#include "meter/sim/MeterRanges.h"

#include <cmath>
#include <optional>

namespace ql708 {

namespace {

struct Example {
    int daysAgo, hour, minute;
    std::uint8_t interval; // the record's interval byte
    int stepMs;            // how far apart the meter took the points
    int points;
    std::uint8_t flags;    // bit 0 FAST, bit 1 A, bits 2-3 range
    const char *wav;
    std::optional<double> source; // a steady source beside the scene, in dB
    // Points [changeFrom, changeTo) hear changedSource instead.
    int changeFrom, changeTo;
    std::optional<double> changedSource;
};

const Example kExamples[] = {
    // FAST, A, 30-90, with a WAV recording; a lorry passing close goes over the range. Its
    // 33 minutes make a recording of two files (30 minutes and 3).
    {3, 9, 30, 2, 2000, 1000, 0x03, "A0000001", {}, 120, 125, 97.0},
    // SLOW, C, 50-110 beside a machine; while it stops the room is under the range.
    {2, 14, 15, 1, 1000, 600, 0x04, "00000000", 62.0, 300, 360, {}},
    // SLOW, A, 30-130, a reading a minute.
    {1, 8, 0, 60, 60000, 120, 0x0E, "00000000", {}, 0, 0, {}},
    // FAST, C, 70-130 at interval 00:00: two readings a second, all of the start time.
    {1, 12, 0, 0, 500, 40, 0x09, "00000000", 80.0, 0, 0, {}},
    // SLOW, C, 30-130 with an interval byte of 61, beyond what the program sets.
    {1, 16, 45, 61, 61000, 45, 0x0C, "00000000", {}, 0, 0, {}},
};

} // namespace

void writeExampleSets(LoggerMemory &memory, std::uint32_t seed, const QDate &today)
{
    // A scene of their own, so the live sound starts fresh.
    LevelModel scene(seed ^ 0x5EEDu);
    for (const Example &e : kExamples) {
        const QDateTime start(today.addDays(-e.daysAgo), QTime(e.hour, e.minute));
        if (!memory.beginRecord({start, e.interval, e.flags, e.wav}))
            break;
        const RangeInfo &range = rangeByFlags(e.flags);
        for (int i = 0; i < e.points; ++i) {
            scene.setSteadySource(i >= e.changeFrom && i < e.changeTo ? e.changedSource : e.source);
            scene.step(e.stepMs, e.flags & memory_layout::kFlagFast, e.flags & memory_layout::kFlagAWeighting);
            memory.appendPoint(loggedPoint(int(std::lround(scene.levelDb() * 10.0)), range));
        }
        memory.endRecord();
    }
}

} // namespace ql708
