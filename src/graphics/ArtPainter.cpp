#include "graphics/ArtPainter.h"

#include <QPen>

#include <cmath>

ArtColours ArtColoursFor(const QColor& background)
{
    ArtColours c;
    const bool dark = background.lightness() < 128;
    c.ink = dark ? QColor(236, 236, 236) : QColor(40, 40, 40);
    if (dark) {
        // Accents a little lighter, so that they stand out from the dark.
        c.blue = QColor(92, 156, 236);
        c.green = QColor(84, 190, 108);
        c.red = QColor(236, 98, 86);
    }
    return c;
}

ArtPainter::ArtPainter(QPainter& painter, const QRectF& box, const ArtColours& colours) : m_p(painter), m_c(colours)
{
    m_p.save();
    m_p.setRenderHint(QPainter::Antialiasing, true);
    m_p.translate(box.topLeft());
    m_p.scale(box.width() / kGrid, box.height() / kGrid);
}

ArtPainter::~ArtPainter()
{
    m_p.restore();
}

namespace {
QPainterPath Chain(std::initializer_list<QPointF> pts)
{
    QPainterPath path;
    bool first = true;
    for (const QPointF& p : pts) {
        if (first)
            path.moveTo(p);
        else
            path.lineTo(p);
        first = false;
    }
    return path;
}
} // namespace

QPainterPath ArtPainter::Polygon(std::initializer_list<QPointF> pts)
{
    QPainterPath path = Chain(pts);
    path.closeSubpath();
    return path;
}

void ArtPainter::Stroke(const QPainterPath& path, const QColor& colour, double width)
{
    QPen pen(colour, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    m_p.strokePath(path, pen);
}

void ArtPainter::Fill(const QPainterPath& path, const QColor& colour)
{
    m_p.fillPath(path, colour);
}

void ArtPainter::FillStroke(const QPainterPath& path, const QColor& fill, double width)
{
    Fill(path, fill);
    Stroke(path, m_c.ink, width);
}

void ArtPainter::Line(QPointF a, QPointF b, const QColor& colour, double width)
{
    QPainterPath path(a);
    path.lineTo(b);
    Stroke(path, colour, width);
}

void ArtPainter::Lines(std::initializer_list<QPointF> pts, const QColor& colour, double width)
{
    Stroke(Chain(pts), colour, width);
}

void ArtPainter::Box(const QRectF& r, const QColor& fill)
{
    QPainterPath path;
    path.addRect(r);
    FillStroke(path, fill);
}

void ArtPainter::RoundBox(const QRectF& r, double radius, const QColor& fill)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    FillStroke(path, fill);
}

void ArtPainter::Disc(QPointF centre, double radius, const QColor& fill)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    FillStroke(path, fill);
}

void ArtPainter::Ring(QPointF centre, double radius, const QColor& colour, double width)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    Stroke(path, colour, width);
}

void ArtPainter::Page(const QRectF& r, const QColor& fill)
{
    const double f = std::min(r.width(), r.height()) * 0.3;
    QPainterPath page(r.topLeft());
    page.lineTo(r.right() - f, r.top());
    page.lineTo(r.right(), r.top() + f);
    page.lineTo(r.bottomRight());
    page.lineTo(r.bottomLeft());
    page.closeSubpath();
    FillStroke(page, fill);
    Lines({{r.right() - f, r.top()}, {r.right() - f, r.top() + f}, {r.right(), r.top() + f}}, m_c.ink);
}

void ArtPainter::TextLines(double x0, double x1, double top, double gap, int count, const QColor& colour)
{
    for (int i = 0; i < count; ++i) {
        const double end = i == count - 1 && count > 1 ? x0 + (x1 - x0) * 0.6 : x1;
        Line({x0, top + gap * i}, {end, top + gap * i}, colour, 1.2);
    }
}

void ArtPainter::Folder(const QRectF& r, const QColor& fill)
{
    const double tab = r.height() * 0.22;
    QPainterPath back(QPointF(r.left(), r.top() + tab));
    back.lineTo(r.left(), r.top());
    back.lineTo(r.left() + r.width() * 0.38, r.top());
    back.lineTo(r.left() + r.width() * 0.48, r.top() + tab);
    back.lineTo(r.right(), r.top() + tab);
    back.lineTo(r.bottomRight());
    back.lineTo(r.bottomLeft());
    back.closeSubpath();
    FillStroke(back, fill.darker(115));
    QPainterPath front(QPointF(r.left(), r.bottom()));
    front.lineTo(r.left() + r.width() * 0.12, r.top() + tab * 1.9);
    front.lineTo(r.right() + r.width() * 0.06, r.top() + tab * 1.9);
    front.lineTo(r.right(), r.bottom());
    front.closeSubpath();
    FillStroke(front, fill);
}

void ArtPainter::ArrowHead(QPointF tip, QPointF direction, const QColor& colour, double head)
{
    const double len = std::hypot(direction.x(), direction.y());
    if (len <= 0)
        return;
    const double ux = direction.x() / len, uy = direction.y() / len;
    const QPointF base(tip.x() - ux * head, tip.y() - uy * head);
    QPainterPath path(tip);
    path.lineTo(base.x() + uy * head * 0.6, base.y() - ux * head * 0.6);
    path.lineTo(base.x() - uy * head * 0.6, base.y() + ux * head * 0.6);
    path.closeSubpath();
    Fill(path, colour);
    Stroke(path, colour, 0.8);
}

void ArtPainter::Arrow(QPointF from, QPointF to, const QColor& colour, double head, double width)
{
    const QPointF dir = to - from;
    const double len = std::hypot(dir.x(), dir.y());
    if (len <= 0)
        return;
    Line(from, to - dir / len * head * 0.8, colour, width);
    ArrowHead(to, dir, colour, head);
}

void ArtPainter::CurvedArrow(QPointF from, QPointF via, QPointF to, const QColor& colour)
{
    const QPointF dir = to - via;
    const double len = std::hypot(dir.x(), dir.y());
    const QPointF end = len > 0 ? to - dir / len * 3.5 : to;
    QPainterPath path(from);
    path.quadTo(via, end);
    Stroke(path, colour, kLine * 1.3);
    ArrowHead(to, dir, colour, 5.5);
}

void ArtPainter::Magnifier(QPointF centre, double radius, const QColor& glass)
{
    const double d = radius * 0.7071;
    Line({centre.x() + d, centre.y() + d}, {centre.x() + d + radius * 0.9, centre.y() + d + radius * 0.9}, m_c.ink,
         3.0);
    Disc(centre, radius, glass);
}

void ArtPainter::PlusMark(QPointF centre, double arm, const QColor& colour, double width)
{
    Line({centre.x() - arm, centre.y()}, {centre.x() + arm, centre.y()}, colour, width);
    Line({centre.x(), centre.y() - arm}, {centre.x(), centre.y() + arm}, colour, width);
}

void ArtPainter::MinusMark(QPointF centre, double arm, const QColor& colour, double width)
{
    Line({centre.x() - arm, centre.y()}, {centre.x() + arm, centre.y()}, colour, width);
}

void ArtPainter::Cross(QPointF centre, double arm, const QColor& colour, double width)
{
    Line({centre.x() - arm, centre.y() - arm}, {centre.x() + arm, centre.y() + arm}, colour, width);
    Line({centre.x() - arm, centre.y() + arm}, {centre.x() + arm, centre.y() - arm}, colour, width);
}

void ArtPainter::Pointer(QPointF tip, double size, const QColor& fill)
{
    const double s = size / 16.0;
    QPainterPath path(tip);
    const QPointF pts[] = {{0, 12}, {3, 9.3}, {5.4, 14.6}, {7.6, 13.6}, {5.2, 8.4}, {9, 8.4}};
    for (const QPointF& p : pts)
        path.lineTo(tip + p * s);
    path.closeSubpath();
    FillStroke(path, fill, std::max(1.0, kLine * s));
}

void ArtPainter::Pencil(QPointF tip, double length, const QColor& body)
{
    const double w = length * 0.16;
    const QPointF along(length * 0.7071, -length * 0.7071), across(w * 0.7071, w * 0.7071);
    const QPointF cone = tip + along * 0.2;
    QPainterPath shaft(cone - across);
    shaft.lineTo(cone + across);
    shaft.lineTo(tip + along + across);
    shaft.lineTo(tip + along - across);
    shaft.closeSubpath();
    FillStroke(shaft, body);
    QPainterPath point(tip);
    point.lineTo(cone + across);
    point.lineTo(cone - across);
    point.closeSubpath();
    FillStroke(point, m_c.paper);
    QPainterPath lead(tip);
    lead.lineTo(tip + along * 0.08 + across * 0.35);
    lead.lineTo(tip + along * 0.08 - across * 0.35);
    lead.closeSubpath();
    Fill(lead, m_c.ink);
}

void ArtPainter::IBeam(double x, double top, double bottom, const QColor& colour)
{
    const double serif = (bottom - top) * 0.18;
    Line({x, top}, {x, bottom}, colour, 1.6);
    Line({x - serif, top}, {x + serif, top}, colour, 1.6);
    Line({x - serif, bottom}, {x + serif, bottom}, colour, 1.6);
}

void ArtPainter::ChainLink(QPointF centre, const QColor& colour)
{
    m_p.save();
    m_p.translate(centre);
    m_p.rotate(-45);
    QPainterPath a, b;
    a.addRoundedRect(QRectF(-9, -3, 10, 6), 3, 3);
    b.addRoundedRect(QRectF(-1, -3, 10, 6), 3, 3);
    Stroke(a, colour, 2.2);
    Stroke(b, colour, 2.2);
    m_p.restore();
}

void ArtPainter::Glyph(char letter, const QRectF& r, const QColor& colour, double width)
{
    const double l = r.left(), t = r.top(), w = r.width(), h = r.height(), b = r.bottom();
    QPainterPath path;
    switch (letter) {
    case 'A':
        path.moveTo(l, b);
        path.lineTo(l + w / 2, t);
        path.lineTo(l + w, b);
        path.moveTo(l + w * 0.22, t + h * 0.62);
        path.lineTo(l + w * 0.78, t + h * 0.62);
        break;
    case 'B':
        path.moveTo(l, t);
        path.lineTo(l, b);
        path.lineTo(l + w * 0.62, b);
        path.cubicTo(l + w * 1.05, b, l + w * 1.05, t + h * 0.5, l + w * 0.6, t + h * 0.5);
        path.lineTo(l, t + h * 0.5);
        path.moveTo(l + w * 0.55, t + h * 0.5);
        path.cubicTo(l + w * 0.95, t + h * 0.5, l + w * 0.95, t, l + w * 0.55, t);
        path.lineTo(l, t);
        break;
    case 'I':
        // Slanted, as italic text is.
        path.moveTo(l + w * 0.65, t);
        path.lineTo(l + w * 0.35, b);
        path.moveTo(l + w * 0.4, t);
        path.lineTo(l + w * 0.9, t);
        path.moveTo(l + w * 0.1, b);
        path.lineTo(l + w * 0.6, b);
        break;
    case 'U':
        path.moveTo(l + w * 0.1, t);
        path.lineTo(l + w * 0.1, t + h * 0.55);
        path.cubicTo(l + w * 0.1, t + h * 0.85, l + w * 0.9, t + h * 0.85, l + w * 0.9, t + h * 0.55);
        path.lineTo(l + w * 0.9, t);
        break;
    default: break;
    }
    Stroke(path, colour, width);
}

void ArtPainter::Diamond(QPointF centre, double radius, const QColor& fill)
{
    QPainterPath path(QPointF(centre.x(), centre.y() - radius));
    path.lineTo(centre.x() + radius, centre.y());
    path.lineTo(centre.x(), centre.y() + radius);
    path.lineTo(centre.x() - radius, centre.y());
    path.closeSubpath();
    FillStroke(path, fill);
}
