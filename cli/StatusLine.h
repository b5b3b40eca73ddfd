// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "meter/MeterStatus.h"

#include <QDateTime>
#include <QString>

namespace ql708 {

// One line of the status listing: PC time, shown level, modes, flags and the meter clock.
QString statusLine(const QDateTime &pcTime, const MeterStatus &s);

} // namespace ql708
