#include "editing/SizeToText.h"

#include "core/Trace.h"
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "richtext/FigureTextFit.h"
#include "undo/UndoCodes.h"

#include <vector>

// The fit re-lays the figure's connectors and moves its pinned labels
// without logging them: their places are logged first, so that undo puts
// them back too.
bool LogFitFollowers(CKavoDoc& doc, const CFigure* fig)
{
    bool ok = true;
    doc.ForEachConnector([&](CConnector* c) {
        if (ok && (c->m_pFig1 == fig || c->m_pFig2 == fig))
            ok = doc.LogConnectorEnds(UDOC_CONMOVE, c) != 0;
    });
    for (const CStaple* s : doc.FigLabelStaplesOf(fig))
        if (ok && s->m_pFig2)
            ok = doc.LogFigRect(s->m_pFig2) != 0;
    return ok;
}

bool FitFigToTextWithUndo(CKavoDoc& doc, CFigure* fig, bool setFlags)
{
    if (!fig || !doc.LogFigRect(fig) || !doc.LogFigureState(fig) || !LogFitFollowers(doc, fig))
        return false;
    const FigFlagSet saved = fig->m_props.Behavior;
    if (setFlags)
        fig->m_props.Behavior.low |= kFitWidthFlag | kFitHeightFlag;
    const bool fitted = FitFigToText(doc, fig, 0, true, false, nullptr);
    fig->m_props.Behavior = saved;
    if (fitted)
        doc.SetModifiedFlag(true);
    return fitted;
}

int FitSelToText(CKavoDoc& doc, bool setFlags)
{
    std::vector<CFigure*> figs;
    for (CDiagObj* o : *doc.m_pSelList) {
        if (o->GetType() != kObjFigure)
            continue;
        auto* f = static_cast<CFigure*>(o);
        if (!f->IsInvisible() && f->HasText())
            figs.push_back(f);
    }
    int failed = 0;
    for (CFigure* f : figs)
        if (!FitFigToTextWithUndo(doc, f, setFlags))
            ++failed;
    return failed;
}

void OnSizeToText(CKavoDoc& doc)
{
    DiagPrintf("USER  Size to content\n");
    doc.UndoBeginStep(UDMAC_FITTOTEXT);
    FitSelToText(doc, true);
    doc.UpdateAllStaples(1);
    doc.UndoEndStep();
}
