#include "document/ConLabelPlace.h"

#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/CStaple.h"

bool PlaceConLblOnLine(CFigure& label)
{
    CStaple* staple = label.m_pStaple;
    if (!staple || staple->m_nType != kStapleConLabel || staple->m_pFig1 != &label || !staple->m_pCon)
        return false;
    const CRect rc = CStaple::RectAtAnchor(staple->GetPointAtConPos(), label.m_rect.Width(), label.m_rect.Height(),
                                           staple->Fig1PosX, staple->Fig1PosY);
    if (rc.IsRectEmpty() || rc == label.m_rect)
        return false;
    if (label.m_pDoc)
        label.m_pDoc->InvalidateObj(&label);
    label.SetRectNoUndo(rc);
    // The label stands where the staple puts it: the next pass has nothing
    // to catch up with.
    staple->SnapFig1();
    if (label.m_pDoc)
        label.m_pDoc->InvalidateObj(&label);
    return true;
}
