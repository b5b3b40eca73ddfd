// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartRenderer.h"

#include "chart/ChartLayers.h"

#include <QPainter>
#include <QPicture>
#include <cmath>
#include <qcustomplot.h>

namespace ql708::chart {

namespace {
const QString kCursorLayer = QStringLiteral("cursors");
const QString kAnnotationLayer = QStringLiteral("annotations");

QFont fontOf(const ChartFont &f, double factor = 1.0)
{
    QFont q(f.family);
    q.setPointSizeF(std::max(1.0, f.pointSize * factor));
    q.setBold(f.bold);
    return q;
}

QPen gridPen(GridStyle s)
{
    switch (s) {
    case sgThick: return QPen(QColor(200, 200, 200), 2, Qt::SolidLine);
    case sgDot: return QPen(QColor(150, 150, 150), 1, Qt::DotLine);
    case sgDash: return QPen(QColor(170, 170, 170), 1, Qt::DashLine);
    case sgOnePixel: return QPen(QColor(225, 225, 225), 0, Qt::SolidLine);
    case sgNoGrid: return QPen(Qt::NoPen);
    case sgThin: break;
    }
    return QPen(QColor(200, 200, 200), 1, Qt::SolidLine);
}

// An automatic scale follows the data; a manual one takes its limits.
void scaleRange(const Scale &s, bool haveData, double dataLo, double dataHi, double &lo, double &hi)
{
    lo = haveData ? dataLo : 0.0;
    hi = haveData ? dataHi : 1.0;
    if (s.control == sgManualMin || s.control == sgManualMinAndMax)
        lo = s.min;
    if (s.control == sgManualMax || s.control == sgManualMinAndMax)
        hi = s.max;
    if (hi < lo)
        std::swap(lo, hi);
    if (hi - lo < 1e-9) {
        const double pad = std::max(std::abs(lo) * 1e-6, 1e-6);
        lo -= pad;
        hi += pad;
    }
}
// A point as the plot takes it: a null level is NaN, which breaks the line.
QCPGraphData graphData(double x, float y, const ChartModel &model)
{
    return {x, model.isNull(y) ? std::numeric_limits<double>::quiet_NaN() : double(y)};
}
} // namespace

ChartRenderer::ChartRenderer(QCustomPlot *plot, const ChartModel &model)
    : m_plot(plot), m_model(model)
{
    m_plot->setPlottingHints(QCP::phFastPolylines | QCP::phCacheLabels);
    m_plot->setNoAntialiasingOnDrag(true);
    m_plot->addLayer(kAnnotationLayer, m_plot->layer(QStringLiteral("main")), QCustomPlot::limAbove);
    m_plot->addLayer(kCursorLayer, m_plot->layer(QStringLiteral("axes")), QCustomPlot::limAbove);
    m_plot->layer(kCursorLayer)->setMode(QCPLayer::lmBuffered);
    m_annotations = new AnnotationLayer(m_plot, m_model, kAnnotationLayer);
    m_lines = new VertLineLayer(m_plot, m_model, kCursorLayer);
    m_title = new QCPTextElement(m_plot);
    m_subTitle = new QCPTextElement(m_plot);
    m_axisRect = m_plot->axisRect();
    m_axisRect->insetLayout()->take(m_plot->legend);
    m_plot->legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    m_plot->legend->setBorderPen(Qt::NoPen);
    m_plot->legend->setMargins(QMargins(2, 0, 2, 0));
}

void ChartRenderer::draw(int changes, const ZoomStack &zoom, PointRange points)
{
    if (changes == ChangeLines) {
        m_plot->layer(kCursorLayer)->replot();
        return;
    }
    if (changes & ChangeData)
        syncData();
    else if (changes & ChangePoints)
        syncPoints(points);
    if (changes & (ChangeData | ChangeLook))
        syncLook();
    applyView(zoom);
    m_plot->replot(QCustomPlot::rpQueuedRefresh);
}

void ChartRenderer::setLimitLine(std::optional<double> level)
{
    if (!m_limitLine) {
        m_limitLine = new QCPItemStraightLine(m_plot);
        m_limitLine->setLayer(kAnnotationLayer);
        m_limitLine->setPen(QPen(QColor(200, 0, 0), 1, Qt::DashLine));
        m_limitLine->setSelectable(false);
    }
    m_limitLine->setVisible(level.has_value());
    if (level) {
        m_limitLine->point1->setCoords(0.0, *level);
        m_limitLine->point2->setCoords(1.0, *level);
    }
    m_plot->replot(QCustomPlot::rpQueuedRefresh);
}

void ChartRenderer::syncData()
{
    while (int(m_graphs.size()) > m_model.subsets()) {
        m_plot->removeGraph(m_graphs.back());
        m_graphs.pop_back();
    }
    while (int(m_graphs.size()) < m_model.subsets()) {
        QCPGraph *g = m_plot->addGraph();
        g->setAdaptiveSampling(true);
        g->setAntialiased(false);
        m_graphs.push_back(g);
    }
    m_inModelOrder = true;
    for (int s = 0; s < m_model.subsets(); ++s) {
        const double *xs = m_model.xData(s);
        const float *ys = m_model.yData(s);
        // Null points at the end draw nothing; leaving them out keeps a chart that is still
        // filling (its empty points at time 0) in time order, so it needs no sorting.
        int n = m_model.points();
        while (n > 0 && m_model.isNull(ys[n - 1]))
            --n;
        QVector<QCPGraphData> data(n);
        bool sorted = true;
        for (int p = 0; p < n; ++p) {
            data[p] = graphData(xs[p], ys[p], m_model);
            sorted = sorted && (p == 0 || xs[p] >= xs[p - 1]);
        }
        m_graphs[size_t(s)]->data()->set(data, sorted);
        m_inModelOrder = m_inModelOrder && sorted;
    }
}

void ChartRenderer::syncPoints(PointRange points)
{
    if (!m_inModelOrder || int(m_graphs.size()) != m_model.subsets()) {
        syncData();
        return;
    }
    for (int s = 0; s < m_model.subsets(); ++s)
        for (int p = points.first; p <= points.last; ++p)
            if (!syncPoint(m_graphs[size_t(s)], s, p)) {
                syncData();
                return;
            }
}

// False when the point cannot go in without upsetting the time order.
bool ChartRenderer::syncPoint(QCPGraph *graph, int subset, int point)
{
    QCPGraphDataContainer &d = *graph->data();
    if (point < 0 || point >= m_model.points())
        return true;
    const double x = m_model.x(subset, point);
    if (point < d.size()) {
        const bool inOrder = (point == 0 || (d.constBegin() + point - 1)->key <= x) &&
                             (point + 1 == d.size() || x <= (d.constBegin() + point + 1)->key);
        if (inOrder)
            *(d.begin() + point) = graphData(x, m_model.y(subset, point), m_model);
        return inOrder;
    }
    // Past the end: the points between (nulls, left out so far) come along, all in order.
    for (int p = d.size(); p <= point; ++p) {
        const double key = m_model.x(subset, p);
        if (!d.isEmpty() && key < (d.constEnd() - 1)->key)
            return false;
        d.add(graphData(key, m_model.y(subset, p), m_model));
    }
    return true;
}

void ChartRenderer::syncLook()
{
    const ViewingStyle vs = m_model.look.viewingStyle;
    for (int s = 0; s < int(m_graphs.size()); ++s) {
        QCPGraph *g = m_graphs[size_t(s)];
        const LineStyle ls = lineStyleOf(m_model.subsetLineType(s));
        g->setPen(QPen(viewColor(m_model.subsetColor(s), vs), ls.width, ls.style));
        g->setName(m_model.subsetLabel(s));
        if (g->name().isEmpty())
            g->removeFromLegend();
        else
            g->addToLegend();
    }
    syncAxes();
    syncLayout();
}

void ChartRenderer::syncAxes()
{
    const ChartLook &look = m_model.look;
    const QFont labels = fontOf(look.labelFont);
    QCPAxis *x = m_plot->xAxis;
    QCPAxis *y = m_plot->yAxis;
    const bool dateTime = m_model.behaviour.dateTimeMode == sgVBDateTime;
    if (dateTime) {
        if (!dynamic_cast<DateTimeTicker *>(x->ticker().data()))
            x->setTicker(QSharedPointer<QCPAxisTicker>(new DateTimeTicker(x)));
    } else if (dynamic_cast<DateTimeTicker *>(x->ticker().data())) {
        x->setTicker(QSharedPointer<QCPAxisTicker>(new QCPAxisTicker));
    }
    // The first tick label carries the date; room at both ends keeps it, and the last, drawn.
    const int room = dateTime ? DateTimeTicker::labelOverhang(labels, m_plot->locale()) : 0;
    m_axisRect->setMinimumMargins(QMargins(room, 0, room, 0));
    x->setLabel(look.xAxisLabel);
    const QColor yc = viewColor(look.yAxisColor, look.viewingStyle);
    y->setBasePen(QPen(yc));
    y->setTickPen(QPen(yc));
    y->setSubTickPen(QPen(yc));
    y->setTickLabelColor(yc);
    y->setLabelColor(yc);
    for (QCPAxis *a : {x, y}) {
        a->setTickLabelFont(labels);
        a->setLabelFont(labels);
        a->grid()->setPen(gridPen(look.gridStyle));
        a->grid()->setVisible(look.gridStyle != sgNoGrid);
    }
    m_plot->legend->setFont(labels);
}

void ChartRenderer::syncLayout()
{
    const ChartLook &look = m_model.look;
    m_title->setText(look.mainTitle);
    m_title->setFont(fontOf(look.titleFont));
    m_subTitle->setText(look.subTitle);
    m_subTitle->setFont(fontOf({look.titleFont.family, look.titleFont.pointSize, false}, 0.8));
    QCPLayoutGrid *layout = m_plot->plotLayout();
    for (QCPLayoutElement *e : {static_cast<QCPLayoutElement *>(m_title), static_cast<QCPLayoutElement *>(m_subTitle),
                                static_cast<QCPLayoutElement *>(m_plot->legend), static_cast<QCPLayoutElement *>(m_axisRect)})
        if (e->layout() == layout)
            layout->take(e);
    layout->simplify();
    int row = 0;
    if (!look.mainTitle.trimmed().isEmpty())
        layout->addElement(row++, 0, m_title);
    if (!look.subTitle.trimmed().isEmpty())
        layout->addElement(row++, 0, m_subTitle);
    if (m_plot->legend->itemCount() > 0) {
        layout->addElement(row++, 0, m_plot->legend);
        m_plot->legend->setVisible(true);
    } else {
        m_plot->legend->setVisible(false);
    }
    layout->addElement(row, 0, m_axisRect);
    for (int r = 0; r < row; ++r)
        layout->setRowStretchFactor(r, 0.001);
    layout->setRowStretchFactor(row, 1);
}

ViewRange ChartRenderer::fullRange() const
{
    ViewRange r;
    const bool manualX = m_model.scaleX.control == sgManualMinAndMax;
    const bool manualY = m_model.scaleY.control == sgManualMinAndMax;
    double lo = 0, hi = 1;
    const bool haveX = !manualX && m_model.extentX(lo, hi);
    scaleRange(m_model.scaleX, haveX, lo, hi, r.xLo, r.xHi);
    const bool haveY = !manualY && m_model.extentY(lo, hi);
    scaleRange(m_model.scaleY, haveY, lo, hi, r.yLo, r.yHi);
    return r;
}

ViewRange ChartRenderer::currentView() const
{
    const QCPRange x = m_plot->xAxis->range(), y = m_plot->yAxis->range();
    return {x.lower, x.upper, y.lower, y.upper};
}

void ChartRenderer::applyView(const ZoomStack &zoom)
{
    const ViewRange v = zoom.zoomed() ? zoom.current() : fullRange();
    m_plot->xAxis->setRange(v.xLo, v.xHi);
    m_plot->yAxis->setRange(v.yLo, v.yHi);
}

QRect ChartRenderer::plotRect() const { return m_axisRect->rect(); }

QPointF ChartRenderer::pixelToData(QPointF px) const
{
    return {m_plot->xAxis->pixelToCoord(px.x()), m_plot->yAxis->pixelToCoord(px.y())};
}

QPointF ChartRenderer::dataToPixel(double x, double y) const
{
    return {m_plot->xAxis->coordToPixel(x), m_plot->yAxis->coordToPixel(y)};
}

QImage ChartRenderer::toImage(int width, int height) { return m_plot->toPixmap(width, height).toImage(); }

void ChartRenderer::render(QPainter &painter, const QRectF &target, QSize layoutSize)
{
    if (layoutSize.isEmpty() || target.isEmpty())
        return;
    // Recorded first: the plot draws only through its own painter, and the recording replays
    // on any device, scaled to the target.
    QPicture picture;
    {
        QCPPainter recorder(&picture);
        recorder.setMode(QCPPainter::pmVectorized);
        m_plot->toPainter(&recorder, layoutSize.width(), layoutSize.height());
    }
    // The layout of the print size must not stay behind on screen.
    m_plot->replot(QCustomPlot::rpImmediateRefresh);
    // Replaying scales the recording from its own resolution to the device's.
    const QPaintDevice *device = painter.device();
    const double replayX = double(device->logicalDpiX()) / picture.logicalDpiX();
    const double replayY = double(device->logicalDpiY()) / picture.logicalDpiY();
    painter.save();
    painter.translate(target.topLeft());
    painter.scale(target.width() / layoutSize.width() / replayX, target.height() / layoutSize.height() / replayY);
    painter.drawPicture(QPointF(0, 0), picture);
    painter.restore();
}

} // namespace ql708::chart
