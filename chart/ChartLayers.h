// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "chart/ChartModel.h"

#include <qcustomplot.h>

namespace ql708::chart {

// Colour as shown in the chosen viewing style (monochrome shows every colour as a grey).
QColor viewColor(quint32 c, ViewingStyle style);

// Date-time ticks for an x axis in days since 30 December 1899; the tick count follows the
// axis width so that labels never overlap.
class DateTimeTicker : public QCPAxisTicker {
public:
    explicit DateTimeTicker(const QCPAxis *axis) : m_axis(axis) {}
    void generate(const QCPRange &range, const QLocale &locale, QChar formatChar, int precision,
                  QVector<double> &ticks, QVector<double> *subTicks, QVector<QString> *tickLabels) override;
    // Pixels from a tick to the far side of its widest label: a label that would cross the
    // plot's edge is not drawn at all, so the plot keeps this much room either side of its area.
    static int labelOverhang(const QFont &font, const QLocale &locale);

private:
    const QCPAxis *m_axis;
};

// Draws the model's vertical line annotations. It sits on its own buffered layer, so moving a
// line redraws only this layer.
class VertLineLayer : public QCPLayerable {
public:
    VertLineLayer(QCustomPlot *plot, const ChartModel &model, const QString &layer);

protected:
    void applyDefaultAntialiasingHint(QCPPainter *painter) const override;
    void draw(QCPPainter *painter) override;
    QRect clipRect() const override;

private:
    const ChartModel &m_model;
};

// Draws graph annotations (symbol and text at a data position) and, when asked for, data value
// labels where few enough points are in view to read them.
class AnnotationLayer : public QCPLayerable {
public:
    AnnotationLayer(QCustomPlot *plot, const ChartModel &model, const QString &layer);

protected:
    void applyDefaultAntialiasingHint(QCPPainter *painter) const override;
    void draw(QCPPainter *painter) override;
    QRect clipRect() const override;

private:
    void drawAnnotations(QCPPainter *painter);
    void drawDataLabels(QCPPainter *painter);
    const ChartModel &m_model;
};

} // namespace ql708::chart
