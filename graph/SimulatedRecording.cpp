// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/SimulatedRecording.h"

#include "common/SaveFile.h"
#include "graph/WavNaming.h"

#include <QDir>
#include <QFileInfo>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace ql708::graph {

namespace {

bool g_simulated = false;

// The loudness of the noise for a level: 95 dB near full scale, 45 dB quiet but audible;
// a reading out of range (0.0) is silence.
double amplitudeOf(float level)
{
    if (level <= 0.0f)
        return 0.0;
    return 0.8 * std::clamp(std::pow(10.0, (double(level) - 95.0) / 40.0), 0.0, 1.0);
}

// The level at second t of the set, between its points.
float levelAt(double t, int rate, const float *levels, int n)
{
    if (rate <= 0 || n <= 1)
        return n > 0 ? levels[0] : 0.0f;
    const double p = std::clamp(t / rate, 0.0, double(n - 1));
    const int i = int(p);
    const int j = std::min(i + 1, n - 1);
    // A gap on either side keeps the noise off rather than fading into it.
    if (levels[i] <= 0.0f || levels[j] <= 0.0f)
        return levels[i];
    return float(levels[i] + (levels[j] - levels[i]) * (p - i));
}

// The samples of file k: its part of the set's span, sped up.
std::vector<qint16> fileSamples(int k, int rate, const float *levels, int n)
{
    const double span = n >= 2 ? double(rate) * (n - 1) : 0.0;
    const double from = double(k) * kWavFileSeconds;
    const double to = std::min(from + kWavFileSeconds, span);
    // A set without a span still gets a second of sound.
    const double seconds = std::max((to - from) / kSimulatedSpeedUp, 1.0);
    std::vector<qint16> samples(std::size_t(seconds * kSimulatedSampleRate));
    quint32 noise = 0x2545F491u + quint32(k);
    for (std::size_t s = 0; s < samples.size(); ++s) {
        const double t = from + double(s) / kSimulatedSampleRate * kSimulatedSpeedUp;
        noise = noise * 1664525u + 1013904223u;
        const double white = double(noise >> 8) / double(1u << 23) - 1.0;
        samples[s] = qint16(std::lround(32767.0 * amplitudeOf(levelAt(t, rate, levels, n)) * white));
    }
    return samples;
}

void putU32(char *p, quint32 v) { qToLittleEndian(v, p); }
void putU16(char *p, quint16 v) { qToLittleEndian(v, p); }

} // namespace

void setRecordingsSimulated(bool on) { g_simulated = on; }

bool recordingsSimulated() { return g_simulated; }

QByteArray wavFileBytes(const std::vector<qint16> &samples, int sampleRate)
{
    constexpr int kHeader = 44;
    const quint32 dataBytes = quint32(samples.size() * 2);
    QByteArray b(kHeader + qsizetype(dataBytes), '\0');
    char *p = b.data();
    std::memcpy(p, "RIFF", 4);
    putU32(p + 4, 36 + dataBytes);
    std::memcpy(p + 8, "WAVEfmt ", 8);
    putU32(p + 16, 16);              // size of the format chunk
    putU16(p + 20, 1);               // PCM
    putU16(p + 22, 1);               // mono
    putU32(p + 24, quint32(sampleRate));
    putU32(p + 28, quint32(sampleRate) * 2); // bytes a second
    putU16(p + 32, 2);               // bytes a sample frame
    putU16(p + 34, 16);              // bits a sample
    std::memcpy(p + 36, "data", 4);
    putU32(p + 40, dataBytes);
    for (std::size_t s = 0; s < samples.size(); ++s)
        qToLittleEndian(samples[s], p + kHeader + 2 * s);
    return b;
}

bool writeSimulatedRecording(const QString &folder, const QString &name, int rate, const float *levels, int n,
                             QString *error)
{
    const QDir dir(folder);
    const QString first = name + QStringLiteral(".WAV");
    const int files = wavFileCount(rate, n);
    for (int k = 0; k < files; ++k) {
        const QString path = dir.filePath(wavFileName(first, k));
        if (QFileInfo::exists(path))
            continue;
        QString reason;
        if (!saveFile(path, wavFileBytes(fileSamples(k, rate, levels, n), kSimulatedSampleRate), &reason)) {
            *error = QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason;
            return false;
        }
    }
    return true;
}

} // namespace ql708::graph
