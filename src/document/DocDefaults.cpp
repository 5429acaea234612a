#include "document/DocDefaults.h"

#include "core/Settings.h"

int ShadowEffectType = 0;
int g_nSelfReferenceRadius = 64;
int g_bKeepLinks = 0;

CShadowSpec GetAppShadowDefault()
{
    return CShadowSpec(ShadowEffectType, ShadowColor, ShadowX, ShadowY, ShadowBlurRadius, ShadowOpacity);
}

void SetAppShadowDefault(const CShadowSpec& s)
{
    ShadowEffectType = s.m_nType;
    ShadowColor = s.m_crColor;
    ShadowX = s.m_nOffsetX;
    ShadowY = s.m_nOffsetY;
    ShadowBlurRadius = s.m_nBlur;
    ShadowOpacity = s.m_nOpacity;
}

void ResetDocDefaults()
{
    ShadowEffectType = 0;
    g_nSelfReferenceRadius = 64;
    g_bKeepLinks = 0;
}
