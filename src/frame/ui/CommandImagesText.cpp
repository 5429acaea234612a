// Pictures of the text and label commands: fonts, formatting, alignment,
// rotation, guillemets, labels.
#include "frame/ui/CommandImages.h"

#include "graphics/ArtPainter.h"

namespace {
using P = QPointF;
using R = QRectF;

// Lines of text in a box, aligned `h` (0 left, 1 centre, 2 right) and `v`
// (0 top, 1 middle, 2 bottom).
void AlignedLines(ArtPainter& a, int h, int v, bool box)
{
    const ArtColours& c = a.C();
    if (box)
        a.Box(R(2, 2, 20, 20), c.paper);
    const double widths[] = {14, 10, 12};
    const double top = v == 0 ? 5 : (v == 1 ? 9 : 13);
    const QColor& ink = box ? c.paperInk : c.ink;
    for (int i = 0; i < 3; ++i) {
        const double w = widths[i];
        const double x = h == 0 ? 5 : (h == 1 ? 12 - w / 2 : 19 - w);
        a.Line(P(x, top + 3 * i), P(x + w, top + 3 * i), ink, 1.8);
    }
}

// Text lines turned: `angle` 0 (as written), 90 (bottom to top), 270.
void TurnedLines(ArtPainter& a, int angle)
{
    const ArtColours& c = a.C();
    QPainter& p = a.P();
    p.save();
    p.translate(9, 12);
    p.rotate(-angle);
    for (int i = 0; i < 3; ++i)
        a.Line(P(-6, -4 + 4 * i), P(i == 2 ? 2 : 6, -4 + 4 * i), c.ink, 1.8);
    p.restore();
}

void Chevrons(ArtPainter& a, bool left)
{
    const ArtColours& c = a.C();
    const double s = left ? 1 : -1;
    for (double x : {9.0, 16.0})
        a.Lines({P(x + 3 * s, 6), P(x - 3 * s, 12), P(x + 3 * s, 18)}, c.ink, 2.6);
}

// A label: a tag with text on it.
void Tag(ArtPainter& a, const QColor& fill)
{
    const QPainterPath tag = ArtPainter::Polygon({P(2, 8), P(6, 4), P(21, 4), P(21, 12), P(6, 12)});
    a.FillStroke(tag, fill);
    a.Disc(P(6, 8), 1.0, a.C().paper);
    a.TextLines(9, 19, 8, 2, 1, a.C().paperInk);
}

void ColourBar(ArtPainter& a, const QColor& colour)
{
    a.Box(R(2, 19, 20, 4), colour);
}
} // namespace

bool PaintTextImage(ArtPainter& a, unsigned command)
{
    const ArtColours& c = a.C();
    switch (command) {
    case 36567:   // Label Styles
        Tag(a, c.yellow);
        a.Box(R(3, 15, 5, 5), c.blue);
        a.Box(R(10, 15, 5, 5), c.orange);
        a.Box(R(17, 15, 5, 5), c.green);
        return true;
    case 32775:   // Font Family
        a.Glyph('A', R(3, 4, 12, 16), c.ink, 2.6);
        a.TextLines(16, 22, 8, 4, 3, c.blue);
        return true;
    case 32776:   // Font Size
        a.Glyph('A', R(2, 3, 12, 17), c.ink, 2.6);
        a.Glyph('A', R(15, 11, 7, 9), c.ink, 1.8);
        return true;
    case 36499:   // Text Color
        a.Glyph('A', R(5, 2, 14, 14), c.ink, 2.6);
        ColourBar(a, c.red);
        return true;
    case 36531: a.Glyph('B', R(6, 3, 11, 18), c.ink, 3.4); return true;
    case 36532: a.Glyph('I', R(5, 3, 14, 18), c.ink, 2.6); return true;
    case 36533:
        a.Glyph('U', R(5, 2, 14, 15), c.ink, 2.6);
        a.Line(P(4, 20), P(20, 20), c.blue, 2.4);
        return true;
    case 36557:   // Superscript: the small mark raised above the line
        a.Line(P(3, 18), P(13, 18), c.ink, 2.6);
        a.Box(R(15, 3, 6, 6), c.blue);
        a.Arrow(P(18, 16), P(18, 10), c.green, 3, 1.4);
        return true;
    case 36556:   // Subscript
        a.Line(P(3, 8), P(13, 8), c.ink, 2.6);
        a.Box(R(15, 15, 6, 6), c.blue);
        a.Arrow(P(18, 5), P(18, 13), c.green, 3, 1.4);
        return true;
    case 36562: AlignedLines(a, 1, 1, true); a.Arrow(P(12, 21), P(20, 21), c.blue, 2.5, 1.2); return true;
    case 36563: AlignedLines(a, 1, 1, true); a.Arrow(P(21, 12), P(21, 4), c.blue, 2.5, 1.2); return true;
    case 36505: AlignedLines(a, 0, 1, false); return true;
    case 36506: AlignedLines(a, 1, 1, false); return true;
    case 36507: AlignedLines(a, 2, 1, false); return true;
    case 36508: AlignedLines(a, 1, 0, true); return true;
    case 36509: AlignedLines(a, 1, 1, true); return true;
    case 36510: AlignedLines(a, 1, 2, true); return true;
    case 36564:   // Rotate Text
        TurnedLines(a, 45);
        a.CurvedArrow(P(20, 18), P(22, 8), P(14, 3), c.blue);
        return true;
    case 36534:   // Unrotate Text
        TurnedLines(a, 0);
        a.Arrow(P(4, 21), P(20, 21), c.blue, 3.5, 1.4);
        return true;
    case 36535:   // Rotate Text Bottom-to-top
        TurnedLines(a, 90);
        a.Arrow(P(20, 21), P(20, 3), c.blue, 3.5, 1.4);
        return true;
    case 36536:   // Rotate Text Top-to-bottom
        TurnedLines(a, 270);
        a.Arrow(P(20, 3), P(20, 21), c.blue, 3.5, 1.4);
        return true;
    case 32795: Chevrons(a, true); return true;
    case 32796: Chevrons(a, false); return true;
    case 33123: {   // Detach Label: a label whose dotted tie to its line is cut
        a.Arrow(P(2, 19), P(22, 19), c.ink, 4, 1.6);
        Tag(a, c.yellow);
        QPainterPath tie(P(12, 12));
        tie.lineTo(12, 19);
        a.P().strokePath(tie, QPen(c.ink, 1.0, Qt::DotLine));
        a.Cross(P(12, 15.5), 2.2, c.red, 1.8);
        return true;
    }
    default: return false;
    }
}
