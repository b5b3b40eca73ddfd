// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/IndicatorSettings.h"

#include "common/Paths.h"

#include <QSettings>

#include <cmath>

namespace ql708::graph {

namespace {

const QString kGroup = QStringLiteral("Indicators/");

// A number the program wrote; anything else is foreign and gives the fallback.
double stored(const QSettings &store, const char *key, double fallback)
{
    const QVariant v = store.value(kGroup + QLatin1String(key));
    bool ok = false;
    const double d = v.toString().toDouble(&ok);
    return ok && std::isfinite(d) ? d : fallback;
}

} // namespace

bool isIndicatorLevel(double dB) { return dB >= 0.0 && dB <= 200.0; }
bool isEventDuration(double seconds) { return seconds >= 0.0 && seconds <= 86400.0; }

bool isValid(const IndicatorSettings &s)
{
    return isIndicatorLevel(s.events.threshold) && isEventDuration(s.events.minimumSeconds) &&
           isIndicatorLevel(s.limit) && analysis::isValid(s.bounds);
}

IndicatorSettings readIndicatorSettings()
{
    const QSettings store(paths::settingsFile(), QSettings::IniFormat);
    IndicatorSettings s;
    s.events.threshold = float(stored(store, "Threshold", s.events.threshold));
    s.events.minimumSeconds = stored(store, "MinimumSeconds", s.events.minimumSeconds);
    s.limit = float(stored(store, "Limit", s.limit));
    s.limitLine = stored(store, "LimitLine", 0.0) == 1.0;
    s.bounds.dayStart = int(stored(store, "DayStart", s.bounds.dayStart));
    s.bounds.eveningStart = int(stored(store, "EveningStart", s.bounds.eveningStart));
    s.bounds.nightStart = int(stored(store, "NightStart", s.bounds.nightStart));
    const IndicatorSettings defaults;
    if (!isIndicatorLevel(s.events.threshold))
        s.events.threshold = defaults.events.threshold;
    if (!isEventDuration(s.events.minimumSeconds))
        s.events.minimumSeconds = defaults.events.minimumSeconds;
    if (!isIndicatorLevel(s.limit))
        s.limit = defaults.limit;
    if (!analysis::isValid(s.bounds))
        s.bounds = defaults.bounds;
    return s;
}

void writeIndicatorSettings(const IndicatorSettings &s)
{
    QSettings store(paths::settingsFile(), QSettings::IniFormat);
    const auto put = [&store](const char *key, double v) { store.setValue(kGroup + QLatin1String(key), QString::number(v, 'g', 10)); };
    put("Threshold", s.events.threshold);
    put("MinimumSeconds", s.events.minimumSeconds);
    put("Limit", s.limit);
    put("LimitLine", s.limitLine ? 1.0 : 0.0);
    put("DayStart", s.bounds.dayStart);
    put("EveningStart", s.bounds.eveningStart);
    put("NightStart", s.bounds.nightStart);
    store.sync();
}

} // namespace ql708::graph
