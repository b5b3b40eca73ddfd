#pragma once

namespace ql708::settings {

constexpr float kDefaultRealTimeRate = 0.2f;

// The persisted real-time sampling rate in seconds; a missing or foreign value gives 0.2.
float readRealTimeRate();
// Writes the rate; a store that cannot be written is ignored.
void writeRealTimeRate(float rate);

} // namespace ql708::settings
