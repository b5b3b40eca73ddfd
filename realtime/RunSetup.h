// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace ql708::realtime {

// The point count typed for a run: a whole number from 1 to kMaxRunPoints, blanks around it
// allowed; anything else is refused.
std::optional<int> pointCount(const QString &text);

// The sampling rate typed or picked for a run, in the locale's number format: a rate the
// real-time graph can work with (above 0, at most a day), else nothing.
std::optional<float> samplingRate(const QString &text, const QLocale &locale = QLocale());

// How long count points take at rate seconds: the whole seconds of count x rate, rounded.
qint64 periodSeconds(double rate, int count);

// A period as hours:minutes:seconds. Padded puts minutes and seconds in two digits (1:06:40);
// unpadded writes every part without leading zeros (1:6:40), as the dialog first shows it.
enum class PeriodStyle { Unpadded, Padded };
QString periodText(qint64 seconds, PeriodStyle style);

} // namespace ql708::realtime
