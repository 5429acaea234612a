// How a change made in the figure property sheet reaches the selected
// figures and labels: per figure the undo records first, then the change
// (the steps in FigApplySteps.h).
#include "document/CKavoDoc.h"

#include "document/ConPtKeepTable.h"
#include "document/FigApplySteps.h"
#include "document/FigPropValues.h"
#include "undo/UndoCodes.h"

void CKavoDoc::ApplyPropsToSelection(int target, const FigPropValues& values, const CFigPropMask& mask)
{
    bool answer = false, ok = true;
    AskApplyToGroups(answer);
    m_undo.UndoBeginStep(UDMAC_FIGPROPS);
    // A refused record ends the command; closing the step takes back what
    // it had changed.
    if (target == 1 || target == 2)
        ok = ApplyPropsToKind(true, values, mask, answer);
    if (ok && (target == 0 || target == 2))
        ApplyPropsToKind(false, values, mask, answer);
    m_undo.UndoEndStep();
}

bool CKavoDoc::ApplyPropsToKind(bool labels, const FigPropValues& values, const CFigPropMask& mask, bool answer)
{
    const int count = CountSelFigs(labels ? 2 : 7, 2);
    std::vector<CFigure*> figs;
    for (CDiagObj* o : *m_pSelList)
        if (o->GetType() == kObjFigure) {
            auto* f = static_cast<CFigure*>(o);
            if (!f->IsInvisible() && (f->m_bLabel != 0) == labels)
                figs.push_back(f);
        }
    for (CFigure* f : figs) {
        // The fill follows each figure: an unfilled picture or label keeps
        // its fill kind unless it alone was edited; an unfilled plain figure
        // given a colour becomes filled.
        CFigPropMask m = mask;
        FigPropValues v = values;
        if (f->m_props.m_fill.m_nKind == 0) {
            if (f->HasPicture() || f->m_bLabel) {
                if (!(count == 1 && mask.m_fill.m_bRest))
                    m.m_fill.m_bRest = 0;
            } else if (!m.m_fill.m_bRest && m.m_fill.m_bColor1) {
                m.m_fill.m_bRest = 1;
                v.props.m_fill.m_nKind = 1;
            }
        }
        if (!ApplyFigProps(f, v, m, answer))
            return false;
    }
    return true;
}

bool CKavoDoc::ApplyFigProps(CFigure* f, const FigPropValues& v, const CFigPropMask& m, bool answer)
{
    if (!f || (f->IsInGroup() && !answer))
        return true;
    if (m.CountSet() == 0)
        return true;
    const bool inStep = InUndoStep() != 0;
    const FigApplyPlan plan = PlanFigApply(*f, v, m);
    // Loop connectors keep their shape through a geometry change; the table
    // and its staples live only for this call.
    ConPtKeepTable keep(*this);
    if (plan.geometry)
        keep.Fill(f);
    if (!LogFigApply(*this, f, plan))
        return false;
    InvalidateObj(f);
    if (plan.resizeClass)
        InvalidateAttachedCons(f);
    if (plan.newConPts && !FreeDroppedConPts(*this, f, *v.conPts))
        return false;
    const CFigure before(*f);
    f->SetProps(v, m, inStep);
    const HGLOBAL oldPic = before.HasPicture() ? before.m_props.Graphic : nullptr;
    const HGLOBAL newPic = f->HasPicture() ? f->m_props.Graphic : nullptr;
    if (oldPic != newPic) {
        if (oldPic)
            m_graphics.ReleaseUse(oldPic);
        if (newPic)
            m_graphics.AddUse(f->m_props.m_nGraphicType, newPic);
    }
    if (!ApplyFigTexts(*this, f, before, v, m, inStep))
        return false;
    if (!SetUpChangedShape(*this, f, before, inStep))
        return false;
    SetModifiedFlag(true);
    if (!keep.Apply())
        return false;
    InvalidateObj(f);
    // The connectors follow the new rectangle and connection points (each
    // logged before it is re-laid).
    if ((plan.resizeClass || f->m_rect != before.m_rect) && RelayAttachedCons(f) < 0)
        return false;
    if (inStep)
        UpdateAllStaples(1);
    return true;
}

void CKavoDoc::ApplyTextFormatToSel(WORD format)
{
    bool answer = false;
    AskApplyToGroups(answer);
    m_undo.UndoBeginStep(UDMAC_TEXTFMT);
    CFigPropMask m;
    m.m_bTextFormat = 1;
    std::vector<CFigure*> figs;
    for (CDiagObj* o : *m_pSelList)
        if (o->GetType() == kObjFigure && !static_cast<CFigure*>(o)->IsInvisible())
            figs.push_back(static_cast<CFigure*>(o));
    for (CFigure* f : figs) {
        FigPropValues v;
        v.props = f->m_props;
        v.props.TextFormat = format;
        if (!ApplyFigProps(f, v, m, answer))
            break;
    }
    m_undo.UndoEndStep();
}

void CKavoDoc::ApplyTextRotationToSel(int rotation)
{
    bool answer = false;
    AskApplyToGroups(answer);
    std::vector<CFigure*> labels;
    for (CDiagObj* o : *m_pSelList) {
        if (o->GetType() != kObjFigure)
            continue;
        auto* f = static_cast<CFigure*>(o);
        if (f->m_bLabel && !f->IsStapled() && !f->IsInvisible() && f->GetTextAreaCount() == 1 &&
            f->m_nTextRotate != rotation && (!f->IsInGroup() || answer))
            labels.push_back(f);
    }
    m_undo.UndoBeginStep(UDMAC_TXTROTATE);
    for (CFigure* f : labels)
        if (!SetTextRotationWithUndo(f, rotation, 0))
            break;
    m_undo.UndoEndStep();
}

bool CKavoDoc::OnActivateContainer()
{
    constexpr DWORD kActiveContainer = 0x20000000;
    CFigure* f = GetFirstSelFig(1, 2);
    if (!f || !f->IsPartition())
        return false;
    FigPropValues v;
    v.props = f->m_props;
    v.props.Behavior.low ^= kActiveContainer;
    CFigPropMask m;
    m.m_behavior.low = kActiveContainer;
    m_undo.UndoBeginStep(UDMAC_ACTIVATECONTAINER);
    const bool ok = ApplyFigProps(f, v, m, true);
    m_undo.UndoEndStep();
    if (ok)
        UpdateAllViews(nullptr, 0, nullptr);
    return ok;
}
