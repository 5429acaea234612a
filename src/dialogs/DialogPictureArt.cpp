#include "dialogs/DialogPictureArt.h"

#include <cmath>

namespace dialog_art {

void Box(QPainter& p, const QRectF& r, const QColor& fill)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(fill);
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
}

void Arrowhead(QPainter& p, QPointF tip, double dx, double dy, double size)
{
    const double len = std::hypot(dx, dy);
    dx /= len;
    dy /= len;
    const QPointF back(tip.x() - dx * size, tip.y() - dy * size);
    const QPointF side(-dy * size * 0.5, dx * size * 0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPolygon(QPolygonF{tip, back + side, back - side});
    p.setPen(QPen(kInk, 1));
}

void Arrow(QPainter& p, QPointF a, QPointF b)
{
    p.setBrush(Qt::NoBrush);
    p.drawLine(a, b);
    Arrowhead(p, b, b.x() - a.x(), b.y() - a.y());
}

void Dot(QPainter& p, QPointF at, double radius)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(at, radius, radius);
    p.setPen(QPen(kInk, 1));
}

void LabelBox(QPainter& p, const QRectF& r)
{
    p.setBrush(Qt::white);
    p.setPen(QPen(kFrame, 1, Qt::DotLine));
    p.drawRect(r.adjusted(0.5, 0.5, -0.5, -0.5));
    p.setPen(QPen(kTextStroke, 1.5));
    const double y1 = r.top() + r.height() / 3, y2 = r.top() + r.height() * 2 / 3;
    p.drawLine(QPointF(r.left() + 3, y1), QPointF(r.right() - 3, y1));
    p.drawLine(QPointF(r.left() + 3, y2), QPointF(r.right() - 6, y2));
    p.setPen(QPen(kInk, 1));
}

} // namespace dialog_art
