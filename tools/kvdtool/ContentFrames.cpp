// The frames the special shapes share: their point templates, refitted the
// way a drag of their handle refits them, so that a shape from the library
// is one the handle could have made.
#include "ContentLibraries.h"

#include "shapes/DividedShapeRefit.h"
#include "shapes/DividedShapeTemplates.h"

#include <cmath>

namespace {
constexpr float kScale = 2.048f;   // the templates' 1000 grid in symbol units

float Three(float v)
{
    return float(std::round(double(v) * 1000.0) / 1000.0);
}

std::vector<CFltPoint> Rounded3(std::vector<CFltPoint> pts)
{
    for (CFltPoint& p : pts) {
        p.x = Three(p.x);
        p.y = Three(p.y);
    }
    return pts;
}
} // namespace

std::vector<CFltPoint> RoundedFrame(float rx, float ry)
{
    std::vector<CFltPoint> pts;
    for (const TemplatePt& t : RoundedRectTemplate69)
        pts.emplace_back(t.x * kScale, t.y * kScale);
    // The template's rounding reference is its point 16 across and point 0
    // down: radius 191 on the grid.
    RefitRoundedCorners(int(pts.size()), pts.data(), rx - pts[16].x, ry - pts[0].y);
    return Rounded3(std::move(pts));
}

std::vector<CFltPoint> RoundSidesFrame(float b, bool arc)
{
    // The straight top and bottom, then the right side top to bottom on the
    // circle's heights, the bottom, the left side bottom to top; the refit
    // sets every x.
    std::vector<CFltPoint> pts(69);
    pts[0] = {0, 0};
    pts[1] = {2048, 0};
    for (int k = 0; k < 32; ++k)
        pts[size_t(2 + k)] = {2048, CircleTemplate69[2 + k].y * kScale};
    pts[34] = {2048, 2048};
    pts[35] = {0, 2048};
    for (int k = 0; k < 32; ++k)
        pts[size_t(67 - k)] = {0, pts[size_t(2 + k)].y};
    pts[68] = {0, 0};
    if (arc)
        RefitArcSides(69, pts.data(), b);
    else
        RefitRoundSides(69, pts.data(), b);
    return Rounded3(std::move(pts));
}

SymbolSketch RectFrame(const std::string& name, int width, int height)
{
    SymbolSketch s(name, width, height);
    const double w = width, h = height;
    s.FillRect(s.Whole()).Rect(s.Whole()).HotZone({{0, 0}, {w, 0}, {w, h}, {0, h}}).SidePoints();
    return s;
}
