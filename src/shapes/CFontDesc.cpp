#include "shapes/CFontDesc.h"

#include <cstring>

void CFontDesc::InitDefault()
{
    m_lf = LOGFONT();
    m_lf.lfHeight = -8;
    SetLogFontFace(m_lf, "Arial");
}

bool CFontDesc::IsEqual(const CFontDesc& o) const
{
    return m_lf.lfHeight == o.m_lf.lfHeight && m_lf.lfWeight == o.m_lf.lfWeight &&
           m_lf.lfItalic == o.m_lf.lfItalic && m_lf.lfCharSet == o.m_lf.lfCharSet &&
           m_lf.lfUnderline == o.m_lf.lfUnderline &&
           std::strncmp(m_lf.lfFaceName, o.m_lf.lfFaceName, LF_FACESIZE) == 0;
}
