#include "document/ConPropsApply.h"

#include "document/CConnector.h"
#include "document/CKavoDoc.h"
#include "undo/UndoCodes.h"

#include <vector>

void ApplyConPropsToSelection(CKavoDoc& doc, const CConProps& props, const CConPropMask& mask,
                              const ConApplyOptions& options)
{
    std::vector<CConnector*> cons;
    for (CDiagObj* o : *doc.m_pSelList)
        if (o->GetType() == kObjConnector)
            cons.push_back(static_cast<CConnector*>(o));
    if (cons.empty() || (mask.CountSet() == 0 && !options.styleChanged))
        return;
    const CConProps* styleProps = options.style >= 0 ? doc.m_conStyles.GetProps(options.style) : nullptr;
    if (options.styleChanged && options.style >= 0 && !styleProps)
        return;
    // Connectors inside groups change only when the user says so.
    bool toGroups = false;
    doc.AskApplyToGroups(toGroups);
    CUndoLog& log = doc.UndoLogRef();
    if (!options.continueStep || !log.UndoReopenLastStep(-3))
        log.UndoBeginStep(UDMAC_CONPROPS);
    bool refused = false;
    for (CConnector* c : cons) {
        if (c->m_pGroup && !toGroups)
            continue;
        if (!doc.LogConnectorState(UDOC_CONPROPS, c)) {
            refused = true;
            break;
        }
        doc.InvalidateObj(c);
        if (options.styleChanged) {
            c->m_nStyle = options.style;
            if (styleProps)
                c->m_props = *styleProps;
        }
        c->ResetStockKind();
        c->m_props.CopyMasked(&props, &mask);
        doc.InvalidateObj(c);
        doc.SetModifiedFlag(true);
    }
    // Labels stapled to a changed connector follow its new line (logged in
    // the same step, so one undo takes both back). After a refused record
    // closing the step takes the changes back; nothing more is logged.
    if (!refused)
        doc.UpdateAllStaples(1);
    log.UndoEndStep();
}
