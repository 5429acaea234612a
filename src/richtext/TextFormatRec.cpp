#include "richtext/TextFormatRec.h"

#include "richtext/MarkupBuilder.h"
#include "richtext/MarkupQueries.h"

void TextFormatRec::Init()
{
    font = LOGFONT();
    color = kNoColor;
    align = 0;
    sub = super = colorFixed = 0;
}

void TextFormatRec::SetFromMarkup(const std::string& prefix)
{
    if (prefix.empty())
        return;
    uint16_t a = align;
    if (GetAlignFromMarkup(prefix, a))
        align = a;
    GetCharFormatFromMarkup(prefix, font);
    COLORREF c = 0;
    if (GetColorFromMarkup(prefix, c))
        color = c;
}

void TextFormatRec::SetAttributes(int bold, int italic, int underline, int subscript, int superscript,
                                  COLORREF textColor, int size, const char* face, uint32_t alignWord)
{
    if (bold != -1)
        font.lfWeight = bold ? 700 : 0;
    if (italic != -1)
        font.lfItalic = BYTE(italic ? 1 : 0);
    if (underline != -1)
        font.lfUnderline = BYTE(underline ? 1 : 0);
    if (subscript != -1)
        sub = subscript ? 1 : 0;
    if (superscript != -1)
        super = superscript ? 1 : 0;
    if (textColor != kNoColor)
        color = textColor;
    if (size != 0)
        font.lfHeight = -size;
    if (face)
        SetLogFontFace(font, face);
    if (alignWord & 0xFFFF)
        align = uint16_t(alignWord);
}

TextFormatRec MakeTextFormat(const char* face, int points, uint16_t align, COLORREF color)
{
    TextFormatRec f;
    f.Init();
    f.font.lfHeight = -points;
    SetLogFontFace(f.font, face);
    f.align = align;
    f.color = color;
    return f;
}

bool TextFormatRec::BuildPrefix(std::string& out) const
{
    return BuildMarkupFontPrefix(out, align, font, color, kMarkupPrefixLimit);
}
