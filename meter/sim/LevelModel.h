// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <random>

namespace ql708 {

// The sound at the simulated meter's microphone and the meter's time weighting of it:
// a quiet background of about 40 to 50 dB with louder events now and then. The scene
// changes in fixed frames, so the sound does not depend on how often it is looked at;
// the FAST or SLOW smoothing follows the real time that passed.
class LevelModel {
public:
    explicit LevelModel(std::uint32_t seed);

    // Lets ms milliseconds pass.
    void step(std::int64_t ms, bool fast, bool aWeighting);
    // The time-weighted level in dB.
    double levelDb() const;
    // Replaces the scene by a steady sound of the given level; nullopt gives the scene back.
    void forceSound(std::optional<double> dB) { m_forced = dB; }
    // Adds a steady source (a machine running nearby) to the scene; nullopt removes it.
    void setSteadySource(std::optional<double> dB) { m_steady = dB; }

private:
    void nextFrame();
    double soundDb(bool aWeighting) const;
    double uniform(double lo, double hi);
    double gaussian(double sigma);

    std::mt19937 m_rng;
    std::optional<double> m_forced;
    std::optional<double> m_steady;
    double m_energy;               // smoothed, in units of 10^(dB/10)
    double m_background = 45.0;    // dB, A-weighted
    double m_jitter = 0.0;         // dB
    std::int64_t m_frameAcc = 0;   // ms into the current frame
    // The event in progress, if any.
    double m_eventPeak = 0.0;
    std::int64_t m_eventLength = 0, m_eventAge = 0;
};

} // namespace ql708
