// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ChartInteraction.h"
#include "chart/ChartModel.h"
#include "chart/ZoomStack.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QCursor>
#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QCustomPlot;
class QPainter;
class QPrinter;
class QScrollBar;

namespace ql708::chart {

class ChartRenderer;

// The chart control every graph window holds. It keeps the chart's model (data, scales, look,
// annotations) and draws it through a plot engine that no caller sees. Changes take effect on
// the next redraw: PEactions(sgResetImage) then PEactions(sgInvalidateImage), or redraw().
class PESGraph : public QWidget {
    Q_OBJECT
public:
    explicit PESGraph(QWidget *parent = nullptr);
    ~PESGraph() override;

    // Data: subsets x points of XDataII (TDateTime) and YData (dB); NullDataValueY (9999) is a gap.
    int subsets() const { return m_model.subsets(); }
    void setSubsets(int n);
    int points() const { return m_model.points(); }
    void setPoints(int n);
    double xDataII(int subset, int point) const { return m_model.x(subset, point); }
    float yData(int subset, int point) const { return m_model.y(subset, point); }
    void setXDataII(int subset, int point, double x);
    void setYData(int subset, int point, float y);
    void setXDataII(int subset, const double *x, int count); // copied
    void setYData(int subset, const float *y, int count);    // copied
    void emptySubset(int subset); // no earlier point of the subset shows afterwards
    static constexpr float nullDataValueY() { return ChartModel::kNullY; }
    bool usingXDataII() const { return m_model.behaviour.usingXDataII; }
    void setUsingXDataII(bool on) { m_model.behaviour.usingXDataII = on; }
    bool subsetByPoint() const { return m_model.behaviour.subsetByPoint; }
    void setSubsetByPoint(bool on) { m_model.behaviour.subsetByPoint = on; }

    // Scales. Limits that are not finite numbers are ignored.
    ManualScaleControl manualScaleControlY() const { return m_model.scaleY.control; }
    void setManualScaleControlY(ManualScaleControl c);
    double manualMinY() const { return m_model.scaleY.min; }
    void setManualMinY(double v);
    double manualMaxY() const { return m_model.scaleY.max; }
    void setManualMaxY(double v);
    ManualScaleControl manualScaleControlX() const { return m_model.scaleX.control; }
    void setManualScaleControlX(ManualScaleControl c);
    double manualMinX() const { return m_model.scaleX.min; }
    void setManualMinX(double v);
    double manualMaxX() const { return m_model.scaleX.max; }
    void setManualMaxX(double v);
    DateTimeMode dateTimeMode() const { return m_model.behaviour.dateTimeMode; }
    void setDateTimeMode(DateTimeMode m);
    int workingAxis() const { return m_model.behaviour.workingAxis; } // the chart has axis 0 only

    // Look. Colours are 0xAABBGGRR (PEargb); without alpha byte they draw opaque.
    QString subsetLabel(int s) const { return m_model.subsetLabel(s); }
    void setSubsetLabel(int s, const QString &text);
    quint32 subsetColor(int s) const { return m_model.subsetColor(s); }
    void setSubsetColor(int s, quint32 color);
    int subsetLineType(int s) const { return m_model.subsetLineType(s); }
    void setSubsetLineType(int s, int type);
    QString mainTitle() const { return m_model.look.mainTitle; }
    void setMainTitle(const QString &t);
    QString subTitle() const { return m_model.look.subTitle; }
    void setSubTitle(const QString &t);
    QString xAxisLabel() const { return m_model.look.xAxisLabel; }
    void setXAxisLabel(const QString &t);
    quint32 yAxisColor() const { return m_model.look.yAxisColor; }
    void setYAxisColor(quint32 c);
    GridStyle gridStyle() const { return m_model.look.gridStyle; }
    void setGridStyle(GridStyle g);
    DataLabels allowDataLabels() const { return m_model.look.allowDataLabels; }
    void setAllowDataLabels(DataLabels d);
    bool allowPopup() const { return m_model.look.allowPopup; }
    void setAllowPopup(bool on) { m_model.look.allowPopup = on; }
    bool noHelp() const { return m_model.look.noHelp; }
    void setNoHelp(bool on) { m_model.look.noHelp = on; }
    bool prepareImages() const { return m_model.look.prepareImages; }
    void setPrepareImages(bool on) { m_model.look.prepareImages = on; }
    ViewingStyle viewingStyle() const { return m_model.look.viewingStyle; }
    void setViewingStyle(ViewingStyle v);
    // 1 arrow, 2 text beam, 3 cross; a program cursor replaces the code until the next code is set.
    int arrowCursor() const { return m_model.look.arrowCursor; }
    void setArrowCursor(int code);
    void setArrowCursor(const QCursor &cursor);
    ChartFont titleFont() const { return m_model.look.titleFont; }
    void setTitleFont(const ChartFont &f);
    ChartFont labelFont() const { return m_model.look.labelFont; }
    void setLabelFont(const ChartFont &f);

    // Vertical line annotations by index (0..255).
    double vertLineAnnotation(int i) const { return m_model.vertLine(i).x; }
    void setVertLineAnnotation(int i, double x);
    quint32 vertLineAnnotationColor(int i) const { return m_model.vertLine(i).color; }
    void setVertLineAnnotationColor(int i, quint32 c);
    int vertLineAnnotationType(int i) const { return m_model.vertLine(i).type; }
    void setVertLineAnnotationType(int i, int type);
    QString vertLineAnnotationText(int i) const { return m_model.vertLine(i).text; }
    void setVertLineAnnotationText(int i, const QString &t);
    bool showVertLineAnnotations() const { return m_model.behaviour.showVertLineAnnotations; }
    void setShowVertLineAnnotations(bool on);
    bool allowVertLineAnnotHotSpots() const { return m_model.behaviour.allowVertLineAnnotHotSpots; }
    void setAllowVertLineAnnotHotSpots(bool on) { m_model.behaviour.allowVertLineAnnotHotSpots = on; }
    int lineAnnotationTextSize() const { return m_model.behaviour.lineAnnotationTextSize; } // percent
    void setLineAnnotationTextSize(int percent);

    // Graph annotations by index (0..65535): a symbol (0 none, 2 cross, ...) and a text at x, y.
    double graphAnnotationX(int i) const { return m_model.annotation(i).x; }
    void setGraphAnnotationX(int i, double x);
    double graphAnnotationY(int i) const { return m_model.annotation(i).y; }
    void setGraphAnnotationY(int i, double y);
    int graphAnnotationType(int i) const { return m_model.annotation(i).type; }
    void setGraphAnnotationType(int i, int type);
    QString graphAnnotationText(int i) const { return m_model.annotation(i).text; }
    void setGraphAnnotationText(int i, const QString &t);
    quint32 graphAnnotationColor(int i) const { return m_model.annotation(i).color; }
    void setGraphAnnotationColor(int i, quint32 c);
    bool allowGraphAnnotHotSpots() const { return m_model.behaviour.allowGraphAnnotHotSpots; }
    void setAllowGraphAnnotHotSpots(bool on) { m_model.behaviour.allowGraphAnnotHotSpots = on; }
    bool allowDataHotSpots() const { return m_model.behaviour.allowDataHotSpots; }
    void setAllowDataHotSpots(bool on) { m_model.behaviour.allowDataHotSpots = on; }

    // Zoom and the options dialog's pages.
    Zooming allowZooming() const { return m_model.behaviour.allowZooming; }
    void setAllowZooming(Zooming z) { m_model.behaviour.allowZooming = z; }
    bool scrollingHorzZoom() const { return m_model.behaviour.scrollingHorzZoom; }
    void setScrollingHorzZoom(bool on);
    bool scrollingVertZoom() const { return m_model.behaviour.scrollingVertZoom; }
    void setScrollingVertZoom(bool on);
    bool allowPage1() const { return m_model.behaviour.allowPage1; }
    void setAllowPage1(bool on) { m_model.behaviour.allowPage1 = on; }
    bool allowPage2() const { return m_model.behaviour.allowPage2; }
    void setAllowPage2(bool on) { m_model.behaviour.allowPage2 = on; }
    bool allowSubsetsPage() const { return m_model.behaviour.allowSubsetsPage; }
    void setAllowSubsetsPage(bool on) { m_model.behaviour.allowSubsetsPage = on; }
    bool allowFontPage() const { return m_model.behaviour.allowFontPage; }
    void setAllowFontPage(bool on) { m_model.behaviour.allowFontPage = on; }

    // Actions; the arguments of sgResetImage are accepted and unused.
    void PEactions(ChartAction action, int narg1 = 0, int narg2 = 0);
    void redraw(); // sgResetImage then sgInvalidateImage
    // A dashed line at a level across the plot (none: no line); not saved with the chart.
    void setLimitLine(std::optional<double> level);
    bool zoomed() const { return m_zoom.zoomed(); }
    int zoomDepth() const { return m_zoom.depth(); }
    // Enters a zoom level as the rubber band does (x and y in data units).
    void zoomTo(double xLo, double xHi, double yLo, double yHi);

    // Queries, in this widget's pixels and the data units of axis 0.
    QPoint lastMousePos() const;
    QRect plotRect() const;
    QPointF pixelToData(QPoint px) const;
    QPointF dataToPixel(double x, double y) const;
    HotSpot hotSpotAt(QPoint px) const;
    int dialogResult() const { return m_dialogResult; } // 1: the options dialog was confirmed

    // Stored state: one versioned block of every property, the data and the annotations.
    QByteArray storeState() const;
    // Leaves the chart exactly as it was when the block is unsound.
    bool loadState(QByteArrayView block, QString *error = nullptr);
    const ChartModel &model() const { return m_model; }
    void setModel(ChartModel model);

    // The chart drawn at the given size, and printed on a printer.
    QImage renderImage(int width, int height);
    void print(QPrinter &printer);
    // The chart drawn into target (in the device's pixels) as vector output, laid out as it
    // would be on a screen of the target's size in inches: a printed chart looks like the one
    // on screen, with sharp lines and text at any resolution.
    void render(QPainter &painter, const QRectF &target);
    void setPrinter(QPrinter *printer) { m_printer = printer; } // the program's printer, if any
    // What the print dialog prints once confirmed; without one, print() (the chart alone).
    using PagePrinter = std::function<void(QPrinter &)>;
    void setPagePrinter(PagePrinter printPage) { m_pagePrinter = std::move(printPage); }

signals:
    void clicked();
    void mouseMoved();
    void mouseUp(Qt::MouseButton button);
    void zoomedIn();
    void customizeDlgClosed();
    void vertLineAnnotHotSpot(int line);
    void graphAnnotHotSpot(int annotation);
    void dataHotSpot(int subset, int point);

private:
    void changed(int what) { m_pending |= what; }
    // One point was written in place: the next draw brings over only the points so written.
    void pointChanged(int point);
    void invalidateImage();
    void customize();
    void printDialog();
    void showPopup(QPoint pos);
    void applyCursor();
    VertLine *line(int i);
    GraphAnnotation *annotation(int i);

    ChartModel m_model;
    ZoomStack m_zoom;
    QCustomPlot *m_plot;
    QScrollBar *m_horz;
    QScrollBar *m_vert;
    std::unique_ptr<ChartRenderer> m_renderer;
    ChartInteraction *m_interaction;
    int m_pending;
    PointRange m_pendingPoints;
    int m_dialogResult = 0;
    std::optional<QCursor> m_customCursor;
    QPrinter *m_printer = nullptr;
    std::unique_ptr<QPrinter> m_ownPrinter;
    PagePrinter m_pagePrinter;
};

} // namespace ql708::chart
