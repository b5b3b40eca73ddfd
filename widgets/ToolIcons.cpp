// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/ToolIcons.h"

#include <QHash>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ql708 {

namespace {

using Draw = void (*)(QPainter &);

void drawOpen(QPainter &p)
{
    p.setBrush(QColor(0xE8, 0xB8, 0x4A));
    p.drawPolygon(QPolygonF({{3, 8}, {10, 8}, {12, 10}, {28, 10}, {28, 26}, {3, 26}}));
    p.setBrush(QColor(0xF6, 0xD3, 0x7A));
    p.drawPolygon(QPolygonF({{6, 14}, {31, 14}, {27, 26}, {3, 26}}));
}

void drawSave(QPainter &p)
{
    p.setBrush(QColor(0x3A, 0x6E, 0xB5));
    p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 4, 14, 9));
    p.setBrush(QColor(0xDD, 0xDD, 0xDD));
    p.drawRect(QRectF(8, 18, 16, 10));
}

void drawPrint(QPainter &p)
{
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 3, 14, 10));
    p.setBrush(QColor(0x70, 0x70, 0x78));
    p.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 19, 14, 10));
}

void drawDownload(QPainter &p)
{
    p.setBrush(QColor(0x2E, 0x8B, 0x57));
    p.drawPolygon(QPolygonF({{12, 3}, {20, 3}, {20, 14}, {26, 14}, {16, 24}, {6, 14}, {12, 14}}));
    p.setBrush(QColor(0x55, 0x55, 0x55));
    p.drawRect(QRectF(5, 26, 22, 3));
}

void drawTable(QPainter &p)
{
    p.setBrush(Qt::white);
    p.drawRect(QRectF(3, 5, 26, 22));
    for (int y = 11; y < 27; y += 6)
        p.drawLine(QPointF(3, y), QPointF(29, y));
    p.drawLine(QPointF(12, 5), QPointF(12, 27));
    p.setPen(QPen(QColor(0xC0, 0x30, 0x30), 2));
    p.drawPolyline(QPolygonF({{14, 24}, {19, 16}, {23, 20}, {28, 8}}));
}

void drawPlay(QPainter &p)
{
    p.setBrush(QColor(0x2E, 0x8B, 0x57));
    p.drawPolygon(QPolygonF({{8, 4}, {27, 16}, {8, 28}}));
}

void drawStop(QPainter &p)
{
    p.setBrush(QColor(0xC0, 0x30, 0x30));
    p.drawRoundedRect(QRectF(6, 6, 20, 20), 2, 2);
}

void drawHelp(QPainter &p)
{
    p.setBrush(QColor(0x3A, 0x6E, 0xB5));
    p.drawEllipse(QRectF(3, 3, 26, 26));
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPixelSize(20);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRectF(3, 3, 26, 26), Qt::AlignCenter, QStringLiteral("?"));
}

Draw drawingFor(const QString &name)
{
    static const QHash<QString, Draw> drawings = {
        {QStringLiteral("document-open"), drawOpen},
        {QStringLiteral("document-save"), drawSave},
        {QStringLiteral("document-print"), drawPrint},
        {QStringLiteral("go-down"), drawDownload},
        {QStringLiteral("x-office-spreadsheet"), drawTable},
        {QStringLiteral("media-playback-start"), drawPlay},
        {QStringLiteral("media-playback-stop"), drawStop},
        {QStringLiteral("help-contents"), drawHelp},
    };
    return drawings.value(name, nullptr);
}

QIcon drawnIcon(Draw draw)
{
    QIcon icon;
    for (const qreal scale : {1.0, 2.0}) {
        QPixmap pm(QSize(32, 32) * scale);
        pm.setDevicePixelRatio(scale);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.2));
        draw(p);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

} // namespace

QIcon programIcon()
{
    static const QIcon icon(QStringLiteral(":/icons/ql708.svg"));
    return icon;
}

QIcon toolIcon(const QString &name)
{
    if (QIcon::hasThemeIcon(name))
        return QIcon::fromTheme(name);
    const Draw draw = drawingFor(name);
    return draw ? drawnIcon(draw) : QIcon();
}

} // namespace ql708
