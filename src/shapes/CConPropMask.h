#pragma once
// Which connector properties a change touches: one flag per field of
// CConProps and a behaviour-bit mask (low half only).
#include "shapes/FigFlags.h"

class CConProps;

// The behaviour bits that count as connector properties.
constexpr DWORD kConBehaviorProps = 0x400000FF;

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

    // A non-zero value selects the low 16 behaviour bits and every bit that
    // SetDiff compares (bit 30 "do not print" included).
    void SetAll(int32_t value);
    void SetDiff(const CConProps& a, const CConProps& b);
    void OrWith(const CConPropMask& other);
    int CountSet() const;
};

struct CConPropMaskEx : CConPropMask {
    int32_t m_bEx[10] = {};

    void SetAll(int32_t value);
    void OrWith(const CConPropMaskEx& other);
    int CountSet() const;
};
