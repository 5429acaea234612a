// Pictures of the view and mode commands: the UI modes, zooms, grid, snap,
// rulers and the style bar.
#include "frame/ui/CommandImages.h"

#include "graphics/ArtPainter.h"

namespace {
using P = QPointF;
using R = QRectF;

// Corner brackets round what a zoom fits into the window.
void Brackets(ArtPainter& a, const R& r)
{
    const QColor& ink = a.C().ink;
    const double l = 4;
    a.Lines({P(r.left(), r.top() + l), r.topLeft(), P(r.left() + l, r.top())}, ink, 1.8);
    a.Lines({P(r.right() - l, r.top()), r.topRight(), P(r.right(), r.top() + l)}, ink, 1.8);
    a.Lines({P(r.left(), r.bottom() - l), r.bottomLeft(), P(r.left() + l, r.bottom())}, ink, 1.8);
    a.Lines({P(r.right() - l, r.bottom()), r.bottomRight(), P(r.right(), r.bottom() - l)}, ink, 1.8);
}

void Slash(ArtPainter& a)
{
    a.Line(P(3, 21), P(21, 3), a.C().red, 2.6);
}

void GridDots(ArtPainter& a)
{
    a.Box(R(2, 2, 20, 20), a.C().paper);
    for (int y = 6; y <= 18; y += 4)
        for (int x = 6; x <= 18; x += 4) {
            QPainterPath dot;
            dot.addEllipse(P(x, y), 0.9, 0.9);
            a.Fill(dot, a.C().paperInk);
        }
}

void SnapGrid(ArtPainter& a)
{
    const ArtColours& c = a.C();
    for (int v = 4; v <= 20; v += 8) {
        a.Line(P(v, 2), P(v, 22), c.grey, 1.0);
        a.Line(P(2, v), P(22, v), c.grey, 1.0);
    }
    a.Box(R(4, 4, 8, 8), c.lightBlue);
    a.Disc(P(12, 12), 2.0, c.red);
}

void Ruler(ArtPainter& a)
{
    const ArtColours& c = a.C();
    const QPainterPath l = ArtPainter::Polygon({P(2, 2), P(22, 2), P(22, 8), P(8, 8), P(8, 22), P(2, 22)});
    a.FillStroke(l, c.yellow);
    for (int x = 11; x <= 20; x += 3)
        a.Line(P(x, 2), P(x, x % 2 ? 5 : 6), c.ink, 1.0);
    for (int y = 11; y <= 20; y += 3)
        a.Line(P(2, y), P(y % 2 ? 5 : 6, y), c.ink, 1.0);
}

// The style bar at the left of a window, and the way it folds.
void StyleBar(ArtPainter& a, bool collapsed)
{
    const ArtColours& c = a.C();
    a.Box(R(2, 3, 20, 18), c.paper);
    const double w = collapsed ? 3 : 8;
    a.Box(R(2, 3, w, 18), c.lightBlue);
    for (int i = 0; i < 3 && !collapsed; ++i)
        a.Box(R(3.5, 5.5 + 5 * i, 5, 3.5), i == 1 ? c.orange : c.blue);
    const double x = collapsed ? 13 : 17;
    const double s = collapsed ? -1 : 1;   // pointing left folds it away
    a.Lines({P(x + 2 * s, 8), P(x - 2 * s, 12), P(x + 2 * s, 16)}, c.ink, 2.0);
}

bool PaintModeImage(ArtPainter& a, unsigned command)
{
    const ArtColours& c = a.C();
    switch (command) {
    case 36500: a.Pointer(P(6, 2), 20, c.paper); return true;
    case 36503:   // Seltext Mode: the pointer, and text
        a.Pointer(P(3, 2), 16, c.paper);
        a.IBeam(17, 8, 21, c.blue);
        return true;
    case 36501: {   // Text Mode: a text cursor in a text area
        QPainterPath area;
        area.addRect(R(3, 4, 18, 16));
        a.P().strokePath(area, QPen(c.grey, 1.0, Qt::DashLine));
        a.TextLines(6, 11, 10, 4, 2, c.paperInk);
        a.IBeam(15, 6, 18, c.blue);
        return true;
    }
    case 36504:   // Connection Point Tool
        a.Box(R(5, 5, 14, 14), c.lightBlue);
        for (const P& at : {P(12, 5), P(19, 12), P(12, 19), P(5, 12)})
            a.Diamond(at, 2.6, c.orange);
        return true;
    default: return false;
    }
}
} // namespace

bool PaintViewImage(ArtPainter& a, unsigned command, bool other)
{
    const ArtColours& c = a.C();
    switch (command) {
    case 36502: a.Magnifier(P(10, 10), 7, c.lightBlue); return true;
    case 36517:
        a.Magnifier(P(10, 10), 7, c.lightBlue);
        a.PlusMark(P(10, 10), 3.5, c.ink);
        return true;
    case 36518:
        a.Magnifier(P(10, 10), 7, c.lightBlue);
        a.MinusMark(P(10, 10), 3.5, c.ink);
        return true;
    case 32779:   // Zoom Percent: a magnifier over a scale
        a.Magnifier(P(9, 8), 6, c.lightBlue);
        a.Line(P(2, 21), P(22, 21), c.ink, 1.4);
        for (int x = 2; x <= 22; x += 5)
            a.Line(P(x, 18), P(x, 21), c.ink, 1.2);
        return true;
    case 36521:   // Zoom Whole Page
        a.Page(R(7, 5, 10, 14), c.paper);
        Brackets(a, R(2, 2, 20, 20));
        return true;
    case 36520:   // Zoom Page Width
        a.Page(R(5, 4, 14, 18), c.paper);
        a.Arrow(P(12, 12), P(22, 12), c.blue, 3.5, 1.4);
        a.Arrow(P(12, 12), P(2, 12), c.blue, 3.5, 1.4);
        return true;
    case 36523:   // Zoom All Objects
        a.Box(R(6, 6, 6, 5), c.blue);
        a.Disc(P(16, 9), 2.8, c.orange);
        a.Box(R(8, 14, 9, 4), c.green);
        Brackets(a, R(2, 2, 20, 20));
        return true;
    case 36524:   // Zoom Selected
        a.Box(R(7, 8, 10, 8), c.lightBlue);
        for (const P& h : {P(7, 8), P(17, 8), P(7, 16), P(17, 16)}) {
            QPainterPath handle;
            handle.addRect(R(h.x() - 1.4, h.y() - 1.4, 2.8, 2.8));
            a.Fill(handle, c.blue);
        }
        Brackets(a, R(2, 2, 20, 20));
        return true;
    case 33072:
        GridDots(a);
        if (other)
            Slash(a);
        return true;
    case 33073:
        SnapGrid(a);
        if (other)
            Slash(a);
        return true;
    case 33083: Ruler(a); return true;
    case 36561: StyleBar(a, other); return true;
    default: return PaintModeImage(a, command);
    }
}
