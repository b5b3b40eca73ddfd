// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/IndicatorTexts.h"

#include "common/NumberFormat.h"
#include "common/StringTable.h"
#include "graph/GraphTexts.h"

namespace ql708::graph {

namespace {

const QString kTable = QStringLiteral("frmIndicators");

QString text(const char *key) { return ids(kTable, QLatin1String(key)); }

QString level(std::optional<double> v, const QLocale &locale)
{
    return v ? formatLevel(*v, locale) : QStringLiteral("-");
}

QString percent(std::optional<double> v, const QLocale &locale)
{
    return v ? locale.toString(*v, 'f', 1) + QStringLiteral(" %") : QStringLiteral("-");
}

QString reached(const analysis::Exposure &e, bool value)
{
    return e.lex8h ? text(value ? "IDS_28" : "IDS_29") : QStringLiteral("-");
}

using Figure = QString (*)(const analysis::SpanFigures &, const QLocale &);

struct Line {
    const char *key;
    bool exposure; // marked when the levels are not A-weighted
    Figure figure;
};

std::optional<double> maxOf(const analysis::SpanFigures &f)
{
    return f.levels.count > 0 ? std::optional<double>(f.levels.max) : std::nullopt;
}
std::optional<double> minOf(const analysis::SpanFigures &f)
{
    return f.levels.count > 0 ? std::optional<double>(f.levels.min) : std::nullopt;
}
std::optional<double> exceeded(const analysis::SpanFigures &f, float ExceededLevels::*m)
{
    return f.exceeded ? std::optional<double>((*f.exceeded).*m) : std::nullopt;
}

const Line kLines[] = {
    {"IDS_6", true, [](const analysis::SpanFigures &f, const QLocale &l) { return level(f.leq, l); }},
    {"IDS_7", false, [](const analysis::SpanFigures &f, const QLocale &l) { return durationText(f.exposure.seconds, l); }},
    {"IDS_8", true, [](const analysis::SpanFigures &f, const QLocale &l) { return level(f.exposure.lex8h, l); }},
    {"IDS_9", true, [](const analysis::SpanFigures &f, const QLocale &) { return reached(f.exposure, f.exposure.lowerActionReached); }},
    {"IDS_10", true, [](const analysis::SpanFigures &f, const QLocale &) { return reached(f.exposure, f.exposure.upperActionReached); }},
    {"IDS_11", true, [](const analysis::SpanFigures &f, const QLocale &) { return reached(f.exposure, f.exposure.limitValueReached); }},
    {"IDS_12", true, [](const analysis::SpanFigures &f, const QLocale &l) {
         return percent(f.exposure.osha ? std::optional<double>(f.exposure.osha->percent) : std::nullopt, l); }},
    {"IDS_13", true, [](const analysis::SpanFigures &f, const QLocale &l) {
         return level(f.exposure.osha ? f.exposure.osha->twa : std::nullopt, l); }},
    {"IDS_14", true, [](const analysis::SpanFigures &f, const QLocale &l) {
         return percent(f.exposure.osha ? std::optional<double>(f.exposure.osha->projected8h) : std::nullopt, l); }},
    {"IDS_15", true, [](const analysis::SpanFigures &f, const QLocale &l) {
         return percent(f.exposure.niosh ? std::optional<double>(f.exposure.niosh->percent) : std::nullopt, l); }},
    {"IDS_16", true, [](const analysis::SpanFigures &f, const QLocale &l) {
         return level(f.exposure.niosh ? f.exposure.niosh->twa : std::nullopt, l); }},
    {"IDS_17", false, [](const analysis::SpanFigures &f, const QLocale &l) {
         return durationText(f.exposure.secondsAtOrAboveLimit, l); }},
    {"IDS_18", false, [](const analysis::SpanFigures &f, const QLocale &l) { return level(f.sel, l); }},
    {"IDS_19", false, [](const analysis::SpanFigures &f, const QLocale &l) { return level(maxOf(f), l); }},
    {"IDS_20", false, [](const analysis::SpanFigures &f, const QLocale &l) { return level(minOf(f), l); }},
    {"IDS_21", false, [](const analysis::SpanFigures &f, const QLocale &l) { return level(exceeded(f, &ExceededLevels::l10), l); }},
    {"IDS_22", false, [](const analysis::SpanFigures &f, const QLocale &l) { return level(exceeded(f, &ExceededLevels::l50), l); }},
    {"IDS_23", false, [](const analysis::SpanFigures &f, const QLocale &l) { return level(exceeded(f, &ExceededLevels::l90), l); }},
    {"IDS_24", false, [](const analysis::SpanFigures &f, const QLocale &l) { return l.toString(f.readings); }},
    {"IDS_25", false, [](const analysis::SpanFigures &f, const QLocale &l) { return l.toString(f.gaps); }},
    {"IDS_26", false, [](const analysis::SpanFigures &f, const QLocale &l) { return l.toString(f.outOfRange); }},
};

constexpr int kAboveLimitLine = 11; // "Time at or above %1 dB"

QString periodLevel(const analysis::PeriodFigures &p, const QLocale &locale)
{
    return level(p.figures ? p.figures->leq : std::nullopt, locale) + QStringLiteral(" (") +
           locale.toString(p.coverage, 'f', 0) + QStringLiteral(" %)");
}

} // namespace

std::vector<IndicatorRow> indicatorRows(const analysis::SpanFigures &whole, const analysis::SpanFigures &span,
                                        const QLocale &locale)
{
    const bool marked = !whole.exposure.aWeighted;
    std::vector<IndicatorRow> rows;
    for (const Line &line : kLines) {
        QString label = text(line.key);
        if (&line == &kLines[kAboveLimitLine])
            label = label.arg(formatLevel(whole.exposure.limit, locale));
        if (marked && line.exposure)
            label += QLatin1Char(' ') + text("IDS_27");
        rows.push_back({label, line.figure(whole, locale), line.figure(span, locale)});
    }
    return rows;
}

QStringList eventCells(const analysis::NoiseEvent &e, const QLocale &locale)
{
    return {dateTimeText(e.start, locale), durationText(e.seconds, locale), formatLevel(e.lmax, locale),
            formatLevel(e.sel, locale)};
}

QString eventSummary(const analysis::EventList &events, float threshold, const QLocale &locale)
{
    return text("IDS_30").arg(QString::number(double(threshold), 'g', 4), locale.toString(int(events.events.size())),
                                  durationText(events.totalSeconds, locale));
}

QStringList hourCells(const analysis::PeriodFigures &p, const QLocale &locale)
{
    const auto &f = p.figures;
    const bool any = f && f->levels.count > 0;
    return {dateTimeText(p.start, locale),
            locale.toString(f ? f->readings : 0),
            locale.toString(p.coverage, 'f', 0) + QStringLiteral(" %"),
            level(f ? f->leq : std::nullopt, locale),
            level(any ? maxOf(*f) : std::nullopt, locale),
            level(any ? minOf(*f) : std::nullopt, locale),
            level(f ? exceeded(*f, &ExceededLevels::l10) : std::nullopt, locale),
            level(f ? exceeded(*f, &ExceededLevels::l50) : std::nullopt, locale),
            level(f ? exceeded(*f, &ExceededLevels::l90) : std::nullopt, locale)};
}

QStringList dayCells(const analysis::DayFigures &d, const QLocale &locale)
{
    return {dateText(d.date, locale), periodLevel(d.day, locale), periodLevel(d.evening, locale),
            periodLevel(d.night, locale), level(d.lden, locale)};
}

} // namespace ql708::graph
