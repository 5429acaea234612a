#include "richtext/MarkupScanner.h"

#include <cstdlib>
#include <cstring>

namespace {

template <class T>
bool SetCurrent(ScanAttr<T>& a, T value)
{
    if (a.current == value)
        return false;
    a.current = value;
    a.changed = true;
    return true;
}

// A face name longer than the field is cut to fit, always terminated.
void CopyFace(char* dst, const char* src)
{
    const size_t length = ::strnlen(src, kMarkupFaceLen - 1);
    std::memcpy(dst, src, length);
    dst[length] = 0;
}

// Replaces the alignment group `mask` of the word with `bits`.
uint16_t WithAlignGroup(uint16_t word, uint16_t mask, uint16_t bits)
{
    return uint16_t((word & ~mask) | bits);
}

} // namespace

MarkupScanner::MarkupScanner()
{
    align.current = align.committed = 0x22;
}

MarkupScanner::~MarkupScanner()
{
    EndDC();
}

void MarkupScanner::Init(const TextFormatRec* format)
{
    state = kScanText;
    depth = 0;
    colorCount = 0;
    fontCount = 0;
    nameLen = 0;
    nameBuf[0] = 0;
    color.current = 0;
    appliedColor = kNoColor;
    sub.current = super.current = 0;
    align.current = 0x44;
    baseFont = LOGFONT();
    baseFont.lfHeight = -8;
    SetLogFontFace(baseFont, "Arial");
    // Without a font in the format the size and face stay unknown (0 and
    // empty), so that any size or face word in the text counts as a change.
    bold.current = italic.current = underline.current = 0;
    size.current = 0;
    face.current[0] = 0;
    if (format) {
        sub.current = format->sub ? 1 : 0;
        super.current = format->super ? 1 : 0;
        align.current = format->align;
        color.current = format->color;
        colorFixed = format->colorFixed;
        if (format->font.lfHeight != 0) {
            baseFont = format->font;
            bold.current = format->font.lfWeight == 700 ? 1 : 0;
            italic.current = format->font.lfItalic ? 1 : 0;
            underline.current = format->font.lfUnderline ? 1 : 0;
            size.current = format->font.lfHeight < 0 ? -format->font.lfHeight : format->font.lfHeight;
            CopyFace(face.current, format->font.lfFaceName);
        }
    }
    appliedSub = sub.current;
    appliedSuper = super.current;
    Commit();
}

void MarkupScanner::ApplyStateChange(int kind)
{
    switch (kind) {
    case Mk::Font:
        if (state == kScanGroupStart)
            state = kScanFontEntry;
        break;
    case Mk::ColorTable:
        state = kScanColorTable;
        break;
    case Mk::FontTable:
        state = kScanFontTable;
        break;
    case Mk::GroupOpen:
        if (depth < kMarkupGroupDepth) {
            stack[depth++] = state;
            state = kScanGroupStart;
        }
        break;
    case Mk::GroupClose:
        if (depth > 0)
            state = stack[--depth];
        break;
    default:
        break;
    }
}

void MarkupScanner::ApplyTableToken(int kind, char ch, int param)
{
    if (state == kScanColorTable) {
        if (kind == Mk::Red)
            red = param;
        else if (kind == Mk::Green)
            green = param;
        else if (kind == Mk::Blue) {
            blue = param;
            if (!IsReadOnly() && colorCount < kMarkupTableMax)
                colorTable[colorCount++] = RGB(red & 0xFF, green & 0xFF, blue & 0xFF);
        }
        return;
    }
    if (state != kScanFontEntry)
        return;
    if (kind == Mk::Font) {
        nameLen = 0;
        nameBuf[0] = 0;
    } else if (kind == Mk::Char && ch == ';' && !IsReadOnly()) {
        if (fontCount < kMarkupTableMax)
            CopyFace(fontTable[fontCount++], nameBuf);
        nameLen = 0;
        nameBuf[0] = 0;
    } else if (kind == Mk::Char && nameLen < kMarkupFaceLen - 1) {
        // Longer names are cut to the buffer.
        nameBuf[nameLen++] = ch;
        nameBuf[nameLen] = 0;
    }
}

bool MarkupScanner::ApplyFormatToken(int kind, int param)
{
    switch (kind) {
    case Mk::Bold:
        return SetCurrent(bold, param != 0 ? 1 : 0);
    case Mk::Italic:
        return SetCurrent(italic, param != 0 ? 1 : 0);
    case Mk::Underline:
        return SetCurrent(underline, param != 0 ? 1 : 0);
    case Mk::Font: {
        if (fontCount == 0)
            return false;
        const int index = param >= 0 && param < fontCount ? param : 0;
        SetLogFontFace(baseFont, fontTable[index]);
        if (std::strncmp(face.current, fontTable[index], kMarkupFaceLen) == 0)
            return false;
        CopyFace(face.current, fontTable[index]);
        face.changed = true;
        return true;
    }
    case Mk::FontSize:
        return SetCurrent(size, param / 2);
    case Mk::ColorIndex: {
        if (colorFixed || colorCount == 0)
            return false;
        const int index = param >= 0 && param < colorCount ? param : 0;
        return SetCurrent(color, colorTable[index]);
    }
    case Mk::Sub: {
        const bool a = SetCurrent(sub, 1);
        const bool b = SetCurrent(super, 0);
        return a || b;
    }
    case Mk::Super: {
        const bool a = SetCurrent(super, 1);
        const bool b = SetCurrent(sub, 0);
        return a || b;
    }
    case Mk::NoSuperSub: {
        const bool a = SetCurrent(sub, 0);
        const bool b = SetCurrent(super, 0);
        return a || b;
    }
    case Mk::AlignLeft:
        return SetCurrent(align, WithAlignGroup(align.current, 0x07, 0x04));
    case Mk::AlignRight:
        return SetCurrent(align, WithAlignGroup(align.current, 0x07, 0x01));
    case Mk::AlignCenter:
        return SetCurrent(align, WithAlignGroup(align.current, 0x07, 0x02));
    case Mk::VAlignTop:
        return SetCurrent(align, WithAlignGroup(align.current, 0x70, 0x40));
    case Mk::VAlignBottom:
        return SetCurrent(align, WithAlignGroup(align.current, 0x70, 0x10));
    case Mk::VAlignCenter:
        return SetCurrent(align, WithAlignGroup(align.current, 0x70, 0x20));
    default:
        return true;   // not a format token: nothing to call redundant
    }
}

void MarkupScanner::ApplyToken(int kind, char ch, int param, bool& anyChange, bool& redundant)
{
    redundant = false;
    anyChange = false;
    ApplyStateChange(kind);
    if (state != kScanText) {
        ApplyTableToken(kind, ch, param);
        return;
    }
    redundant = !ApplyFormatToken(kind, param);
    anyChange = HasChanges();
}

void MarkupScanner::ApplyToken(int kind, char ch, int param)
{
    bool anyChange = false, redundant = false;
    ApplyToken(kind, ch, param, anyChange, redundant);
}

void MarkupScanner::Commit()
{
    bold.committed = bold.current;
    italic.committed = italic.current;
    underline.committed = underline.current;
    color.committed = color.current;
    std::memcpy(face.committed, face.current, kMarkupFaceLen);
    size.committed = size.current;
    sub.committed = sub.current;
    super.committed = super.current;
    align.committed = align.current;
    bold.changed = italic.changed = underline.changed = color.changed = false;
    face.changed = size.changed = sub.changed = super.changed = align.changed = false;
}

void MarkupScanner::SwapCommitted()
{
    std::swap(bold.committed, bold.current);
    std::swap(italic.committed, italic.current);
    std::swap(underline.committed, underline.current);
    std::swap(color.committed, color.current);
    std::swap(face.committed, face.current);
    std::swap(size.committed, size.current);
    std::swap(sub.committed, sub.current);
    std::swap(super.committed, super.current);
    std::swap(align.committed, align.current);
}

bool MarkupScanner::HasChanges() const
{
    return bold.changed || italic.changed || underline.changed || color.changed || face.changed ||
           size.changed || sub.changed || super.changed || align.changed;
}

bool MarkupScanner::DiffersFromCommitted() const
{
    return bold.committed != bold.current || italic.committed != italic.current ||
           underline.committed != underline.current || color.committed != color.current ||
           std::strncmp(face.committed, face.current, kMarkupFaceLen) != 0 || size.committed != size.current ||
           sub.committed != sub.current || super.committed != super.current ||
           align.committed != align.current;
}

void MarkupScanner::CopyCommitted(const MarkupScanner& o)
{
    bold.committed = o.bold.committed;
    italic.committed = o.italic.committed;
    underline.committed = o.underline.committed;
    color.committed = o.color.committed;
    std::memcpy(face.committed, o.face.committed, kMarkupFaceLen);
    size.committed = o.size.committed;
    sub.committed = o.sub.committed;
    super.committed = o.super.committed;
    align.committed = o.align.committed;
    colorFixed = o.colorFixed;
}

bool MarkupScanner::SameCommitted(const MarkupScanner& o) const
{
    return bold.committed == o.bold.committed && italic.committed == o.italic.committed &&
           underline.committed == o.underline.committed && color.committed == o.color.committed &&
           std::strncmp(face.committed, o.face.committed, kMarkupFaceLen) == 0 &&
           size.committed == o.size.committed && sub.committed == o.sub.committed &&
           super.committed == o.super.committed && align.committed == o.align.committed;
}

void MarkupScanner::SetAttributes(int b, int i, int u, int subscript, int superscript, COLORREF textColor,
                                  int points, const char* faceName, uint32_t alignWord)
{
    if (b != -1)
        bold.committed = b ? 1 : 0;
    if (i != -1)
        italic.committed = i ? 1 : 0;
    if (u != -1)
        underline.committed = u ? 1 : 0;
    if (subscript != -1)
        sub.committed = appliedSub = subscript ? 1 : 0;
    if (superscript != -1)
        super.committed = appliedSuper = superscript ? 1 : 0;
    if (textColor != kNoColor)
        color.committed = textColor;
    if (points != 0)
        size.committed = points;
    if (faceName)
        CopyFace(face.committed, faceName);
    if (alignWord & 0xFFFF)
        align.committed = uint16_t(alignWord);
}

bool MarkupScanner::ApplyToLogFont(LOGFONT& lf)
{
    bool fontChanged = false;
    if (bold.changed) {
        lf.lfWeight = bold.current ? 700 : 0;
        bold.changed = false;
        fontChanged = true;
    }
    if (italic.changed) {
        lf.lfItalic = BYTE(italic.current);
        italic.changed = false;
        fontChanged = true;
    }
    if (underline.changed) {
        lf.lfUnderline = BYTE(underline.current);
        underline.changed = false;
        fontChanged = true;
    }
    if (size.changed) {
        lf.lfHeight = -size.current;
        size.changed = false;
        fontChanged = true;
    }
    const bool scriptChanged = sub.changed || super.changed;
    // A text whose size is unknown scales the font it has.
    const int points = size.current ? size.current : std::abs(int(lf.lfHeight));
    if (scriptChanged && (sub.current != appliedSub || super.current != appliedSuper)) {
        lf.lfHeight = (sub.current || super.current) ? -(points * 6 / 10) : -points;
        appliedSub = sub.current;
        appliedSuper = super.current;
        fontChanged = true;
    } else if (!scriptChanged && (sub.current || super.current) && fontChanged) {
        // A size change inside a sub- or superscript keeps the reduced height.
        lf.lfHeight = -(points * 6 / 10);
    }
    sub.changed = super.changed = false;
    if (color.changed) {
        appliedColor = color.current;
        color.changed = false;
        fontChanged = true;
    }
    if (face.changed) {
        SetLogFontFace(lf, face.current);
        face.changed = false;
        fontChanged = true;
    }
    return fontChanged;
}
