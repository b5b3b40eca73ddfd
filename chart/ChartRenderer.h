// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ChartModel.h"
#include "chart/ZoomStack.h"

#include <QImage>
#include <QPointF>
#include <QRect>

#include <optional>

class QCustomPlot;
class QCPAxisRect;
class QCPGraph;
class QCPItemStraightLine;
class QCPTextElement;
class QPainter;
class QRectF;
class QSize;

namespace ql708::chart {

class VertLineLayer;
class AnnotationLayer;

// What changed in the model since the last draw.
enum ChartChange : int {
    ChangeData = 1,
    ChangeLook = 2,
    ChangeLines = 4,
    ChangeView = 8,
    ChangeAll = ChangeData | ChangeLook | ChangeLines | ChangeView,
    ChangePoints = 16, // single points written in place (a live chart growing); ChangeData covers it
};


// Draws a ChartModel through QCustomPlot: one graph per subset (nulls as NaN, which breaks the
// line), axes and date-time ticks, titles, legend, grid, graph annotations, and the vertical
// lines on their own buffered layer.
class ChartRenderer {
public:
    ChartRenderer(QCustomPlot *plot, const ChartModel &model);

    // Brings the plot in line with the model for the given changes, then draws: a change of
    // the vertical lines alone redraws only their layer.
    // ChangePoints brings only the points in the range up to date.
    void draw(int changes, const ZoomStack &zoom, PointRange points = {});
    // A horizontal line across the plot at a level, or none. The window's own mark: it is no
    // part of the model, so saved and exported charts do not hold it.
    void setLimitLine(std::optional<double> level);

    // The unzoomed view: the manual scales, or the data's extent where a scale is automatic.
    ViewRange fullRange() const;
    ViewRange currentView() const;

    QRect plotRect() const;
    QPointF pixelToData(QPointF px) const;
    QPointF dataToPixel(double x, double y) const;

    QImage toImage(int width, int height);
    // Draws the chart, laid out at the given size, into target as vector commands: lines and
    // text stay sharp on a printer or in a PDF at any scale.
    void render(QPainter &painter, const QRectF &target, QSize layoutSize);

private:
    void syncData();
    // Writes the points in place, or appends them in order; anything else syncs all the data.
    void syncPoints(PointRange points);
    bool syncPoint(QCPGraph *graph, int subset, int point);
    void syncLook();
    void syncAxes();
    void syncLayout();
    void applyView(const ZoomStack &zoom);

    QCustomPlot *m_plot;
    const ChartModel &m_model;
    std::vector<QCPGraph *> m_graphs;
    // Each graph holds point p of its subset at index p (its data came sorted, nothing was
    // reordered), so single points can be written in place.
    bool m_inModelOrder = false;
    QCPAxisRect *m_axisRect;
    QCPTextElement *m_title;
    QCPTextElement *m_subTitle;
    QCPItemStraightLine *m_limitLine = nullptr;
    VertLineLayer *m_lines;
    AnnotationLayer *m_annotations;
};

} // namespace ql708::chart
