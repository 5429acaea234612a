#include "document/ShadowDescription.h"

#include <cmath>
#include <initializer_list>

void CShadowSpec::SetDefaults()
{
    m_nType = 0;
    m_crColor = 0;
    m_nOffsetX = 8;
    m_nOffsetY = 8;
    m_nBlur = 4;
    m_nOpacity = 153;
}

bool CShadowSpec::IsVisible() const
{
    return m_nType == 1 && m_nOpacity >= 5 && (m_nOffsetX != 0 || m_nOffsetY != 0 || m_nBlur != 0);
}

namespace {
int ScaleRounded(int v, double factor)
{
    const double r = std::floor(v * factor + 0.5);
    if (r >= 2147483647.0)
        return 2147483647;
    if (r <= -2147483648.0)
        return -2147483647 - 1;
    return int(r);
}
} // namespace

void CShadowSpec::Scale(double factor)
{
    if (!(factor > 0) || factor > 1000 || factor == 1)
        return;
    m_nOffsetX = ScaleRounded(m_nOffsetX, factor);
    m_nOffsetY = ScaleRounded(m_nOffsetY, factor);
    m_nBlur = ScaleRounded(m_nBlur, factor);
}

void CShadowSpec::GetShadowRect(CRect& rc) const
{
    if (m_nType != 1)
        return;
    const CRect own = rc;
    CRect shadow = rc;
    shadow.InflateRect(m_nBlur, m_nBlur);
    shadow.OffsetRect(m_nOffsetX, m_nOffsetY);
    rc.UnionRect(own, shadow);
}

bool CShadowSpec::InStoredRange() const
{
    for (int32_t v : {m_nType, m_nOffsetX, m_nOffsetY, m_nBlur, m_nOpacity})
        if (v < -32768 || v > 32767)
            return false;
    return m_crColor <= 0xFFFFFF;
}

bool CShadowSpec::operator==(const CShadowSpec& o) const
{
    return m_nType == o.m_nType && m_crColor == o.m_crColor && m_nOffsetX == o.m_nOffsetX &&
           m_nOffsetY == o.m_nOffsetY && m_nBlur == o.m_nBlur && m_nOpacity == o.m_nOpacity;
}

void CShadowSpec::CopyMasked(const CShadowSpec* s, const CShadowFieldMask* m)
{
    if (!s || !m)
        return;
    if (m->m_bType) m_nType = s->m_nType;
    if (m->m_bColor) m_crColor = s->m_crColor;
    if (m->m_bOffsetX) m_nOffsetX = s->m_nOffsetX;
    if (m->m_bOffsetY) m_nOffsetY = s->m_nOffsetY;
    if (m->m_bBlur) m_nBlur = s->m_nBlur;
    if (m->m_bOpacity) m_nOpacity = s->m_nOpacity;
}

bool CShadowSpec::IsSameEffect(const CShadowSpec& o) const
{
    if (m_nType != o.m_nType)
        return false;
    if (m_nType == 0)
        return true;
    return m_nType == 1 && *this == o;
}
