// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace ql708::data {

// The points or rows a save covers, chosen in the range dialog: all of them, or the two
// fields read as whole numbers (negative taken as positive, in either order, the end cut to the
// count, a start of 0 taken as 1). Counted from 1, both ends included.
struct SaveRange {
    enum Problem { None, NotWhole, Empty };
    Problem problem = None;
    int from = 0;
    int to = 0;
};

SaveRange chooseSaveRange(bool all, const QString &from, const QString &to, int count);

} // namespace ql708::data
