// SPDX-License-Identifier: GPL-3.0-or-later
#include "meter/sim/LevelModel.h"

#include <algorithm>
#include <cmath>

namespace ql708 {

namespace {
constexpr std::int64_t kFrameMs = 50;
// A second of frames is all the scene remembers, so a long gap skips the rest.
constexpr std::int64_t kMaxFramesPerStep = 20;
constexpr double kFastTauMs = 125.0, kSlowTauMs = 1000.0;
// Events start on average every 15 s and last 1 to 6 s.
constexpr double kEventChancePerFrame = double(kFrameMs) / 15000.0;
// Low-frequency rumble that C weighting lets through and A weighting removes.
constexpr double kRumbleDb = 47.0;

double toEnergy(double dB) { return std::pow(10.0, dB / 10.0); }
double toDb(double energy) { return 10.0 * std::log10(std::max(energy, 1.0)); }
} // namespace

LevelModel::LevelModel(std::uint32_t seed) : m_rng(seed), m_energy(toEnergy(45.0)) {}

void LevelModel::step(std::int64_t ms, bool fast, bool aWeighting)
{
    if (ms <= 0)
        return;
    m_frameAcc += ms;
    std::int64_t frames = m_frameAcc / kFrameMs;
    m_frameAcc %= kFrameMs;
    for (frames = std::min(frames, kMaxFramesPerStep); frames > 0; --frames)
        nextFrame();
    const double alpha = 1.0 - std::exp(-double(ms) / (fast ? kFastTauMs : kSlowTauMs));
    m_energy += (toEnergy(soundDb(aWeighting)) - m_energy) * alpha;
}

double LevelModel::levelDb() const { return toDb(m_energy); }

void LevelModel::nextFrame()
{
    // The background wanders slowly and is pulled back towards 45 dB.
    m_background += gaussian(0.15) + (45.0 - m_background) * 0.01;
    m_background = std::clamp(m_background, 40.0, 50.0);
    m_jitter = gaussian(0.6);
    if (m_eventAge < m_eventLength) {
        m_eventAge += kFrameMs;
    } else if (uniform(0.0, 1.0) < kEventChancePerFrame) {
        m_eventPeak = uniform(60.0, 95.0);
        m_eventLength = std::int64_t(uniform(1000.0, 6000.0));
        m_eventAge = 0;
    }
}

double LevelModel::soundDb(bool aWeighting) const
{
    if (m_forced)
        return *m_forced;
    double energy = toEnergy(m_background + m_jitter);
    if (!aWeighting)
        energy += toEnergy(kRumbleDb);
    if (m_steady)
        energy += toEnergy(*m_steady);
    if (m_eventAge < m_eventLength) {
        // Fast attack, a hold, then a decay over the last 40 % of the event.
        const double t = double(m_eventAge) / double(m_eventLength);
        const double attack = std::min(1.0, m_eventAge / 300.0);
        const double decay = t > 0.6 ? (t - 0.6) / 0.4 : 0.0;
        energy += toEnergy(m_eventPeak - 25.0 * (1.0 - attack) - 35.0 * decay + m_jitter);
    }
    return toDb(energy);
}

double LevelModel::uniform(double lo, double hi)
{
    // Built on the generator's raw output so the sequence is the same on every platform.
    return lo + (hi - lo) * (double(m_rng()) / 4294967296.0);
}

double LevelModel::gaussian(double sigma)
{
    double sum = 0.0;
    for (int i = 0; i < 6; ++i)
        sum += uniform(-1.0, 1.0);
    return sum * sigma / std::sqrt(2.0); // variance of the sum of six is 2
}

} // namespace ql708
