#include "geometry/SymbolSpace.h"

#include "geometry/CFltPoint.h"

#include <cmath>

static float FractionOnAxis(LONG p, LONG low, LONG high)
{
    if (p == low)
        return kSymbolSpaceMin;
    if (p == high)
        return kSymbolSpaceMax;
    float f = static_cast<float>(static_cast<double>(p - low) * 2048.0 / static_cast<double>(high - low));
    if (f < kSymbolSpaceMin)
        f = kSymbolSpaceMin;
    if (f > kSymbolSpaceMax)
        f = kSymbolSpaceMax;
    return f;
}

int PointToSymbolFraction(float& fx, float& fy, const POINT& pt, const RECT& rect)
{
    fx = kSymbolSpaceCentre;
    fy = kSymbolSpaceCentre;
    if (pt.x < rect.left || pt.x > rect.right || pt.y < rect.top || pt.y > rect.bottom)
        return 0;
    fx = FractionOnAxis(pt.x, rect.left, rect.right);
    fy = FractionOnAxis(pt.y, rect.top, rect.bottom);
    return 1;
}

static void RotateAboutCentre(double& x, double& y, double angle)
{
    const double dx = x - 1024.0;
    const double dy = y - 1024.0;
    // The three special turns are recognised by their literal values, which is
    // what callers pass for them; anything else goes through the trigonometry.
    if (angle == 3.14159) {
        x = 1024.0 - dx;
        y = 1024.0 - dy;
    } else if (angle == 1.570795) {
        x = 1024.0 - dy;
        y = 1024.0 + dx;
    } else if (angle == -1.570795) {
        x = 1024.0 + dy;
        y = 1024.0 - dx;
    } else {
        const double r = std::sqrt(dx * dx + dy * dy);
        const double t = std::atan2(dy, dx);
        x = 1024.0 + r * std::cos(t + angle);
        y = 1024.0 + r * std::sin(t + angle);
    }
}

static double ScaleAxis(double v, int32_t mode, double size, double s)
{
    if (mode == kAnchorNear)
        return s * v / 2048.0;
    if (mode == kAnchorFar)
        return size - s * (2048.0 - v) / 2048.0;
    return size * v / 2048.0;
}

void MapNormPtToSize(CFltPoint& pt, double width, double height, double angle)
{
    double x = pt.x;
    double y = pt.y;
    if (angle != 0.0)
        RotateAboutCentre(x, y, angle);
    const double s = width < height ? width : height;
    pt.x = static_cast<float>(ScaleAxis(x, pt.m_nXMode, width, s));
    pt.y = static_cast<float>(ScaleAxis(y, pt.m_nYMode, height, s));
    pt.m_nXMode = 0;
    pt.m_nYMode = 0;
}

void MapNormPtToRect(CFltPoint& pt, const RECT& rect, double angle)
{
    MapNormPtToSize(pt, static_cast<double>(rect.right) - rect.left,
                    static_cast<double>(rect.bottom) - rect.top, angle);
    pt.x = static_cast<float>(static_cast<double>(pt.x) + rect.left);
    pt.y = static_cast<float>(static_cast<double>(pt.y) + rect.top);
}
