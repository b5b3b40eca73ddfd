// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/ChartSetup.h"

#include "common/Clock.h"
#include "common/Paths.h"
#include "chart/ChartFile.h"
#include "chart/PESGraph.h"

#include <QFileInfo>
#include <exception>

namespace ql708::graph {

using namespace ql708::chart;

namespace {

const QString kTemplateName = QStringLiteral("graph.ghf");

// A chart that cannot redraw keeps its old picture; the window goes on working.
void redrawQuietly(PESGraph &chart)
{
    try {
        chart.redraw();
    } catch (const std::exception &) {
    }
}

void setUpWithoutRedraw(PESGraph &chart, int seriesCount, float levelTop, float levelBottom,
                        TDateTime timeEnd, TDateTime timeStart, int pointCount)
{
    chart.setPrepareImages(true);
    chart.setSubsetByPoint(false);
    chart.setSubsets(seriesCount);
    chart.setPoints(pointCount);
    chart.setAllowPopup(false);
    chart.setNoHelp(true);
    chart.setManualScaleControlY(sgManualMinAndMax);
    chart.setManualMinY(levelBottom);
    chart.setManualMaxY(levelTop);
    if (timeStart != 0) {
        chart.setManualScaleControlX(sgManualMinAndMax);
        chart.setManualMinX(timeStart);
        chart.setManualMaxX(timeEnd);
    }
    chart.setAllowDataLabels(sgNoDataLabels);
    chart.setAllowGraphAnnotHotSpots(true);
}

void setLine(PESGraph &chart, int i, quint32 color, int type, const QString &text)
{
    chart.setVertLineAnnotationColor(i, color);
    chart.setVertLineAnnotationType(i, type);
    chart.setVertLineAnnotationText(i, text);
}

void setDefaultLook(PESGraph &chart)
{
    chart.setGridStyle(sgDot);
    chart.setMainTitle(QString());
    chart.setSubTitle(QStringLiteral(" "));
    chart.setSubsetLabel(0, QStringLiteral("dB"));
    chart.setDateTimeMode(sgVBDateTime);
    chart.setUsingXDataII(true);
    chart.setXAxisLabel(QStringLiteral("Time"));
    chart.setAllowZooming(sgHorzPlusVertZooming);
    chart.setScrollingHorzZoom(true);
    chart.setScrollingVertZoom(true);
    chart.setSubsetColor(0, PEargb(255, 0, 0, 0));
    chart.setSubsetLineType(0, 0);
    chart.setArrowCursor(1);
    chart.setYAxisColor(PEargb(255, 255, 0, 0));
}

} // namespace

quint32 lineColor(int line)
{
    // Green and red carry no alpha byte: they draw opaque, like the cursor panel's labels.
    switch (line) {
    case kCursorALine:
        return PEargb(255, 0, 0, 255);
    case kCursorBLine:
        return 255;
    default:
        return 32768;
    }
}

void SetUpChart(PESGraph &chart, int seriesCount, float levelTop, float levelBottom, TDateTime timeEnd,
                TDateTime timeStart, int pointCount)
{
    setUpWithoutRedraw(chart, seriesCount, levelTop, levelBottom, timeEnd, timeStart, pointCount);
    redrawQuietly(chart);
}

bool PrepareChart(PESGraph &chart, int seriesCount, float levelTop, float levelBottom, TDateTime timeEnd,
                  TDateTime timeStart, int pointCount)
{
    // A template that does not load leaves the chart as it was, so it gets the default look.
    const QString file = templateFile();
    const bool fromTemplate = !file.isEmpty() && LoadChartFile(chart, file);
    setUpWithoutRedraw(chart, seriesCount, levelTop, levelBottom, timeEnd, timeStart, pointCount);
    chart.setShowVertLineAnnotations(true);
    chart.setAllowVertLineAnnotHotSpots(true);
    chart.setLineAnnotationTextSize(80);
    setLine(chart, kCursorALine, lineColor(kCursorALine), 5, QStringLiteral(" Cursor A"));
    setLine(chart, kCursorBLine, lineColor(kCursorBLine), 5, QStringLiteral(" Cursor B"));
    setLine(chart, kPlaybackLine, lineColor(kPlaybackLine), 6, QString());
    chart.setLineAnnotationTextSize(100);
    const double span = timeEnd - timeStart;
    chart.setVertLineAnnotation(kCursorALine, timeStart + span / 3);
    chart.setVertLineAnnotation(kCursorBLine, timeStart + span / 3 * 2);
    chart.setVertLineAnnotation(kPlaybackLine, timeStart);
    if (!fromTemplate)
        setDefaultLook(chart);
    chart.setAllowGraphAnnotHotSpots(true);
    redrawQuietly(chart);
    return fromTemplate;
}

QString templateFolder() { return paths::writableAppFolder() + QStringLiteral("/template/"); }

void PrepareDataLoggerChart(PESGraph &chart)
{
    constexpr int kPreparedPoints = 500;
    const TDateTime now = toTDateTime(clock().now());
    PrepareChart(chart, 1, 130, 30, now + kPreparedPoints * kSecond, now, kPreparedPoints);
}

void placeLines(PESGraph &chart, const CursorPoints &points)
{
    const int n = chart.subsets() > 0 ? chart.points() : 0;
    for (auto [line, point] : {std::pair{kPlaybackLine, points.playback}, {kCursorALine, points.a}, {kCursorBLine, points.b}})
        if (point >= 0 && point < n)
            chart.setVertLineAnnotation(line, chart.xDataII(0, point));
}

QString templateFile()
{
    const QString own = templateFolder() + kTemplateName;
    if (QFileInfo::exists(own))
        return own;
    const QString shipped = paths::installDataFolder() + QStringLiteral("/template/") + kTemplateName;
    return QFileInfo::exists(shipped) ? shipped : QString();
}

bool saveTemplate(const PESGraph &chart, QString *error)
{
    // A template carries the look only: the data and annotations of the chart it was chosen
    // on would otherwise show on every chart prepared later.
    ChartModel look;
    look.scaleX = chart.model().scaleX;
    look.scaleY = chart.model().scaleY;
    look.look = chart.model().look;
    look.behaviour = chart.model().behaviour;
    PESGraph carrier;
    carrier.setModel(std::move(look));
    return SaveChartFile(carrier, templateFolder() + kTemplateName, error);
}

} // namespace ql708::graph
