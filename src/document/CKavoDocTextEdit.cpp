// The undo step of an in-place text edit.
#include "document/CKavoDoc.h"

#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CStaple.h"
#include "document/UndoRecordsStaple.h"
#include "undo/UndoCodes.h"

bool CKavoDoc::LogTextEditStep(CFigure* fig, int area)
{
    if (!fig)
        return false;
    // An edit of an area the texts do not reach yet adds separators that
    // writing the area back would leave: the whole texts are logged then.
    std::string text, second;
    fig->GetText(text, second, area);
    CFigure probe(*fig);
    probe.SetText("x", "x", area);
    probe.SetText(text, second, area);
    const bool whole = probe.m_strText != fig->m_strText || probe.m_strSecondText != fig->m_strSecondText;
    m_undo.UndoBeginStep(UDMAC_TEXTEDIT);
    bool ok = LogObjOrder(fig) && LogFigText(fig, whole ? -1 : area) && LogFigRect(fig) && LogFigureState(fig);
    // A label sized to its new text moves its staple's offset, and a figure
    // that grows moves its labels: both are taken back with the text.
    if (ok && fig->m_pStaple)
        ok = LogStapleState(*this, fig->m_pStaple) != 0;
    for (const CStaple* st : FigLabelStaplesOf(fig))
        if (ok && st->m_pFig2)
            ok = LogStapleState(*this, st) && LogFigRect(st->m_pFig2);
    // Its connectors follow it too.
    for (CDiagObj* o : *m_pObjList)
        if (ok && o->GetType() == kObjConnector) {
            const auto* con = static_cast<const CConnector*>(o);
            if (con->m_pFig1 == fig || con->m_pFig2 == fig)
                ok = LogConnectorState(UDOC_CONPROPS, con) != 0;
        }
    m_undo.UndoEndStep();
    return ok;
}
