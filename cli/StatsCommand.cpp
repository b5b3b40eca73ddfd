// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/StatsCommand.h"

#include "analysis/NoiseEvents.h"
#include "analysis/Periods.h"
#include "analysis/SpanIndex.h"
#include "chart/ChartState.h"
#include "cli/JsonOutput.h"
#include "cli/SetsCommand.h"
#include "common/Printable.h"
#include "data/DataSetList.h"
#include "data/TableText.h"
#include "output/TableToGraph.h"

#include <QFileInfo>
#include <QJsonArray>

#include <limits>
#include <vector>

namespace ql708::cli {

namespace {

// The series the figures are taken from, owned here whatever file it came from.
struct LoadedSeries {
    std::vector<TDateTime> times;
    std::vector<float> levels;
    double knownInterval = 0.0; // a data set's recording interval; 0: the times tell
    bool aWeighted = true;
};

int fail(QTextStream &err, const QString &message, int status = kExitFailed)
{
    err << "ql708-cli: stats: " << message << '\n';
    return status;
}

bool loadSet(const QString &path, qint64 set, LoadedSeries &s, CliContext &context, int &status)
{
    data::DataSetList sets;
    const std::optional<int> i = readSet(path, set, sets, context.err, status);
    if (!i)
        return false;
    const analysis::LevelSeries l = data::levelSeries(sets, *i);
    s.times.assign(l.times.begin(), l.times.end());
    s.levels.assign(l.levels.begin(), l.levels.end());
    s.knownInterval = l.intervalSeconds;
    s.aWeighted = l.aWeighted;
    return true;
}

bool loadChart(const QString &path, LoadedSeries &s, CliContext &context, int &status)
{
    chart::ChartModel model;
    QString error;
    if (!chart::loadChartModelFile(model, path, &error)) {
        status = fail(context.err, printable(error));
        return false;
    }
    if (model.subsets() > 0) {
        s.times.assign(model.xData(0), model.xData(0) + model.points());
        s.levels.assign(model.yData(0), model.yData(0) + model.points());
    }
    return true;
}

bool loadTable(const QString &path, LoadedSeries &s, CliContext &context, int &status)
{
    data::TextTable table;
    const data::TextFileOutcome o = data::readTableText(path, data::separatorOfTableFile(path), table);
    if (!o.ok) {
        status = fail(context.err, QStringLiteral("cannot read %1: %2").arg(printable(path), o.error));
        return false;
    }
    const output::TableToGraph rows(table);
    const int n = rows.isEmpty() ? 0 : rows.rowCount();
    for (int r = 0; r < n; ++r) {
        if (!rows.rowTime(r)) {
            status = fail(context.err, QStringLiteral("%1, line %2: \"%3\" is no date and time")
                                           .arg(printable(path)).arg(r + 1).arg(printable(rows.rowTimeText(r))));
            return false;
        }
    }
    s.times.resize(size_t(n));
    s.levels.resize(size_t(n));
    rows.readRows(0, n, s.times.data(), s.levels.data());
    return true;
}

std::optional<TDateTime> timeOption(CliArgs &args, const QString &name)
{
    const std::optional<QString> text = args.value(name);
    if (!text)
        return std::nullopt;
    const std::optional<TDateTime> t = parseDateTime(*text);
    if (!t)
        args.fail(QStringLiteral("%1: \"%2\" is no date and time (2024-05-17T14:02:11 or the program's own text)")
                      .arg(name, printable(*text)));
    return t;
}

// One figure: its JSON name, its label in the text output, its value and decimals there.
struct Entry {
    const char *key;
    const char *label;
    QJsonValue value;
    int decimals = 1;
};
using Entries = std::vector<Entry>;

QJsonValue level(std::optional<double> v) { return jsonNumber(v, 1); }

QJsonObject objectOf(const Entries &entries)
{
    QJsonObject o;
    for (const Entry &e : entries)
        o.insert(QLatin1String(e.key), e.value);
    return o;
}

QString textOf(const Entry &e)
{
    if (e.value.isNull())
        return QStringLiteral("-");
    if (e.value.isBool())
        return e.value.toBool() ? QStringLiteral("yes") : QStringLiteral("no");
    if (e.value.isDouble())
        return QString::number(e.value.toDouble(), 'f', e.decimals);
    return printable(e.value.toString());
}

void writeSection(QTextStream &out, const char *title, const Entries &entries)
{
    out << title << '\n';
    for (const Entry &e : entries)
        out << "  " << e.label << ": " << textOf(e) << '\n';
}

TDateTime timeAt(const analysis::LevelSeries &s, int i) { return s.times[size_t(i)]; }

Entries levelEntries(const analysis::LevelSeries &s, const analysis::SpanFigures &f)
{
    const bool any = f.levels.count > 0;
    const auto exceeded = [&f](float ExceededLevels::*m) {
        return f.exceeded ? level(double((*f.exceeded).*m)) : QJsonValue(QJsonValue::Null);
    };
    return {{"from", "From", jsonTime(timeAt(s, f.first))},
            {"to", "To", jsonTime(timeAt(s, f.last))},
            {"interval_s", "Interval (s)", jsonNumber(s.intervalSeconds), 3},
            {"readings", "Readings", f.readings, 0},
            {"gaps", "Gaps", f.gaps, 0},
            {"out_of_range", "Out of range", f.outOfRange, 0},
            {"duration_s", "T (s)", jsonNumber(f.exposure.seconds), 3},
            {"leq", "Leq (dB)", level(f.leq)},
            {"average", "Average (dB)", any ? level(f.levels.mean) : QJsonValue()},
            {"lmax", "Lmax (dB)", any ? level(double(f.levels.max)) : QJsonValue()},
            {"lmax_time", "Lmax at", any ? jsonTime(timeAt(s, f.levels.maxIndex)) : QJsonValue()},
            {"lmin", "Lmin (dB)", any ? level(double(f.levels.min)) : QJsonValue()},
            {"lmin_time", "Lmin at", any ? jsonTime(timeAt(s, f.levels.minIndex)) : QJsonValue()},
            {"l10", "L10 (dB)", exceeded(&ExceededLevels::l10)},
            {"l50", "L50 (dB)", exceeded(&ExceededLevels::l50)},
            {"l90", "L90 (dB)", exceeded(&ExceededLevels::l90)},
            {"sel", "SEL (dB)", level(f.sel)}};
}

Entries doseEntries(const std::optional<analysis::Dose> &d)
{
    return {{"dose_percent", "dose (%)", d ? jsonNumber(d->percent, 1) : QJsonValue()},
            {"dose_8h_percent", "dose over 8 h (%)", d ? jsonNumber(d->projected8h, 1) : QJsonValue()},
            {"twa", "TWA (dB)", d ? level(d->twa) : QJsonValue()}};
}

Entries exposureEntries(const analysis::Exposure &e)
{
    return {{"a_weighted", "A-weighted", e.aWeighted},
            {"lex_8h", "LEX,8h (dB)", level(e.lex8h)},
            {"lower_action_value_reached", "Lower action value (80 dB(A)) reached", e.lowerActionReached},
            {"upper_action_value_reached", "Upper action value (85 dB(A)) reached", e.upperActionReached},
            {"limit_value_reached", "Exposure limit value (87 dB(A)) reached", e.limitValueReached},
            {"limit", "Limit (dB)", level(double(e.limit))},
            {"at_or_above_limit_s", "Time at or above the limit (s)", jsonNumber(e.secondsAtOrAboveLimit), 0}};
}

QJsonObject eventObject(const analysis::NoiseEvent &e)
{
    return objectOf({{"start", "", jsonTime(e.start)},
                     {"duration_s", "", jsonNumber(e.seconds, 3)},
                     {"lmax", "", level(double(e.lmax))},
                     {"sel", "", level(e.sel)},
                     {"next_to_missing_reading", "", e.touchesMissing}});
}

Entries hourEntries(const analysis::PeriodFigures &p)
{
    const auto &f = p.figures;
    const bool any = f && f->levels.count > 0;
    const auto exceeded = [&f](float ExceededLevels::*m) {
        return f && f->exceeded ? level(double((*f->exceeded).*m)) : QJsonValue(QJsonValue::Null);
    };
    return {{"start", "", jsonTime(p.start)},
            {"readings", "", f ? f->readings : 0, 0},
            {"coverage_percent", "", jsonNumber(p.coverage, 1)},
            {"leq", "", level(f ? f->leq : std::nullopt)},
            {"lmax", "", any ? level(double(f->levels.max)) : QJsonValue()},
            {"lmin", "", any ? level(double(f->levels.min)) : QJsonValue()},
            {"l10", "", exceeded(&ExceededLevels::l10)},
            {"l50", "", exceeded(&ExceededLevels::l50)},
            {"l90", "", exceeded(&ExceededLevels::l90)}};
}

QJsonObject periodObject(const analysis::PeriodFigures &p)
{
    return objectOf({{"leq", "", level(p.figures ? p.figures->leq : std::nullopt)},
                     {"coverage_percent", "", jsonNumber(p.coverage, 1)}});
}

// Everything, as one document or as text.
struct Figures {
    const analysis::LevelSeries &series;
    const analysis::SpanFigures &span;
    const analysis::EventList &events;
    const analysis::EventRules &rules;
    const std::optional<analysis::PeriodTables> &periods;
};

QJsonObject document(const Figures &f)
{
    QJsonObject o = objectOf(levelEntries(f.series, f.span));
    QJsonObject exposure = objectOf(exposureEntries(f.span.exposure));
    exposure.insert(QLatin1String("osha"), objectOf(doseEntries(f.span.exposure.osha)));
    exposure.insert(QLatin1String("niosh"), objectOf(doseEntries(f.span.exposure.niosh)));
    o.insert(QLatin1String("exposure"), exposure);
    QJsonArray events;
    for (const analysis::NoiseEvent &e : f.events.events)
        events.append(eventObject(e));
    o.insert(QLatin1String("events"), objectOf({{"threshold", "", level(double(f.rules.threshold))},
                                                {"minimum_duration_s", "", f.rules.minimumSeconds},
                                                {"count", "", int(f.events.events.size())},
                                                {"total_s", "", jsonNumber(f.events.totalSeconds, 3)},
                                                {"list", "", events}}));
    QJsonArray hours, days;
    if (f.periods) {
        for (const analysis::PeriodFigures &h : f.periods->hours)
            hours.append(objectOf(hourEntries(h)));
        for (const analysis::DayFigures &d : f.periods->days) {
            QJsonObject day{{QLatin1String("date"), fromTDateTime(d.date).date().toString(Qt::ISODate)},
                            {QLatin1String("lden"), level(d.lden)}};
            day.insert(QLatin1String("day"), periodObject(d.day));
            day.insert(QLatin1String("evening"), periodObject(d.evening));
            day.insert(QLatin1String("night"), periodObject(d.night));
            days.append(day);
        }
    }
    o.insert(QLatin1String("hours"), hours);
    o.insert(QLatin1String("days"), days);
    return o;
}

void writeRows(QTextStream &out, const char *heading, const std::vector<Entries> &rows)
{
    out << heading << '\n';
    for (const Entries &row : rows) {
        QStringList cells;
        for (const Entry &e : row)
            cells << textOf(e);
        out << "  " << cells.join(QLatin1Char('\t')) << '\n';
    }
}

void writeText(QTextStream &out, const Figures &f)
{
    writeSection(out, "Levels", levelEntries(f.series, f.span));
    const analysis::Exposure &e = f.span.exposure;
    writeSection(out, e.aWeighted ? "Exposure" : "Exposure (not A-weighted: indicative only)", exposureEntries(e));
    writeSection(out, "OSHA (criterion 90 dB(A), exchange rate 5 dB)", doseEntries(e.osha));
    writeSection(out, "NIOSH (criterion 85 dB(A), exchange rate 3 dB)", doseEntries(e.niosh));
    writeSection(out, "Events", {{"", "Threshold (dB)", level(double(f.rules.threshold))},
                                 {"", "Events", int(f.events.events.size()), 0},
                                 {"", "Total time (s)", jsonNumber(f.events.totalSeconds), 3}});
    std::vector<Entries> events;
    for (const analysis::NoiseEvent &ev : f.events.events)
        events.push_back({{"", "", jsonTime(ev.start)}, {"", "", jsonNumber(ev.seconds), 3},
                          {"", "", level(double(ev.lmax))}, {"", "", level(ev.sel)}});
    writeRows(out, "Event list (start, duration s, Lmax, SEL)", events);
    std::vector<Entries> hours, days;
    if (f.periods) {
        for (const analysis::PeriodFigures &h : f.periods->hours)
            hours.push_back(hourEntries(h));
        for (const analysis::DayFigures &d : f.periods->days) {
            const auto leq = [](const analysis::PeriodFigures &p) { return level(p.figures ? p.figures->leq : std::nullopt); };
            days.push_back({{"", "", fromTDateTime(d.date).date().toString(Qt::ISODate)},
                            {"", "", leq(d.day)}, {"", "", jsonNumber(d.day.coverage), 0},
                            {"", "", leq(d.evening)}, {"", "", jsonNumber(d.evening.coverage), 0},
                            {"", "", leq(d.night)}, {"", "", jsonNumber(d.night.coverage), 0},
                            {"", "", level(d.lden)}});
        }
    }
    writeRows(out, "Hours (start, readings, coverage %, Leq, Lmax, Lmin, L10, L50, L90)", hours);
    writeRows(out, "Days (date, Lday, coverage %, Levening, coverage %, Lnight, coverage %, Lden)", days);
}

// The readings stamped from from to to, both included: [first, last], or nothing.
std::optional<std::pair<int, int>> spanOf(const std::vector<TDateTime> &times, std::optional<TDateTime> from,
                                          std::optional<TDateTime> to)
{
    int first = -1, last = -1;
    for (int i = 0; i < int(times.size()); ++i) {
        const TDateTime t = times[size_t(i)];
        if ((from && t < *from) || (to && t > *to))
            continue;
        if (first < 0)
            first = i;
        last = i;
    }
    if (first < 0)
        return std::nullopt;
    return std::pair{first, last};
}

} // namespace

int runStats(CliArgs &args, CliContext &context)
{
    const std::optional<QString> path = args.word(QStringLiteral("FILE.rec, FILE.ghf, FILE.txt or FILE.csv"));
    const std::optional<qint64> set = args.number(QStringLiteral("--set"), 1, std::numeric_limits<int>::max());
    const std::optional<TDateTime> from = timeOption(args, QStringLiteral("--from"));
    const std::optional<TDateTime> to = timeOption(args, QStringLiteral("--to"));
    const std::optional<double> threshold = args.decimal(QStringLiteral("--threshold"), 0.0, 200.0);
    const bool json = args.flag(QStringLiteral("--json"));
    if (!args.finish())
        return kExitUsage;
    const QString type = QFileInfo(*path).suffix().toLower();
    const bool collection = type == QLatin1String("rec");
    if (collection && !set)
        return fail(context.err, QStringLiteral("--set N is needed for a collection file"), kExitUsage);
    if (!collection && set)
        return fail(context.err, QStringLiteral("--set is for collection files (.rec) only"), kExitUsage);
    LoadedSeries loaded;
    int status = kExitOk;
    bool read = false;
    if (collection)
        read = loadSet(*path, *set, loaded, context, status);
    else if (type == QLatin1String("ghf"))
        read = loadChart(*path, loaded, context, status);
    else if (type == QLatin1String("txt") || type == QLatin1String("csv"))
        read = loadTable(*path, loaded, context, status);
    else
        return fail(context.err, QStringLiteral("%1 is not a .rec, .ghf, .txt or .csv file").arg(printable(*path)),
                    kExitUsage);
    if (!read)
        return status;
    const std::optional<std::pair<int, int>> span = spanOf(loaded.times, from, to);
    if (!span)
        return fail(context.err, loaded.times.empty() ? QStringLiteral("%1 holds no reading").arg(printable(*path))
                                                      : QStringLiteral("no reading is stamped from --from to --to"));
    const size_t n = size_t(span->second - span->first + 1);
    const std::span<const TDateTime> times(loaded.times.data() + span->first, n);
    const analysis::LevelSeries series{times, {loaded.levels.data() + span->first, n},
                                       analysis::readingInterval(loaded.times, loaded.knownInterval), loaded.aWeighted};
    const analysis::SpanIndex index(series);
    const analysis::EventRules rules{.threshold = float(threshold.value_or(analysis::EventRules{}.threshold))};
    const analysis::SpanFigures whole = index.whole();
    const analysis::EventList events = analysis::findEvents(series, rules);
    const std::optional<analysis::PeriodTables> periods = analysis::periodTables(index);
    const Figures figures{series, whole, events, rules, periods};
    if (json)
        writeJson(context.out, document(figures));
    else
        writeText(context.out, figures);
    return kExitOk;
}

} // namespace ql708::cli
