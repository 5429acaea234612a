#include "shapes/FillDescription.h"

void CFillSpec::CopyMasked(const CFillSpec* source, const CFillMask* mask)
{
    if (!source || !mask)
        return;
    if (mask->m_bColor2)
        m_crColor2 = source->m_crColor2;
    if (mask->m_bColor1)
        m_crColor1 = source->m_crColor1;
    if (mask->m_bRest) {
        const COLORREF c1 = m_crColor1, c2 = m_crColor2;
        *this = *source;
        m_crColor1 = c1;
        m_crColor2 = c2;
    }
}

bool CFillSpec::IsEqual(const CFillSpec& o) const
{
    return m_nKind == o.m_nKind && m_crColor1 == o.m_crColor1 && m_nGamma == o.m_nGamma &&
           m_crColor2 == o.m_crColor2 && m_nAngle == o.m_nAngle && m_nFocus == o.m_nFocus &&
           m_nBand == o.m_nBand && m_nVariant == o.m_nVariant && m_nCentreX == o.m_nCentreX &&
           m_nCentreY == o.m_nCentreY && m_nIntensity == o.m_nIntensity && m_nGrowth == o.m_nGrowth;
}

bool CFillSpec::IsEquivalent(const CFillSpec& o) const
{
    if (m_nKind != o.m_nKind)
        return false;
    const bool colours = m_crColor1 == o.m_crColor1 && m_crColor2 == o.m_crColor2;
    switch (m_nKind) {
    case 0:
        return true;
    case 1:
        return m_crColor1 == o.m_crColor1;
    case 2:
        return colours && m_nGamma == o.m_nGamma && m_nAngle == o.m_nAngle && m_nFocus == o.m_nFocus &&
               m_nBand == o.m_nBand && m_nVariant == o.m_nVariant && m_nIntensity == o.m_nIntensity;
    case 3:
        return colours && m_nVariant == o.m_nVariant && m_nCentreX == o.m_nCentreX &&
               m_nCentreY == o.m_nCentreY && m_nGrowth == o.m_nGrowth && m_nIntensity == o.m_nIntensity;
    default:
        return IsEqual(o);
    }
}

int CFillSpec::SetColor(COLORREF color, int force)
{
    if (m_nKind == 0 && !force)
        return 0;
    if (color == kNoFillColor) {
        m_nKind = 0;
        return 0;
    }
    m_crColor1 = color;
    if (m_nKind == 0)
        m_nKind = 1;
    return 1;
}

int CFillSpec::DropBandVariant()
{
    if (m_nKind != 3 || m_nVariant != 2)
        return 0;
    m_nVariant = 0;
    return 1;
}
