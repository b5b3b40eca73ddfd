// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/PlaybackTiming.h"

#include "graph/WavNaming.h"

#include <algorithm>
#include <cmath>

namespace ql708::graph {

namespace {

constexpr double kFullFileMs = kWavFileSeconds * 1000.0;
constexpr double kShortFileMs = 300000.0; // 5 minutes
constexpr double kLeadSeconds = 2.0;

// The share of the way from start to end; 0 for a segment without length.
double shareOf(double value, double start, double end)
{
    if (!(end > start))
        return 0.0;
    return std::clamp((value - start) / (end - start), 0.0, 1.0);
}

} // namespace

int fileOfPoint(int rate, int point, int fileCount)
{
    const qint64 seconds = qint64(std::max(rate, 0)) * std::max(point, 0);
    return int(std::min<qint64>(seconds / kWavFileSeconds, std::max(fileCount, 1) - 1));
}

Segment segmentOf(int file, const Series &s)
{
    if (s.n <= 0)
        return {};
    const TDateTime first = s.x[0], last = s.x[s.n - 1];
    const TDateTime start = first + double(file) * kWavFileSeconds * kSecond;
    return {std::min(start, last), std::min(start + kWavFileSeconds * kSecond, last)};
}

qint64 startPosition(const Segment &segment, TDateTime x, qint64 length)
{
    // Chart times are days, good to a few microseconds: their rounding must not cost the last
    // millisecond.
    constexpr double kRounding = 0.01;
    return qint64(std::floor(double(std::max<qint64>(length, 0)) * shareOf(x, segment.start, segment.end) + kRounding));
}

LinePlacement placeLine(const Segment &segment, qint64 position, qint64 length, TDateTime last)
{
    const double played = length > 0 ? std::clamp(double(position) / double(length), 0.0, 1.0) : 0.0;
    const double full = std::min(double(std::max<qint64>(length, 0)), kFullFileMs);
    TDateTime x = segment.start + (segment.end - segment.start) * played + kLeadSeconds * full / kFullFileMs * kSecond;
    x = std::min(x, last);
    const double extraSeconds = full < kShortFileMs ? (kFullFileMs - full) / kFullFileMs : 0.0;
    return {x + extraSeconds * kSecond, x};
}

} // namespace ql708::graph
