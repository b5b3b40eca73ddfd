// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartInteraction.h"

#include "chart/ChartRenderer.h"

#include <QMouseEvent>
#include <QScrollBar>
#include <cmath>
#include <qcustomplot.h>

namespace ql708::chart {

namespace {
constexpr int kLineTolerance = 4;   // pixels either side of a vertical line
constexpr int kPointTolerance = 6;  // pixels around an annotation or a data point
constexpr int kClickSlop = 3;       // a press and release closer than this is a click
constexpr int kMinBand = 4;         // smaller rubber bands are clicks, not zooms
constexpr int kScrollSteps = 10000;
} // namespace

ChartInteraction::ChartInteraction(QCustomPlot *plot, const ChartModel &model, ChartRenderer &renderer,
                                   ZoomStack &zoom, QScrollBar *horz, QScrollBar *vert)
    : QObject(plot), m_plot(plot), m_model(model), m_renderer(renderer), m_zoom(zoom), m_horz(horz), m_vert(vert)
{
    m_plot->setMouseTracking(true);
    m_plot->installEventFilter(this);
    m_plot->setSelectionRectMode(QCP::srmNone);
    m_plot->selectionRect()->setPen(QPen(Qt::black, 1, Qt::DashLine));
    m_plot->selectionRect()->setBrush(QColor(0, 0, 255, 30));
    connect(m_plot->selectionRect(), &QCPSelectionRect::accepted, this,
            [this](const QRect &r, QMouseEvent *) { rubberBandDone(r); });
    for (QScrollBar *bar : {m_horz, m_vert}) {
        bar->setRange(0, kScrollSteps);
        bar->setPageStep(kScrollSteps / 10);
        bar->hide();
        connect(bar, &QScrollBar::valueChanged, this, &ChartInteraction::scrolled);
    }
}

bool ChartInteraction::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_plot)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        return press(static_cast<QMouseEvent *>(event));
    case QEvent::MouseMove: {
        const QPoint pos = static_cast<QMouseEvent *>(event)->position().toPoint();
        m_lastPos = pos;
        if ((pos - m_pressPos).manhattanLength() > kClickSlop)
            m_moved = true;
        emit mouseMoved();
        return false;
    }
    case QEvent::MouseButtonRelease:
        release(static_cast<QMouseEvent *>(event));
        return false;
    default:
        return false;
    }
}

bool ChartInteraction::press(QMouseEvent *e)
{
    m_lastPos = m_pressPos = e->position().toPoint();
    m_moved = false;
    const HotSpot h = hotSpotAt(m_lastPos);
    if (h.kind == HotSpot::VertLine) {
        // The line is the user's to drag: no rubber band starts under it.
        m_plot->setSelectionRectMode(QCP::srmNone);
        emit vertLineAnnotHotSpot(h.index);
        return true;
    }
    if (h.kind == HotSpot::GraphAnnotation)
        emit graphAnnotHotSpot(h.index);
    else if (h.kind == HotSpot::Data)
        emit dataHotSpot(h.subset, h.index);
    const bool band = e->button() == Qt::LeftButton && m_model.behaviour.allowZooming != sgNoZooming
                      && m_renderer.plotRect().contains(m_lastPos);
    m_plot->setSelectionRectMode(band ? QCP::srmCustom : QCP::srmNone);
    return false;
}

void ChartInteraction::release(QMouseEvent *e)
{
    m_lastPos = e->position().toPoint();
    emit mouseUp(e->button());
    if (!m_moved && e->button() == Qt::LeftButton)
        emit clicked();
    if (!m_moved && e->button() == Qt::RightButton)
        emit popupRequested(m_lastPos);
}

void ChartInteraction::rubberBandDone(const QRect &rect)
{
    const QRect r = rect.normalized();
    if (r.width() < kMinBand && r.height() < kMinBand)
        return;
    const Zooming z = m_model.behaviour.allowZooming;
    const bool horz = (z == sgHorzZooming || z == sgHorzPlusVertZooming) && r.width() >= kMinBand;
    const bool vert = (z == sgVertZooming || z == sgHorzPlusVertZooming) && r.height() >= kMinBand;
    if (!horz && !vert)
        return;
    const QPointF a = m_renderer.pixelToData(r.topLeft()), b = m_renderer.pixelToData(r.bottomRight());
    zoomTo(zoomedRange(m_renderer.currentView(), a.x(), b.x(), a.y(), b.y(), horz, vert));
}

void ChartInteraction::zoomTo(const ViewRange &range)
{
    m_zoom.push(range);
    emit viewChanged();
    emit zoomedIn();
}

void ChartInteraction::updateScrollBars()
{
    const ViewRange full = m_renderer.fullRange();
    const ViewRange v = m_renderer.currentView();
    const bool zoomed = m_zoom.zoomed();
    const bool h = zoomed && m_model.behaviour.scrollingHorzZoom && v.xHi - v.xLo < full.xHi - full.xLo;
    const bool w = zoomed && m_model.behaviour.scrollingVertZoom && v.yHi - v.yLo < full.yHi - full.yLo;
    const QSignalBlocker bh(m_horz), bv(m_vert);
    m_horz->setVisible(h);
    m_vert->setVisible(w);
    m_horz->setValue(int(std::lround(scrollFraction(v.xLo, v.xHi, full.xLo, full.xHi) * kScrollSteps)));
    m_vert->setValue(int(std::lround((1.0 - scrollFraction(v.yLo, v.yHi, full.yLo, full.yHi)) * kScrollSteps)));
}

void ChartInteraction::scrolled()
{
    if (!m_zoom.zoomed())
        return;
    const ViewRange full = m_renderer.fullRange();
    ViewRange v = m_zoom.current();
    if (m_horz->isVisible())
        placeAt(v.xLo, v.xHi, full.xLo, full.xHi, double(m_horz->value()) / kScrollSteps);
    if (m_vert->isVisible())
        placeAt(v.yLo, v.yHi, full.yLo, full.yHi, 1.0 - double(m_vert->value()) / kScrollSteps);
    m_zoom.replaceCurrent(v);
    emit viewChanged();
}

HotSpot ChartInteraction::hotSpotAt(QPoint pos) const
{
    HotSpot h;
    if (!m_renderer.plotRect().contains(pos))
        return h;
    if (const int line = vertLineAt(pos); line >= 0)
        return {HotSpot::VertLine, line, -1};
    if (const int a = annotationAt(pos); a >= 0)
        return {HotSpot::GraphAnnotation, a, -1};
    int s = -1, p = -1;
    if (dataPointAt(pos, s, p))
        return {HotSpot::Data, p, s};
    return h;
}

int ChartInteraction::vertLineAt(QPoint pos) const
{
    const ChartBehaviour &b = m_model.behaviour;
    if (!b.showVertLineAnnotations || !b.allowVertLineAnnotHotSpots)
        return -1;
    int best = -1;
    double bestDist = kLineTolerance + 0.5;
    // Later lines are drawn on top, so they win a tie.
    for (int i = 0; i < m_model.vertLineCount(); ++i) {
        const double d = std::abs(m_renderer.dataToPixel(m_model.vertLine(i).x, 0).x() - pos.x());
        if (d <= bestDist) {
            best = i;
            bestDist = d;
        }
    }
    return best;
}

int ChartInteraction::annotationAt(QPoint pos) const
{
    if (!m_model.behaviour.allowGraphAnnotHotSpots)
        return -1;
    for (int i = m_model.annotationCount() - 1; i >= 0; --i) {
        const GraphAnnotation a = m_model.annotation(i);
        if (a.visible() && (m_renderer.dataToPixel(a.x, a.y) - QPointF(pos)).manhattanLength() <= kPointTolerance)
            return i;
    }
    return -1;
}

bool ChartInteraction::dataPointAt(QPoint pos, int &subset, int &point) const
{
    if (!m_model.behaviour.allowDataHotSpots)
        return false;
    double best = kPointTolerance + 0.5;
    for (int s = 0; s < m_model.subsets(); ++s) {
        for (int p = 0; p < m_model.points(); ++p) {
            const float y = m_model.yData(s)[p];
            if (m_model.isNull(y))
                continue;
            const double d = (m_renderer.dataToPixel(m_model.xData(s)[p], y) - QPointF(pos)).manhattanLength();
            if (d <= best) {
                best = d;
                subset = s;
                point = p;
            }
        }
    }
    return subset >= 0;
}

} // namespace ql708::chart
