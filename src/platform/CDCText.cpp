// CDC: text measuring.
#include "platform/CDC.h"

#include "platform/CDeviceFont.h"
#include "platform/GdiRounding.h"

#include <QFontDatabase>

#include <cstring>

// ---- Text ----

int CDC::DeviceFontHeight() const
{
    const int h = m_s.logFont.lfHeight;
    if (h == 0)
        return 0;
    // Glyphs are made at most this many pixels tall (a damaged size would
    // otherwise ask the rasteriser for absurd glyphs).
    constexpr int kMaxFontPixels = 8192;
    const int dev = std::clamp(ScaleRound(std::abs(qint64(h)), std::abs(qint64(m_s.viewportExt.cy)),
                                          std::abs(qint64(m_s.windowExt.cy))),
                               1, kMaxFontPixels);
    return h < 0 ? -dev : dev;
}

const CDeviceFont& CDC::DeviceFont() const
{
    const int height = DeviceFontHeight();
    const int width = std::min(ScaleRound(std::abs(qint64(m_s.logFont.lfWidth)), std::abs(qint64(m_s.viewportExt.cx)),
                                          std::abs(qint64(m_s.windowExt.cx))),
                               8192);
    if (!m_font || !(m_fontLog == m_s.logFont) || m_fontHeight != height || m_fontWidth != width) {
        m_font = std::make_unique<CDeviceFont>(m_s.logFont, height, width);
        m_fontLog = m_s.logFont;
        m_fontHeight = height;
        m_fontWidth = width;
    }
    return *m_font;
}

bool CDC::TextOut(int x, int y, const char* text, int count)
{
    if (!text || count < 0)
        return false;
    return ExtTextOut(x, y, 0, nullptr, text, UINT(count), nullptr);
}

bool CDC::GetTextExtentPoint32(const char* text, int count, SIZE* size) const
{
    if (!size || count < 0 || (count > 0 && !text))
        return false;
    const CDeviceFont& font = DeviceFont();
    int width = 0;
    for (int i = 0; i < count; ++i)
        width += font.Advance(static_cast<unsigned char>(text[i]));
    SIZE dev{width, font.Height()};
    DPtoLP(&dev);
    *size = dev;
    return true;
}

CSize CDC::GetTextExtent(const char* text, int count) const
{
    SIZE s{};
    GetTextExtentPoint32(text, count, &s);
    return CSize(s.cx, s.cy);
}

bool CDC::GetTextMetrics(TEXTMETRIC* tm) const
{
    if (!tm)
        return false;
    DeviceFont().FillTextMetrics(tm, m_s.logFont);
    // Metrics are reported in logical units.
    auto toLogY = [&](LONG& v) {
        SIZE s{0, v};
        DPtoLP(&s);
        v = s.cy;
    };
    auto toLogX = [&](LONG& v) {
        SIZE s{v, 0};
        DPtoLP(&s);
        v = s.cx;
    };
    toLogY(tm->tmHeight);
    toLogY(tm->tmAscent);
    toLogY(tm->tmDescent);
    toLogY(tm->tmInternalLeading);
    toLogY(tm->tmExternalLeading);
    toLogX(tm->tmAveCharWidth);
    toLogX(tm->tmMaxCharWidth);
    return true;
}

bool CDC::GetCharABCWidths(UINT first, UINT last, ABC* abc) const
{
    if (!abc || first > last || last > 255)
        return false;
    const CDeviceFont& font = DeviceFont();
    if (!font.IsValid())
        return false;
    for (UINT c = first; c <= last; ++c) {
        ABC v = font.AbcOf(static_cast<unsigned char>(c));
        SIZE a{v.abcA, 0}, b{LONG(v.abcB), 0}, cc{v.abcC, 0};
        DPtoLP(&a);
        DPtoLP(&b);
        DPtoLP(&cc);
        abc[c - first] = ABC{a.cx, UINT(b.cx), cc.cx};
    }
    return true;
}

bool CDC::GetCharWidth(UINT first, UINT last, int* widths) const
{
    if (!widths || first > last || last > 255)
        return false;
    const CDeviceFont& font = DeviceFont();
    for (UINT c = first; c <= last; ++c) {
        SIZE s{font.Advance(static_cast<unsigned char>(c)), 0};
        DPtoLP(&s);
        widths[c - first] = s.cx;
    }
    return true;
}

UINT CDC::GetOutlineTextMetrics(UINT cb, OUTLINETEXTMETRIC* otm) const
{
    const CDeviceFont& font = DeviceFont();
    if (!font.IsValid())
        return 0;
    if (!otm)
        return OUTLINETEXTMETRIC_SIZE;
    if (cb < sizeof(UINT))
        return 0;
    OUTLINETEXTMETRIC out;
    out.otmSize = OUTLINETEXTMETRIC_SIZE;
    GetTextMetrics(&out.otmTextMetrics);
    // The selection bits are the face file's own (its OS/2 table): bit 0x20 set
    // means the face is bold itself, clear under a heavy weight means the
    // rasteriser emboldens a regular face.
    const QByteArray os2 = font.Raw().fontTable("OS/2");
    if (os2.size() >= 64) {
        out.otmfsSelection = (UINT(uchar(os2[62])) << 8) | UINT(uchar(os2[63]));
    } else if (font.Raw().weight() >= QFont::DemiBold) {
        // Faces without that table (Type 1): bold when the family has a bold style.
        const QString family = font.Raw().familyName();
        for (const QString& style : QFontDatabase::styles(family))
            if (QFontDatabase::bold(family, style))
                out.otmfsSelection |= 0x20;
    }
    out.otmEMSquare = UINT(font.Raw().unitsPerEm());
    out.otmAscent = out.otmTextMetrics.tmAscent;
    out.otmDescent = -out.otmTextMetrics.tmDescent;
    *otm = out;
    return OUTLINETEXTMETRIC_SIZE;
}

int CDC::GetTextFace(int count, char* face) const
{
    const int len = int(strnlen(m_s.logFont.lfFaceName, LF_FACESIZE));
    if (!face || count <= 0)
        return len + 1;
    const int n = std::min(len, count - 1);
    std::memcpy(face, m_s.logFont.lfFaceName, size_t(n));
    face[n] = 0;
    return n;
}

