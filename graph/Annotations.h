// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QString>
#include <functional>
#include <vector>

namespace ql708::graph {

// What a click on a chart does; the values are those of the mode the windows share.
enum class AnnotationMode : int { Normal = -99, Text = 0, Cross = 2 };

// Symbol types of the chart's graph annotations.
constexpr int kSymbolNone = 0;
constexpr int kSymbolCross = 2;

// Slot 2 is the data point marker's; user annotations start at 5.
constexpr int kFirstUserSlot = 5;
// The counter at start and after Clear: the next user annotation takes kFirstUserSlot.
constexpr int kAnnotationCounterStart = kFirstUserSlot - 1;
// Clear moves the slots from this one up out of sight.
constexpr int kFirstClearedSlot = 3;

// From the mouse to the point the mode's cursor picture marks: the text cursor's foot for a
// text; the cross cursor's hot spot is already the centre of its X.
QPoint annotationOffset(AnnotationMode mode);

// One slot of a chart as the annotation list reads it.
struct AnnotationSlot {
    double x = 0.0;
    int type = kSymbolNone;
    QString text;
    // Shows something on the chart: a symbol or a text.
    bool inUse() const { return type != kSymbolNone || !text.isEmpty(); }
};

// The slot a new annotation takes: the one above the counter, passing over slots that this
// chart still shows (another window's Clear may have restarted the shared counter). The
// counter becomes the slot taken.
int takeAnnotationSlot(int &counter, const std::function<bool(int slot)> &inUse);

// One row of the erase list.
struct AnnotationRow {
    int slot = 0;
    double x = 0.0;
    QString contents; // "X" for a cross, else the text
};
// The listed annotations of slots kFirstUserSlot to counter: crosses, and texts that are not
// empty. Slot numbers are kept whole, whatever their size.
std::vector<AnnotationRow> annotationRows(int counter, const std::function<AnnotationSlot(int slot)> &slotAt);

} // namespace ql708::graph
