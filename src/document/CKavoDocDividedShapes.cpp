// The document's side of the special-shape set-up: its figure text margins,
// its figures, its styles and the undo record of the margins.
#include "document/CKavoDoc.h"

#include "shapes/CFigSymbol.h"
#include "shapes/FigStyleShapeFit.h"

void CKavoDoc::GetFigMargins(int& left, int& right, int& top, int& bottom) const
{
    left = m_nFigMarginLeft;
    right = m_nFigMarginRight;
    top = m_nFigMarginTop;
    bottom = m_nFigMarginBottom;
}

void CKavoDoc::StoreFigMargins(int left, int right, int top, int bottom)
{
    m_nFigMarginLeft = left;
    m_nFigMarginRight = right;
    m_nFigMarginTop = top;
    m_nFigMarginBottom = bottom;
    SetModifiedFlag(true);
}

ISpecialFigure* CKavoDoc::Figure(int index)
{
    int n = 0;
    for (CDiagObj* o : *m_pObjList)
        if (o->GetType() == kObjFigure && n++ == index) {
            m_specialFig.Reset(static_cast<CFigure*>(o));
            return &m_specialFig;
        }
    return nullptr;
}

void CKavoDoc::ApplyMarginsToStyles(int left, int right, int top, int bottom)
{
    for (int i = 0; i < m_figStyles.GetCount(); ++i)
        FitSpecialShape(*m_figStyles.GetAt(i), m_figSymbols, left, right, top, bottom);
}

bool CKavoDoc::UndoLogMargins(int left, int right, int top, int bottom, bool styles)
{
    // The margins in the order left, top, right, bottom, then whether the
    // step set up the styles (only then does undo set them up again).
    return m_undo.UndoLog(UDOC_FIGMARGINS, [=](UndoStream& s) {
        s.Int32(left);
        s.Int32(top);
        s.Int32(right);
        s.Int32(bottom);
        s.Int32(styles ? 1 : 0);
    }) != 0;
}

void CKavoDoc::GetSnapSpacing(int& x, int& y) const
{
    x = m_nSnapX;
    y = m_nSnapY;
}

void CKavoDoc::SetSnapSpacing(int x, int y)
{
    m_nSnapX = x;
    m_nSnapY = y;
}
