#include "document/StapleMaintenanceSpacing.h"

#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "editing/UndoRecordsStaple.h"

int ReapplyLabelSpacing(CKavoDoc& doc, int lateralSpacing)
{
    int placed = 0;
    for (CDiagObj* o : *doc.m_pStapleList) {
        auto* s = static_cast<CStaple*>(o);
        if (s->m_nType == kStapleLatLabel) {
            if (!LogStapleState(doc, s))
                return placed;
            s->LateralOffset = s->LateralOffset > 0 ? lateralSpacing : -lateralSpacing;
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
