// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/StatisticTexts.h"

#include "common/NumberFormat.h"
#include "common/StringTable.h"
#include "data/DataSetList.h"

namespace ql708::graph {

namespace {

const QString kTable = QStringLiteral("frmGraph");

QString text(const char *key) { return ids(kTable, QString::fromLatin1(key)); }

QString optionalText(const std::optional<double> &v) { return v ? formatLevel(*v) : QString(); }

// The figures a summary gives a top panel: nothing where it found no measured level.
void setSummaryTexts(StatisticTexts &t, const LevelSummary &s, const double *x)
{
    const bool any = s.count > 0;
    t.avgAll = any ? formatLevel(s.mean) : QString();
    t.max = any ? formatLevel(s.max) : QString();
    t.maxTime = any ? dateTimeText(x[s.maxIndex]) : QString();
    t.min = any ? formatLevel(s.min) : QString();
    t.minTime = any ? dateTimeText(x[s.minIndex]) : QString();
    t.outOfRange = s.outOfRange;
}

// A panel's lines with its out-of-range count after them.
QList<StatisticLine> withOutOfRange(QList<StatisticLine> lines, int count)
{
    if (count > 0)
        lines.append({QString(), outOfRangeText(count)});
    return lines;
}

} // namespace

QString outOfRangeText(int count)
{
    if (count <= 0)
        return QString();
    return text(count == 1 ? "IDS_86" : "IDS_87").arg(count);
}

void setSeriesTexts(StatisticTexts &t, const Series &s)
{
    const SeriesFigures f = seriesFigures(s);
    t.startTime = s.n > 0 ? dateTimeText(f.first) : QString();
    t.samplingRate = s.n > 0 ? formatLevel(f.rate) : QString();
    t.dataNo = QString::number(s.n);
    setSummaryTexts(t, f.levels, s.x);
}

void setDataSetTexts(StatisticTexts &t, const data::DataSetList &sets, int i)
{
    t.startTime = dateTimeText(sets.startTimes[size_t(i)]);
    t.samplingRate = QString::number(sets.rates[size_t(i)]);
    t.dataNo = QString::number(sets.pointCounts[size_t(i)]);
    setSummaryTexts(t, sets.summaries[size_t(i)], sets.times.data() + sets.offsetOf(i));
}

void setCursorTexts(StatisticTexts &t, const Series &s, const CursorFigures &f)
{
    const bool levels = f.levels.count > 0;
    // A cursor on a gap or an out-of-range reading, or on a chart without data, has no level
    // and no time to show.
    auto atCursor = [&s](int point, QString &level, QString &time) {
        const bool shown = point >= 0 && isMeasuredLevel(s.y[point]);
        level = shown ? formatLevel(s.y[point]) : QString();
        time = shown ? dateTimeText(s.x[point]) : QString();
    };
    atCursor(f.a, t.cursorA, t.cursorATime);
    atCursor(f.b, t.cursorB, t.cursorBTime);
    t.maxAB = levels ? formatLevel(f.levels.max) : QString();
    t.maxABTime = levels ? dateTimeText(s.x[f.levels.maxIndex]) : QString();
    t.minAB = levels ? formatLevel(f.levels.min) : QString();
    t.minABTime = levels ? dateTimeText(s.x[f.levels.minIndex]) : QString();
    t.avgAB = levels ? formatLevel(f.levels.mean) : QString();
    t.durationAB = levels ? durationText(f.seconds) : QString();
    t.leqAB = optionalText(f.leq);
    t.selAB = optionalText(f.sel);
    t.l10AB = f.exceeded ? formatLevel(f.exceeded->l10) : QString();
    t.l50AB = f.exceeded ? formatLevel(f.exceeded->l50) : QString();
    t.l90AB = f.exceeded ? formatLevel(f.exceeded->l90) : QString();
    t.outOfRangeAB = f.levels.outOfRange;
}

QList<StatisticLine> seriesLines(const StatisticTexts &t)
{
    return withOutOfRange({{text("IDS_22"), t.startTime},
                           {text("IDS_24"), t.samplingRate},
                           {text("IDS_26"), t.dataNo},
                           {text("IDS_28"), t.avgAll},
                           {text("IDS_30"), t.max, t.maxTime, true},
                           {text("IDS_32"), t.min, t.minTime, true}},
                          t.outOfRange);
}

QList<StatisticLine> cursorLines(const StatisticTexts &t)
{
    return withOutOfRange({{text("IDS_34"), t.cursorA, t.cursorATime, true},
                           {text("IDS_36"), t.cursorB, t.cursorBTime, true},
                           {text("IDS_38"), t.maxAB, t.maxABTime, true},
                           {text("IDS_40"), t.minAB, t.minABTime, true},
                           {text("IDS_42"), t.avgAB},
                           {text("IDS_80"), t.durationAB},
                           {text("IDS_81"), t.leqAB},
                           {text("IDS_82"), t.selAB},
                           {text("IDS_83"), t.l10AB},
                           {text("IDS_84"), t.l50AB},
                           {text("IDS_85"), t.l90AB}},
                          t.outOfRangeAB);
}

} // namespace ql708::graph
