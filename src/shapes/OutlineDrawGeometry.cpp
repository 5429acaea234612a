#include "shapes/OutlineDrawGeometry.h"

#include "geometry/SymbolSpace.h"

#include <climits>
#include <cstddef>


namespace {

// The program's rounding: add 0.5, truncate toward zero.
int Nearest(float v)
{
    return RoundAddHalf(v);
}

CPoint NearestPoint(const CFltPoint& p)
{
    return {Nearest(p.x), Nearest(p.y)};
}

CRect NearestRect(const CFltRect& r)
{
    return {Nearest(r.left), Nearest(r.top), Nearest(r.right), Nearest(r.bottom)};
}

std::vector<CFltPoint> ReadPoints(const BYTE* payload)
{
    const int n = ReadOutlineInt(payload);
    std::vector<CFltPoint> pts(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        pts[i] = ReadOutlinePoint(payload + 4 + 16 * i);
    return pts;
}

// Rectangles and ellipses cover their right and bottom edges.
CRect Inclusive(const CFltRect& r)
{
    CRect g = NearestRect(r);
    g.right = SaturateInt(g.right + 1LL);
    g.bottom = SaturateInt(g.bottom + 1LL);
    return g;
}

} // namespace

bool GetGdiOutlineOp(BYTE op, const BYTE*& cursor, const BYTE* end, int penStyle, bool skip,
                     GdiOutlineOp& out)
{
    out = GdiOutlineOp();
    const BYTE* p = StepOverOutlineOp(op, cursor, end);
    if (!p)
        return false;
    if (skip || penStyle == kPenStyleNone)
        return true;
    switch (op) {
    case kOpRect: {
        const CFltRect r = ReadOutlineRect(p);
        if (penStyle != 0) {
            const CRect g = NearestRect(r);
            out.prim = OutlinePrim::StyledPolyline;
            out.pts = {{g.left, g.top}, {g.right, g.top}, {g.right, g.bottom}, {g.left, g.bottom}, {g.left, g.top}};
        } else {
            out.prim = OutlinePrim::Rectangle;
            out.rect = Inclusive(r);
        }
        break;
    }
    case kOpPolyline:
    case kOpPolygon:
        out.prim = op == kOpPolyline ? OutlinePrim::Polyline : OutlinePrim::Polygon;
        for (const CFltPoint& f : ReadPoints(p))
            out.pts.push_back(NearestPoint(f));
        break;
    case kOpEllipse:
        out.prim = OutlinePrim::Ellipse;
        out.rect = Inclusive(ReadOutlineRect(p));
        break;
    case kOpRoundRect: {
        out.prim = OutlinePrim::RoundRect;
        out.rect = Inclusive(ReadOutlineRect(p));
        const CPoint c = NearestPoint(ReadOutlinePoint(p + 32));
        out.corner = CSize(c.x, c.y);
        break;
    }
    case kOpArc:
    case kOpChord:
    case kOpPie:
        out.prim = op == kOpArc ? OutlinePrim::Arc : (op == kOpChord ? OutlinePrim::Chord : OutlinePrim::Pie);
        out.rect = NearestRect(ReadOutlineRect(p));
        out.pts = {NearestPoint(ReadOutlinePoint(p + 32)), NearestPoint(ReadOutlinePoint(p + 48))};
        break;
    case kOpLine:
        out.prim = penStyle != 0 ? OutlinePrim::StyledPolyline : OutlinePrim::Line;
        out.pts = {NearestPoint(ReadOutlinePoint(p)), NearestPoint(ReadOutlinePoint(p + 16))};
        break;
    case kOpCircle: {
        const CPoint c = NearestPoint(ReadOutlinePoint(p));
        const int r = Nearest(ReadOutlineFloat(p + 16));
        out.prim = OutlinePrim::Ellipse;
        out.rect = CRect(SaturateInt(static_cast<long long>(c.x) - r), SaturateInt(static_cast<long long>(c.y) - r),
                         SaturateInt(static_cast<long long>(c.x) + r + 1), SaturateInt(static_cast<long long>(c.y) + r + 1));
        break;
    }
    default:
        break;
    }
    return true;
}

bool GetGdiPlusOutlineOp(BYTE op, const BYTE*& cursor, const BYTE* end, bool fillPass, int penStyle,
                         bool skip, GdiPlusOutlineOp& out)
{
    out = GdiPlusOutlineOp();
    const BYTE* p = StepOverOutlineOp(op, cursor, end);
    if (!p)
        return false;
    if (skip || (!fillPass && penStyle == kPenStyleNone))
        return true;
    const bool styled = !fillPass && penStyle != 0;
    switch (op) {
    case kOpRect:
        out.rect = ReadOutlineRect(p);
        out.prim = OutlinePrim::Rectangle;
        if (styled) {
            const CFltRect& r = out.rect;
            out.prim = OutlinePrim::StyledPolyline;
            out.pts = {{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}, {r.left, r.top}};
        }
        break;
    case kOpPolyline:
        if (fillPass)
            break;
        out.pts = ReadPoints(p);
        // A closed polyline is stroked as a polygon so that its corners join.
        out.prim = (out.pts.size() > 3 && out.pts.front().x == out.pts.back().x &&
                    out.pts.front().y == out.pts.back().y)
                       ? OutlinePrim::Polygon
                       : OutlinePrim::Polyline;
        break;
    case kOpPolygon:
        out.prim = OutlinePrim::Polygon;
        out.pts = ReadPoints(p);
        break;
    case kOpEllipse:
        out.prim = OutlinePrim::Ellipse;
        out.rect = ReadOutlineRect(p);
        break;
    case kOpRoundRect:
        out.prim = OutlinePrim::RoundRect;
        out.rect = ReadOutlineRect(p);
        out.corner = ReadOutlinePoint(p + 32);
        break;
    case kOpArc:
    case kOpChord:
    case kOpPie:
        if (op == kOpChord && !fillPass)
            break;   // chords are filled, not stroked
        out.prim = op == kOpArc ? OutlinePrim::Arc : (op == kOpChord ? OutlinePrim::Chord : OutlinePrim::Pie);
        out.rect = ReadOutlineRect(p);
        out.pts = {ReadOutlinePoint(p + 32), ReadOutlinePoint(p + 48)};
        break;
    case kOpLine:
        if (fillPass)
            break;
        out.prim = styled ? OutlinePrim::StyledPolyline : OutlinePrim::Line;
        out.pts = {ReadOutlinePoint(p), ReadOutlinePoint(p + 16)};
        break;
    case kOpCircle: {
        const CFltPoint c = ReadOutlinePoint(p);
        const float r = ReadOutlineFloat(p + 16);
        out.prim = OutlinePrim::Ellipse;
        out.rect = CFltRect(c.x - r, c.y - r, c.x + r, c.y + r);
        break;
    }
    default:
        break;
    }
    return true;
}
