// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace ql708::graph {

// With the simulated meter the example set names a WAV recording that was never made. So that
// playback can be tried without a meter, the program writes stand-ins for it the first time
// the DataLogger window looks for the recording: noise whose loudness follows the set's levels.

// Set once at start for a session with the simulated meter.
void setRecordingsSimulated(bool on);
bool recordingsSimulated();

// The stand-ins play their 30 minutes in 30 s, so the line crosses from one file into the next
// within a minute.
constexpr int kSimulatedSpeedUp = 60;
constexpr int kSimulatedSampleRate = 8000;

// Writes the files of the recording `name` (8 characters, files name.WAV and on) of a set of n
// levels every rate seconds into folder: as many as the set's span makes, each as long as its
// part of the span divided by kSimulatedSpeedUp. A file that exists already is left alone, so a
// real recording of the same name is never replaced. False, with the path and the reason in
// error, when a file cannot be written.
bool writeSimulatedRecording(const QString &folder, const QString &name, int rate, const float *levels, int n,
                             QString *error);

// A WAV file holding 16-bit mono PCM samples.
QByteArray wavFileBytes(const std::vector<qint16> &samples, int sampleRate);

} // namespace ql708::graph
