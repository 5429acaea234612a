#include "shapes/FillDescription.h"

namespace {
// One channel of the second colour moved toward the first: A + (B - A) x i / 100,
// rounded half away from zero.
int BlendChannel(int a, int b, int intensity)
{
    const int num = (b - a) * intensity;
    const int q = num >= 0 ? (num + 50) / 100 : -((-num + 50) / 100);
    const int v = a + q;
    return v < 0 ? 0 : (v > 255 ? 255 : v);
}
} // namespace

COLORREF CFillSpec::GetBlendedColor2() const
{
    if (m_nIntensity >= 100)
        return m_crColor2;
    const COLORREF a = m_crColor1, b = m_crColor2;
    return RGB(BlendChannel(GetRValue(a), GetRValue(b), m_nIntensity),
               BlendChannel(GetGValue(a), GetGValue(b), m_nIntensity),
               BlendChannel(GetBValue(a), GetBValue(b), m_nIntensity));
}

FillBrushDesc CFillSpec::CreateBrush(const CRect& rc) const
{
    FillBrushDesc d;
    if (m_nKind == 0)
        return d;
    if (m_nKind == 1) {
        d.kind = FillBrushDesc::Solid;
        d.colorA = m_crColor1;
        return d;
    }
    COLORREF a = m_crColor1;
    COLORREF b = GetBlendedColor2();
    d.gamma = m_nGamma != 0;
    const double w = rc.Width(), h = rc.Height();
    if (m_nKind == 2) {
        if (m_nVariant == 1 && m_nAngle >= 180)
            std::swap(a, b);
        d.kind = FillBrushDesc::Linear;
        d.colorA = a;
        d.colorB = b;
        d.angle = m_nAngle;
        if (m_nVariant == 1) {
            d.bell = true;
            d.bellFocus = m_nFocus / 100.0;
        } else if (m_nVariant == 2) {
            const double half = (1.0 - m_nBand / 100.0) / 2.0;
            d.blendFactors = {0, 0.5, 0.5, 1};
            d.blendPositions = {0, half, 1 - half, 1};
        } else if (m_nFocus != 50) {
            d.blendFactors = {0, 0.5, 1};
            d.blendPositions = {0, m_nFocus / 100.0, 1};
        }
        return d;
    }
    d.kind = FillBrushDesc::Radial;
    d.colorA = a;   // surround
    d.colorB = b;   // centre
    const double grow = (1.0 + m_nGrowth / 100.0) * 1.415;
    d.ellipseWidth = w * grow;
    d.ellipseHeight = h * grow;
    d.ellipseLeft = rc.left + w / 2.0 - d.ellipseWidth / 2.0;
    d.ellipseTop = rc.top + h / 2.0 - d.ellipseHeight / 2.0;
    d.centreX = rc.left + w * m_nCentreX / 100.0;
    d.centreY = rc.top + h * m_nCentreY / 100.0;
    if (m_nVariant == 1) {
        d.bell = true;
        d.bellFocus = 1.0;
    } else if (m_nVariant == 2) {
        d.blendFactors = {0, 1, 1};
        d.blendPositions = {0, 1 - m_nBand / 100.0, 1};
    }
    return d;
}
