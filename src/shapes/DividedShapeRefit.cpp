#include "shapes/DividedShapeRefit.h"

#include "shapes/DividedShapeTemplates.h"

#include <algorithm>
#include <cmath>

namespace {

float ClampSpace(float v)
{
    if (!(v == v))
        return 0.0f;
    return std::clamp(v, 0.0f, 2048.0f);
}

// The end points shared by the round and arc sides.
void SetSideEnds(CFltPoint* pts, float b)
{
    pts[0].x = pts[35].x = pts[68].x = b;
    pts[1].x = pts[34].x = 2048.0f - b;
}

// b = points[0].x + dx within the symbol space; false when nothing is to do.
bool SideDepth(int count, const CFltPoint* pts, float dx, float& b)
{
    if (count != 69 || !pts || dx == 0.0f)
        return false;
    b = ClampSpace(pts[0].x + dx);
    return true;
}

} // namespace

void OffsetFltPoint(CFltPoint& p, float dx, float dy)
{
    p.x += dx;
    p.y += dy;
    p.ClampToSymbolSpace();
}

void MoveFltPoint(CFltPoint& p, float dx, float dy, const RECT& rect, bool raw)
{
    if (dx == 0.0f && dy == 0.0f)
        return;
    if (!raw)
        p.FitAspectToRect(rect, true);
    OffsetFltPoint(p, dx, dy);
    if (!raw)
        p.ScaleAnchoredToRect(rect, -1, -1);
}

void MoveFltRect(CFltRect& r, float dx0, float dy0, float dx1, float dy1, const RECT& rect, bool raw)
{
    if (dx0 == 0.0f && dy0 == 0.0f && dx1 == 0.0f && dy1 == 0.0f)
        return;
    CFltPoint a = r.GetCorner1(), b = r.GetCorner2();
    if (!raw) {
        a.FitAspectToRect(rect, true);
        b.FitAspectToRect(rect, true);
    }
    OffsetFltPoint(a, dx0, dy0);
    OffsetFltPoint(b, dx1, dy1);
    if (!raw) {
        a.ScaleAnchoredToRect(rect, -1, -1);
        b.ScaleAnchoredToRect(rect, -1, -1);
    }
    r.SetCorners(a, b);
}

void RefitRoundedCorners(int count, CFltPoint* pts, float dx, float dy)
{
    if ((dx == 0.0f && dy == 0.0f) || count <= 3 || !pts)
        return;
    const TemplatePt* tpl;
    int refX, refY;
    if (count == 69) {
        tpl = RoundedRectTemplate69;
        refX = 16;
        refY = 0;
    } else if (count == 21) {
        tpl = RoundedRectTemplate21;
        refX = 10;
        refY = 14;
    } else {
        return;
    }
    CFltPoint ref(pts[refX].x, pts[refY].y);
    OffsetFltPoint(ref, dx, dy);
    const float X = ref.x, Y = ref.y;
    const float th = static_cast<float>(tpl[refX].x), tg = static_cast<float>(tpl[refY].y);
    auto corner = [](int t, float ref, float tref) {
        return t < 500 ? ref * t / tref : 2048.0f - (1000 - t) * ref / tref;
    };
    for (int k = 0; k < count; ++k) {
        const int h = tpl[k].x, g = tpl[k].y;
        const bool hInside = h > 0 && h < 1000, gInside = g > 0 && g < 1000;
        if (hInside && gInside) {
            pts[k].x = ClampSpace(corner(h, X, th));
            pts[k].y = ClampSpace(corner(g, Y, tg));
        } else if (hInside) {
            OffsetFltPoint(pts[k], h < 500 ? dx : -dx, 0.0f);
        } else {
            OffsetFltPoint(pts[k], 0.0f, g < 500 ? dy : -dy);
        }
    }
}

void RefitRoundSides(int count, CFltPoint* pts, float dx)
{
    float b;
    if (!SideDepth(count, pts, dx, b))
        return;
    for (int k = 0; k < 32; ++k) {
        const float c = b == 0.0f ? 0.0f : ClampSpace(CircleTemplate69[2 + k].x * b * 0.002f);
        pts[2 + k].x = 2048.0f - c;
        pts[67 - k].x = c;
        pts[67 - k].y = pts[2 + k].y;
    }
    SetSideEnds(pts, b);
}

void RefitArcSides(int count, CFltPoint* pts, float dx)
{
    float b;
    if (!SideDepth(count, pts, dx, b))
        return;
    // The circle through the side's ends 1024 above and below its middle,
    // bulging by b; a depth of 0 is a straight side (and no division).
    const float r = b == 0.0f ? 0.0f : (b * b + 1048576.0f) / (2.0f * b);
    for (int k = 0; k < 32; ++k) {
        const float s = std::fabs(1024.0f - pts[2 + k].y);
        const float h = b == 0.0f ? 0.0f : ClampSpace(r - std::sqrt(std::max(0.0f, r * r - s * s)));
        pts[2 + k].x = 2048.0f - h;
        pts[67 - k].x = h;
    }
    SetSideEnds(pts, b);
}
