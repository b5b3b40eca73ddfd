// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/NoiseEvents.h"
#include "analysis/SpanIndex.h"
#include "output/ChartReport.h"

#include <QStringList>

#include <optional>

namespace ql708::output {

// The second page of a data set's report: the whole set's indicators (exposure, doses, levels),
// a bar chart of the Leq of each clock hour, and the events at or above the threshold.
struct HourBar {
    QString label; // "14"
    std::optional<double> leq;
};
struct IndicatorsPage {
    ChartReport header; // the caption and the indicators, laid out as the first page's figures
    QList<HourBar> hours; // from the first hour with a reading to the last
    QString eventsTitle;
    QStringList events; // one line each: start, duration, Lmax, SEL
};
IndicatorsPage indicatorsPage(const QString &caption, const analysis::SpanIndex &index,
                              const analysis::EventRules &rules = {});

// Paints the page. The events take the lines the page has room for; when some are left, the
// last line says "… and N more".
void paintIndicatorsPage(QPainter &painter, const QRectF &page, const IndicatorsPage &p);

// How many of count lines of height lineHeight a height holds, the last of them being the
// "… and N more" line when not all fit: the events shown.
int eventsShown(int count, double height, double lineHeight);

} // namespace ql708::output
