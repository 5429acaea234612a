#pragma once
// The fill of a figure: transparent, flat or a gradient. Twelve 32-bit fields.
#include "document/CFillMask.h"
#include "platform/Colorref.h"

#include <cstdint>

// Stands for "no colour" where a single fill colour is exchanged.
constexpr COLORREF kNoFillColor = 0x030201;

class CFillSpec {
public:
    int32_t m_nKind = 1;          // 0 transparent, 1 flat, 2 linear, 3 radial
    COLORREF m_crColor1 = 0xFFFFFF;
    int32_t m_nGamma = 0;
    COLORREF m_crColor2 = 0xFFFFFF;
    int32_t m_nAngle = 0;         // degrees, linear gradients
    int32_t m_nFocus = 50;
    int32_t m_nBand = 80;
    int32_t m_nVariant = 0;       // 0 plain, 1 bell blend, 2 banded
    int32_t m_nCentreX = 50;
    int32_t m_nCentreY = 50;
    int32_t m_nIntensity = 100;
    int32_t m_nGrowth = 0;

    void SetDefaults() { *this = CFillSpec(); }
    void Copy(const CFillSpec& o) { *this = o; }
    // Colour 1, colour 2 and the rest each under their flag; nothing for null.
    void CopyMasked(const CFillSpec* source, const CFillMask* mask);
    bool IsEqual(const CFillSpec& o) const;
    // Equal as drawn: only the fields the kind uses are compared.
    bool IsEquivalent(const CFillSpec& o) const;
    COLORREF GetColorOrNone() const { return m_nKind == 0 ? kNoFillColor : m_crColor1; }
};
