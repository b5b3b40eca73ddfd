// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/Annotations.h"

namespace ql708::graph {

QPoint annotationOffset(AnnotationMode mode)
{
    return mode == AnnotationMode::Text ? QPoint(1, 7) : QPoint(0, 0);
}

int takeAnnotationSlot(int &counter, const std::function<bool(int slot)> &inUse)
{
    do
        ++counter;
    while (inUse(counter));
    return counter;
}

std::vector<AnnotationRow> annotationRows(int counter, const std::function<AnnotationSlot(int slot)> &slotAt)
{
    std::vector<AnnotationRow> rows;
    for (int s = kFirstUserSlot; s <= counter; ++s) {
        const AnnotationSlot a = slotAt(s);
        if (a.type == kSymbolCross)
            rows.push_back({s, a.x, QStringLiteral("X")});
        else if (!a.text.isEmpty())
            rows.push_back({s, a.x, a.text});
    }
    return rows;
}

} // namespace ql708::graph
