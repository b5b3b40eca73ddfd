// SPDX-License-Identifier: GPL-3.0-or-later
#include "graph/GraphIcons.h"

#include <QFont>
#include <QGuiApplication>
#include <QPalette>
#include <QPainter>
#include <QPixmap>

namespace ql708::graph {

QIcon graphIcon(const QString &themeName, const QString &glyph)
{
    if (!themeName.isEmpty() && QIcon::hasThemeIcon(themeName))
        return QIcon::fromTheme(themeName);
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QFont f = p.font();
    f.setPixelSize(22);
    f.setBold(true);
    p.setFont(f);
    // The buttons' own text colour: dark on a light desktop, light on a dark one.
    p.setPen(QGuiApplication::palette().color(QPalette::ButtonText));
    p.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, glyph);
    return QIcon(pm);
}

QCursor crossCursor()
{
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    const QLineF outline[] = {{4.5, 4.5, 26.5, 26.5}, {26.5, 4.5, 4.5, 26.5}};
    const QLineF strokes[] = {{5.5, 5.5, 25.5, 25.5}, {25.5, 5.5, 5.5, 25.5}};
    p.setPen(QPen(Qt::white, 6, Qt::SolidLine, Qt::FlatCap));
    p.drawLines(outline, 2);
    p.setPen(QPen(Qt::black, 4, Qt::SolidLine, Qt::FlatCap));
    p.drawLines(strokes, 2);
    p.end();
    return QCursor(pm, 15, 15);
}

} // namespace ql708::graph
