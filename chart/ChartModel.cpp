// SPDX-License-Identifier: GPL-3.0-or-later
#include "chart/ChartModel.h"

#include <algorithm>
#include <cmath>

namespace ql708::chart {

LineStyle lineStyleOf(int lineType)
{
    static constexpr LineStyle styles[kMaxLineType + 1] = {
        {1, Qt::SolidLine},   {1, Qt::DashLine}, {1, Qt::DotLine},
        {1, Qt::DashDotLine}, {1, Qt::DashDotDotLine}, {2, Qt::SolidLine},
        {3, Qt::SolidLine},   {2, Qt::DashLine}, {2, Qt::DotLine},
    };
    return styles[std::clamp(lineType, 0, kMaxLineType)];
}

quint32 defaultSubsetColor(int s)
{
    static constexpr quint32 colors[] = {
        PEargb(255, 0, 0, 0),     PEargb(255, 255, 0, 0),   PEargb(255, 0, 0, 255),
        PEargb(255, 0, 128, 0),   PEargb(255, 192, 0, 192), PEargb(255, 0, 160, 160),
        PEargb(255, 200, 120, 0), PEargb(255, 128, 128, 128),
    };
    return colors[size_t(s) % std::size(colors)];
}

QString boundedText(const QString &text)
{
    qsizetype n = ChartModel::kMaxTextLength;
    if (text.size() > n && text.at(n - 1).isHighSurrogate())
        --n;
    return text.left(n);
}

bool ChartModel::setSubsets(int n)
{
    const int want = std::clamp(n, 0, kMaxSubsets);
    bool exact = want == n;
    // Shrink the points first, so that no more than the bound is ever allocated.
    if (qint64(want) * m_points > kMaxCells) {
        m_x.resize(std::min(m_x.size(), size_t(1)));
        m_y.resize(std::min(m_y.size(), size_t(1)));
        setPoints(int(kMaxCells / want));
        exact = false;
    }
    m_x.resize(size_t(want), std::vector<double>(size_t(m_points), 0.0));
    m_y.resize(size_t(want), std::vector<float>(size_t(m_points), kNullY));
    return exact;
}

bool ChartModel::setPoints(int n)
{
    qint64 limit = kMaxPoints;
    if (subsets() > 0)
        limit = std::min<qint64>(limit, kMaxCells / subsets());
    const int want = int(std::clamp<qint64>(n, 0, limit));
    for (auto &v : m_x)
        v.resize(size_t(want), 0.0);
    for (auto &v : m_y)
        v.resize(size_t(want), kNullY);
    m_points = want;
    return want == n;
}

double ChartModel::x(int s, int p) const { return cellOk(s, p) ? m_x[size_t(s)][size_t(p)] : 0.0; }

float ChartModel::y(int s, int p) const { return cellOk(s, p) ? m_y[size_t(s)][size_t(p)] : kNullY; }

bool ChartModel::setX(int s, int p, double v)
{
    if (!cellOk(s, p) || !std::isfinite(v))
        return false;
    m_x[size_t(s)][size_t(p)] = v;
    return true;
}

bool ChartModel::setY(int s, int p, float v)
{
    if (!cellOk(s, p))
        return false;
    m_y[size_t(s)][size_t(p)] = std::isfinite(v) ? v : kNullY;
    return true;
}

bool ChartModel::setSubsetX(int s, const double *v, int count)
{
    if (s < 0 || s >= subsets() || !v || count < 0)
        return false;
    const int n = std::min(count, m_points);
    if (!std::all_of(v, v + n, [](double d) { return std::isfinite(d); }))
        return false;
    std::copy(v, v + n, m_x[size_t(s)].begin());
    return n == count;
}

bool ChartModel::setSubsetY(int s, const float *v, int count)
{
    if (s < 0 || s >= subsets() || !v || count < 0)
        return false;
    const int n = std::min(count, m_points);
    std::transform(v, v + n, m_y[size_t(s)].begin(), [](float f) { return std::isfinite(f) ? f : kNullY; });
    return n == count;
}

void ChartModel::emptySubset(int s)
{
    if (s < 0 || s >= subsets())
        return;
    std::fill(m_x[size_t(s)].begin(), m_x[size_t(s)].end(), 0.0);
    std::fill(m_y[size_t(s)].begin(), m_y[size_t(s)].end(), kNullY);
}

bool ChartModel::extentX(double &lo, double &hi) const
{
    bool any = false;
    for (int s = 0; s < subsets(); ++s) {
        const auto &xs = m_x[size_t(s)];
        const auto &ys = m_y[size_t(s)];
        for (size_t p = 0; p < xs.size(); ++p) {
            if (isNull(ys[p]))
                continue;
            lo = any ? std::min(lo, xs[p]) : xs[p];
            hi = any ? std::max(hi, xs[p]) : xs[p];
            any = true;
        }
    }
    return any;
}

bool ChartModel::extentY(double &lo, double &hi) const
{
    bool any = false;
    for (const auto &ys : m_y) {
        for (float v : ys) {
            if (isNull(v))
                continue;
            lo = any ? std::min(lo, double(v)) : v;
            hi = any ? std::max(hi, double(v)) : v;
            any = true;
        }
    }
    return any;
}

VertLine ChartModel::vertLine(int i) const
{
    return i >= 0 && i < vertLineCount() ? m_vertLines[size_t(i)] : VertLine{};
}

VertLine *ChartModel::vertLineSlot(int i)
{
    if (i < 0 || i >= kMaxVertLines)
        return nullptr;
    if (i >= vertLineCount())
        m_vertLines.resize(size_t(i) + 1);
    return &m_vertLines[size_t(i)];
}

GraphAnnotation ChartModel::annotation(int i) const
{
    return i >= 0 && i < annotationCount() ? m_annotations[size_t(i)] : GraphAnnotation{};
}

GraphAnnotation *ChartModel::annotationSlot(int i)
{
    if (i < 0 || i >= kMaxGraphAnnotations)
        return nullptr;
    if (i >= annotationCount())
        m_annotations.resize(size_t(i) + 1);
    return &m_annotations[size_t(i)];
}

QString ChartModel::subsetLabel(int s) const
{
    return s >= 0 && size_t(s) < look.subsetLabels.size() ? look.subsetLabels[size_t(s)] : QString();
}

quint32 ChartModel::subsetColor(int s) const
{
    if (s >= 0 && size_t(s) < look.subsetColors.size())
        return look.subsetColors[size_t(s)];
    return defaultSubsetColor(std::max(s, 0));
}

int ChartModel::subsetLineType(int s) const
{
    return s >= 0 && size_t(s) < look.subsetLineTypes.size() ? look.subsetLineTypes[size_t(s)] : 0;
}

bool ChartModel::setSubsetLabel(int s, const QString &text)
{
    if (s < 0 || s >= kMaxSubsets)
        return false;
    if (size_t(s) >= look.subsetLabels.size())
        look.subsetLabels.resize(size_t(s) + 1);
    look.subsetLabels[size_t(s)] = boundedText(text);
    return true;
}

bool ChartModel::setSubsetColor(int s, quint32 c)
{
    if (s < 0 || s >= kMaxSubsets)
        return false;
    while (look.subsetColors.size() <= size_t(s))
        look.subsetColors.push_back(defaultSubsetColor(int(look.subsetColors.size())));
    look.subsetColors[size_t(s)] = c;
    return true;
}

bool ChartModel::setSubsetLineType(int s, int type)
{
    if (s < 0 || s >= kMaxSubsets || type < 0 || type > kMaxLineType)
        return false;
    if (size_t(s) >= look.subsetLineTypes.size())
        look.subsetLineTypes.resize(size_t(s) + 1, 0);
    look.subsetLineTypes[size_t(s)] = type;
    return true;
}

} // namespace ql708::chart
