// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ZoomStack.h"

#include <algorithm>
#include <cmath>

namespace ql708::chart {

ViewRange zoomedRange(const ViewRange &view, double xa, double xb, double ya, double yb, bool horz, bool vert)
{
    ViewRange r = view;
    if (horz) {
        r.xLo = std::min(xa, xb);
        r.xHi = std::max(xa, xb);
    }
    if (vert) {
        r.yLo = std::min(ya, yb);
        r.yHi = std::max(ya, yb);
    }
    return r;
}

double scrollFraction(double lo, double hi, double fullLo, double fullHi)
{
    const double room = (fullHi - fullLo) - (hi - lo);
    const double fraction = (lo - fullLo) / room;
    return room > 0 && std::isfinite(fraction) ? std::clamp(fraction, 0.0, 1.0) : 0.0;
}

void placeAt(double &lo, double &hi, double fullLo, double fullHi, double fraction)
{
    const double width = hi - lo;
    const double room = (fullHi - fullLo) - width;
    if (room <= 0)
        return;
    lo = fullLo + room * std::clamp(fraction, 0.0, 1.0);
    hi = lo + width;
}

} // namespace ql708::chart
