// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/GraphState.h"

namespace ql708::graph {

GraphState &graphState()
{
    static GraphState state;
    return state;
}

GraphKind graphKind(const QString &caption)
{
    if (caption == kRealTimeCaption)
        return GraphKind::RealTime;
    if (caption == kDataLoggerCaption)
        return GraphKind::DataLogger;
    if (caption == kCalLeqCaption)
        return GraphKind::CalLeq;
    return GraphKind::Plain;
}

} // namespace ql708::graph
