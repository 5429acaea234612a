// Filling, merging and counting the figure and connector property masks.
#include "shapes/CConPropMask.h"
#include "shapes/CConProps.h"
#include "shapes/CFigPropMask.h"
#include "shapes/CFigProps.h"

#include <array>
#include <cstring>

namespace {
int Flag(bool differs)
{
    return differs ? 1 : 0;
}

// Picture blocks compared byte for byte; two null handles are equal.
bool SameGraphicData(HGLOBAL a, HGLOBAL b)
{
    if (a == b)
        return true;
    if (!a || !b || GlobalSize(a) != GlobalSize(b))
        return false;
    CGlobalLock la(a), lb(b);
    if (!la.data() || !lb.data())
        return la.data() == lb.data();
    return std::memcmp(la.data(), lb.data(), la.size()) == 0;
}

bool ShapeDiffers(const CFigProps& a, const CFigProps& b)
{
    if (a.m_nGraphicType != 0 || b.m_nGraphicType != 0)
        return a.m_nGraphicType != b.m_nGraphicType || !SameGraphicData(a.Graphic, b.Graphic);
    return a.Symbol != b.Symbol || a.Icon != b.Icon;
}

bool FillRestDiffers(const CFillSpec& a, const CFillSpec& b)
{
    CFillSpec x = a;
    x.m_crColor1 = b.m_crColor1;
    x.m_crColor2 = b.m_crColor2;
    return !x.IsEqual(b);
}

int CountFlags(const int32_t* flags, int n)
{
    int count = 0;
    for (int i = 0; i < n; ++i)
        count += flags[i] != 0;
    return count;
}

void OrFlags(int32_t* into, const int32_t* from, int n)
{
    for (int i = 0; i < n; ++i)
        into[i] |= from[i];
}

int Bits(DWORD word, DWORD bits)
{
    return (word & bits) ? 1 : 0;
}
} // namespace

namespace {
// The plain int32 flags of each mask, in order, for setting, counting and merging.
std::array<int32_t*, 10> FigFlagsOf(const CFigPropMask& cm)
{
    auto& m = const_cast<CFigPropMask&>(cm);
    return {&m.m_bBorderColor, &m.m_bTextColor,   &m.m_bBorderWidth, &m.m_bShadow,    &m.m_bTextFormat,
            &m.m_bFont,        &m.m_bBindToStyle, &m.m_bShape,       &m.m_bPenStyle, &m.m_bHideText};
}

std::array<int32_t*, 19> ConFlagsOf(const CConPropMask& cm)
{
    auto& m = const_cast<CConPropMask&>(cm);
    return {&m.m_bEnd1,          &m.m_bEnd2,          &m.m_bEnd1Length,  &m.m_bEnd2Length, &m.m_bPenStyle,
            &m.m_bLineWidth,     &m.m_bEndBorderWidth, &m.m_bColor,      &m.m_bEnd1FillColor,
            &m.m_bEnd2FillColor, &m.m_bBindToStyle,   &m.m_bFurther,     &m.m_bFIType,      &m.m_bFISize,
            &m.m_bFIBdrWidth,    &m.m_bFISpacing,     &m.m_bFIBdrClr,    &m.m_bFIFillClr,   &m.m_bJoin};
}

template <size_t N>
void SetFlagArray(const std::array<int32_t*, N>& flags, int32_t value)
{
    for (int32_t* f : flags)
        *f = value;
}

template <size_t N>
void OrFlagArray(const std::array<int32_t*, N>& into, const std::array<int32_t*, N>& from)
{
    for (size_t i = 0; i < N; ++i)
        *into[i] |= *from[i];
}

template <size_t N>
int CountFlagArray(const std::array<int32_t*, N>& flags)
{
    int count = 0;
    for (const int32_t* f : flags)
        count += *f != 0;
    return count;
}
} // namespace

void CFigPropMask::SetAll(int32_t value)
{
    SetFlagArray(FigFlagsOf(*this), value);
    for (int32_t& f : m_bSheet)
        f = value;
    m_behavior = value ? FigFlagSet{0xFFFFFFFF, kFigBehaviorHighProps} : FigFlagSet{};
    m_fill.SetAll(value);
}

void CFigPropMask::SetDiff(const CFigProps& a, const CFigProps& b)
{
    *this = CFigPropMask();
    m_bBorderColor = Flag(a.BorderColor != b.BorderColor);
    m_bTextColor = Flag(a.TextColor != b.TextColor);
    m_bBorderWidth = Flag(a.BorderWidth != b.BorderWidth);
    m_bShadow = Flag(a.Shadow != b.Shadow);
    m_bTextFormat = Flag(a.TextFormat != b.TextFormat);
    m_bFont = Flag(!a.m_font.IsEqual(b.m_font));
    m_bBindToStyle = Flag(a.BindToStyle != b.BindToStyle);
    m_bShape = Flag(ShapeDiffers(a, b));
    m_bPenStyle = Flag(a.PenStyle != b.PenStyle);
    m_bHideText = Flag(a.HideText != b.HideText);
    // The mask holds the differing bits themselves, so that applying it
    // copies every changed bit.
    m_behavior.low = (a.Behavior.low ^ b.Behavior.low) & kFigBehaviorLowProps;
    m_behavior.high = (a.Behavior.high ^ b.Behavior.high) & kFigBehaviorHighProps;
    m_fill.m_bColor1 = Flag(a.m_fill.m_crColor1 != b.m_fill.m_crColor1);
    m_fill.m_bColor2 = Flag(a.m_fill.m_crColor2 != b.m_fill.m_crColor2);
    m_fill.m_bRest = Flag(FillRestDiffers(a.m_fill, b.m_fill));
}

void CFigPropMask::OrWith(const CFigPropMask& o)
{
    OrFlagArray(FigFlagsOf(*this), FigFlagsOf(o));
    OrFlags(m_bSheet, o.m_bSheet, kSheetFlags);
    m_behavior.low |= o.m_behavior.low;
    m_behavior.high |= o.m_behavior.high;
    m_fill.OrWith(o.m_fill);
}

int CountFigBehaviorBits(const FigFlagSet& m)
{
    const DWORD lo = m.low, hi = m.high;
    int count = Bits(lo, 1 | 2 | 4) + Bits(lo, 8 | 16 | 32);
    for (DWORD bit : {0x40u, 0x80u, 0x100u, 0x1000u, 0x2000u})
        count += Bits(lo, bit);
    count += Bits(lo, 0x4000 | 0x8000 | 0x10000) + Bits(lo, 0x20000 | 0x40000);
    for (int bit = 19; bit <= 30; ++bit)
        if (bit != 26)
            count += Bits(lo, DWORD(1) << bit);
    for (DWORD bit : {0x1u, 0x2u, 0x10u, 0x20u, 0x40u, 0x80u, 0x100u, 0x200u})
        count += Bits(hi, bit);
    return count;
}

int CFigPropMask::CountSet() const
{
    return CountFlagArray(FigFlagsOf(*this)) + CountFlags(m_bSheet, kSheetFlags) + CountFigBehaviorBits(m_behavior) +
           m_fill.CountSet();
}

void CFigPropMaskEx::SetAll(int32_t value)
{
    CFigPropMask::SetAll(value);
    for (int32_t& f : m_bEx)
        f = value;
}

void CFigPropMaskEx::OrWith(const CFigPropMaskEx& o)
{
    CFigPropMask::OrWith(o);
    OrFlags(m_bEx, o.m_bEx, 10);
}

int CFigPropMaskEx::CountSet() const
{
    return CFigPropMask::CountSet() + CountFlags(m_bEx, 10);
}

// ---- connector masks

void CConPropMask::SetAll(int32_t value)
{
    SetFlagArray(ConFlagsOf(*this), value);
    m_behavior = value ? FigFlagSet{0xFFFF | kConBehaviorProps, 0} : FigFlagSet{};
}

void CConPropMask::SetDiff(const CConProps& a, const CConProps& b)
{
    *this = CConPropMask();
    m_bEnd1 = Flag(a.End1 != b.End1);
    m_bEnd2 = Flag(a.End2 != b.End2);
    m_bEnd1Length = Flag(a.End1Length != b.End1Length);
    m_bEnd2Length = Flag(a.End2Length != b.End2Length);
    m_bPenStyle = Flag(a.PenStyle != b.PenStyle);
    m_bLineWidth = Flag(a.LineWidth != b.LineWidth);
    m_bEndBorderWidth = Flag(a.EndBorderWidth != b.EndBorderWidth);
    m_bColor = Flag(a.Color != b.Color);
    m_bEnd1FillColor = Flag(a.End1FillColor != b.End1FillColor);
    m_bEnd2FillColor = Flag(a.End2FillColor != b.End2FillColor);
    m_bBindToStyle = Flag(a.BindToStyle != b.BindToStyle);
    m_behavior.low = (a.Behavior.low ^ b.Behavior.low) & kConBehaviorProps;
    m_bJoin = Flag(a.Join != b.Join);
    m_bFIType = Flag(a.FIType != b.FIType);
    m_bFISize = Flag(a.FISize != b.FISize);
    m_bFIBdrWidth = Flag(a.FIBdrWidth != b.FIBdrWidth);
    m_bFISpacing = Flag(a.FISpacing != b.FISpacing);
    m_bFIBdrClr = Flag(a.FIBdrClr != b.FIBdrClr);
    m_bFIFillClr = Flag(a.FIFillClr != b.FIFillClr);
}

void CConPropMask::OrWith(const CConPropMask& o)
{
    OrFlagArray(ConFlagsOf(*this), ConFlagsOf(o));
    m_behavior.low |= o.m_behavior.low;
    m_behavior.high |= o.m_behavior.high;
}

int CConPropMask::CountSet() const
{
    int count = CountFlagArray(ConFlagsOf(*this));
    const DWORD lo = m_behavior.low;
    count += Bits(lo, 1) + Bits(lo, 2 | 8 | 16);
    for (DWORD bit : {0x4u, 0x20u, 0x40u, 0x80u, 0x40000000u})
        count += Bits(lo, bit);
    return count;
}

void CConPropMaskEx::SetAll(int32_t value)
{
    CConPropMask::SetAll(value);
    for (int32_t& f : m_bEx)
        f = value;
}

void CConPropMaskEx::OrWith(const CConPropMaskEx& o)
{
    CConPropMask::OrWith(o);
    OrFlags(m_bEx, o.m_bEx, 10);
}

int CConPropMaskEx::CountSet() const
{
    return CConPropMask::CountSet() + CountFlags(m_bEx, 10);
}
