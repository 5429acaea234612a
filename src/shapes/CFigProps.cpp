#include "shapes/CFigProps.h"

#include "shapes/CFigSymbol.h"

#include <iterator>

int CFigProps::operator==(const CFigProps& o) const
{
    return BorderColor == o.BorderColor && TextColor == o.TextColor && BorderWidth == o.BorderWidth &&
           Shadow == o.Shadow && Symbol == o.Symbol && Icon == o.Icon && m_font.IsEqual(o.m_font) &&
           TextFormat == o.TextFormat && Behavior == o.Behavior && m_nGraphicType == o.m_nGraphicType &&
           Graphic == o.Graphic && BindToStyle == o.BindToStyle && PenStyle == o.PenStyle &&
           HideText == o.HideText && m_fill.IsEqual(o.m_fill);
}

void CFigProps::Clear()
{
    SetDefaults();
    Icon = -1;
    BorderColor = TextColor = 0;
    BorderWidth = Shadow = Symbol = 0;
    m_fill.m_nKind = 0;
    m_font.InitDefault();
    TextFormat = 0;
    m_nGraphicType = 0;
    Graphic = nullptr;
    BindToStyle = PenStyle = HideText = 0;
    Behavior = FigFlagSet();
    SetFigFlagsPresetE(Behavior);
}

void CFigProps::ResetForSheet(int plain)
{
    SetDefaults();
    if (plain) {
        BindToStyle = 0;
        Symbol = 1;
        SetDocFigFlagsDefault(Behavior);
        m_fill.m_nKind = 0;
    } else {
        Symbol = 0;
        BindToStyle = 1;
        SetSymbolFigFlags(Behavior);
        m_fill.m_nKind = 1;
        m_fill.m_crColor1 = 0xFFFFFF;
    }
    // Expanding to the right goes with left-aligned text, and so on.
    WORD horz = 0, vert = 0;
    if (Behavior.low & 4)
        horz = 1;
    else if (Behavior.low & 2)
        horz = 2;
    else if (Behavior.low & 1)
        horz = 4;
    if (Behavior.low & 8)
        vert = 16;
    else if (Behavior.low & 16)
        vert = 32;
    else if (Behavior.low & 32)
        vert = 64;
    TextFormat = static_cast<WORD>(horz | vert);
}

int CFigProps::SetTextAlign(unsigned bit, int alsoBehavior, DWORD* changed)
{
    if (TextFormat & bit)
        return 0;
    if (bit <= 7)
        TextFormat = static_cast<WORD>((TextFormat & ~7u) | bit);
    else
        TextFormat = static_cast<WORD>((TextFormat & ~0x70u) | bit);
    if (!alsoBehavior)
        return 1;
    DWORD mapped = 0;
    switch (bit) {
    case 1: mapped = 4; break;
    case 2: mapped = 2; break;
    case 4: mapped = 1; break;
    case 16: mapped = 8; break;
    case 32: mapped = 16; break;
    case 64: mapped = 32; break;
    default: return 1;
    }
    if (Behavior.low & mapped)
        return 1;
    const FigFlagSet old = Behavior;
    Behavior.low &= (mapped & 0x38) ? ~0x38u : ~7u;
    Behavior.low |= mapped;
    if (changed) {
        changed[0] = old.low ^ Behavior.low;
        changed[1] = old.high ^ Behavior.high;
    }
    return 1;
}

void CFigProps::SetFillForSymbol(const CFigSymbol* symbol)
{
    m_fill.m_nKind = 1;
    m_fill.m_crColor1 = 0xFFFFFF;
    if (symbol && symbol->m_nFillPos < 0)
        m_fill.m_nKind = 0;
}

void CFigProps::CopyMasked(const CFigProps* s, const CFigPropMask* m)
{
    if (!s || !m)
        return;
    if (m->m_bBorderColor) BorderColor = s->BorderColor;
    if (m->m_bTextColor) TextColor = s->TextColor;
    if (m->m_bBorderWidth) BorderWidth = s->BorderWidth;
    if (m->m_bShadow) Shadow = s->Shadow;
    if (m->m_bTextFormat) TextFormat = s->TextFormat;
    if (m->m_bBindToStyle) BindToStyle = s->BindToStyle;
    if (m->m_bFont) m_font = s->m_font;
    if (m->m_bPenStyle) PenStyle = s->PenStyle;
    if (m->m_bHideText) HideText = s->HideText;
    if (m->m_bShape) {
        Symbol = s->Symbol;
        Icon = s->Icon;
        m_nGraphicType = s->m_nGraphicType;
        Graphic = s->Graphic;
    }
    if (m->m_behavior.low || m->m_behavior.high) {
        Behavior.low = (m->m_behavior.low & s->Behavior.low) | (~m->m_behavior.low & Behavior.low);
        Behavior.high = (m->m_behavior.high & s->Behavior.high) | (~m->m_behavior.high & Behavior.high);
    }
    if (m->m_fill.AnySet())
        m_fill.CopyMasked(&s->m_fill, &m->m_fill);
}

namespace {

constexpr DWORD kHigh1 = 1, kHigh2 = 2, kHigh4 = 4, kHigh16 = 16, kHigh32 = 32, kHigh64 = 64,
                kHigh128 = 128, kHigh256 = 256, kHigh512 = 512;

void High(FigFlagSet& f, DWORD bits, bool set) { SetExclusiveFlag(f, 0, bits, set); }
void Low(FigFlagSet& f, DWORD bit, bool set) { SetExclusiveFlag(f, bit, 0, set); }

struct NamedAlign {
    const char* name;
    unsigned horz;   // 4 left, 2 centred, 1 right
    unsigned vert;   // 64 top, 32 middle, 16 bottom
};

constexpr NamedAlign kStubAligns[] = {
    {"stub state left", 4, 32}, {"stub state right", 1, 32},
    {"stub state top", 2, 64}, {"stub state bottom", 2, 16},
};
constexpr NamedAlign kMessageFlowAligns[] = {
    {"message flow left", 4, 32}, {"message flow right", 1, 32}, {"message flow upl", 4, 16},
    {"message flow dnl", 4, 64}, {"message flow upr", 1, 16}, {"message flow dnr", 1, 64},
};

} // namespace

void CFigProps::ApplyStubPreset(int p)
{
    High(Behavior, kHigh256, p != 0);
    High(Behavior, kHigh512, p != 0);
    for (DWORD h : {kHigh16, kHigh32, kHigh128, kHigh64})
        High(Behavior, h, false);
    Low(Behavior, 0x4000, true);
    Low(Behavior, 0x20000, true);
    Low(Behavior, 0x400000, false);
    Low(Behavior, 0x800000, false);
    Low(Behavior, 128, true);
    Low(Behavior, 256, true);
}

void CFigProps::ApplySpecialPreset(int a, int b, int c, int d)
{
    Low(Behavior, 0x1000000, true);
    High(Behavior, kHigh2, a != 0);
    High(Behavior, kHigh1, a != 0);
    High(Behavior, kHigh256, b != 0);
    High(Behavior, kHigh512, c != 0);
    High(Behavior, kHigh128, false);
    High(Behavior, kHigh64, false);
    High(Behavior, kHigh4, d != 0);
}

void CFigProps::AlignByName(const std::string& name, bool stub)
{
    const NamedAlign* begin = stub ? std::begin(kStubAligns) : std::begin(kMessageFlowAligns);
    const NamedAlign* end = stub ? std::end(kStubAligns) : std::end(kMessageFlowAligns);
    for (const NamedAlign* a = begin; a != end; ++a) {
        if (name == a->name) {
            SetTextAlign(a->horz, 1, nullptr);
            SetTextAlign(a->vert, 1, nullptr);
            return;
        }
    }
}

void CFigProps::InitForSymbol(const CFigSymbol* symbol)
{
    if (!symbol)
        return;
    if (symbol->m_nFillPos < 0)
        m_fill.m_nKind = 0;
    if (symbol->Silhouette) {
        m_fill.m_nKind = 1;
        m_fill.m_crColor1 = 0;
        BorderColor = 0;
        BorderWidth = 1;
    }
    const std::string& name = symbol->m_strName;
    if (symbol->IsBracketedName()) {
        m_fill.m_nKind = 0;
        Low(Behavior, 1, true);
        Low(Behavior, 32, true);
        High(Behavior, kHigh16, false);
        High(Behavior, kHigh32, false);
        ApplySpecialPreset(1, 0, 0, 0);
        return;
    }
    if (symbol->IsKind(6) || symbol->IsKind(29)) {   // activation, lifeline
        Low(Behavior, 0x8000000, true);
        Low(Behavior, 0x10000000, true);
        High(Behavior, kHigh256, true);
        High(Behavior, kHigh512, false);
        High(Behavior, kHigh16, true);
        High(Behavior, kHigh32, false);
        Low(Behavior, 0x2000000, false);
        High(Behavior, kHigh4, true);
        High(Behavior, kHigh2, true);
        High(Behavior, kHigh128, false);
        High(Behavior, kHigh64, false);
        return;
    }
    if (symbol->IsKind(7)) {   // fork/join
        ApplySpecialPreset(0, 1, 1, 1);
        return;
    }
    if (symbol->IsKind(59) || symbol->IsKind(60)) {   // complex ports
        ApplySpecialPreset(0, 0, 0, 1);
        return;
    }
    if (name.compare(0, 10, "stub state") == 0) {
        ApplyStubPreset(1);
        AlignByName(name, true);
    } else if (name.compare(0, 12, "message flow") == 0) {
        ApplyStubPreset(0);
        AlignByName(name, false);
    }
}
