#include "geometry/CFltPoint.h"

#include "geometry/SymbolSpace.h"

#include <cmath>

void CFltPoint::SetFromPoint(const POINT& p)
{
    x = static_cast<float>(p.x);
    y = static_cast<float>(p.y);
    m_nXMode = 0;
    m_nYMode = 0;
}

bool CFltPoint::operator==(const CFltPoint& o) const
{
    return x == o.x && y == o.y && m_nXMode == o.m_nXMode && m_nYMode == o.m_nYMode;
}

CPoint CFltPoint::RoundToPoint() const
{
    return {RoundAddHalf(x), RoundAddHalf(y)};
}

static float ClampToSpace(float v)
{
    if (std::isnan(v))
        return kSymbolSpaceMin;
    if (v < kSymbolSpaceMin)
        return kSymbolSpaceMin;
    if (v > kSymbolSpaceMax)
        return kSymbolSpaceMax;
    return v;
}

void CFltPoint::ClampToSymbolSpace()
{
    x = ClampToSpace(x);
    y = ClampToSpace(y);
}

void CFltPoint::FitAspect(int width, int height, bool keepModes)
{
    if (m_nXMode != 0 && height < width) {
        const float r = static_cast<float>(height) / static_cast<float>(width);
        if (m_nXMode == kAnchorNear)
            x = r * x;
        else if (m_nXMode == kAnchorFar)
            x = 2048.0f - r * (2048.0f - x);
    }
    if (!keepModes)
        m_nXMode = 0;
    if (m_nYMode != 0 && width < height) {
        const float r = static_cast<float>(width) / static_cast<float>(height);
        if (m_nYMode == kAnchorNear)
            y = y * r;
        else if (m_nYMode == kAnchorFar)
            y = 2048.0f - (2048.0f - y) * r;
    }
    if (!keepModes)
        m_nYMode = 0;
    ClampToSymbolSpace();
}

void CFltPoint::FitAspectToRect(const RECT& rect, bool keepModes)
{
    FitAspect(rect.right - rect.left, rect.bottom - rect.top, keepModes);
}

// Scales one anchored coordinate outward by r, capped to the symbol space.
static float ScaleOutward(float v, int32_t mode, float r)
{
    if (mode == kAnchorNear) {
        const float out = r * v;
        return out > 2048.0f ? 2048.0f : out;
    }
    if (mode == kAnchorFar) {
        const float out = 2048.0f - r * (2048.0f - v);
        return out < 0.0f ? 0.0f : out;
    }
    return v;
}

void CFltPoint::ScaleAnchored(int width, int height, int32_t xMode, int32_t yMode)
{
    if (xMode != -1)
        m_nXMode = xMode;
    if (yMode != -1)
        m_nYMode = yMode;
    if (m_nXMode != 0 && height < width && height != 0)
        x = ScaleOutward(x, m_nXMode, static_cast<float>(width) / static_cast<float>(height));
    if (m_nYMode != 0 && width < height && width != 0)
        y = ScaleOutward(y, m_nYMode, static_cast<float>(height) / static_cast<float>(width));
    ClampToSymbolSpace();
}

void CFltPoint::ScaleAnchoredToRect(const RECT& rect, int32_t xMode, int32_t yMode)
{
    ScaleAnchored(rect.right - rect.left, rect.bottom - rect.top, xMode, yMode);
}
