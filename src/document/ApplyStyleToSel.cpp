#include "document/ApplyStyleToSel.h"

#include "core/UIMode.h"
#include "document/CConnector.h"
#include "document/CKavoDoc.h"
#include "document/FigPropValues.h"
#include "undo/UndoCodes.h"

#include <vector>

namespace {

bool InRange(int id, int first)
{
    return id >= first && id < first + kStyleCmdCount;
}

bool ApplyFigStyle(CKavoDoc& doc, int index, bool labels)
{
    const CFigStyle* style = doc.GetFigStyles()->GetAt(index);
    if (!style || (style->Label != 0) != labels || doc.CountSelFigs(labels ? 2 : 7, 2) == 0)
        return false;
    FigPropValues values;
    values.props = style->m_props;
    values.style = index;
    CFigPropMask mask;
    mask.m_bSheet[kSheetStyle] = 1;
    doc.ApplyPropsToSelection(labels ? 1 : 0, values, mask);
    return true;
}

bool ApplyConStyle(CKavoDoc& doc, int index)
{
    const CConStyle* style = doc.GetConStyles()->GetAt(index);
    if (!style)
        return false;
    std::vector<CConnector*> cons;
    for (CDiagObj* o : *doc.m_pSelList)
        if (o->GetType() == kObjConnector)
            cons.push_back(static_cast<CConnector*>(o));
    if (cons.empty())
        return false;
    CUndoLog& undo = doc.UndoLogRef();
    undo.UndoBeginStep(UDMAC_CONPROPS);
    for (CConnector* c : cons) {
        if (!doc.LogConnectorState(UDOC_CONPROPS, c))
            break;
        doc.InvalidateObj(c);
        c->m_nStyle = index;
        c->m_props = style->m_props;
        doc.InvalidateObj(c);
        doc.SetModifiedFlag(true);
    }
    doc.UpdateAllStaples(1);
    undo.UndoEndStep();
    return true;
}

} // namespace

bool ApplyStyleCommandToSel(CKavoDoc& doc, int command)
{
    if (!doc.HasSelection())
        return false;
    if (InRange(command, kFigStyleCmdFirst))
        return ApplyFigStyle(doc, command - kFigStyleCmdFirst, false);
    if (InRange(command, kLblStyleCmdFirst))
        return ApplyFigStyle(doc, command - kLblStyleCmdFirst, true);
    if (InRange(command, kConStyleCmdFirst))
        return ApplyConStyle(doc, command - kConStyleCmdFirst);
    return false;
}
