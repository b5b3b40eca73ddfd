// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/JsonOutput.h"

#include "cli/StatusLine.h"
#include "common/DateTime.h"
#include "data/DataSetList.h"
#include "data/DataSetText.h"
#include "meter/LoggerSetup.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace ql708::cli {

QJsonValue jsonNumber(std::optional<double> v)
{
    return v && std::isfinite(*v) ? QJsonValue(*v) : QJsonValue(QJsonValue::Null);
}

QJsonValue jsonNumber(std::optional<double> v, int decimals)
{
    if (!v || !std::isfinite(*v))
        return QJsonValue::Null;
    const double scale = std::pow(10.0, decimals);
    return std::round(*v * scale) / scale;
}

QJsonValue jsonTime(TDateTime t)
{
    const QDateTime local = fromTDateTime(t);
    if (!local.isValid())
        return QJsonValue::Null;
    const QDateTime dt = local.toOffsetFromUtc(local.offsetFromUtc());
    return dt.toString(dt.time().msec() != 0 ? Qt::ISODateWithMs : Qt::ISODate);
}

void writeJson(QTextStream &out, const QJsonObject &document)
{
    out << QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Indented));
}

namespace {

// One decimal, as the meter and the files give levels (a float's 102.4 is not 102.40000152...).
QJsonValue figure(const LevelSummary &s, double v) { return s.count > 0 ? jsonNumber(v, 1) : QJsonValue(); }

QJsonObject setObject(const data::DataSetList &sets, int i)
{
    const std::uint8_t flags = sets.modeFlags[size_t(i)];
    const LevelSummary &levels = sets.summaries[size_t(i)];
    const QString wave = sets.waveNames[size_t(i)];
    return {{QStringLiteral("set"), i + 1},
            {QStringLiteral("start"), fromTDateTime(sets.startTimes[size_t(i)]).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"))},
            {QStringLiteral("rate_s"), sets.rates[size_t(i)]},
            {QStringLiteral("points"), sets.pointCounts[size_t(i)]},
            {QStringLiteral("weighting"), data::weightingText(flags).mid(2)}, // "A" of "dBA"
            {QStringLiteral("time_weighting"), data::responseText(flags)},
            {QStringLiteral("range_db"), data::rangeText(flags)},
            {QStringLiteral("wave"), wave.isEmpty() ? QJsonValue() : QJsonValue(wave)},
            {QStringLiteral("max_db"), figure(levels, levels.max)},
            {QStringLiteral("min_db"), figure(levels, levels.min)},
            {QStringLiteral("average_db"), figure(levels, levels.mean)},
            {QStringLiteral("out_of_range"), levels.outOfRange}};
}

} // namespace

QByteArray setsJson(const QString &file, int parseResult, const data::DataSetList &sets)
{
    QJsonArray list;
    for (int i = 0; i < sets.count(); ++i)
        list.append(setObject(sets, i));
    const QJsonObject o{{QStringLiteral("file"), file}, {QStringLiteral("result"), parseResult}, {QStringLiteral("sets"), list}};
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

QByteArray informationJson(const MeterInformation &m)
{
    const QJsonObject o{{QStringLiteral("firmware"), m.versionHundredths / 100.0},
                        {QStringLiteral("clock"), m.clockIso},
                        {QStringLiteral("interval_s"), m.interval.toInt()},
                        {QStringLiteral("data_sets"), m.dataSets.toInt()},
                        {QStringLiteral("free_points"), m.memoryAvailable.toInt()},
                        {QStringLiteral("serial"), m.serial},
                        {QStringLiteral("cal_94_db"), m.cal94Tenths / 10.0},
                        {QStringLiteral("cal_70_db"), m.cal70Raw / 256.0}};
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

QByteArray statusJson(const QDateTime &pcTime, const MeterStatus &s)
{
    const QString range = statusRange(s);
    const QJsonObject o{{QStringLiteral("time"), statusTime(pcTime)},
                        {QStringLiteral("level_db"), s.shownLevel() / 10.0},
                        {QStringLiteral("weighting"), s.aWeighting ? QStringLiteral("A") : QStringLiteral("C")},
                        {QStringLiteral("time_weighting"), s.fastResponse ? QStringLiteral("FAST") : QStringLiteral("SLOW")},
                        {QStringLiteral("range_db"), range.isEmpty() ? QJsonValue() : QJsonValue(range)},
                        {QStringLiteral("maxmin"), maxMinText(s)},
                        {QStringLiteral("recording"), s.recording},
                        {QStringLiteral("over"), s.over},
                        {QStringLiteral("under"), s.under},
                        {QStringLiteral("memory_full"), s.memoryFull},
                        {QStringLiteral("meter_clock"), meterClock(s)}};
    return QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
}

} // namespace ql708::cli
