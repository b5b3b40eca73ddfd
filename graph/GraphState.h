// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/DateTime.h"
#include "graph/Annotations.h"

#include <QString>

namespace ql708::graph {

// The real-time run as the graph windows see it: the rate box, the close question and Clear
// of the real-time window read and change it; the run itself (realtime/) keeps it going.
struct RealTimeRunState {
    bool realTimeUnsaved = false;   // live points were added since the last save or discard
    bool realTimeRunning = false;   // a real-time run is in progress
    float RealTimeRate = 0.2f;      // real-time sampling rate, seconds; the main window persists it
    int realTimePointCount = 0;     // points added in the current run
    TDateTime lastPointTime = 0.0;  // last accepted sampling instant; set when the real-time window is created
};

// What all graph windows share for the life of the program (one copy). The window references
// live with the windows (GraphWindows); the cursor state is each window's own (CursorState).
// The annotation counter is shared, so successive annotations in different windows take
// different slots.
struct GraphState {
    bool loggerDataUnsaved = false; // the download left data not yet saved
    RealTimeRunState realTime;
    int annotationCounter = kAnnotationCounterStart; // the highest annotation slot handed out
    AnnotationMode annotationMode = AnnotationMode::Normal; // what a click on a chart does
};

GraphState &graphState();

// The two cursor lines and the playback line of one window: point indices and drag marks.
// Each window keeps its own, so an index never refers to another window's series.
struct CursorState {
    int cursorA = 0;
    int cursorB = 0;
    int playbackLine = 0;
    bool draggingA = false;
    bool draggingB = false;
    bool draggingPlayback = false;
    TDateTime lastDragRedraw = 0.0;
};

// What a graph window is used for, told by its caption.
enum class GraphKind { RealTime, DataLogger, CalLeq, Plain };

inline const QString kRealTimeCaption = QStringLiteral("Real-Time Graph");
inline const QString kDataLoggerCaption = QStringLiteral("DataLogger");
inline const QString kCalLeqCaption = QStringLiteral("LEQ");

GraphKind graphKind(const QString &caption);

} // namespace ql708::graph
