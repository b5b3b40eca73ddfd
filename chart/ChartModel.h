// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ChartTypes.h"
#include "analysis/LevelStatistics.h"

#include <QString>
#include <vector>

namespace ql708::chart {

struct ChartFont {
    QString family = QStringLiteral("Sans Serif");
    int pointSize = 10;
    bool bold = false;
    bool operator==(const ChartFont &) const = default;
};

struct Scale {
    ManualScaleControl control = sgNoManualScale;
    double min = 0.0;
    double max = 1.0;
    bool operator==(const Scale &) const = default;
};

struct ChartLook {
    QString mainTitle;
    QString subTitle;
    QString xAxisLabel;
    quint32 yAxisColor = PEargb(255, 0, 0, 0);
    GridStyle gridStyle = sgThin;
    DataLabels allowDataLabels = sgNoDataLabels;
    bool allowPopup = true;
    bool noHelp = false;
    bool prepareImages = false;
    ViewingStyle viewingStyle = sgColor;
    int arrowCursor = 1;
    ChartFont titleFont{QStringLiteral("Sans Serif"), 12, true};
    ChartFont labelFont;
    // Per subset, independent of the data so that a look can be set before the data size.
    std::vector<QString> subsetLabels;
    std::vector<quint32> subsetColors;
    std::vector<int> subsetLineTypes;
    bool operator==(const ChartLook &) const = default;
};

struct ChartBehaviour {
    bool usingXDataII = true;
    bool subsetByPoint = false;
    int workingAxis = 0;
    DateTimeMode dateTimeMode = sgNoDateTime;
    Zooming allowZooming = sgNoZooming;
    bool scrollingHorzZoom = false;
    bool scrollingVertZoom = false;
    bool showVertLineAnnotations = true;
    bool allowVertLineAnnotHotSpots = false;
    int lineAnnotationTextSize = 100;
    bool allowGraphAnnotHotSpots = false;
    bool allowDataHotSpots = false;
    bool allowPage1 = true;
    bool allowPage2 = true;
    bool allowSubsetsPage = true;
    bool allowFontPage = true;
    bool operator==(const ChartBehaviour &) const = default;
};

struct VertLine {
    double x = 0.0;
    quint32 color = PEargb(255, 0, 0, 0);
    int type = 0;
    QString text;
    bool operator==(const VertLine &) const = default;
};

struct GraphAnnotation {
    double x = 0.0;
    double y = 0.0;
    int type = 0;
    QString text;
    quint32 color = PEargb(255, 0, 0, 0);
    bool operator==(const GraphAnnotation &) const = default;
    // Type 0 with an empty text is an erased slot: it shows nothing.
    bool visible() const { return type != 0 || !text.isEmpty(); }
};

// The chart's whole state as plain data: subsets x points of date-times and levels, scales,
// look, behaviour and annotation slots. Setters clamp to the bounds below, so any model can
// be stored and loaded again.
class ChartModel {
public:
    static constexpr int kMaxSubsets = 64;
    static constexpr int kMaxPoints = 10'000'000;
    static constexpr qint64 kMaxCells = 20'000'000;
    static constexpr int kMaxVertLines = 256;
    static constexpr int kMaxGraphAnnotations = 65536;
    static constexpr int kMaxTextLength = 1024;
    static constexpr float kNullY = 9999.0f;

    int subsets() const { return int(m_x.size()); }
    int points() const { return m_points; }
    // Both keep the data that still fits; new cells are null. False when the value was clamped.
    bool setSubsets(int n);
    bool setPoints(int n);

    double x(int s, int p) const;
    float y(int s, int p) const;
    // False for a cell outside the chart or a non-finite x; a non-finite y is stored as null.
    bool setX(int s, int p, double v);
    bool setY(int s, int p, float v);
    // Copies count values into the start of subset s (at most points()).
    bool setSubsetX(int s, const double *v, int count);
    bool setSubsetY(int s, const float *v, int count);
    // Every point of subset s becomes x 0, y null: the subset shows nothing.
    void emptySubset(int s);
    const double *xData(int s) const { return m_x[size_t(s)].data(); }
    const float *yData(int s) const { return m_y[size_t(s)].data(); }
    // A level that shows nothing: the null value, or a reading out of the meter's range (kept
    // as the files hold it, drawn as a gap like a missing one).
    bool isNull(float v) const { return v == kNullY || isOutOfRangeLevel(v); }

    // Span of finite x and non-null y over all data; false when there is none.
    bool extentX(double &lo, double &hi) const;
    bool extentY(double &lo, double &hi) const;

    // Annotation slots grow on write up to the bounds; reading a slot never written gives defaults.
    VertLine vertLine(int i) const;
    VertLine *vertLineSlot(int i);
    int vertLineCount() const { return int(m_vertLines.size()); }
    GraphAnnotation annotation(int i) const;
    GraphAnnotation *annotationSlot(int i);
    int annotationCount() const { return int(m_annotations.size()); }

    QString subsetLabel(int s) const;
    quint32 subsetColor(int s) const;
    int subsetLineType(int s) const;
    bool setSubsetLabel(int s, const QString &text);
    bool setSubsetColor(int s, quint32 c);
    bool setSubsetLineType(int s, int type);

    Scale scaleX;
    Scale scaleY;
    ChartLook look;
    ChartBehaviour behaviour;

    bool operator==(const ChartModel &) const = default;

private:
    bool cellOk(int s, int p) const { return s >= 0 && s < subsets() && p >= 0 && p < m_points; }

    int m_points = 0;
    std::vector<std::vector<double>> m_x;
    std::vector<std::vector<float>> m_y;
    std::vector<VertLine> m_vertLines;
    std::vector<GraphAnnotation> m_annotations;
};

quint32 defaultSubsetColor(int s);

// The text cut to ChartModel::kMaxTextLength, never between the two halves of a surrogate pair.
QString boundedText(const QString &text);

} // namespace ql708::chart
