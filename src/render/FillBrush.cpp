#include "render/FillBrush.h"

#include <cmath>
#include <numbers>

namespace {

// The bell blend as sampled factors: 0 at the ends, 1 at the focus.
void BellBlend(double focus, std::vector<float>& factors, std::vector<float>& positions)
{
    constexpr int kSteps = 16;
    for (int i = 0; i <= kSteps; ++i) {
        const double pos = double(i) / kSteps;
        const double d = pos <= focus ? (focus > 0 ? pos / focus : 1.0)
                                      : (focus < 1 ? (1 - pos) / (1 - focus) : 1.0);
        positions.push_back(float(pos));
        factors.push_back(float((1 - std::cos(std::numbers::pi * d)) / 2));
    }
}

void CopyBlend(const FillBrushDesc& d, CGpBrush& brush)
{
    if (d.bell) {
        BellBlend(d.bellFocus, brush.blendFactors, brush.blendPositions);
        return;
    }
    for (double f : d.blendFactors)
        brush.blendFactors.push_back(float(f));
    for (double p : d.blendPositions)
        brush.blendPositions.push_back(float(p));
}

} // namespace

bool GpBrushFromFill(const CFillSpec& fill, const CRect& rect, CGpBrush& brush)
{
    const FillBrushDesc d = fill.CreateBrush(rect);
    brush = CGpBrush{};
    switch (d.kind) {
    case FillBrushDesc::None:
        return false;
    case FillBrushDesc::Solid:
        brush.kind = GpBrushKind::Solid;
        brush.color = ColorRefToARGB(d.colorA);
        return true;
    case FillBrushDesc::Linear:
        if (rect.Width() <= 0 || rect.Height() <= 0)
            return false;
        brush.kind = GpBrushKind::LinearGradient;
        brush.rect = QRectF(rect.left, rect.top, rect.Width(), rect.Height());
        brush.angle = float(d.angle);
        brush.angleIsScalable = true;
        brush.color1 = ColorRefToARGB(d.colorA);
        brush.color2 = ColorRefToARGB(d.colorB);
        brush.gammaCorrection = d.gamma;
        CopyBlend(d, brush);
        return true;
    case FillBrushDesc::Radial: {
        if (d.ellipseWidth <= 0 || d.ellipseHeight <= 0)
            return false;
        brush.kind = GpBrushKind::PathGradient;
        constexpr int kSides = 64;
        const double cx = d.ellipseLeft + d.ellipseWidth / 2, cy = d.ellipseTop + d.ellipseHeight / 2;
        for (int i = 0; i < kSides; ++i) {
            const double a = 2 * std::numbers::pi * i / kSides;
            brush.pathPoints.emplace_back(cx + d.ellipseWidth / 2 * std::cos(a),
                                          cy + d.ellipseHeight / 2 * std::sin(a));
        }
        brush.centerPoint = QPointF(d.centreX, d.centreY);
        brush.centerColor = ColorRefToARGB(d.colorB);
        brush.surroundColors = {ColorRefToARGB(d.colorA)};
        brush.gammaCorrection = d.gamma;
        CopyBlend(d, brush);
        return true;
    }
    }
    return false;
}
