// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/DateTime.h"
#include "data/TextFiles.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

class QIODevice;

namespace ql708::data {

// The points of a chart as a graph text file takes them: the times of series 0, its levels and,
// for a chart of exactly two series, the levels of series 1.
struct GraphColumns {
    const double *x = nullptr;
    const float *level = nullptr;
    const float *second = nullptr; // none unless the chart has exactly two series
    int count = 0;
};

// How the lines are written. TAB: date TAB time TAB level [TAB second]. Comma: date ", " time ", "
// level ["," second]. Dates are the locale's short date with a four-digit year; with
// isoDateTimes date and time are one field, yyyy-MM-ddTHH:mm:ss.zzz. Levels have one decimal
// and the locale's decimal mark, except that a comma-separated file writes a full stop where
// that mark is a comma, so that its levels read back whole.
struct GraphTextFormat {
    TextSeparator separator = TextSeparator::Tab;
    bool isoDateTimes = false;
    QLocale locale;
};

// Point i's line, without its CR LF.
QString graphTextLine(const GraphColumns &columns, int i, const GraphTextFormat &format);

// Writes points first to last (counted from 0, both included), each line ended by CR LF, and
// stops before the first point whose time is 0 (never filled).
TextFileOutcome writeGraphText(QIODevice &out, const GraphColumns &columns, int first, int last,
                               const GraphTextFormat &format, const TextProgress &progress = {});
// The same into a file, through a temporary file (see saveText).
TextFileOutcome saveGraphText(const QString &path, const GraphColumns &columns, int first, int last,
                              const GraphTextFormat &format, const TextProgress &progress = {});

} // namespace ql708::data
