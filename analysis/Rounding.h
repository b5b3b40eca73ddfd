// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace ql708::analysis {

// x rounded half away from zero, for |x| below 2^51. Inline, unlike llround: it runs for every
// reading. Exact whenever x and x ± 0.5 are held by a double without rounding, as a float level
// times ten is.
inline long long roundedToWhole(double x) { return (long long)(x + (x >= 0.0 ? 0.5 : -0.5)); }

} // namespace ql708::analysis
