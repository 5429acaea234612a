// Stretching a compartmented figure while it is dragged out: its dividers
// keep their distances from the fixed side instead of scaling, on a copy
// of its symbol that the new figure takes under a new name.
#include "editing/ui/CKavoView.h"

#include "core/Settings.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/FigSymbolCopy.h"
#include "editing/ShapeStretch.h"
#include "shapes/CFigSymbol.h"

void CKavoView::BeginCreateStretch()
{
    const CFigSymbol* sym = m_pRubberFig ? m_pRubberFig->GetSymbol() : nullptr;
    m_bStretching = ResizeByStretching && sym && sym->Reshape != 0 && sym->GetDividerCount() > 0;
    m_pStretchSym = m_bStretching ? std::make_shared<CFigSymbol>(*sym) : nullptr;
}

void CKavoView::StretchRubberFig(const CRect& rc)
{
    if (m_bStretching && m_pStretchSym && m_pRubberFig)
        StretchSpecialShape(*m_pRubberFig, m_rcRubberStart, rc, *m_pStretchSym, nullptr, m_nCreateHandle,
                            IsShiftKeyDown());
}

int CKavoView::CommitCreateStretch(CFigure& fig)
{
    if (!m_bStretching || !m_pStretchSym || !m_pDoc)
        return -1;
    const int copy = AddEditSymbolCopy(*m_pDoc, *m_pStretchSym);
    if (copy >= 0)
        fig.m_props.Symbol = copy;
    return copy;
}

void CKavoView::EndCreateStretch()
{
    m_pStretchSym.reset();
    m_bStretching = 0;
}
