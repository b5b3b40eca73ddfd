// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/GraphCloseRules.h"

namespace ql708::graph {

CloseQuestion closeQuestion(GraphKind kind, const GraphState &state)
{
    if (kind == GraphKind::DataLogger && state.loggerDataUnsaved)
        return CloseQuestion::SaveLoggerData;
    if (kind == GraphKind::RealTime && state.realTime.realTimeUnsaved)
        return CloseQuestion::SaveRealTime;
    return CloseQuestion::None;
}

CloseAnswer answerCloseQuestion(GraphKind kind, Answer answer, GraphState &state)
{
    if (answer == Answer::Cancel)
        return {false, false};
    if (kind == GraphKind::DataLogger && answer == Answer::Yes)
        state.loggerDataUnsaved = false;
    if (kind == GraphKind::RealTime)
        state.realTime.realTimeUnsaved = false;
    return {true, answer == Answer::Yes};
}

void saveFailed(GraphKind kind, GraphState &state)
{
    if (kind == GraphKind::DataLogger)
        state.loggerDataUnsaved = true;
    if (kind == GraphKind::RealTime)
        state.realTime.realTimeUnsaved = true;
}

void closeGraph(GraphKind kind, GraphState &state)
{
    // Only the DataLogger window's own close settles the downloaded data; closing another graph
    // must not let the DataLogger window close later without asking.
    if (kind == GraphKind::DataLogger)
        state.loggerDataUnsaved = false;
    if (kind == GraphKind::RealTime) {
        state.realTime.realTimeRunning = false;
        state.realTime.realTimePointCount = 0;
    }
}

} // namespace ql708::graph
