#include "graph/GraphIcons.h"

#include <QFont>
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
    p.setPen(QColor(40, 40, 40));
    p.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, glyph);
    return QIcon(pm);
}

} // namespace ql708::graph
