// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace ql708::settings {

constexpr float kDefaultRealTimeRate = 0.2f;
constexpr double kMaxRealTimeRate = 86400.0; // a point a day

// A rate the real-time graph can work with: more than 0 and at most a day, in seconds.
bool isRealTimeRate(double seconds);

// The persisted real-time sampling rate in seconds; a missing or foreign value, or one that is
// no rate (not a number, 0 or less, more than a day), gives 0.2.
float readRealTimeRate();
// Writes the rate; a store that cannot be written is ignored.
void writeRealTimeRate(float rate);

} // namespace ql708::settings
