#pragma once
// A drop shadow: the program's default, the document's current shadow and
// the shadow of figures and styles all use this record. Six 32-bit fields.
#include "platform/CRect.h"
#include "platform/Colorref.h"

#include <cstdint>

struct CShadowFieldMask {
    int32_t m_bType = 0;
    int32_t m_bColor = 0;
    int32_t m_bOffsetX = 0;
    int32_t m_bOffsetY = 0;
    int32_t m_bBlur = 0;
    int32_t m_bOpacity = 0;
};

class CShadowSpec {
public:
    int32_t m_nType;        // 0 none, 1 drop shadow
    COLORREF m_crColor;
    int32_t m_nOffsetX;     // logical units, positive to the right
    int32_t m_nOffsetY;     // logical units, positive downwards
    int32_t m_nBlur;        // softness, logical units
    int32_t m_nOpacity;     // 0..255

    CShadowSpec() { SetDefaults(); }
    CShadowSpec(int type, COLORREF color, int x, int y, int blur, int opacity)
        : m_nType(type), m_crColor(color), m_nOffsetX(x), m_nOffsetY(y), m_nBlur(blur), m_nOpacity(opacity)
    {
    }

    void SetDefaults();
    bool IsVisible() const;
    // The start-up wizard's shadow choice in the profile's "Wizard" section.
    void SaveWizard() const;
    void LoadWizard();
    // Offsets and blur times the factor, rounded half up; factors outside
    // (0, 1000] and 1 change nothing.
    void Scale(double factor);
    // For a drop shadow, the rectangle grows by the shadow it casts.
    void GetShadowRect(CRect& rc) const;
    // Every field within what a diagram file can hold (16-bit numbers, a
    // 24-bit colour), the bounds the file reader applies: a shadow from any
    // other source is held to them before it is used.
    bool InStoredRange() const;
    bool operator==(const CShadowSpec& o) const;
    bool operator!=(const CShadowSpec& o) const { return !(*this == o); }
    void CopyMasked(const CShadowSpec* source, const CShadowFieldMask* mask);
    // Same on screen: both none, or both drop shadows with equal fields.
    bool IsSameEffect(const CShadowSpec& o) const;
};
static_assert(sizeof(CShadowSpec) == 24, "the undo log copies the shadow whole");
