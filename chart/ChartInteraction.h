// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ChartModel.h"
#include "chart/ZoomStack.h"

#include <QObject>
#include <QPoint>

class QCustomPlot;
class QScrollBar;
class QMouseEvent;

namespace ql708::chart {

class ChartRenderer;

struct HotSpot {
    enum Kind { None, VertLine, GraphAnnotation, Data };
    Kind kind = None;
    int index = -1;  // line, annotation or point
    int subset = -1; // for a data point
};

// The mouse on the chart: hot spots of lines, annotations and points, the zoom rubber band and
// its levels, scrolling a zoomed view, and the events the facade passes on.
class ChartInteraction : public QObject {
    Q_OBJECT
public:
    ChartInteraction(QCustomPlot *plot, const ChartModel &model, ChartRenderer &renderer, ZoomStack &zoom,
                     QScrollBar *horz, QScrollBar *vert);

    QPoint lastMousePos() const { return m_lastPos; }
    HotSpot hotSpotAt(QPoint pos) const;
    // Enters one more zoom level, as the rubber band does.
    void zoomTo(const ViewRange &range);
    void updateScrollBars();

signals:
    void clicked();
    void mouseMoved();
    void mouseUp(Qt::MouseButton button);
    void zoomedIn();
    void vertLineAnnotHotSpot(int line);
    void graphAnnotHotSpot(int annotation);
    void dataHotSpot(int subset, int point);
    void viewChanged();
    void popupRequested(QPoint pos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool press(QMouseEvent *e);
    void release(QMouseEvent *e);
    void rubberBandDone(const QRect &rect);
    void scrolled();
    int vertLineAt(QPoint pos) const;
    int annotationAt(QPoint pos) const;
    bool dataPointAt(QPoint pos, int &subset, int &point) const;

    QCustomPlot *m_plot;
    const ChartModel &m_model;
    ChartRenderer &m_renderer;
    ZoomStack &m_zoom;
    QScrollBar *m_horz;
    QScrollBar *m_vert;
    QPoint m_lastPos;
    QPoint m_pressPos;
    bool m_moved = false;
};

} // namespace ql708::chart
