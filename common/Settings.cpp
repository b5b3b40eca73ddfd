// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Settings.h"

#include "common/Paths.h"

#include <QByteArray>
#include <QSettings>
#include <QtEndian>
#include <cstring>

namespace ql708::settings {

namespace {
const char kKey[] = "RealTimeRate";
} // namespace

bool isRealTimeRate(double seconds) { return seconds > 0.0 && seconds <= kMaxRealTimeRate; }

float readRealTimeRate()
{
    QSettings store(paths::settingsFile(), QSettings::IniFormat);
    const QVariant v = store.value(kKey);
    // Only the 8-byte double the program writes counts; text, numbers and other sizes are foreign.
    if (v.typeId() != QMetaType::QByteArray || v.toByteArray().size() != 8)
        return kDefaultRealTimeRate;
    const double rate = qFromLittleEndian<double>(v.toByteArray().constData());
    if (!isRealTimeRate(rate))
        return kDefaultRealTimeRate;
    return float(rate);
}

void writeRealTimeRate(float rate)
{
    QByteArray bytes(8, '\0');
    qToLittleEndian<double>(double(rate), bytes.data());
    QSettings store(paths::settingsFile(), QSettings::IniFormat);
    store.setValue(kKey, bytes);
    store.sync();
}

} // namespace ql708::settings
