#pragma once
// Which connector properties a change touches: one flag per field of
// CConProps and a behaviour-bit mask.
#include "shapes/FigFlags.h"

struct CConPropMask {
    int32_t m_bEnd1 = 0;
    int32_t m_bEnd2 = 0;
    int32_t m_bEnd1Length = 0;
    int32_t m_bEnd2Length = 0;
    int32_t m_bPenStyle = 0;
    int32_t m_bLineWidth = 0;
    int32_t m_bEndBorderWidth = 0;
    int32_t m_bColor = 0;
    int32_t m_bEnd1FillColor = 0;
    int32_t m_bEnd2FillColor = 0;
    int32_t m_bBindToStyle = 0;
    int32_t m_bFurther = 0;
    FigFlagSet m_behavior;
    int32_t m_bFIType = 0;
    int32_t m_bFISize = 0;
    int32_t m_bFIBdrWidth = 0;
    int32_t m_bFISpacing = 0;
    int32_t m_bFIBdrClr = 0;
    int32_t m_bFIFillClr = 0;
    int32_t m_bJoin = 0;
};
