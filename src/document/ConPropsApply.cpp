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
    CUndoLog& log = doc.UndoLogRef();
    if (!options.continueStep || !log.UndoReopenLastStep(-3))
        log.UndoBeginStep(UDMAC_CONPROPS);
    for (CConnector* c : cons) {
        if (!doc.LogConnectorState(UDOC_CONPROPS, c))
            break;
        doc.InvalidateObj(c);
        if (options.styleChanged) {
            c->m_nStyle = options.style;
            if (styleProps)
                c->m_props = *styleProps;
        }
        c->m_props.CopyMasked(&props, &mask);
        doc.InvalidateObj(c);
        doc.SetModifiedFlag(true);
    }
    log.UndoEndStep();
}
