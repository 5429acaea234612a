#pragma once
// The line and end record of a connector, copied whole between connectors,
// connector styles and the document's defaults.
#include "shapes/CConPropMask.h"
#include "platform/Colorref.h"

class CConProps {
public:
    int32_t End1 = 0;             // end-shape index in the document's shape library
    int32_t End2 = 0;
    int32_t End1Length = 32;
    int32_t End2Length = 32;
    int32_t PenStyle = 0;
    int32_t LineWidth = 1;
    int32_t EndBorderWidth = 1;
    COLORREF Color = 0;
    COLORREF End1FillColor = 0;
    COLORREF End2FillColor = 0;
    int32_t BindToStyle = 1;
    int32_t m_nFurther = 0;       // copied and compared, not interpreted here
    FigFlagSet Behavior;          // line shape 2/8/16, 64 no flow, 128 no jogs, bit 30 no print
    int32_t FIType = -1;          // stamp-shape index of the flow indicator, -1 none
    int32_t FISize = 18;
    int32_t FIBdrWidth = 2;
    int32_t FISpacing = 42;
    COLORREF FIBdrClr = 0;
    COLORREF FIFillClr = 0xFFFFFF;
    int32_t Join = 0;
    int32_t m_nFurther2 = 0;

    void SetDefaults() { *this = CConProps(); }
    // Every field, the flow-indicator fields also when FIType is -1.
    int operator==(const CConProps& o) const;
    // Each field under its flag; the behaviour word bit by bit.
    void CopyMasked(const CConProps* source, const CConPropMask* mask);
};
