#pragma once
// A font at a device pixel size, as the device context measures and draws text:
// glyphs looked up for Windows-1252 bytes, whole-pixel advances (GDI widths are
// integers), no kerning, and the cell metrics of a LOGFONT height.
#include "platform/GdiTypes.h"
#include "platform/LogFont.h"

#include <QFont>
#include <QRawFont>
#include <QRectF>

#include <array>

class CDeviceFont {
public:
    CDeviceFont() = default;
    // heightPx: the LOGFONT height mapped to device pixels (negative: character
    // height, positive: cell height, 0: the default size); widthPx: the average
    // character width asked for (0: the face's own proportions).
    CDeviceFont(const LOGFONT& lf, int heightPx, int widthPx = 0);

    bool IsValid() const { return m_raw.isValid(); }
    const QFont& Font() const { return m_font; }
    const QRawFont& Raw() const { return m_raw; }
    quint32 Glyph(unsigned char ch) const { return m_glyph[ch]; }
    int Advance(unsigned char ch) const { return m_advance[ch]; }
    ABC AbcOf(unsigned char ch) const;
    // The pixels a character's glyph can cover, from its origin on the
    // baseline (y down); empty for a blank glyph. Looked up once a character.
    const QRectF& InkOf(unsigned char ch) const;
    int Ascent() const { return m_ascent; }
    int Descent() const { return m_descent; }
    int Height() const { return m_ascent + m_descent; }
    int EmPixels() const { return m_em; }
    void FillTextMetrics(TEXTMETRIC* tm, const LOGFONT& lf) const;

    // The QFont a LOGFONT asks for at a pixel em size (face, weight, italic,
    // underline, strike-out; the escapement is applied when drawing).
    static QFont QFontFromLogFont(const LOGFONT& lf, int emPixels);

private:
    void Build(bool symbolCharset);

    QFont m_font;
    QRawFont m_raw;
    int m_em = 0;
    int m_ascent = 0;
    int m_descent = 0;
    std::array<quint32, 256> m_glyph{};
    std::array<int, 256> m_advance{};
    mutable std::array<QRectF, 256> m_ink{};
    mutable std::array<bool, 256> m_inkKnown{};
};
