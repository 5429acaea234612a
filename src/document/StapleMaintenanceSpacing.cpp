#include "document/StapleMaintenanceSpacing.h"

#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "document/UndoRecordsStaple.h"

namespace {

// A figure label still at its arrangement's place for the old gap goes to
// the place for the new gap. 1 moved, 0 left alone, -1 refused.
int MoveFigLabel(CKavoDoc& doc, CStaple& s, int oldGap, int newGap)
{
    const int code = s.GetSideCodeExact();
    CFigure* label = s.m_pFig2;
    if (code < 1 || !s.m_pFig1 || !label || oldGap == newGap)
        return 0;
    const CSize size(label->m_rect.Width(), label->m_rect.Height());
    CRect oldRc, newRc;
    doc.CalcFigLblRect(s.m_pFig1, size, code, oldRc, oldGap);
    if (label->m_rect != oldRc)
        return 0;
    doc.CalcFigLblRect(s.m_pFig1, size, code, newRc, newGap);
    if (!doc.SetFigRect(label, newRc) || !s.RecordOffset(&doc))
        return -1;
    s.TakeSnapshots();
    return 1;
}
} // namespace

int ReapplyLabelSpacing(CKavoDoc& doc, int oldFig, int oldCon)
{
    (void)oldCon;   // lateral labels take the new spacing whatever they had
    const int lateral = doc.GetConLblGap();
    int placed = 0;
    for (CDiagObj* o : *doc.m_pStapleList) {
        auto* s = static_cast<CStaple*>(o);
        if (s->m_nType == kStapleFigLabel) {
            const int moved = MoveFigLabel(doc, *s, doc.LabelGapFor(oldFig), doc.GetFigLblGap());
            if (moved < 0)
                return placed;
            placed += moved;
            continue;
        }
        if (s->m_nType == kStapleLatLabel) {
            if (!LogStapleState(doc, s))
                return placed;
            s->LateralOffset = s->LateralOffset > 0 ? lateral : -lateral;
        } else if (s->m_nType != kStapleFlowLabel) {
            continue;
        }
        s->ClearSnapshots();
        placed += s->Update(&doc, 1);
    }
    if (placed)
        doc.SetModifiedFlag(true);
    return placed;
}
