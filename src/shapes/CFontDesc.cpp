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
    // Every field counts: a font differing only in strike-out (or width,
    // angle, quality, pitch) is another font, kept apart when fonts are
    // listed and seen as a change by the property comparisons.
    const LOGFONT& a = m_lf;
    const LOGFONT& b = o.m_lf;
    return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfEscapement == b.lfEscapement &&
           a.lfOrientation == b.lfOrientation && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
           a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut && a.lfCharSet == b.lfCharSet &&
           a.lfOutPrecision == b.lfOutPrecision && a.lfClipPrecision == b.lfClipPrecision &&
           a.lfQuality == b.lfQuality && a.lfPitchAndFamily == b.lfPitchAndFamily &&
           std::strncmp(a.lfFaceName, b.lfFaceName, LF_FACESIZE) == 0;
}
