#include "shapes/CConProps.h"

int CConProps::operator==(const CConProps& o) const
{
    return End1 == o.End1 && End2 == o.End2 && End1Length == o.End1Length &&
           End2Length == o.End2Length && PenStyle == o.PenStyle && LineWidth == o.LineWidth &&
           EndBorderWidth == o.EndBorderWidth && Color == o.Color && End1FillColor == o.End1FillColor &&
           End2FillColor == o.End2FillColor && BindToStyle == o.BindToStyle &&
           m_nFurther == o.m_nFurther && Behavior == o.Behavior && FIType == o.FIType &&
           FISize == o.FISize && FIBdrWidth == o.FIBdrWidth && FISpacing == o.FISpacing &&
           FIBdrClr == o.FIBdrClr && FIFillClr == o.FIFillClr && Join == o.Join &&
           m_nFurther2 == o.m_nFurther2;
}

template <class T>
static void Take(T& field, const T& source, int32_t flag)
{
    if (flag)
        field = source;
}

void CConProps::CopyMasked(const CConProps* s, const CConPropMask* m)
{
    if (!s || !m)
        return;
    Take(End1, s->End1, m->m_bEnd1);
    Take(End2, s->End2, m->m_bEnd2);
    Take(End1Length, s->End1Length, m->m_bEnd1Length);
    Take(End2Length, s->End2Length, m->m_bEnd2Length);
    Take(PenStyle, s->PenStyle, m->m_bPenStyle);
    Take(LineWidth, s->LineWidth, m->m_bLineWidth);
    Take(EndBorderWidth, s->EndBorderWidth, m->m_bEndBorderWidth);
    Take(Color, s->Color, m->m_bColor);
    Take(End1FillColor, s->End1FillColor, m->m_bEnd1FillColor);
    Take(End2FillColor, s->End2FillColor, m->m_bEnd2FillColor);
    Take(BindToStyle, s->BindToStyle, m->m_bBindToStyle);
    Take(m_nFurther, s->m_nFurther, m->m_bFurther);
    Behavior.low = (m->m_behavior.low & s->Behavior.low) | (~m->m_behavior.low & Behavior.low);
    Behavior.high = (m->m_behavior.high & s->Behavior.high) | (~m->m_behavior.high & Behavior.high);
    Take(FIType, s->FIType, m->m_bFIType);
    Take(FISize, s->FISize, m->m_bFISize);
    Take(FIBdrWidth, s->FIBdrWidth, m->m_bFIBdrWidth);
    Take(FISpacing, s->FISpacing, m->m_bFISpacing);
    Take(FIBdrClr, s->FIBdrClr, m->m_bFIBdrClr);
    Take(FIFillClr, s->FIFillClr, m->m_bFIFillClr);
    Take(Join, s->Join, m->m_bJoin);
}
