// The property keys that styles and objects share: the font keys, the figure
// property keys with the fill keys, and the connector property keys.
#include "document/CKavoDoc.h"
#include "document/OldNames.h"
#include "fileformat/CDiagramLoadObj.h"
#include "fileformat/DiagramRecordWriter.h"

#include <cstdlib>

namespace {
constexpr size_t kMaxFace = 31;
constexpr size_t kMaxSymbolName = 30;
// The fill colour that stands for "no fill" in the FillColor key.
constexpr COLORREF kNoFillKeyColor = RGB(1, 2, 3);
// Bits never written: transient figure bits and, of connectors, all but the
// line shape, flow and crossing bits and "do not print".
constexpr uint64_t kFigBehaviorWritten = ~((uint64_t(1) << 31) | (uint64_t(1) << 35) | (~uint64_t(0) << 42));
constexpr uint64_t kConBehaviorWritten = 0xFFu | (uint64_t(1) << 30);

uint64_t Word64(const FigFlagSet& f)
{
    return uint64_t(f.low) | (uint64_t(f.high) << 32);
}

void SetWord64(FigFlagSet& f, uint64_t v)
{
    f.low = DWORD(v);
    f.high = DWORD(v >> 32);
}

} // namespace

// ---- reading

int CDiagramLoadObj::ReadFontKey(const char*& p, LOGFONT& lf)
{
    const EKeyword key = LeadingKeyword(p);
    switch (key) {
    case KW_TypeSize:
    case KW_TypeWidth:
    case KW_TypeEsc:
    case KW_TypeOrient:
    case KW_TypeWeight:
    case KW_TypeItalic:
    case KW_TypeUnderl:
    case KW_TypeStrike:
    case KW_TypeCharset:
    case KW_TypeOutPrec:
    case KW_TypeClpPrec:
    case KW_TypeQuality:
    case KW_TypeFace: break;
    default: return -1;
    }
    MatchKeyword(p, key);
    int v = 0;
    auto readByte = [&](BYTE& field) {
        if (!ParseShortAsInt(p, v, 0, 255))
            return KWR_FAILED;
        field = BYTE(v);
        return KWR_DONE;
    };
    auto readFlag = [&](BYTE& field) {
        if (!ParseBool(p, v))
            return KWR_FAILED;
        field = BYTE(v);
        return KWR_DONE;
    };
    auto readLong = [&](LONG& field, int min, int max) {
        if (!ParseShortAsInt(p, v, min, max))
            return KWR_FAILED;
        field = v;
        return KWR_DONE;
    };
    switch (key) {
    case KW_TypeSize: {
        const int r = readLong(lf.lfHeight, -500, 500);
        if (r == KWR_DONE && m_dVersion >= 2.3)
            lf.lfHeight = -std::abs(lf.lfHeight);
        return r;
    }
    case KW_TypeWidth: return readLong(lf.lfWidth, 0, 32767);
    // Escapement and orientation are tenths of a degree.
    case KW_TypeEsc: return readLong(lf.lfEscapement, -3600, 3600);
    case KW_TypeOrient: return readLong(lf.lfOrientation, -3600, 3600);
    case KW_TypeWeight: return readLong(lf.lfWeight, 0, 32767);
    case KW_TypeItalic: return readFlag(lf.lfItalic);
    case KW_TypeUnderl: return readFlag(lf.lfUnderline);
    case KW_TypeStrike: return readFlag(lf.lfStrikeOut);
    case KW_TypeCharset: return readByte(lf.lfCharSet);
    case KW_TypeOutPrec: return readByte(lf.lfOutPrecision);
    case KW_TypeClpPrec: return readByte(lf.lfClipPrecision);
    case KW_TypeQuality: return readByte(lf.lfQuality);
    default: {
        std::string face;
        if (!ParseDelimitedCString(p, face, kMaxFace))
            return KWR_FAILED;
        ConvertAsIs(face);
        SetLogFontFace(lf, face.c_str());
        return KWR_DONE;
    }
    }
}

int CDiagramLoadObj::ReadFillKey(const char*& p, CFillSpec& fill)
{
    const EKeyword key = LeadingKeyword(p);
    int v = 0;
    auto readInt = [&](int32_t& field, int min, int max) { return ReadInt(p, field, min, max); };
    switch (key) {
    case KW_FillType:
    case KW_FillColorSolid:
    case KW_FillColorFrom:
    case KW_FillColorTo:
    case KW_FillGradientBlend:
    case KW_FillGradientIntensity:
    case KW_FillGammaCorrection:
    case KW_FillLinearGradientAngle:
    case KW_FillLinearGradientCenter:
    case KW_FillPlatform:
    case KW_FillGradientCenterX:
    case KW_FillGradientCenterY:
    case KW_FillGradientSpread: MatchKeyword(p, key); break;
    default: return -1;
    }
    switch (key) {
    case KW_FillType: return readInt(fill.m_nKind, 0, 3);
    // The solid colour and the end colour of a gradient are the first colour.
    case KW_FillColorSolid:
    case KW_FillColorTo: return ParseColor(p, fill.m_crColor1) ? KWR_DONE : KWR_FAILED;
    case KW_FillColorFrom: return ParseColor(p, fill.m_crColor2) ? KWR_DONE : KWR_FAILED;
    case KW_FillGradientBlend: return readInt(fill.m_nVariant, -32768, 32767);
    case KW_FillGradientIntensity: return readInt(fill.m_nIntensity, 0, 100);
    case KW_FillGammaCorrection:
        if (!ParseBool(p, v))
            return KWR_FAILED;
        fill.m_nGamma = v;
        return KWR_DONE;
    case KW_FillLinearGradientAngle: return readInt(fill.m_nAngle, 0, 360);
    case KW_FillLinearGradientCenter: return readInt(fill.m_nFocus, 0, 100);
    case KW_FillPlatform: return readInt(fill.m_nBand, 0, 100);
    case KW_FillGradientCenterX: return readInt(fill.m_nCentreX, 0, 100);
    case KW_FillGradientCenterY: return readInt(fill.m_nCentreY, 0, 100);
    default: return readInt(fill.m_nGrowth, 0, 100);
    }
}

int CDiagramLoadObj::ReadFigPropKey(const char*& p, CFigProps& props, bool* pbDropRecord)
{
    const int font = ReadFontKey(p, props.m_font.m_lf);
    if (font >= 0)
        return font;
    const int fill = ReadFillKey(p, props.m_fill);
    if (fill >= 0)
        return fill;
    const EKeyword key = LeadingKeyword(p);
    switch (key) {
    case KW_BorderColor:
    case KW_FillColor:
    case KW_TextColor:
    case KW_BorderWidth:
    case KW_Shadow:
    case KW_BindToStyle:
    case KW_PenStyle:
    case KW_TextFormat:
    case KW_Behavior:
    case KW_Symbol:
    case KW_Icon:
    case KW_HideText: MatchKeyword(p, key); break;
    default: return -1;
    }
    int v = 0;
    switch (key) {
    case KW_BorderColor: return ParseColor(p, props.BorderColor) ? KWR_DONE : KWR_FAILED;
    case KW_TextColor: return ParseColor(p, props.TextColor) ? KWR_DONE : KWR_FAILED;
    case KW_FillColor: {
        COLORREF c;
        if (!ParseColor(p, c))
            return KWR_FAILED;
        // The FillType key that follows restores the real kind.
        if (c == kNoFillKeyColor) {
            props.m_fill.m_nKind = 0;
        } else {
            props.m_fill.m_nKind = 1;
            props.m_fill.m_crColor1 = c;
        }
        return KWR_DONE;
    }
    case KW_BorderWidth: return ReadInt(p, props.BorderWidth, 0, 100);
    case KW_Shadow: {
        // A shadow choice: files hold TRUE/FALSE or the choice's number.
        const char* q = p;
        if (!SkipBlanks(q))
            return KWR_FAILED;
        if (*q >= '0' && *q <= '9') {
            if (!ParseShortAsInt(p, v, 0, 32767))
                return KWR_FAILED;
        } else if (!ParseBool(p, v)) {
            return KWR_FAILED;
        }
        props.Shadow = v;
        return KWR_DONE;
    }
    case KW_BindToStyle: return ReadFlag(p, props.BindToStyle);
    case KW_PenStyle: return ReadInt(p, props.PenStyle, 0, 23);
    case KW_TextFormat: {
        uint32_t u;
        if (!ParseUIntInRange(p, u, 0, 0xFFFF))
            return KWR_FAILED;
        props.TextFormat = WORD(u);
        return KWR_DONE;
    }
    case KW_Behavior: {
        uint64_t u;
        if (!ParseUInt64InRange(p, u, 0, ~uint64_t(0)))
            return KWR_FAILED;
        if (m_dVersion < 3.51)
            u ^= uint64_t(1) << 24;
        SetWord64(props.Behavior, u);
        return KWR_DONE;
    }
    case KW_HideText: {
        uint32_t u;
        if (!ParseUIntInRange(p, u, 0, 0xFFFFFFFF))
            return KWR_FAILED;
        props.HideText = int32_t(u);
        return KWR_DONE;
    }
    default: break;
    }
    // Symbol and Icon.
    std::string name;
    if (!ParseDelimitedCString(p, name, kMaxSymbolName))
        return KWR_FAILED;
    RenameOldSwimLaneSymbol(m_dVersion, name);
    // An icon names a figure symbol too, so it follows a pasted symbol's
    // new name like the figure's own symbol does.
    OnFigureSymbolName(name);
    const int index = m_pDoc->m_figSymbols.FindByName(name);
    if (index < 0) {
        m_nErrorCode = KWE_UNDEFINED_SYMBOL;
        if (key == KW_Symbol) {
            if (pbDropRecord)
                *pbDropRecord = true;
            return KWR_SKIP_REST;
        }
        return KWR_FAILED;
    }
    (key == KW_Symbol ? props.Symbol : props.Icon) = index;
    return KWR_DONE;
}

int CDiagramLoadObj::ReadConPropKey(const char*& p, CConProps& props, bool* pbDropRecord)
{
    const EKeyword key = LeadingKeyword(p);
    switch (key) {
    case KW_End1:
    case KW_End2:
    case KW_End1Length:
    case KW_End2Length:
    case KW_PenStyle:
    case KW_LineWidth:
    case KW_EndBorderWidth:
    case KW_Color:
    case KW_End1FillColor:
    case KW_End2FillColor:
    case KW_BindToStyle:
    case KW_Behavior:
    case KW_FIType:
    case KW_FISize:
    case KW_FIBdrWidth:
    case KW_FISpacing:
    case KW_FIBdrClr:
    case KW_FIFillClr:
    case KW_Join: MatchKeyword(p, key); break;
    default: return -1;
    }
    auto readInt = [&](int32_t& field, int min, int max) { return ReadInt(p, field, min, max); };
    switch (key) {
    case KW_End1:
    case KW_End2: {
        std::string name;
        if (!ParseDelimitedCString(p, name, kMaxSymbolName)) {
            if (pbDropRecord)
                *pbDropRecord = true;
            return KWR_SKIP_REST;
        }
        const int index = m_pDoc->m_endSymbols.FindByName(name);
        if (index < 0) {
            m_nErrorCode = KWE_UNDEFINED_SYMBOL;
            if (pbDropRecord)
                *pbDropRecord = true;
            return KWR_SKIP_REST;
        }
        (key == KW_End1 ? props.End1 : props.End2) = index;
        return KWR_DONE;
    }
    case KW_End1Length: return readInt(props.End1Length, 0, 16000);
    case KW_End2Length: return readInt(props.End2Length, 0, 16000);
    case KW_PenStyle: return readInt(props.PenStyle, 0, 23);
    case KW_LineWidth: return readInt(props.LineWidth, 0, 100);
    case KW_EndBorderWidth: return readInt(props.EndBorderWidth, 0, 100);
    case KW_Color: return ParseColor(p, props.Color) ? KWR_DONE : KWR_FAILED;
    case KW_End1FillColor: return ParseColor(p, props.End1FillColor) ? KWR_DONE : KWR_FAILED;
    case KW_End2FillColor: return ParseColor(p, props.End2FillColor) ? KWR_DONE : KWR_FAILED;
    case KW_BindToStyle: return ReadFlag(p, props.BindToStyle);
    case KW_Behavior: {
        uint64_t u;
        if (!ParseUInt64InRange(p, u, 0, ~uint64_t(0)))
            return KWR_FAILED;
        SetWord64(props.Behavior, u);
        return KWR_DONE;
    }
    case KW_FIType: {
        std::string name;
        if (!ParseDelimitedCString(p, name, kMaxSymbolName))
            return KWR_FAILED;
        // A stamp shape that is not known leaves no flow indicator.
        props.FIType = StampShapes().FindByName(name);
        return KWR_DONE;
    }
    case KW_FISize: return readInt(props.FISize, 0, 16000);
    case KW_FIBdrWidth: return readInt(props.FIBdrWidth, 0, 16000);
    case KW_FISpacing: return readInt(props.FISpacing, 0, 16000);
    case KW_FIBdrClr: return ParseColor(p, props.FIBdrClr) ? KWR_DONE : KWR_FAILED;
    case KW_FIFillClr: return ParseColor(p, props.FIFillClr) ? KWR_DONE : KWR_FAILED;
    default: return readInt(props.Join, 0, 8192);
    }
}

// ---- writing

BOOL WriteFontKeys(CKeywordWriter& w, const LOGFONT& lf)
{
    auto ifSet = [&](EKeyword key, int value) { return value == 0 || w.WriteShort(key, value); };
    auto flag = [&](EKeyword key, int value) { return value == 0 || w.WriteBool(key, true); };
    return w.WriteShort(KW_TypeSize, std::abs(lf.lfHeight)) && ifSet(KW_TypeWidth, lf.lfWidth) &&
           ifSet(KW_TypeEsc, lf.lfEscapement) && ifSet(KW_TypeOrient, lf.lfOrientation) &&
           ifSet(KW_TypeWeight, lf.lfWeight) && flag(KW_TypeItalic, lf.lfItalic) &&
           flag(KW_TypeUnderl, lf.lfUnderline) && flag(KW_TypeStrike, lf.lfStrikeOut) &&
           ifSet(KW_TypeCharset, lf.lfCharSet) && ifSet(KW_TypeOutPrec, lf.lfOutPrecision) &&
           ifSet(KW_TypeClpPrec, lf.lfClipPrecision) && ifSet(KW_TypeQuality, lf.lfQuality) &&
           w.WriteString(KW_TypeFace, lf.lfFaceName);
}

BOOL WriteFillKeys(CKeywordWriter& w, const CFillSpec& f)
{
    if (!w.WriteShort(KW_FillType, f.m_nKind))
        return FALSE;
    if (f.m_nKind == 1)
        return w.WriteColour(KW_FillColorSolid, f.m_crColor1);
    if (f.m_nKind != 2 && f.m_nKind != 3)
        return TRUE;
    BOOL ok = w.WriteColour(KW_FillColorFrom, f.m_crColor2) && w.WriteColour(KW_FillColorTo, f.m_crColor1) &&
              w.WriteShort(KW_FillGradientBlend, f.m_nVariant) &&
              w.WriteShort(KW_FillGradientIntensity, f.m_nIntensity) &&
              w.WriteBool(KW_FillGammaCorrection, f.m_nGamma != 0);
    if (f.m_nKind == 2)
        return ok && w.WriteShort(KW_FillLinearGradientAngle, f.m_nAngle) &&
               w.WriteShort(KW_FillLinearGradientCenter, f.m_nFocus) && w.WriteShort(KW_FillPlatform, f.m_nBand);
    return ok && w.WriteShort(KW_FillGradientCenterX, f.m_nCentreX) &&
           w.WriteShort(KW_FillGradientCenterY, f.m_nCentreY) && w.WriteShort(KW_FillGradientSpread, f.m_nGrowth);
}

BOOL WriteFigProps(CKeywordWriter& w, const CKavoDoc& doc, CFigProps& props)
{
    SetWord64(props.Behavior, Word64(props.Behavior) & kFigBehaviorWritten);
    const CFigSymbol* symbol = doc.m_figSymbols.GetAt(props.Symbol);
    if (!symbol)
        symbol = doc.m_figSymbols.GetAt(0);
    const CFigSymbol* icon = props.Icon >= 0 ? doc.m_figSymbols.GetAt(props.Icon) : nullptr;
    BOOL ok = (props.BorderColor == 0 || w.WriteColour(KW_BorderColor, props.BorderColor)) &&
              w.WriteColour(KW_FillColor, props.m_fill.m_nKind == 0 ? kNoFillKeyColor : props.m_fill.m_crColor1) &&
              (props.TextColor == 0 || w.WriteColour(KW_TextColor, props.TextColor)) &&
              (props.BorderWidth == 1 || w.WriteShort(KW_BorderWidth, props.BorderWidth));
    // A shadow choice beyond 1 is written as its number so that it survives.
    if (ok && props.Shadow)
        ok = props.Shadow == 1 ? w.WriteBool(KW_Shadow, true) : w.WriteShort(KW_Shadow, props.Shadow);
    ok = ok && (props.BindToStyle == 1 || w.WriteBool(KW_BindToStyle, props.BindToStyle != 0)) &&
         (props.PenStyle == 0 || w.WriteShort(KW_PenStyle, props.PenStyle)) &&
         w.WriteHex16(KW_TextFormat, props.TextFormat) && w.WriteHex64(KW_Behavior, Word64(props.Behavior)) &&
         w.WriteString(KW_Symbol, symbol ? symbol->m_strName : std::string()) &&
         (!icon || w.WriteString(KW_Icon, icon->m_strName)) && WriteFontKeys(w, props.m_font.m_lf);
    if (ok && props.HasGraphic()) {
        const CGraphic* g = doc.m_graphics.FindByHandle(props.m_nGraphicType, props.Graphic);
        if (g && g->Id != 0)
            ok = w.WriteInt(KW_Graphic, int32_t(g->Id));
    }
    ok = ok && (props.HideText == 0 || w.WriteHex32(KW_HideText, uint32_t(props.HideText)));
    return ok && WriteFillKeys(w, props.m_fill);
}

BOOL WriteConProps(CKeywordWriter& w, const CKavoDoc& doc, CConProps& props)
{
    SetWord64(props.Behavior, Word64(props.Behavior) & kConBehaviorWritten);
    auto endName = [&](int index) {
        const CShapeDef* s = doc.m_endSymbols.GetAt(index);
        return s ? s->m_strName : std::string();
    };
    BOOL ok = w.WriteString(KW_End1, endName(props.End1)) && w.WriteString(KW_End2, endName(props.End2)) &&
              w.WriteShort(KW_End1Length, props.End1Length) && w.WriteShort(KW_End2Length, props.End2Length) &&
              (props.PenStyle == 0 || w.WriteShort(KW_PenStyle, props.PenStyle)) &&
              (props.LineWidth == 1 || w.WriteShort(KW_LineWidth, props.LineWidth)) &&
              (props.EndBorderWidth == 1 || w.WriteShort(KW_EndBorderWidth, props.EndBorderWidth)) &&
              (props.Color == 0 || w.WriteColour(KW_Color, props.Color)) &&
              (props.End1FillColor == 0 || w.WriteColour(KW_End1FillColor, props.End1FillColor)) &&
              (props.End2FillColor == 0 || w.WriteColour(KW_End2FillColor, props.End2FillColor)) &&
              (props.BindToStyle == 1 || w.WriteBool(KW_BindToStyle, props.BindToStyle != 0)) &&
              w.WriteHex64(KW_Behavior, Word64(props.Behavior));
    const CShapeDef* fi = props.FIType >= 0 ? StampShapes().GetAt(props.FIType) : nullptr;
    if (ok && fi)
        ok = w.WriteString(KW_FIType, fi->m_strName) && w.WriteShort(KW_FISize, props.FISize) &&
             w.WriteShort(KW_FIBdrWidth, props.FIBdrWidth) && w.WriteShort(KW_FISpacing, props.FISpacing) &&
             w.WriteColour(KW_FIBdrClr, props.FIBdrClr) && w.WriteColour(KW_FIFillClr, props.FIFillClr);
    return ok && (props.Join == 0 || w.WriteShort(KW_Join, props.Join));
}
