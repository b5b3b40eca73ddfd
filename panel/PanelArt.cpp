// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/PanelArt.h"

#include "panel/PanelLayout.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace ql708::panelart {

namespace {

namespace L = panellayout;

const QColor kInk(0x1c, 0x26, 0x21);
const QColor kGhost(0, 0, 0, 12);
const QColor kGlassTop(0xc3, 0xcd, 0xb4);
const QColor kGlassBottom(0xa9, 0xb6, 0x9c);
const QColor kBody(0x2a, 0x2e, 0x33);

// Segment bits: a top, b upper right, c lower right, d bottom, e lower left, f upper left,
// g middle.
enum : quint8 { A = 1, B = 2, C = 4, D = 8, E = 16, F = 32, G = 64 };
constexpr quint8 kAllSegments = 0x7F;
constexpr quint8 kLargeMasks[16] = {
    A | B | C | D | E | F, B | C, A | B | D | E | G, A | B | C | D | G, B | C | F | G,
    A | C | D | F | G, A | C | D | E | F | G, A | B | C, kAllSegments, A | B | C | D | F | G,
    0, G, G, D | E | F, A | D | E | F | G, E | G};

// An image of a logical size at the ratio, transparent, with a painter in logical pixels.
QImage canvas(QSize size, qreal dpr)
{
    QImage img(size * dpr, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::transparent);
    return img;
}

QPolygonF horizontal(qreal x0, qreal x1, qreal y, qreal t)
{
    const qreal h = t / 2;
    return QPolygonF({{x0, y}, {x0 + h, y - h}, {x1 - h, y - h}, {x1, y}, {x1 - h, y + h}, {x0 + h, y + h}});
}

QPolygonF vertical(qreal x, qreal y0, qreal y1, qreal t)
{
    const qreal h = t / 2;
    return QPolygonF({{x, y0}, {x + h, y0 + h}, {x + h, y1 - h}, {x, y1}, {x - h, y1 - h}, {x - h, y0 + h}});
}

// Seven hexagonal segments in a box, slanted a little like a real LCD's digits.
void drawSegments(QPainter &p, const QRectF &box, qreal t, quint8 mask, const QColor &color)
{
    const qreal g = t * 0.18;
    const qreal xl = box.left() + t / 2, xr = box.right() - t / 2;
    const qreal yt = box.top() + t / 2, yb = box.bottom() - t / 2, ym = box.center().y();
    const QPolygonF segs[7] = {
        horizontal(xl + g, xr - g, yt, t), vertical(xr, yt + g, ym - g, t), vertical(xr, ym + g, yb - g, t),
        horizontal(xl + g, xr - g, yb, t), vertical(xl, ym + g, yb - g, t), vertical(xl, yt + g, ym - g, t),
        horizontal(xl + g, xr - g, ym, t)};
    p.save();
    const QPointF c = box.center();
    p.setTransform(QTransform().translate(c.x(), c.y()).shear(-0.07, 0).translate(-c.x(), -c.y()), true);
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    for (int i = 0; i < 7; ++i)
        if (mask & (1 << i))
            p.drawPolygon(segs[i]);
    p.restore();
}

QRectF largeDigitBox(QPointF at) { return QRectF(at + QPointF(6, 5), QSizeF(26, 60)); }
QRectF smallDigitBox(QPointF at) { return QRectF(at + QPointF(2, 2), QSizeF(9, 18)); }
constexpr qreal kLargeStroke = 6.5;
constexpr qreal kSmallStroke = 2.4;

void drawKey(QPainter &p, QPoint at, const QString &label, const QColor &accent)
{
    const QRectF r(at, L::kKeySize);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 110)); // shadow
    p.drawRoundedRect(r.translated(0, 2), 8, 8);
    QLinearGradient face(r.topLeft(), r.bottomLeft());
    face.setColorAt(0, QColor(0x6a, 0x71, 0x79));
    face.setColorAt(0.5, QColor(0x4b, 0x51, 0x58));
    face.setColorAt(1, QColor(0x3a, 0x3f, 0x45));
    p.setBrush(face);
    p.setPen(QPen(QColor(0x20, 0x23, 0x26), 1));
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    p.setPen(QPen(QColor(255, 255, 255, 50), 1));
    p.drawLine(r.topLeft() + QPointF(8, 2), r.topRight() + QPointF(-8, 2));
    if (accent.isValid()) {
        p.setPen(Qt::NoPen);
        p.setBrush(accent);
        p.drawEllipse(QPointF(r.left() + 10, r.center().y()), 3, 3);
    }
    // The label shrinks until it fits beside the accent dot.
    const QRectF text = r.adjusted(accent.isValid() ? 16 : 4, 0, -4, 0);
    QFont f(QStringLiteral("Sans"));
    f.setBold(true);
    for (int px = 10; px > 6; --px) {
        f.setPixelSize(px);
        if (QFontMetricsF(f).horizontalAdvance(label) <= text.width())
            break;
    }
    p.setFont(f);
    p.setPen(QColor(0xee, 0xef, 0xf0));
    p.drawText(text, Qt::AlignCenter, label);
}

void drawBody(QPainter &p, const QRectF &r)
{
    p.fillRect(r, QColor(0x14, 0x16, 0x18));
    QLinearGradient body(r.topLeft(), r.topRight());
    body.setColorAt(0, QColor(0x22, 0x25, 0x29));
    body.setColorAt(0.5, kBody);
    body.setColorAt(1, QColor(0x1f, 0x22, 0x26));
    p.setPen(QPen(QColor(0x50, 0x56, 0x5d), 1));
    p.setBrush(body);
    p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
}

void drawGlass(QPainter &p, const QRectF &glass)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x0e, 0x10, 0x12)); // bezel
    p.drawRoundedRect(glass.adjusted(-3, -3, 3, 3), 6, 6);
    QLinearGradient g(glass.topLeft(), glass.bottomLeft());
    g.setColorAt(0, kGlassTop);
    g.setColorAt(1, kGlassBottom);
    p.setBrush(g);
    p.drawRoundedRect(glass, 3, 3);
}

// Unlit segments show faintly through a real LCD; they are part of the glass.
void drawUnlitSegments(QPainter &p)
{
    for (int x : L::kMainDigitLeft)
        drawSegments(p, largeDigitBox(QPointF(x, L::kMainDigitTop)), kLargeStroke, kAllSegments, kGhost);
    for (int x : L::kClockDigitLeft)
        drawSegments(p, smallDigitBox(QPointF(x, L::kClockDigitTop)), kSmallStroke, kAllSegments, kGhost);
}

// Tick marks under the bar graph, eleven across the strip.
void drawScale(QPainter &p)
{
    const QRectF bar(L::kColorBar);
    p.setPen(QPen(kInk, 1));
    p.drawLine(QPointF(bar.left(), bar.bottom() + 3), QPointF(bar.right(), bar.bottom() + 3));
    for (int i = 0; i <= 10; ++i) {
        const qreal x = bar.left() + 0.5 + i * (bar.width() - 1) / 10.0;
        p.drawLine(QPointF(x, bar.bottom() + 3), QPointF(x, bar.bottom() + (i % 5 == 0 ? 8 : 6)));
    }
    p.setPen(QPen(kGhost, 1));
    p.setBrush(kGhost);
    p.drawRect(bar);
}

void drawLettering(QPainter &p)
{
    QFont f(QStringLiteral("Sans"));
    f.setBold(true);
    f.setPixelSize(17);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    p.setFont(f);
    p.setPen(QColor(0xe8, 0xea, 0xec));
    p.drawText(QRectF(0, 246, 186, 22), Qt::AlignCenter, QStringLiteral("QL708"));
    f.setPixelSize(8);
    f.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(f);
    p.setPen(QColor(0x9a, 0xa1, 0xa8));
    p.drawText(QRectF(0, 267, 186, 12), Qt::AlignCenter, QStringLiteral("SOUND LEVEL METER"));
    p.drawText(QRectF(0, 444, 186, 12), Qt::AlignCenter, QStringLiteral("DATA LOGGER  ·  USB"));
}

} // namespace

QColor lcdInk() { return kInk; }

QImage background(qreal dpr)
{
    QImage img = canvas(L::kBackground.size(), dpr);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    drawBody(p, QRectF(QPointF(0, 0), L::kBackground.size()));
    // The rest is laid out in client pixels.
    p.translate(-L::kBackground.topLeft());
    drawGlass(p, L::kLcdGlass);
    drawUnlitSegments(p);
    drawScale(p);
    drawLettering(p);
    drawKey(p, L::kPowerKey, QStringLiteral("Power"), QColor(0xe0, 0x4a, 0x3a));
    drawKey(p, L::kAcKey, QStringLiteral("A/C"), QColor());
    drawKey(p, L::kMaxMinKey, QStringLiteral("MAX/MIN"), QColor());
    drawKey(p, L::kFastKey, QStringLiteral("FAST/SLOW"), QColor());
    drawKey(p, L::kRecKey, QStringLiteral("REC"), QColor(0xd8, 0x20, 0x20));
    drawKey(p, L::kLevelKey, QStringLiteral("LEVEL"), QColor());
    return img;
}

QImage lcdDigit(int index, qreal dpr)
{
    QImage img = canvas(L::kDigitSize, dpr);
    if (index < 0 || index >= 16)
        return img;
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    drawSegments(p, largeDigitBox(QPointF(0, 0)), kLargeStroke, kLargeMasks[index], kInk);
    return img;
}

QImage lcdSmallDigit(int digit, qreal dpr)
{
    QImage img = canvas(L::kSmallDigitSize, dpr);
    if (digit < 0 || digit > 9)
        return img;
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    drawSegments(p, smallDigitBox(QPointF(0, 0)), kSmallStroke, kLargeMasks[digit], kInk);
    return img;
}

QImage colon(qreal dpr)
{
    QImage img = canvas(L::kColon1.size(), dpr);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRect(QRectF(1, 6, 2.4, 2.4));
    p.drawRect(QRectF(1, 14, 2.4, 2.4));
    return img;
}

QImage decimalPoint(qreal dpr)
{
    QImage img = canvas(L::kPoint.size(), dpr);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRect(QRectF(1, 1, 6, 6));
    return img;
}

QImage battery(qreal dpr)
{
    QImage img = canvas(L::kBattery.size(), dpr);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1.5, 18, 9));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRect(QRectF(19.5, 4, 2.5, 4));
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(3 + i * 5.4, 3.5, 4, 5));
    return img;
}

namespace {
QImage rangeMark(const QString &text, bool pointsLeft, qreal dpr)
{
    QImage img = canvas(L::kUnder.size(), dpr);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    const qreal h = img.height() / dpr;
    const qreal tip = pointsLeft ? 1 : 33, base = pointsLeft ? 7 : 27;
    p.drawPolygon(QPolygonF({{tip, h / 2}, {base, 1.5}, {base, h - 1.5}}));
    QFont f(QStringLiteral("Sans"));
    f.setPixelSize(8);
    f.setBold(true);
    p.setFont(f);
    p.setPen(kInk);
    p.drawText(QRectF(pointsLeft ? 8 : 0, 0, 26, h), Qt::AlignCenter, text);
    return img;
}
} // namespace

QImage underMark(qreal dpr) { return rangeMark(QStringLiteral("UNDER"), true, dpr); }

QImage overMark(qreal dpr) { return rangeMark(QStringLiteral("OVER"), false, dpr); }

QImage colorStrip(qreal dpr)
{
    QImage img = canvas(L::kColorBar.size(), dpr);
    QPainter p(&img);
    const QRectF r(QPointF(0, 0), L::kColorBar.size());
    QLinearGradient g(r.topLeft(), r.topRight());
    g.setColorAt(0, QColor(0x1f, 0x9e, 0x3c));
    g.setColorAt(0.6, QColor(0xe0, 0xc4, 0x1c));
    g.setColorAt(1, QColor(0xd8, 0x2a, 0x1e));
    p.fillRect(r, g);
    // Thin gaps make it read as a segmented LCD bar.
    for (qreal x = 3; x < r.width(); x += 4)
        p.fillRect(QRectF(x, 0, 1, r.height()), kGlassTop);
    return img;
}

} // namespace ql708::panelart
