// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/PESGraph.h"

#include "chart/ChartModal.h"
#include "chart/ChartOptionsDialog.h"
#include "chart/ChartRenderer.h"
#include "chart/ChartState.h"

#include <QGridLayout>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <cmath>
#include <qcustomplot.h>

namespace ql708::chart {

PESGraph::PESGraph(QWidget *parent)
    : QWidget(parent), m_plot(new QCustomPlot(this)), m_horz(new QScrollBar(Qt::Horizontal, this)),
      m_vert(new QScrollBar(Qt::Vertical, this)), m_pending(ChangeAll)
{
    m_plot->setObjectName(QStringLiteral("plot"));
    auto *layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_plot, 0, 0);
    layout->addWidget(m_vert, 0, 1);
    layout->addWidget(m_horz, 1, 0);
    m_renderer = std::make_unique<ChartRenderer>(m_plot, m_model);
    m_interaction = new ChartInteraction(m_plot, m_model, *m_renderer, m_zoom, m_horz, m_vert);
    connect(m_interaction, &ChartInteraction::clicked, this, &PESGraph::clicked);
    connect(m_interaction, &ChartInteraction::mouseMoved, this, &PESGraph::mouseMoved);
    connect(m_interaction, &ChartInteraction::mouseUp, this, &PESGraph::mouseUp);
    connect(m_interaction, &ChartInteraction::zoomedIn, this, &PESGraph::zoomedIn);
    connect(m_interaction, &ChartInteraction::vertLineAnnotHotSpot, this, &PESGraph::vertLineAnnotHotSpot);
    connect(m_interaction, &ChartInteraction::graphAnnotHotSpot, this, &PESGraph::graphAnnotHotSpot);
    connect(m_interaction, &ChartInteraction::dataHotSpot, this, &PESGraph::dataHotSpot);
    connect(m_interaction, &ChartInteraction::viewChanged, this, [this] {
        changed(ChangeView);
        invalidateImage();
    });
    connect(m_interaction, &ChartInteraction::popupRequested, this, &PESGraph::showPopup);
    applyCursor();
}

PESGraph::~PESGraph() = default;

// --- data ---

void PESGraph::setSubsets(int n) { m_model.setSubsets(n); changed(ChangeData); }
void PESGraph::setPoints(int n) { m_model.setPoints(n); changed(ChangeData); }
void PESGraph::setXDataII(int s, int p, double x) { if (m_model.setX(s, p, x)) pointChanged(p); }
void PESGraph::setYData(int s, int p, float y) { if (m_model.setY(s, p, y)) pointChanged(p); }
void PESGraph::setXDataII(int s, const double *x, int count) { m_model.setSubsetX(s, x, count); changed(ChangeData); }
void PESGraph::setYData(int s, const float *y, int count) { m_model.setSubsetY(s, y, count); changed(ChangeData); }
void PESGraph::emptySubset(int s) { m_model.emptySubset(s); changed(ChangeData); }

void PESGraph::pointChanged(int p)
{
    PointRange &r = m_pendingPoints;
    if (!(m_pending & ChangePoints))
        r = {p, p};
    r.first = std::min(r.first, p);
    r.last = std::max(r.last, p);
    changed(ChangePoints);
}

// --- scales ---

namespace {
void setFinite(double &target, double v) { if (std::isfinite(v)) target = v; }
} // namespace

void PESGraph::setManualScaleControlY(ManualScaleControl c) { m_model.scaleY.control = c; changed(ChangeView); }
void PESGraph::setManualMinY(double v) { setFinite(m_model.scaleY.min, v); changed(ChangeView); }
void PESGraph::setManualMaxY(double v) { setFinite(m_model.scaleY.max, v); changed(ChangeView); }
void PESGraph::setManualScaleControlX(ManualScaleControl c) { m_model.scaleX.control = c; changed(ChangeView); }
void PESGraph::setManualMinX(double v) { setFinite(m_model.scaleX.min, v); changed(ChangeView); }
void PESGraph::setManualMaxX(double v) { setFinite(m_model.scaleX.max, v); changed(ChangeView); }
void PESGraph::setDateTimeMode(DateTimeMode m) { m_model.behaviour.dateTimeMode = m; changed(ChangeLook); }

// --- look ---

void PESGraph::setSubsetLabel(int s, const QString &t) { m_model.setSubsetLabel(s, t); changed(ChangeLook); }
void PESGraph::setSubsetColor(int s, quint32 c) { m_model.setSubsetColor(s, c); changed(ChangeLook); }
void PESGraph::setSubsetLineType(int s, int type) { m_model.setSubsetLineType(s, type); changed(ChangeLook); }
void PESGraph::setMainTitle(const QString &t) { m_model.look.mainTitle = boundedText(t); changed(ChangeLook); }
void PESGraph::setSubTitle(const QString &t) { m_model.look.subTitle = boundedText(t); changed(ChangeLook); }
void PESGraph::setXAxisLabel(const QString &t) { m_model.look.xAxisLabel = boundedText(t); changed(ChangeLook); }
void PESGraph::setYAxisColor(quint32 c) { m_model.look.yAxisColor = c; changed(ChangeLook); }
void PESGraph::setGridStyle(GridStyle g) { m_model.look.gridStyle = g; changed(ChangeLook); }
void PESGraph::setAllowDataLabels(DataLabels d) { m_model.look.allowDataLabels = d; changed(ChangeLook); }
void PESGraph::setViewingStyle(ViewingStyle v) { m_model.look.viewingStyle = v; changed(ChangeLook); }

void PESGraph::setTitleFont(const ChartFont &f)
{
    m_model.look.titleFont = {boundedText(f.family), std::clamp(f.pointSize, 1, 96), f.bold};
    changed(ChangeLook);
}

void PESGraph::setLabelFont(const ChartFont &f)
{
    m_model.look.labelFont = {boundedText(f.family), std::clamp(f.pointSize, 1, 96), f.bold};
    changed(ChangeLook);
}

void PESGraph::setArrowCursor(int code)
{
    m_model.look.arrowCursor = std::clamp(code, 0, kMaxArrowCursor);
    m_customCursor.reset();
    applyCursor();
}

void PESGraph::setArrowCursor(const QCursor &cursor)
{
    m_customCursor = cursor;
    applyCursor();
}

void PESGraph::applyCursor()
{
    static constexpr Qt::CursorShape shapes[kMaxArrowCursor + 1] = {Qt::ArrowCursor, Qt::ArrowCursor, Qt::IBeamCursor,
                                                                    Qt::CrossCursor};
    m_plot->setCursor(m_customCursor ? *m_customCursor : QCursor(shapes[m_model.look.arrowCursor]));
}

// --- annotations ---

VertLine *PESGraph::line(int i)
{
    VertLine *l = m_model.vertLineSlot(i);
    if (l)
        changed(ChangeLines);
    return l;
}

GraphAnnotation *PESGraph::annotation(int i)
{
    GraphAnnotation *a = m_model.annotationSlot(i);
    if (a)
        changed(ChangeLook);
    return a;
}

void PESGraph::setVertLineAnnotation(int i, double x)
{
    if (VertLine *l = std::isfinite(x) ? line(i) : nullptr)
        l->x = x;
}

void PESGraph::setVertLineAnnotationColor(int i, quint32 c) { if (VertLine *l = line(i)) l->color = c; }

void PESGraph::setVertLineAnnotationType(int i, int type)
{
    if (VertLine *l = type >= 0 && type <= kMaxLineType ? line(i) : nullptr)
        l->type = type;
}

void PESGraph::setVertLineAnnotationText(int i, const QString &t) { if (VertLine *l = line(i)) l->text = boundedText(t); }
void PESGraph::setShowVertLineAnnotations(bool on) { m_model.behaviour.showVertLineAnnotations = on; changed(ChangeLines); }

void PESGraph::setLineAnnotationTextSize(int percent)
{
    m_model.behaviour.lineAnnotationTextSize = std::clamp(percent, 1, 1000);
    changed(ChangeLines);
}

void PESGraph::setGraphAnnotationX(int i, double x)
{
    if (GraphAnnotation *a = std::isfinite(x) ? annotation(i) : nullptr)
        a->x = x;
}

void PESGraph::setGraphAnnotationY(int i, double y)
{
    if (GraphAnnotation *a = std::isfinite(y) ? annotation(i) : nullptr)
        a->y = y;
}

void PESGraph::setGraphAnnotationType(int i, int type)
{
    if (GraphAnnotation *a = type >= 0 && type <= kMaxSymbolType ? annotation(i) : nullptr)
        a->type = type;
}

void PESGraph::setGraphAnnotationText(int i, const QString &t) { if (GraphAnnotation *a = annotation(i)) a->text = boundedText(t); }
void PESGraph::setGraphAnnotationColor(int i, quint32 c) { if (GraphAnnotation *a = annotation(i)) a->color = c; }

void PESGraph::setScrollingHorzZoom(bool on) { m_model.behaviour.scrollingHorzZoom = on; changed(ChangeView); }
void PESGraph::setScrollingVertZoom(bool on) { m_model.behaviour.scrollingVertZoom = on; changed(ChangeView); }

// --- actions ---

void PESGraph::PEactions(ChartAction action, int, int)
{
    switch (action) {
    case sgReinitAndReset:
        changed(ChangeAll);
        invalidateImage();
        break;
    case sgResetImage:
        // Data changes are tracked as they are made; a reset need not copy the data again.
        changed(ChangeLook | ChangeView | ChangeLines);
        break;
    case sgInvalidateImage:
        invalidateImage();
        break;
    case sgCustomize:
        customize();
        break;
    case sgPrintDialog:
        printDialog();
        break;
    case sgUndoZoom:
        // All the way out: the graph window offers one undo per zoom gesture sequence.
        m_zoom.clear();
        changed(ChangeView);
        invalidateImage();
        break;
    }
}

void PESGraph::redraw()
{
    PEactions(sgResetImage);
    PEactions(sgInvalidateImage);
}

void PESGraph::invalidateImage()
{
    if (m_pending == 0)
        return;
    m_renderer->draw(m_pending, m_zoom, m_pendingPoints);
    if (m_pending != ChangeLines)
        m_interaction->updateScrollBars();
    m_pending = 0;
}

void PESGraph::zoomTo(double xLo, double xHi, double yLo, double yHi)
{
    if (std::isfinite(xLo) && std::isfinite(xHi) && std::isfinite(yLo) && std::isfinite(yHi) && xLo < xHi && yLo < yHi)
        m_interaction->zoomTo({xLo, xHi, yLo, yHi});
}

void PESGraph::customize()
{
    // With every page disallowed there is nothing to show: the request only closes at once.
    const ChartBehaviour &b = m_model.behaviour;
    if (!b.allowPage1 && !b.allowPage2 && !b.allowSubsetsPage && !b.allowFontPage) {
        m_dialogResult = 0;
        emit customizeDlgClosed();
        return;
    }
    ChartOptionsDialog dialog(m_model, this);
    dialog.setObjectName(QStringLiteral("chartOptions"));
    m_dialogResult = runChartModal(dialog) == QDialog::Accepted ? 1 : 0;
    if (m_dialogResult == 1) {
        m_model.look = dialog.look();
        redraw();
    }
    emit customizeDlgClosed();
}

void PESGraph::printDialog()
{
    if (!m_printer && !m_ownPrinter)
        m_ownPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrinter &printer = m_printer ? *m_printer : *m_ownPrinter;
    QPrintDialog dialog(&printer, this);
    dialog.setObjectName(QStringLiteral("chartPrintDialog"));
    if (runChartModal(dialog) != QDialog::Accepted)
        return;
    if (m_pagePrinter)
        m_pagePrinter(printer);
    else
        print(printer);
}

void PESGraph::showPopup(QPoint pos)
{
    if (!m_model.look.allowPopup)
        return;
    QMenu menu(this);
    menu.addAction(tr("Customize..."), this, [this] { PEactions(sgCustomize); });
    menu.addAction(tr("Undo Zoom"), this, [this] { PEactions(sgUndoZoom); })->setEnabled(m_zoom.zoomed());
    menu.addAction(tr("Print..."), this, [this] { PEactions(sgPrintDialog); });
    menu.exec(m_plot->mapToGlobal(pos));
}

// --- queries ---

void PESGraph::setLimitLine(std::optional<double> level) { m_renderer->setLimitLine(level); }

QPoint PESGraph::lastMousePos() const { return m_plot->mapTo(this, m_interaction->lastMousePos()); }

QRect PESGraph::plotRect() const { return m_renderer->plotRect().translated(m_plot->pos()); }

QPointF PESGraph::pixelToData(QPoint px) const { return m_renderer->pixelToData(px - m_plot->pos()); }

QPointF PESGraph::dataToPixel(double x, double y) const { return m_renderer->dataToPixel(x, y) + m_plot->pos(); }

HotSpot PESGraph::hotSpotAt(QPoint px) const { return m_interaction->hotSpotAt(px - m_plot->pos()); }

// --- state ---

QByteArray PESGraph::storeState() const { return serializeChart(m_model); }

bool PESGraph::loadState(QByteArrayView block, QString *error)
{
    ChartModel loaded;
    if (!deserializeChart(block, loaded, error))
        return false;
    setModel(std::move(loaded));
    return true;
}

void PESGraph::setModel(ChartModel model)
{
    m_model = std::move(model);
    m_zoom.clear();
    m_customCursor.reset();
    applyCursor();
    PEactions(sgReinitAndReset);
}

QImage PESGraph::renderImage(int width, int height)
{
    invalidateImage();
    return m_renderer->toImage(width, height);
}

void PESGraph::print(QPrinter &printer)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return;
    // The page's width, or its height, whichever keeps the chart's shape on screen.
    const QSizeF fit = QSizeF(m_plot->size()).scaled(QSizeF(painter.viewport().size()), Qt::KeepAspectRatio);
    render(painter, QRectF(QPointF(0, 0), fit));
}

void PESGraph::render(QPainter &painter, const QRectF &target)
{
    const QPaintDevice *device = painter.device();
    if (!device || target.isEmpty())
        return;
    invalidateImage();
    constexpr double kScreenDpi = 96.0;
    const QSize layout(std::max(1, qRound(target.width() * kScreenDpi / device->logicalDpiX())),
                       std::max(1, qRound(target.height() * kScreenDpi / device->logicalDpiY())));
    m_renderer->render(painter, target, layout);
}

} // namespace ql708::chart
