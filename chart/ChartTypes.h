// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QtGlobal>

namespace ql708::chart {

// Codes the system passes to the chart; the numeric values are part of the stored state.
enum ManualScaleControl : quint8 { sgNoManualScale = 0, sgManualMin = 1, sgManualMax = 2, sgManualMinAndMax = 3 };
enum DateTimeMode : quint8 { sgNoDateTime = 0, sgVBDateTime = 1 };
enum GridStyle : quint8 { sgThin = 0, sgThick = 1, sgDot = 2, sgDash = 3, sgOnePixel = 4, sgNoGrid = 5 };
enum DataLabels : quint8 { sgNoDataLabels = 0, sgDataValues = 1 };
enum ViewingStyle : quint8 { sgColor = 0, sgMonochrome = 1 };
enum Zooming : quint8 { sgNoZooming = 0, sgHorzZooming = 1, sgVertZooming = 2, sgHorzPlusVertZooming = 3 };
enum ChartAction {
    sgReinitAndReset,   // rebuild everything from the model and redraw
    sgResetImage,       // drop the drawn image; the next invalidate redraws all
    sgInvalidateImage,  // draw what changed since the last draw
    sgCustomize,        // open the options dialog
    sgPrintDialog,      // print through the print dialog
    sgUndoZoom          // back to the unzoomed view
};

// Highest codes that select a distinct style; stored codes above them are refused on load.
constexpr int kMaxLineType = 8;
constexpr int kMaxSymbolType = 7;
constexpr int kMaxArrowCursor = 3;

// Colours are 0xAABBGGRR; a value without alpha byte (alpha 0) means opaque.
constexpr quint32 PEargb(int a, int r, int g, int b)
{
    return quint32(a & 0xFF) << 24 | quint32(b & 0xFF) << 16 | quint32(g & 0xFF) << 8 | quint32(r & 0xFF);
}

inline QColor colorFromPE(quint32 c)
{
    const int a = int(c >> 24);
    return QColor(int(c & 0xFF), int(c >> 8 & 0xFF), int(c >> 16 & 0xFF), a == 0 ? 255 : a);
}

// Pen of a line type code: 0 thin solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot,
// 5 medium solid, 6 thick solid, 7 medium dash, 8 medium dot.
struct LineStyle {
    int width;
    Qt::PenStyle style;
};
LineStyle lineStyleOf(int lineType);

// Points written one by one since the last draw, first to last index (none when last < first).
struct PointRange {
    int first = 0;
    int last = -1;
};

} // namespace ql708::chart
