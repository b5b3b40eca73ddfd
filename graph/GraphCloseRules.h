// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "graph/GraphState.h"


namespace ql708::graph {

enum class Answer { Yes, No, Cancel };

// The question a window asks before it closes: whether to save the logger data (DataLogger
// window) or the live points (real-time window) that are not saved yet.
enum class CloseQuestion { None, SaveLoggerData, SaveRealTime };
CloseQuestion closeQuestion(GraphKind kind, const GraphState &state);

struct CloseAnswer {
    bool allow; // the window may close
    bool save;  // run the main window's Save command first
};
// Applies the answer to the question closeQuestion gave and says what follows.
CloseAnswer answerCloseQuestion(GraphKind kind, Answer answer, GraphState &state);

// The save that a Yes asked for was cancelled or failed: the window stays open and its data
// count as unsaved again.
void saveFailed(GraphKind kind, GraphState &state);

// The shared flags once a window of this kind has closed: a DataLogger window settles the
// logger data, a real-time window ends its run.
void closeGraph(GraphKind kind, GraphState &state);

} // namespace ql708::graph
