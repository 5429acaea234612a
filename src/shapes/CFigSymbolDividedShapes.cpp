// The special-shape rules of a symbol: dividers, sections, compartment layout
// and the divider handle positions read from its outline.
#include "shapes/CFigSymbol.h"

#include "geometry/IntGeometry.h"
#include "shapes/CProgramEditGuard.h"
#include "shapes/DividedShapeHandleMover.h"
#include "shapes/DividedShapeKinds.h"
#include "shapes/DividedShapeOutline.h"
#include "shapes/KindRange.h"

#include <algorithm>

namespace {

// (1 - W / (W + d)) × (c - p) + 0.5, truncated toward zero; false when
// W + d is 0, where the shift is left as it is.
bool RescaleShift(LONG& d, int size, int centre, int handle)
{
    const double grown = static_cast<double>(size) + d;
    if (grown == 0.0)
        return false;
    const double v = (1.0 - size / grown) * (static_cast<double>(centre) - handle) + 0.5;
    d = static_cast<LONG>(std::clamp(v, -2147483648.0, 2147483647.0));
    return true;
}

} // namespace

int CFigSymbol::GetDividerCount() const { return SpecialDividerCount(Reshape); }

int CFigSymbol::HasCompartments() const
{
    return Reshape != 0 && GetDividerCount() >= 1 ? 1 : 0;
}

int CFigSymbol::HasCompartmentText() const
{
    if (!HasCompartments())
        return 0;
    const int k = Reshape;
    return (k == 60 || k == 62 || k == 84 || k == 101 || k == 102 || k == 104 || k == 125 ||
            k == 145) ? 0 : 1;
}

int CFigSymbol::UsesSpecialLayout() const
{
    if (IsSpecialLayoutDisabled())
        return 0;
    if (Reshape == 0 && !HasSecondTextBoxTable())
        return 0;
    if (IsSpecialLayoutExcludedKind(Reshape))
        return 0;
    return IsAltKeyDown() ? 0 : 1;
}

int CFigSymbol::GetDividerDirection(int index) const { return SpecialDividerDirection(Reshape, index); }
int CFigSymbol::DividerChangesOutline(int index) const
{
    return SpecialDividerChangesOutline(Reshape, index);
}
int CFigSymbol::IsDividerClamped(int index) const { return SpecialDividerClamped(Reshape, index); }
int CFigSymbol::GetSectionResizeRule(int section) const
{
    return SpecialSectionResizeRule(Reshape, section);
}

int CFigSymbol::KeepsAnchoring() const
{
    return !UsesSpecialLayout() || KeepsAnchoringKind(Reshape) ? 1 : 0;
}

int CFigSymbol::GetDividerForSection(int i, POINT& shift, const RECT& rect, int& rescaled) const
{
    rescaled = 0;
    const int k = Reshape;
    auto rescale = [&](bool horizontal) {
        CPoint p0;
        if (!GetDividerHandle(0, p0, rect))
            return -1;
        const CRect r(rect);
        const CPoint c = r.CenterPoint();
        if (horizontal ? RescaleShift(shift.x, r.Width(), c.x, p0.x)
                       : RescaleShift(shift.y, r.Height(), c.y, p0.y))
            rescaled = 1;
        return 0;
    };
    if (KindIn(k, 2, 5) || KindIn(k, 90, 93) || k == 99) {
        shift.x = 0;
        const int last = k == 5 ? 4 : k == 4 ? 3 : k == 3 ? 2 : 1;
        return i >= 0 && i <= last ? i : -1;
    }
    if (k == 1 || k == 52 || k == 60 || KindIn(k, 86, 89) || KindIn(k, 94, 98) || k == 100 || k == 105 ||
        k == 119 || k == 120 || k == 122 || k == 123 || KindIn(k, 126, 130)) {
        shift.x = 0;
        return i == 0 ? 0 : -1;
    }
    if (k == 7 || k == 9 || KindIn(k, 54, 57) || k == 72 || k == 75 || k == 78 || k == 79 ||
        k == 124 || KindIn(k, 138, 140))
        return i == 0 ? 0 : -1;
    if (k == 8 || k == 10 || k == 76 || k == 77) {
        if (i == 0)
            return 0;
        shift.x = 0;
        return i == 1 ? 1 : -1;
    }
    if (k == 24 || k == 135) {
        shift.x = 0;
        return i == 0 ? 1 : i == 1 ? 2 : -1;
    }
    if (k == 58 || k == 85) {
        if (i != 0)
            return -1;
        shift.x = 0;
        return 1;
    }
    if (k == 134) {
        shift.x = 0;
        return i == 0 ? 1 : -1;
    }
    if (k == 50 || k == 51 || k == 63 || k == 64) {
        const bool horizontal = k == 50 || k == 51;
        LONG& d = horizontal ? shift.x : shift.y;
        const int turned = (k == 50 || k == 63) ? 1 : 0;
        if (i == turned) {
            d = -d;
            return 0;
        }
        if (i == 1 - turned)
            return rescale(horizontal);
        d = 0;
        return -1;
    }
    return -1;
}

int CFigSymbol::CanGrowTextBox(int t, const RECT& rect, int horizontal) const
{
    if (!HasCompartments())
        return 0;
    const int k = Reshape;
    CPoint p0;
    auto d0 = [&]() { return GetDividerHandle(0, p0, rect) != 0; };
    if (horizontal) {
        if (KindIn(k, 7, 10) || KindIn(k, 54, 57) || k == 72 || KindIn(k, 75, 79) || k == 124 || KindIn(k, 138, 140))
            return t == 0 && d0() && p0.x < rect.right - 1 ? 1 : 0;
        if (k == 50)
            return t == 0 || (t == 1 && d0() && p0.x > rect.left + 1) ? 1 : 0;
        if (k == 51)
            return t == 1 || (t == 0 && d0() && p0.x > rect.left + 1) ? 1 : 0;
        return 0;
    }
    if (k == 63)
        return t == 0 || (t == 1 && d0() && p0.y > rect.top + 1) ? 1 : 0;
    if (k == 64)
        return t == 1 || (t == 0 && d0() && p0.y > rect.top + 1) ? 1 : 0;
    if (k == 124)
        return t == 0 && d0() && p0.y < rect.bottom - 1 ? 1 : 0;
    if (KindIn(k, 138, 140)) {
        CPoint p1;
        return t == 0 && d0() && GetDividerHandle(1, p1, rect) && p0.y < p1.y ? 1 : 0;
    }
    return 0;
}

void CFigSymbol::MaskTextMargins(int box, int& left, int& right, int& top, int& bottom) const
{
    if (m_nFrames > 0 && m_nFrames == m_nTextBoxes)
        return;
    switch (Reshape) {
    case 11:
    case 13:
    case 15: left = right = 0; break;
    case 12: left = 0; break;
    case 14: right = 0; break;
    case 16: bottom = 0; break;
    case 17: top = 0; break;
    case 21:
        if (box == 1)
            right = 0;
        break;
    default: break;
    }
}

int CFigSymbol::ParseSpecialParts(const RECT& rect, SpecialOutlineParts& parts, const BYTE*& boxes) const
{
    boxes = nullptr;
    if (m_nOutlinePos < 0)
        return 0;
    BYTE *fill, *outline, *mini, *textBoxes;
    BYTE* work = PrepareOutline(rect, fill, outline, mini, textBoxes, 0, 0.0);
    if (!work || !outline)
        return 0;
    boxes = textBoxes;
    return ParseSpecialOutline(Reshape, outline, work + g_outlineWork.length, textBoxes,
                               textBoxes ? m_nTextBoxes : 0, parts);
}

int CFigSymbol::GetDividerHandle(int index, CPoint& pt, const RECT& rect) const
{
    if (index < 0 || index >= GetDividerCount())
        return 0;
    SpecialOutlineParts parts;
    const BYTE* boxes;
    if (!ParseSpecialParts(rect, parts, boxes))
        return 0;
    POINT p{};
    if (!CalcDividerPointFromParts(Reshape, index, parts, rect, p))
        return 0;
    pt = p;
    return 1;
}

int CFigSymbol::MoveSpecialHandle(int handle, const RECT& rect, const POINT& point, int bRawPoints)
{
    CPoint at;
    if (!GetDividerHandle(handle, at, rect))
        return 0;
    if (at == CPoint(point))
        return 1;
    const bool raw = bRawPoints && !KeepsAnchoring();
    const CRect r(rect);
    if (r.Width() == 0 || r.Height() == 0)
        return 0;
    // Widened: a handle read from a damaged outline may lie at the int limits.
    float dx = static_cast<float>((static_cast<double>(point.x) - at.x) / r.Width()) * 2048.0f;
    float dy = static_cast<float>((static_cast<double>(point.y) - at.y) / r.Height()) * 2048.0f;
    const int k = Reshape;
    // Corner handles: one delta serves both axes.
    if (handle == 0 && (KindIn(k, 22, 25) || k == 58 || k == 74 || k == 85 || k == 132 || k == 133 ||
                        k == 145 || k == 146)) {
        if (r.Width() < r.Height())
            dy = dx;
        else
            dx = dy;
    }
    if (dx == 0.0f && dy == 0.0f)
        return 1;
    CProgramEditGuard guard(*this);
    CSpecialHandleMover mover(*this, rect, raw, handle, dx, dy);
    const bool done = mover.Run();
    if (!guard.Keep() || !done)
        return 0;
    if (DividerChangesOutline(handle))
        DropMiniOutline();
    return 1;
}
