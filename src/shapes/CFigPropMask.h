#pragma once
// Which figure properties a change touches: one flag per property, a 64-bit
// behaviour-bit mask and the fill's mask. The property sheets fill it by
// comparing records, merge it over several objects and count it.
#include "shapes/CFillMask.h"
#include "shapes/FigFlags.h"

class CFigProps;

// The behaviour bits that count as properties: SetDiff compares them and
// SetAll selects them.
constexpr DWORD kFigBehaviorLowProps = 0x7FFFFFFF;
constexpr DWORD kFigBehaviorHighProps = 0x3F7;

struct CFigPropMask {
    static constexpr int kSheetFlags = 8;

    int32_t m_bBorderColor = 0;
    int32_t m_bTextColor = 0;
    int32_t m_bBorderWidth = 0;
    int32_t m_bShadow = 0;
    int32_t m_bTextFormat = 0;
    int32_t m_bFont = 0;
    int32_t m_bBindToStyle = 0;
    int32_t m_bShape = 0;   // symbol, icon and picture together
    int32_t m_bPenStyle = 0;
    int32_t m_bHideText = 0;
    // Further properties only the property sheets set (texts, size and such).
    int32_t m_bSheet[kSheetFlags] = {};
    FigFlagSet m_behavior;
    CFillMask m_fill;

    // Every flag takes the value; a non-zero value selects every behaviour
    // bit that counts as a property, in both halves, and the whole fill.
    void SetAll(int32_t value);
    // The properties that differ between the two records.
    void SetDiff(const CFigProps& a, const CFigProps& b);
    void OrWith(const CFigPropMask& other);
    bool AnyFillSet() const { return m_fill.AnySet(); }
    int CountSet() const;
};

struct CFigPropMaskEx : CFigPropMask {
    int32_t m_bEx[10] = {};   // properties edited only in the figure-style sheet

    void SetAll(int32_t value);
    void OrWith(const CFigPropMaskEx& other);
    int CountSet() const;
};

// Behaviour-bit counting shared by the figure masks.
int CountFigBehaviorBits(const FigFlagSet& mask);
