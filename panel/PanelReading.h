// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "panel/PanelModel.h"

#include <QString>

namespace ql708 {

// What the LCD shows, as one line for screen readers, in the active language: the level,
// the weightings, the range, the meter clock and the lit marks, e.g.
// "62.3 dBA, FAST, range 30 to 130 dB, clock 14:07:09, MAX, REC".
QString lcdReading(const PanelView &view);

} // namespace ql708
