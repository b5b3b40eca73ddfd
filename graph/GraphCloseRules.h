#pragma once

#include "graph/GraphState.h"

#include <QString>

namespace ql708::graph {

enum class Answer { Yes, No, Cancel };

// The string key of the question a window of this kind asks before it closes (IDS_11 for
// unsaved logger data, IDS_13 for unsaved live points), or empty when it asks none.
QString closeQuestion(GraphKind kind, const GraphState &state);

struct CloseAnswer {
    bool allow; // the window may close
    bool save;  // run the main window's Save command first
};
// Applies the answer to the question closeQuestion gave and says what follows.
CloseAnswer answerCloseQuestion(GraphKind kind, Answer answer, GraphState &state);

// The shared flags once a window of this kind has closed.
void closeGraph(GraphKind kind, GraphState &state);

} // namespace ql708::graph
