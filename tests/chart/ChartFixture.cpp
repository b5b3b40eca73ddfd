// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChartFixture.h"

#include <cmath>
#include <vector>

namespace ql708::chart::test {

void setEveryProperty(PESGraph &c)
{
    c.setSubsets(2);
    c.setPoints(5);
    for (int s = 0; s < 2; ++s)
        for (int p = 0; p < 5; ++p) {
            c.setXDataII(s, p, 45000.5 + p / 86400.0);
            c.setYData(s, p, p == 2 ? PESGraph::nullDataValueY() : 40.25f + p + s);
        }
    c.setUsingXDataII(false);
    c.setSubsetByPoint(true);
    c.setManualScaleControlY(sgManualMinAndMax);
    c.setManualMinY(30);
    c.setManualMaxY(130);
    c.setManualScaleControlX(sgManualMin);
    c.setManualMinX(45000.25);
    c.setManualMaxX(45001.75);
    c.setDateTimeMode(sgVBDateTime);
    c.setSubsetLabel(0, QStringLiteral("dB"));
    c.setSubsetLabel(1, QStringLiteral("Leq é"));
    c.setSubsetColor(1, PEargb(255, 255, 0, 0));
    c.setSubsetLineType(1, 6);
    c.setMainTitle(QStringLiteral("Main"));
    c.setSubTitle(QStringLiteral(" "));
    c.setXAxisLabel(QStringLiteral("Time"));
    c.setYAxisColor(PEargb(255, 255, 0, 0));
    c.setGridStyle(sgDot);
    c.setAllowDataLabels(sgDataValues);
    c.setAllowPopup(false);
    c.setNoHelp(true);
    c.setPrepareImages(true);
    c.setViewingStyle(sgMonochrome);
    c.setArrowCursor(2);
    c.setTitleFont({QStringLiteral("Serif"), 14, false});
    c.setLabelFont({QStringLiteral("Monospace"), 9, true});
    c.setVertLineAnnotation(0, 45000.5);
    c.setVertLineAnnotationColor(0, 32768);
    c.setVertLineAnnotationType(0, 6);
    c.setVertLineAnnotation(2, 45000.75);
    c.setVertLineAnnotationColor(2, 255);
    c.setVertLineAnnotationType(2, 5);
    c.setVertLineAnnotationText(2, QStringLiteral(" Cursor B"));
    c.setShowVertLineAnnotations(false);
    c.setAllowVertLineAnnotHotSpots(true);
    c.setLineAnnotationTextSize(80);
    c.setGraphAnnotationX(5, 45000.6);
    c.setGraphAnnotationY(5, 70.5);
    c.setGraphAnnotationType(5, 2);
    c.setGraphAnnotationColor(5, PEargb(255, 255, 255, 0));
    c.setGraphAnnotationText(6, QStringLiteral("12:00:00\r65.0 dB"));
    c.setAllowGraphAnnotHotSpots(true);
    c.setAllowDataHotSpots(true);
    c.setAllowZooming(sgHorzPlusVertZooming);
    c.setScrollingHorzZoom(true);
    c.setScrollingVertZoom(true);
    c.setAllowPage1(false);
    c.setAllowPage2(false);
    c.setAllowSubsetsPage(false);
    c.setAllowFontPage(false);
}

void fillSynthetic(PESGraph &chart, int n, double start, int gapFrom, int gapTo)
{
    std::vector<double> x(static_cast<size_t>(n));
    std::vector<float> y(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        x[size_t(i)] = start + i / 86400.0;
        const double slow = 12 * std::sin(i / 3000.0) + 4 * std::sin(i / 97.0);
        const double spike = (i % 5003 < 40) ? 25.0 * (1 - (i % 5003) / 40.0) : 0.0;
        y[size_t(i)] = (i >= gapFrom && i < gapTo) ? PESGraph::nullDataValueY() : float(62 + slow + spike + (i * 7919 % 13) * 0.3);
    }
    chart.setSubsets(1);
    chart.setPoints(n);
    chart.setXDataII(0, x.data(), n);
    chart.setYData(0, y.data(), n);
}

void prepareLikeGraphWindow(PESGraph &c, double start, double end)
{
    c.setManualScaleControlY(sgManualMinAndMax);
    c.setManualMinY(30);
    c.setManualMaxY(130);
    c.setManualScaleControlX(sgManualMinAndMax);
    c.setManualMinX(start);
    c.setManualMaxX(end);
    c.setShowVertLineAnnotations(true);
    c.setAllowVertLineAnnotHotSpots(true);
    c.setLineAnnotationTextSize(100);
    c.setVertLineAnnotationColor(1, PEargb(255, 0, 0, 255));
    c.setVertLineAnnotationType(1, 5);
    c.setVertLineAnnotationText(1, QStringLiteral(" Cursor A"));
    c.setVertLineAnnotationColor(2, 255);
    c.setVertLineAnnotationType(2, 5);
    c.setVertLineAnnotationText(2, QStringLiteral(" Cursor B"));
    c.setVertLineAnnotationColor(0, 32768);
    c.setVertLineAnnotationType(0, 6);
    c.setVertLineAnnotation(1, start + (end - start) / 3);
    c.setVertLineAnnotation(2, start + (end - start) / 3 * 2);
    c.setVertLineAnnotation(0, start);
    c.setGridStyle(sgDot);
    c.setMainTitle(QString());
    c.setSubTitle(QStringLiteral(" "));
    c.setSubsetLabel(0, QStringLiteral("dB"));
    c.setDateTimeMode(sgVBDateTime);
    c.setXAxisLabel(QStringLiteral("Time"));
    c.setAllowZooming(sgHorzPlusVertZooming);
    c.setScrollingHorzZoom(true);
    c.setScrollingVertZoom(true);
    c.setSubsetColor(0, PEargb(255, 0, 0, 0));
    c.setSubsetLineType(0, 0);
    c.setArrowCursor(1);
    c.setYAxisColor(PEargb(255, 255, 0, 0));
    c.setAllowGraphAnnotHotSpots(true);
}

} // namespace ql708::chart::test
