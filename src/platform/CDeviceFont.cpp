#include "platform/CDeviceFont.h"

#include "platform/Ansi.h"

#include <QFontInfo>
#include <QString>

#include <cmath>

QFont CDeviceFont::QFontFromLogFont(const LOGFONT& lf, int emPixels)
{
    QFont font(QString::fromLatin1(lf.lfFaceName, int(strnlen(lf.lfFaceName, LF_FACESIZE))));
    if (lf.lfFaceName[0] == 0)
        font.setFamily(QStringLiteral("Arial"));
    font.setPixelSize(std::max(1, emPixels));
    // LOGFONT weights are 100..900; Qt 6 uses the same scale.
    const int weight = lf.lfWeight == FW_DONTCARE ? FW_NORMAL : std::clamp(int(lf.lfWeight), 1, 1000);
    font.setWeight(QFont::Weight(weight));
    font.setItalic(lf.lfItalic != 0);
    font.setUnderline(lf.lfUnderline != 0);
    font.setStrikeOut(lf.lfStrikeOut != 0);
    font.setKerning(false);
    font.setHintingPreference(QFont::PreferFullHinting);
    // Quality 3 asks for glyphs without anti-aliasing (the value of the
    // non-anti-aliased quality in LOGFONT).
    constexpr BYTE kNonAntialiasedQuality = 3;
    font.setStyleStrategy(QFont::StyleStrategy(
        QFont::PreferOutline | (lf.lfQuality == kNonAntialiasedQuality ? QFont::NoAntialias : 0)));
    return font;
}

CDeviceFont::CDeviceFont(const LOGFONT& lf, int heightPx, int widthPx)
{
    int em = heightPx < 0 ? -heightPx : heightPx;
    if (heightPx == 0)
        em = 12;
    m_font = QFontFromLogFont(lf, em);
    m_raw = QRawFont::fromFont(m_font);
    if (heightPx > 0 && m_raw.isValid()) {
        // A positive height is the cell height (ascent + descent): scale the em.
        const double cell = m_raw.ascent() + m_raw.descent();
        if (cell > 0) {
            em = std::max(1, int(std::lround(double(em) * em / cell)));
            m_font.setPixelSize(em);
            m_raw = QRawFont::fromFont(m_font);
        }
    }
    m_em = em;
    const bool symbol = lf.lfCharSet == SYMBOL_CHARSET;
    Build(symbol);
    if (widthPx > 0 && m_raw.isValid() && m_advance['x'] > 0) {
        // A width narrows or widens the glyphs: stretch so that the average
        // character width (taken as the width of 'x') matches.
        const int stretch = std::clamp(int(std::lround(100.0 * widthPx / m_advance['x'])), 1, 4000);
        if (stretch != 100) {
            m_font.setStretch(stretch);
            m_raw = QRawFont::fromFont(m_font);
            Build(symbol);
        }
    }
}

void CDeviceFont::Build(bool symbolCharset)
{
    if (!m_raw.isValid())
        return;
    m_ascent = int(std::ceil(m_raw.ascent() - 0.01));
    m_descent = int(std::ceil(m_raw.descent() - 0.01));
    QString chars;
    for (int c = 0; c < 256; ++c)
        chars.append(QChar(AnsiByteToUnicode(static_cast<unsigned char>(c))));
    QVector<quint32> glyphs = m_raw.glyphIndexesForString(chars);
    if (glyphs.size() != 256)
        return;
    if (symbolCharset) {
        // Symbol fonts keep their glyphs at U+F000 + byte; Latin-1 when absent.
        QString symbols;
        for (int c = 0; c < 256; ++c)
            symbols.append(QChar(char16_t(0xF000 + c)));
        const QVector<quint32> sym = m_raw.glyphIndexesForString(symbols);
        for (int c = 0; c < 256 && c < sym.size(); ++c) {
            if (sym[c] != 0)
                glyphs[c] = sym[c];
            else if (glyphs[c] == 0)
                glyphs[c] = m_raw.glyphIndexesForString(QString(QChar(char16_t(c)))).value(0);
        }
    }
    const QVector<QPointF> adv = m_raw.advancesForGlyphIndexes(glyphs, QRawFont::SeparateAdvances);
    for (int c = 0; c < 256; ++c) {
        m_glyph[size_t(c)] = glyphs[c];
        m_advance[size_t(c)] = c < adv.size() ? int(std::lround(adv[c].x())) : 0;
    }
}

const QRectF& CDeviceFont::InkOf(unsigned char ch) const
{
    if (!m_inkKnown[ch]) {
        m_ink[ch] = m_raw.isValid() ? m_raw.boundingRect(m_glyph[ch]) : QRectF();
        m_inkKnown[ch] = true;
    }
    return m_ink[ch];
}

ABC CDeviceFont::AbcOf(unsigned char ch) const
{
    ABC abc;
    const int advance = m_advance[ch];
    if (!m_raw.isValid())
        return ABC{0, UINT(std::max(0, advance)), 0};
    const QRectF box = m_raw.boundingRect(m_glyph[ch]);
    if (box.isEmpty()) {
        // A blank glyph (space): all advance is black box, as GDI reports it.
        return ABC{0, UINT(std::max(0, advance)), 0};
    }
    abc.abcA = int(std::floor(box.left()));
    const int right = int(std::ceil(box.right()));
    abc.abcB = UINT(std::max(1, right - abc.abcA));
    abc.abcC = advance - abc.abcA - int(abc.abcB);
    return abc;
}

void CDeviceFont::FillTextMetrics(TEXTMETRIC* tm, const LOGFONT& lf) const
{
    *tm = TEXTMETRIC{};
    tm->tmAscent = m_ascent;
    tm->tmDescent = m_descent;
    tm->tmHeight = m_ascent + m_descent;
    tm->tmInternalLeading = std::max(0, tm->tmHeight - m_em);
    tm->tmExternalLeading = m_raw.isValid() ? int(std::lround(m_raw.leading())) : 0;
    tm->tmAveCharWidth = m_advance['x'];
    int maxWidth = 0;
    for (int a : m_advance)
        maxWidth = std::max(maxWidth, a);
    tm->tmMaxCharWidth = maxWidth;
    tm->tmWeight = lf.lfWeight == FW_DONTCARE ? FW_NORMAL : lf.lfWeight;
    tm->tmDigitizedAspectX = 96;
    tm->tmDigitizedAspectY = 96;
    tm->tmFirstChar = 0x20;
    tm->tmLastChar = 0xFF;
    tm->tmDefaultChar = 0x1F;
    tm->tmBreakChar = 0x20;
    tm->tmItalic = lf.lfItalic;
    tm->tmUnderlined = lf.lfUnderline;
    tm->tmStruckOut = lf.lfStrikeOut;
    // Low bit set means variable pitch (the bit's inverted meaning), plus TrueType.
    tm->tmPitchAndFamily = BYTE((lf.lfPitchAndFamily & 0xF0) | 0x01 | 0x04);
    tm->tmCharSet = lf.lfCharSet;
}
