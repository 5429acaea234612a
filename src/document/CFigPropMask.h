#pragma once
// Which figure properties a change touches: one flag per property, a 64-bit
// behaviour-bit mask and the fill's mask. (Filling it from two records and
// counting it belong with the property sheets.)
#include "document/CFillMask.h"
#include "shapes/FigFlags.h"

struct CFigPropMask {
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
    FigFlagSet m_behavior;
    CFillMask m_fill;
};
