// The undo step of an in-place text edit.
#include "document/CKavoDoc.h"

#include "document/CFigure.h"
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
    const bool ok = LogObjOrder(fig) && LogFigText(fig, whole ? -1 : area) && LogFigRect(fig) && LogFigureState(fig);
    m_undo.UndoEndStep();
    return ok;
}
