// Pictures of the figure and connector commands: styles, colours, lines,
// attach modes, sizes, alignment, symbols and pictures.
#include "frame/ui/CommandImages.h"

#include "graphics/ArtPainter.h"

namespace {
using P = QPointF;
using R = QRectF;

void ColourBar(ArtPainter& a, const QColor& colour)
{
    a.Box(R(2, 19, 20, 4), colour);
}

// Three small swatches: a style's look.
void Swatches(ArtPainter& a)
{
    const ArtColours& c = a.C();
    a.Box(R(3, 16, 5, 5), c.blue);
    a.Box(R(10, 16, 5, 5), c.orange);
    a.Box(R(17, 16, 5, 5), c.green);
}

// Boxes of three widths against a guide: `side` 0..2 left, centre, right;
// `vertical` aligns tops, middles, bottoms instead.
void Aligned(ArtPainter& a, int side, bool vertical)
{
    const ArtColours& c = a.C();
    QPainter& p = a.P();
    p.save();
    if (vertical) {
        // The same picture turned a quarter: tops, middles, bottoms.
        p.translate(24, 0);
        p.rotate(90);
    }
    const double widths[] = {14, 8, 11};
    const double guide = side == 0 ? 4 : (side == 1 ? 12 : 20);
    for (int i = 0; i < 3; ++i) {
        const double w = widths[i];
        const double x = side == 0 ? guide : (side == 1 ? guide - w / 2 : guide - w);
        a.Box(R(x, 3 + 6.5 * i, w, 4.5), i == 1 ? c.orange : c.blue);
    }
    a.Line(P(guide, 1), P(guide, 23), c.red, 1.4);
    p.restore();
}

// A figure centred on the page across (0), down (1) or both (2), the page's
// middle lines dashed.
void CentredOnPage(ArtPainter& a, int how)
{
    const ArtColours& c = a.C();
    a.Page(R(3, 1, 18, 22), c.paper);
    const QPen dash(c.red, 1.0, Qt::DashLine);
    a.P().setPen(dash);
    if (how != 1)
        a.P().drawLine(P(12, 3), P(12, 21));
    if (how != 0)
        a.P().drawLine(P(5, 12), P(19, 12));
    const double y = how == 0 ? 5 : 9.5, x = how == 1 ? 5.5 : 8.5;
    a.Box(R(x, y, 7, 5), c.blue);
}

void Connector(ArtPainter& a, P from, P to)
{
    a.Arrow(from, to, a.C().ink, 4.5, 1.8);
}

bool PaintLineImage(ArtPainter& a, unsigned command)
{
    const ArtColours& c = a.C();
    switch (command) {
    case 36566:   // Connector Styles
        a.Box(R(2, 3, 6, 6), c.lightBlue);
        a.Lines({P(8, 6), P(15, 6), P(15, 11)}, c.ink, 1.8);
        a.ArrowHead(P(15, 13), P(0, 1), c.ink, 4);
        Swatches(a);
        return true;
    case 36496:   // Connector Color
        a.Arrow(P(3, 14), P(21, 4), c.ink, 5, 1.8);
        ColourBar(a, c.red);
        return true;
    case 36492:   // Line Width
        a.Line(P(3, 5), P(21, 5), c.ink, 1.0);
        a.Line(P(3, 11), P(21, 11), c.ink, 2.4);
        a.Line(P(3, 18), P(21, 18), c.ink, 4.0);
        return true;
    case 36491: {   // Line Pattern
        a.Line(P(3, 5), P(21, 5), c.ink, 2.0);
        QPen dash(c.ink, 2.0, Qt::DashLine);
        dash.setCapStyle(Qt::FlatCap);
        a.P().setPen(dash);
        a.P().drawLine(P(3, 12), P(21, 12));
        QPen dot(c.ink, 2.0, Qt::DotLine);
        dot.setCapStyle(Qt::FlatCap);
        a.P().setPen(dot);
        a.P().drawLine(P(3, 19), P(21, 19));
        return true;
    }
    case 36493: {   // Change Curvature
        QPainterPath curve(P(3, 20));
        curve.cubicTo(P(5, 4), P(19, 20), P(21, 4));
        a.Stroke(curve, c.ink, 2.0);
        a.Lines({P(3, 20), P(5, 4)}, c.grey, 1.0);
        a.Lines({P(19, 20), P(21, 4)}, c.grey, 1.0);
        a.Diamond(P(5, 4), 2.2, c.orange);
        a.Diamond(P(19, 20), 2.2, c.orange);
        return true;
    }
    case 32807:   // Attach Mode: Freeform/None: the end stays where it is dropped
        a.Box(R(2, 2, 8, 7), c.lightBlue);
        Connector(a, P(6, 9), P(18, 19));
        a.Ring(P(20, 21), 1.6, c.grey, 1.0);
        return true;
    case 32808:   // Attach Mode: At Center
        a.Box(R(10, 8, 12, 12), c.lightBlue);
        Connector(a, P(2, 3), P(16, 14));
        a.Disc(P(16, 14), 1.4, c.red);
        return true;
    case 32810:   // Attach Mode: At Click
        a.Box(R(10, 8, 12, 12), c.lightBlue);
        Connector(a, P(2, 3), P(10, 12));
        a.Diamond(P(10, 12), 2.2, c.orange);
        return true;
    case 33064:   // Flip Connector
        a.Box(R(1, 8, 5, 8), c.lightBlue);
        a.Box(R(18, 8, 5, 8), c.lightBlue);
        a.Arrow(P(7, 10), P(17, 10), c.ink, 3.5, 1.6);
        a.Arrow(P(17, 15), P(7, 15), c.blue, 3.5, 1.6);
        return true;
    default: return false;
    }
}
} // namespace

bool PaintDiagramImage(ArtPainter& a, unsigned command)
{
    const ArtColours& c = a.C();
    switch (command) {
    case 36565:   // Figure Styles
        a.RoundBox(R(3, 3, 18, 10), 2.5, c.lightBlue);
        Swatches(a);
        return true;
    case 36497: {   // Fill Color: a tipped bucket over the colour
        const QPainterPath bucket = ArtPainter::Polygon({P(5, 9), P(12, 3), P(19, 10), P(12, 16)});
        a.FillStroke(bucket, c.paper);
        a.Lines({P(5, 9), P(4, 14)}, c.yellow, 2.4);
        ColourBar(a, c.yellow);
        return true;
    }
    case 36498: {   // Border Color
        QPainterPath frame;
        frame.addRoundedRect(R(4, 2, 16, 13), 1.5, 1.5);
        a.Stroke(frame, c.blue, 3.0);
        ColourBar(a, c.blue);
        return true;
    }
    case 36494:   // Drop Shadow
    case 36495: {
        QPainterPath shadow;
        shadow.addRect(R(7, 7, 14, 12));
        a.Fill(shadow, c.grey);
        a.Box(R(3, 3, 14, 12), c.lightBlue);
        if (command == 36495)
            ColourBar(a, c.grey.darker(130));
        return true;
    }
    case 40006:   // Same Size
        a.Box(R(2, 3, 9, 7), c.lightBlue);
        a.Box(R(13, 14, 9, 7), c.lightBlue);
        a.Arrow(P(6.5, 13), P(11, 13), c.green, 2.5, 1.2);
        a.Arrow(P(6.5, 13), P(2, 13), c.green, 2.5, 1.2);
        a.Arrow(P(17.5, 11), P(22, 11), c.green, 2.5, 1.2);
        a.Arrow(P(17.5, 11), P(13, 11), c.green, 2.5, 1.2);
        return true;
    case 40009:   // Size to Text
        a.Box(R(4, 5, 16, 14), c.paper);
        a.TextLines(7, 17, 10, 3, 2, c.paperInk);
        a.Arrow(P(1, 12), P(5, 12), c.green, 2.5, 1.2);
        a.Arrow(P(23, 12), P(19, 12), c.green, 2.5, 1.2);
        return true;
    case 32791:   // Insert Symbol
        a.Disc(P(7, 8), 4.5, c.orange);
        a.Box(R(11, 3, 9, 8), c.lightBlue);
        a.Diamond(P(8, 18), 4.5, c.yellow);
        a.PlusMark(P(18, 18), 4, c.green, 2.6);
        return true;
    case 32785: {   // Insert Graphic: a picture of hills under a sun
        a.Box(R(2, 4, 20, 16), c.paper);
        const QPainterPath hills = ArtPainter::Polygon({P(3, 19), P(9, 11), P(13, 16), P(16, 13), P(21, 19)});
        a.Fill(hills, c.green);
        a.Disc(P(16, 8.5), 2.2, c.yellow);
        return true;
    }
    case 40010: CentredOnPage(a, 0); return true;
    case 40011: CentredOnPage(a, 1); return true;
    case 40012: CentredOnPage(a, 2); return true;
    case 33190: Aligned(a, 0, false); return true;
    case 33191: Aligned(a, 1, false); return true;
    case 33192: Aligned(a, 2, false); return true;
    case 33193: Aligned(a, 0, true); return true;
    case 33194: Aligned(a, 1, true); return true;
    case 33195: Aligned(a, 2, true); return true;
    default: return PaintLineImage(a, command);
    }
}
