// Mapping a symbol's program into a figure rectangle: the work copy that the
// drawing walks, the glyph kinds that stay regular in squares, and the text
// box and frame rectangles.
#include "shapes/CFigSymbol.h"
#include "geometry/SymbolSpace.h"

#include <cstring>
#include <initializer_list>

namespace {

// The target of one PrepareOutline call: rectangle and scale divisors.
struct MapTarget {
    CRect rect;
    double divX;
    double divY;
    int kind;       // glyph kind when the glyph rules apply, else 0
};

CFltPoint MapPoint(CFltPoint p, const MapTarget& t, double angle)
{
    MapNormPtToSize(p, t.divX, t.divY, angle);
    p.x = static_cast<float>(static_cast<double>(p.x) + t.rect.left);
    p.y = static_cast<float>(static_cast<double>(p.y) + t.rect.top);
    return p;
}

void MapPointAt(BYTE* p, const MapTarget& t, double angle)
{
    WriteOutlinePoint(p, MapPoint(ReadOutlinePoint(p), t, angle));
}

void MapRectAt(BYTE* p, const MapTarget& t)
{
    CFltRect r = ReadOutlineRect(p);
    r.SetCorners(MapPoint(r.GetCorner1(), t, 0.0), MapPoint(r.GetCorner2(), t, 0.0));
    WriteOutlineRect(p, r);
}

// A size (corner of a rounded rectangle) is scaled, not moved.
void ScaleSizeAt(BYTE* p, const MapTarget& t)
{
    CFltPoint s = ReadOutlinePoint(p);
    WriteOutlinePoint(p, CFltPoint(static_cast<float>(s.x * t.divX / 2048.0),
                                   static_cast<float>(s.y * t.divY / 2048.0)));
}

// Glyph coordinates are whole numbers; the arithmetic is done in doubles so
// that values from damaged programs cannot overflow.
CFltPoint IntPoint(double x, double y) { return {static_cast<float>(x), static_cast<float>(y)}; }

double Rounded(float v) { return RoundAddHalf(v); }

// The glyph point lists, built from integer values around the centre. They
// return false when the list does not have the count the construction needs.
bool RebuildGlyphPoints(BYTE* payload, const MapTarget& t, double angle)
{
    const int n = ReadOutlineInt(payload);
    BYTE* pts = payload + 4;
    const CPoint centre = t.rect.CenterPoint();
    const double cx = centre.x, cy = centre.y;
    // The mapped far sides: the divisors are width - 1 and height - 1.
    const double left = t.rect.left, top = t.rect.top;
    const double right = left + t.divX;
    const double bottom = top + t.divY;
    auto mappedY = [&](int i) { return Rounded(MapPoint(ReadOutlinePoint(pts + 16 * i), t, angle).y); };
    CFltPoint out[13];
    auto put = [&out](std::initializer_list<CFltPoint> list) {
        int i = 0;
        for (const CFltPoint& p : list)
            out[i++] = p;
    };
    if (t.kind == 61 && n == 13) {
        const double v = cy - mappedY(2);
        put({IntPoint(left, top + v), IntPoint(left + v, top), IntPoint(cx, cy - v),
             IntPoint(right - v, top), IntPoint(right, top + v), IntPoint(cx + v, cy),
             IntPoint(right, bottom - v), IntPoint(right - v, bottom), IntPoint(cx, cy + v),
             IntPoint(left + v, bottom), IntPoint(left, bottom - v), IntPoint(cx - v, cy),
             IntPoint(left, top + v)});
    } else if ((t.kind == 163 || t.kind == 164) && n == 5) {
        const double top0 = mappedY(0);
        const double d = cy - top0;
        put({IntPoint(cx, top0), IntPoint(cx + d, cy), IntPoint(cx, cy + d), IntPoint(cx - d, cy),
             IntPoint(cx, top0)});
    } else if ((t.kind == 167 || t.kind == 168) && n == 7) {
        const double d = cy - mappedY(1);
        put({IntPoint(cx, cy), IntPoint(cx - d, cy - d), IntPoint(cx + d, cy - d), IntPoint(cx, cy),
             IntPoint(cx + d, cy + d), IntPoint(cx - d, cy + d), IntPoint(cx, cy)});
    } else {
        return false;
    }
    for (int i = 0; i < n; ++i)
        WriteOutlinePoint(pts + 16 * i, out[i]);
    return true;
}

bool RebuildGlyphEllipse(BYTE* payload, const MapTarget& t)
{
    if (t.kind != 165 && t.kind != 166 && t.kind != 171)
        return false;
    const CPoint c = t.rect.CenterPoint();
    const double l = Rounded(MapPoint(ReadOutlineRect(payload).GetCorner1(), t, 0.0).x);
    const double half = c.x - l;
    WriteOutlineRect(payload, CFltRect(static_cast<float>(l), static_cast<float>(c.y - half),
                                       static_cast<float>(2.0 * c.x - l), static_cast<float>(c.y + half)));
    return true;
}

bool RebuildGlyphLine(BYTE* payload, const MapTarget& t)
{
    const CPoint c = t.rect.CenterPoint();
    const CFltPoint ma = MapPoint(ReadOutlinePoint(payload), t, 0.0);
    const double ax = Rounded(ma.x), ay = Rounded(ma.y);
    if (t.kind == 165 || t.kind == 166) {
        // The 45-degree diagonal through the centre; the "+ 1" ends make up
        // for lines that stop short of their last pixel.
        const double e = c.x - ax;
        const bool below = ay > c.y;
        WriteOutlinePoint(payload, IntPoint(ax, below ? c.y + e : c.y - e));
        WriteOutlinePoint(payload + 16, IntPoint(2.0 * c.x - ax + 1, below ? c.y - e - 1 : c.y + e + 1));
        return true;
    }
    if (t.kind == 170) {
        const CFltPoint mb = MapPoint(ReadOutlinePoint(payload + 16), t, 0.0);
        double bx = Rounded(mb.x), by = Rounded(mb.y);
        if (ax == bx)
            by += 1;
        else if (ay == by)
            bx += 1;
        WriteOutlinePoint(payload, IntPoint(ax, ay));
        WriteOutlinePoint(payload + 16, IntPoint(bx, by));
        return true;
    }
    return false;
}

// Maps one operation in place; glyph rules first, the general rule otherwise.
void MapOperation(BYTE op, BYTE* payload, const MapTarget& t, double angle)
{
    switch (op) {
    case kOpRect:
        MapRectAt(payload, t);
        break;
    case kOpEllipse:
        if (!(t.kind && RebuildGlyphEllipse(payload, t)))
            MapRectAt(payload, t);
        break;
    case kOpPolyline:
    case kOpPolygon:
        if (!(t.kind && RebuildGlyphPoints(payload, t, angle))) {
            const int n = ReadOutlineInt(payload);
            for (int i = 0; i < n; ++i)
                MapPointAt(payload + 4 + 16 * i, t, angle);
        }
        break;
    case kOpRoundRect:
        MapRectAt(payload, t);
        ScaleSizeAt(payload + 32, t);
        break;
    case kOpArc:
    case kOpChord:
    case kOpPie:
        MapRectAt(payload, t);
        MapPointAt(payload + 32, t, 0.0);
        MapPointAt(payload + 48, t, 0.0);
        break;
    case kOpLine:
        if (!(t.kind && RebuildGlyphLine(payload, t))) {
            MapPointAt(payload, t, 0.0);
            MapPointAt(payload + 16, t, 0.0);
        }
        break;
    case kOpCircle: {
        MapPointAt(payload, t, 0.0);
        // The smaller scaled radius keeps a circle round in a non-square box.
        const double r = ReadOutlineFloat(payload + 16);
        const double rx = r * t.divX / 2048.0;
        const double ry = r * t.divY / 2048.0;
        WriteOutlineFloat(payload + 16, static_cast<float>(rx < ry ? rx : ry));
        break;
    }
    default:
        break;
    }
}

BYTE* InWork(int32_t pos)
{
    return pos >= 0 ? g_outlineWork.bytes.data() + pos : nullptr;
}

} // namespace

BYTE* CFigSymbol::PrepareOutline(const RECT& rect, BYTE*& fill, BYTE*& outline, BYTE*& mini,
                                 BYTE*& textBoxes, int oversize, double angle) const
{
    fill = outline = mini = textBoxes = nullptr;
    if (!IsProgramValid())
        return nullptr;
    OutlineWorkState& w = g_outlineWork;
    std::memcpy(w.bytes.data(), m_program.data(), static_cast<size_t>(m_nProgramLength));
    w.length = m_nProgramLength;
    w.rect = rect;
    w.divX = w.rect.Width() - 1;
    w.divY = w.rect.Height() - 1;
    fill = InWork(m_nFillPos);
    outline = InWork(m_nOutlinePos);
    mini = InWork(m_nMiniOutlinePos);
    textBoxes = InWork(m_nTextBoxPos);

    const bool glyph = IsGlyphKind(Reshape) && (w.rect.Width() == w.rect.Height() || Reshape == 170);
    MapTarget target{w.rect, static_cast<double>(w.divX), static_cast<double>(w.divY), glyph ? Reshape : 0};
    for (int i = 0; i < m_nTextBoxes; ++i)
        MapRectAt(textBoxes + i * kOutlineRectBytes, target);
    if (textBoxes && m_nTextBoxes > 0 && oversize && OversizeText)
        WriteOutlineRect(textBoxes, CFltRect(w.rect));

    auto map = [&](BYTE op, BYTE* payload) { MapOperation(op, payload, target, angle); };
    WalkSubProgram(w.bytes.data(), w.length, m_nFillPos, kOpEndFill, map);
    WalkSubProgram(w.bytes.data(), w.length, m_nOutlinePos, kOpEndOutline, map);
    WalkSubProgram(w.bytes.data(), w.length, m_nMiniOutlinePos, kOpEndOutline, map);
    return w.bytes.data();
}

// A symbol-space rectangle scaled by the divisors and rounded.
static CRect MapRectRounded(const CFltRect& r, const RECT& rect, double divX, double divY)
{
    MapTarget t{CRect(rect), divX, divY, 0};
    return CRect(MapPoint(r.GetCorner1(), t, 0.0).RoundToPoint(),
                 MapPoint(r.GetCorner2(), t, 0.0).RoundToPoint());
}

int CFigSymbol::GetTextBoxRect(int n, const RECT& rect, CRect& out, int oversize) const
{
    if (n < 0 || n >= m_nTextBoxes || m_nTextBoxPos < 0 || !IsProgramValid())
        return 0;
    if (n == 0 && oversize && OversizeText) {
        out = rect;
        return 1;
    }
    const CFltRect box = ReadOutlineRect(m_program.data() + m_nTextBoxPos + n * kOutlineRectBytes);
    out = MapRectRounded(box, rect, static_cast<double>(rect.right) - rect.left,
                         static_cast<double>(rect.bottom) - rect.top);
    return 1;
}

int CFigSymbol::GetFrameRect(int n, const RECT& rect, CRect& out) const
{
    if (n < 0 || n >= m_nFrames || n >= kMaxFrames)
        return 0;
    out = MapRectRounded(m_frames[n], rect, static_cast<double>(rect.right) - rect.left - 1,
                         static_cast<double>(rect.bottom) - rect.top - 1);
    return 1;
}
