// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartLayers.h"

#include "chart/TimeAxisScale.h"

#include <algorithm>

namespace ql708::chart {

namespace {
constexpr int kTickLabelSpacing = 95; // pixels per tick label, date line included
constexpr int kMaxDataLabels = 100;
constexpr int kLevelAxisRoom = 60;

QCPScatterStyle::ScatterShape symbolShape(int type)
{
    static constexpr QCPScatterStyle::ScatterShape shapes[kMaxSymbolType + 1] = {
        QCPScatterStyle::ssNone,   QCPScatterStyle::ssPlus,     QCPScatterStyle::ssCross,
        QCPScatterStyle::ssSquare, QCPScatterStyle::ssCircle,   QCPScatterStyle::ssTriangle,
        QCPScatterStyle::ssDiamond, QCPScatterStyle::ssStar,
    };
    return shapes[std::clamp(type, 0, kMaxSymbolType)];
}

QString shownText(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

QFont labelFont(const ChartModel &m, int percent = 100)
{
    QFont f(m.look.labelFont.family);
    f.setPointSizeF(std::max(1.0, m.look.labelFont.pointSize * percent / 100.0));
    f.setBold(m.look.labelFont.bold);
    return f;
}
} // namespace

QColor viewColor(quint32 c, ViewingStyle style)
{
    QColor col = colorFromPE(c);
    if (style == sgMonochrome) {
        const int g = qGray(col.rgb()) * 3 / 4; // darker, so light colours stay visible on white
        col.setRgb(g, g, g, col.alpha());
    }
    return col;
}

void DateTimeTicker::generate(const QCPRange &range, const QLocale &locale, QChar, int,
                              QVector<double> &ticks, QVector<double> *subTicks, QVector<QString> *tickLabels)
{
    // The plot's width, less room for the level axis: the axis rect itself may be between
    // layouts while ticks are made.
    const int width = m_axis ? m_axis->parentPlot()->viewport().width() - kLevelAxisRoom : 0;
    const int maxTicks = width > 0 ? std::max(2, width / kTickLabelSpacing) : 8;
    TimeTicks t = planTimeTicks(range.lower, range.upper, maxTicks, locale);
    ticks = t.ticks;
    if (subTicks)
        *subTicks = t.subTicks;
    if (tickLabels)
        *tickLabels = t.labels;
}

int DateTimeTicker::labelOverhang(const QFont &font, const QLocale &locale)
{
    const QFontMetrics fm(font);
    int widest = fm.horizontalAdvance(QStringLiteral("00:00:00.0"));
    const QString format = shortDateFormat(locale);
    for (int month = 1; month <= 12; ++month)
        widest = std::max(widest, fm.horizontalAdvance(locale.toString(QDate(2000, month, 28), format)));
    return widest / 2 + 4;
}

VertLineLayer::VertLineLayer(QCustomPlot *plot, const ChartModel &model, const QString &layer)
    : QCPLayerable(plot, layer), m_model(model)
{
}

void VertLineLayer::applyDefaultAntialiasingHint(QCPPainter *painter) const { painter->setAntialiasing(false); }

QRect VertLineLayer::clipRect() const { return mParentPlot->axisRect()->rect(); }

void VertLineLayer::draw(QCPPainter *painter)
{
    if (!m_model.behaviour.showVertLineAnnotations)
        return;
    const QRect r = clipRect();
    const QCPAxis *xAxis = mParentPlot->xAxis;
    painter->setFont(labelFont(m_model, m_model.behaviour.lineAnnotationTextSize));
    const QFontMetrics fm(painter->font());
    for (int i = 0; i < m_model.vertLineCount(); ++i) {
        const VertLine l = m_model.vertLine(i);
        const double px = xAxis->coordToPixel(l.x);
        if (!(px >= r.left() - 1 && px <= r.right() + 1)) // also skips a position that is not a number
            continue;
        const LineStyle ls = lineStyleOf(l.type);
        const QColor c = viewColor(l.color, m_model.look.viewingStyle);
        painter->setPen(QPen(c, ls.width, ls.style));
        painter->drawLine(QLineF(px, r.top(), px, r.bottom()));
        if (!l.text.isEmpty())
            painter->drawText(QPointF(px + 2, r.top() + fm.ascent() + 2), l.text);
    }
}

AnnotationLayer::AnnotationLayer(QCustomPlot *plot, const ChartModel &model, const QString &layer)
    : QCPLayerable(plot, layer), m_model(model)
{
}

void AnnotationLayer::applyDefaultAntialiasingHint(QCPPainter *painter) const { painter->setAntialiasing(true); }

QRect AnnotationLayer::clipRect() const { return mParentPlot->axisRect()->rect(); }

void AnnotationLayer::draw(QCPPainter *painter)
{
    drawAnnotations(painter);
    if (m_model.look.allowDataLabels != sgNoDataLabels)
        drawDataLabels(painter);
}

void AnnotationLayer::drawAnnotations(QCPPainter *painter)
{
    painter->setFont(labelFont(m_model));
    const QRectF reach = QRectF(clipRect()).adjusted(-200, -200, 200, 200); // a text reaches in from outside
    for (int i = 0; i < m_model.annotationCount(); ++i) {
        const GraphAnnotation a = m_model.annotation(i);
        if (!a.visible())
            continue;
        // Compared as doubles: far outside a deeply zoomed view a pixel position is beyond int.
        const QPointF p(mParentPlot->xAxis->coordToPixel(a.x), mParentPlot->yAxis->coordToPixel(a.y));
        if (!reach.contains(p))
            continue;
        const QColor c = viewColor(a.color, m_model.look.viewingStyle);
        painter->setPen(QPen(c, 2));
        QCPScatterStyle(symbolShape(a.type), 11).drawShape(painter, p);
        if (a.text.isEmpty())
            continue;
        const QPointF at = a.type == 0 ? p : p + QPointF(8, -8);
        painter->drawText(QRectF(at, QSizeF(1000, 1000)), Qt::AlignLeft | Qt::AlignTop, shownText(a.text));
    }
}

void AnnotationLayer::drawDataLabels(QCPPainter *painter)
{
    const QCPRange xr = mParentPlot->xAxis->range();
    const QCPRange yr = mParentPlot->yAxis->range();
    const QLocale locale;
    painter->setFont(labelFont(m_model, 80));
    for (int s = 0; s < m_model.subsets(); ++s) {
        QVector<QPointF> shown;
        for (int p = 0; p < m_model.points() && shown.size() <= kMaxDataLabels; ++p) {
            const float y = m_model.yData(s)[p];
            const double x = m_model.xData(s)[p];
            if (!m_model.isNull(y) && xr.contains(x) && yr.contains(y))
                shown.push_back(QPointF(x, y));
        }
        if (shown.size() > kMaxDataLabels)
            continue;
        painter->setPen(viewColor(m_model.subsetColor(s), m_model.look.viewingStyle));
        for (const QPointF &d : shown) {
            const QPointF px(mParentPlot->xAxis->coordToPixel(d.x()), mParentPlot->yAxis->coordToPixel(d.y()));
            painter->drawText(px + QPointF(3, -3), locale.toString(d.y(), 'f', 1));
        }
    }
}

} // namespace ql708::chart
