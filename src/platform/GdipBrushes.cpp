#include "platform/GdipBrushes.h"

#include <algorithm>
#include <cmath>

CGpBrush MakeSolidBrush(ARGB color)
{
    CGpBrush b;
    b.kind = GpBrushKind::Solid;
    b.color = color;
    return b;
}

CGpBrush MakeLinearGradient(const QRectF& rect, ARGB color1, ARGB color2, float angle,
                            bool angleIsScalable)
{
    CGpBrush b;
    b.kind = GpBrushKind::LinearGradient;
    b.rect = rect;
    b.color1 = color1;
    b.color2 = color2;
    b.angle = angle;
    b.angleIsScalable = angleIsScalable;
    return b;
}

CGpBrush MakePathGradient(const QPainterPath& path)
{
    CGpBrush b;
    b.kind = GpBrushKind::PathGradient;
    const QPolygonF outline = path.toFillPolygon();
    b.pathPoints.assign(outline.begin(), outline.end());
    b.centerPoint = path.boundingRect().center();
    b.centerColor = 0xFFFFFFFF;
    b.surroundColors = {0xFFFFFFFF};
    return b;
}

namespace {

// A smooth 0..1 rise over t in 0..1 (a normal distribution's integral,
// normalised so that it starts at 0 and ends at 1).
double Sigma(double t)
{
    const double k = 2.0;   // spread in standard deviations on each side
    auto cdf = [&](double x) { return 0.5 * (1.0 + std::erf((x - 0.5) * 2 * k / std::sqrt(2.0))); };
    const double lo = cdf(0), hi = cdf(1);
    return (cdf(t) - lo) / (hi - lo);
}

void SetShape(CGpBrush& brush, float focus, float scale, bool bell)
{
    focus = std::clamp(focus, 0.0f, 1.0f);
    scale = std::clamp(scale, 0.0f, 1.0f);
    brush.blendFactors.clear();
    brush.blendPositions.clear();
    brush.presetColors.clear();
    brush.presetPositions.clear();
    const int steps = bell ? 32 : 1;
    auto add = [&](double pos, double factor) {
        brush.blendPositions.push_back(float(pos));
        brush.blendFactors.push_back(float(factor * scale));
    };
    // Rising part from 0 at position 0 to 1 at the focus, then falling to 0.
    if (focus > 0) {
        for (int i = 0; i <= steps; ++i) {
            const double t = double(i) / steps;
            add(focus * t, bell ? Sigma(t) : t);
        }
    } else {
        add(0, 1);
    }
    if (focus < 1) {
        for (int i = 1; i <= steps; ++i) {
            const double t = double(i) / steps;
            add(focus + (1 - focus) * t, bell ? 1 - Sigma(t) : 1 - t);
        }
    }
}

} // namespace

void SetBlendBellShape(CGpBrush& brush, float focus, float scale)
{
    // Approximation: the curve's spread is fixed at two standard deviations on
    // each side of the focus.
    SetShape(brush, focus, scale, true);
}

void SetBlendTriangularShape(CGpBrush& brush, float focus, float scale)
{
    SetShape(brush, focus, scale, false);
}
