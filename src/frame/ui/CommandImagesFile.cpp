// Pictures of the file, edit, hyperlink and help commands.
#include "frame/ui/CommandImages.h"

#include "graphics/ArtPainter.h"

namespace {
using P = QPointF;
using R = QRectF;

void Floppy(ArtPainter& a, double x, double y, double s)
{
    const ArtColours& c = a.C();
    a.RoundBox(R(x, y, s, s), s * 0.08, c.blue);
    a.Box(R(x + s * 0.25, y, s * 0.5, s * 0.33), c.grey.lighter(130));
    a.Box(R(x + s * 0.17, y + s * 0.55, s * 0.66, s * 0.45), c.paper);
}

void Printer(ArtPainter& a)
{
    const ArtColours& c = a.C();
    a.Box(R(7, 3, 10, 7), c.paper);
    a.RoundBox(R(3, 9, 18, 9), 1.5, c.grey.lighter(120));
    a.Box(R(7, 15, 10, 6), c.paper);
    a.TextLines(9, 15, 17.5, 2, 2, c.paperInk);
    a.Disc(P(18, 12), 0.9, c.green);
}

// A question mark drawn as a hook and a dot, white on a blue disc.
void HelpMark(ArtPainter& a, P centre, double r)
{
    const ArtColours& c = a.C();
    a.Disc(centre, r, c.blue);
    QPainterPath hook(P(centre.x() - r * 0.35, centre.y() - r * 0.3));
    hook.cubicTo(centre.x() - r * 0.35, centre.y() - r * 0.8, centre.x() + r * 0.4, centre.y() - r * 0.8,
                 centre.x() + r * 0.38, centre.y() - r * 0.32);
    hook.cubicTo(centre.x() + r * 0.36, centre.y() + r * 0.02, centre.x(), centre.y(), centre.x(),
                 centre.y() + r * 0.28);
    a.Stroke(hook, c.paper, r * 0.22);
    QPainterPath dot;
    dot.addEllipse(P(centre.x(), centre.y() + r * 0.58), r * 0.13, r * 0.13);
    a.Fill(dot, c.paper);
}

void Globe(ArtPainter& a, P centre, double r)
{
    const ArtColours& c = a.C();
    a.Disc(centre, r, c.lightBlue);
    QPainterPath meridian;
    meridian.addEllipse(centre, r * 0.45, r);
    a.Stroke(meridian, c.ink, 1.0);
    a.Line(P(centre.x() - r, centre.y()), P(centre.x() + r, centre.y()), c.ink, 1.0);
}

void Scissors(ArtPainter& a)
{
    const ArtColours& c = a.C();
    a.Line(P(8, 15), P(17, 3), c.ink, 2.0);
    a.Line(P(16, 15), P(7, 3), c.ink, 2.0);
    a.Ring(P(7, 18), 3.2, c.red, 2.0);
    a.Ring(P(17, 18), 3.2, c.red, 2.0);
}

void Clipboard(ArtPainter& a)
{
    const ArtColours& c = a.C();
    a.RoundBox(R(3, 4, 14, 17), 1.5, c.orange);
    a.RoundBox(R(7, 2, 6, 4), 1, c.grey.lighter(130));
    a.Page(R(10, 9, 11, 13), c.paper);
    a.TextLines(12, 18, 14, 2.5, 3, c.paperInk);
}

// Two figures of a diagram, the second behind and to the right.
void TwoBoxes(ArtPainter& a, const QColor& front, const QColor& back)
{
    a.Box(R(9, 9, 12, 10), back);
    a.Box(R(3, 4, 12, 10), front);
}

void Selection(ArtPainter& a, const R& r)
{
    QPainterPath dashed;
    dashed.addRect(r);
    QPen pen(a.C().ink, 1.0, Qt::DashLine);
    a.P().strokePath(dashed, pen);
    for (const P& corner : {r.topLeft(), r.topRight(), r.bottomLeft(), r.bottomRight()}) {
        QPainterPath handle;
        handle.addRect(R(corner.x() - 1.5, corner.y() - 1.5, 3, 3));
        a.Fill(handle, a.C().blue);
    }
}

// One figure over another: `frontOnTop` draws the blue one last, `step`
// marks a one-step move with a short arrow, else a long one.
void Stack(ArtPainter& a, bool frontOnTop, bool step)
{
    const ArtColours& c = a.C();
    const R back(3, 3, 11, 9), front(8, 8, 11, 9);
    if (frontOnTop) {
        a.Box(back, c.paper);
        a.Box(front, c.blue);
    } else {
        a.Box(front, c.blue);
        a.Box(back, c.paper);
    }
    const double y0 = frontOnTop ? 21 : 14, y1 = frontOnTop ? (step ? 17 : 14) : (step ? 18 : 21);
    a.Arrow(P(21, y0), P(21, y1), c.green, 3.5, 1.6);
}

// A diagram's shapes for the group commands.
void GroupShapes(ArtPainter& a, bool apart)
{
    const ArtColours& c = a.C();
    const double d = apart ? 2 : 0;
    a.Box(R(4 - d, 5 - d, 8, 6), c.blue);
    a.Disc(P(16 + d, 15 + d), 4, c.orange);
}

bool PaintEditImage(ArtPainter& a, unsigned command)
{
    const ArtColours& c = a.C();
    switch (command) {
    case 57643: a.CurvedArrow(P(19, 18), P(19, 6), P(5, 9), c.blue); return true;
    case 32768:   // Duplicate
        TwoBoxes(a, c.lightBlue, c.lightBlue);
        a.PlusMark(P(18, 14), 3, c.green);
        return true;
    case 57635: Scissors(a); return true;
    case 57634:
        a.Page(R(3, 2, 12, 15), c.paper);
        a.Page(R(9, 7, 12, 15), c.paper);
        a.TextLines(11, 18, 12, 2.5, 3, c.paperInk);
        return true;
    case 57637: Clipboard(a); return true;
    case 57632: a.Cross(P(12, 12), 7, c.red, 3.2); return true;
    case 33039:   // Delete Junctions
        a.Lines({P(2, 14), P(11, 14), P(11, 4)}, c.ink);
        a.Line(P(11, 14), P(19, 14), c.ink);
        a.Disc(P(11, 14), 2.4, c.ink);
        a.Cross(P(18, 6), 3.5, c.red, 2.4);
        return true;
    case 32787:   // Edit Text
        a.Box(R(2, 5, 15, 14), c.paper);
        a.TextLines(4.5, 13, 9, 3, 3, c.paperInk);
        a.Pencil(P(12, 20), 12, c.orange);
        return true;
    case 33035:   // Find
        a.Page(R(2, 2, 13, 17), c.paper);
        a.TextLines(4, 10, 7, 3, 3, c.paperInk);
        a.Magnifier(P(14, 12), 5, c.lightBlue);
        return true;
    case 33036:   // Replace
        a.Magnifier(P(8, 8), 5, c.lightBlue);
        a.Pencil(P(11, 22), 12, c.orange);
        return true;
    case 33029:   // Select All
        a.Box(R(5, 6, 6, 5), c.blue);
        a.Disc(P(16, 9), 3, c.orange);
        a.Box(R(8, 14, 10, 4), c.green);
        Selection(a, R(3, 3, 18, 18));
        return true;
    case 33034:   // Deselect All
        a.Box(R(5, 6, 6, 5), c.blue);
        a.Disc(P(16, 9), 3, c.orange);
        a.Box(R(4, 14, 10, 4), c.green);
        a.Cross(P(18, 18), 3.5, c.red, 2.4);
        return true;
    case 32818:   // Group
        GroupShapes(a, false);
        Selection(a, R(2, 3, 20, 18));
        return true;
    case 32819:   // Ungroup
        GroupShapes(a, true);
        Selection(a, R(1, 2, 10, 8));
        Selection(a, R(13, 13, 10, 10));
        return true;
    case 32821:   // Regroup
        GroupShapes(a, false);
        Selection(a, R(2, 3, 20, 18));
        a.CurvedArrow(P(3, 20), P(3, 23), P(9, 22), c.green);
        return true;
    case 32820:   // Ungroup All
        a.Box(R(2, 2, 7, 5), c.blue);
        a.Disc(P(18, 6), 3.5, c.orange);
        a.Box(R(7, 15, 9, 6), c.green);
        Selection(a, R(1, 1, 9, 7));
        Selection(a, R(14, 2, 8, 8));
        Selection(a, R(6, 14, 11, 8));
        return true;
    case 33027: Stack(a, true, false); return true;
    case 33028: Stack(a, false, false); return true;
    case 32780: Stack(a, true, true); return true;
    case 32778: Stack(a, false, true); return true;
    default: return false;
    }
}
} // namespace

bool PaintFileImage(ArtPainter& a, unsigned command)
{
    const ArtColours& c = a.C();
    switch (command) {
    case 57600:   // New
        a.Page(R(4, 2, 15, 20), c.paper);
        a.PlusMark(P(17, 18), 4, c.green, 2.6);
        return true;
    case 57601: a.Folder(R(2, 5, 20, 15), c.yellow); return true;
    case 57603: Floppy(a, 3, 3, 18); return true;
    case 36538:   // Save All
        Floppy(a, 2, 2, 13);
        Floppy(a, 9, 9, 13);
        return true;
    case 36559:   // Save HTML
        a.Page(R(3, 2, 14, 18), c.paper);
        Globe(a, P(16, 16), 6);
        return true;
    case 36560: {   // Page Setup
        a.Page(R(4, 2, 16, 20), c.paper);
        QPainterPath margins;
        margins.addRect(R(7, 7, 10, 12));
        a.P().strokePath(margins, QPen(c.blue, 1.0, Qt::DashLine));
        return true;
    }
    case 57609:   // Print Preview
        a.Page(R(3, 2, 14, 18), c.paper);
        a.TextLines(5, 11, 7, 3, 3, c.paperInk);
        a.Magnifier(P(15, 14), 5, c.lightBlue);
        return true;
    case 57607: Printer(a); return true;
    case 57648:   // New Window
        a.Box(R(2, 3, 18, 15), c.paper);
        a.Box(R(2, 3, 18, 4), c.blue);
        a.PlusMark(P(18, 18), 4, c.green, 2.6);
        return true;
    case 57666: HelpMark(a, P(12, 12), 10); return true;
    case 32831:   // UML Diagramming Guide: a book with a class on its cover
        a.RoundBox(R(4, 2, 16, 20), 1.5, c.blue);
        a.Line(P(7, 2), P(7, 22), c.ink);
        a.Box(R(10, 6, 7, 9), c.paper);
        a.Line(P(10, 9), P(17, 9), c.ink, 1.0);
        a.Line(P(10, 12), P(17, 12), c.ink, 1.0);
        return true;
    case 32771: a.ChainLink(P(12, 12), c.blue); return true;
    case 32770: a.Arrow(P(20, 12), P(3, 12), c.green, 8, 3.2); return true;
    case 32769: a.Arrow(P(4, 12), P(21, 12), c.green, 8, 3.2); return true;
    case 32773: a.Arrow(P(12, 21), P(12, 3), c.green, 8, 3.2); return true;
    default: return PaintEditImage(a, command);
    }
}
