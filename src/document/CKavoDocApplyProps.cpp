// How a change made in the figure property sheet reaches the selected
// figures and labels: per figure the undo records first, then the change.
#include "document/CKavoDoc.h"

#include "document/FigPropValues.h"
#include "shapes/CFigSymbol.h"
#include "undo/UndoCodes.h"

namespace {

bool HasSpecialLayout(const CFigure* f)
{
    const CFigSymbol* s = f->GetSymbol();
    return s && s->Reshape != 0;
}

// Only width and/or height, nothing else.
bool IsSizeOnly(const CFigPropMask& m)
{
    const int w = m.m_bSheet[kSheetWidth] != 0, h = m.m_bSheet[kSheetHeight] != 0;
    return (w || h) && m.CountSet() == w + h;
}

} // namespace

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
    const bool newConPts = m.m_bSheet[kSheetConPts] && v.conPts;
    const bool geometry = m.m_bSheet[kSheetWidth] || m.m_bSheet[kSheetHeight] || newConPts;
    const bool position = m.m_bSheet[kSheetX] || m.m_bSheet[kSheetY];
    const bool resizeClass = position || geometry || (m.m_bFont && f->HasText()) || m.m_bSheet[kSheetStyle] ||
                             (m.m_behavior.low & kResizeClassFlag);
    // A size change clears the text-fit bits (64, 2 for the width, 128, 1 for
    // the height): the whole state is logged whenever it would, so that undo
    // gives them back.
    const DWORD fitBits = (m.m_bSheet[kSheetWidth] ? 64 | 2 : 0) | (m.m_bSheet[kSheetHeight] ? 128 | 1 : 0);
    const bool fitBitsChange = (f->m_props.Behavior.low & fitBits) != 0;
    const bool logProps = !(IsSizeOnly(m) && !HasSpecialLayout(f)) || fitBitsChange;
    if (resizeClass && !LogFigRect(f))
        return false;
    if (m.m_bTextFormat && !newConPts && f->GetTextAreaCount() > 1 && !LogFigText(f, -1))
        return false;
    if (logProps && !LogFigureState(f))
        return false;
    InvalidateObj(f);
    if (resizeClass)
        InvalidateAttachedCons(f);
    // Connection points dropped from the list free their connectors.
    if (newConPts) {
        bool ok = true;
        ForEachConnector([&](CConnector* c) {
            for (int end = 1; end <= 2 && ok; ++end) {
                int32_t& id = end == 1 ? c->m_nConPtId1 : c->m_nConPtId2;
                if ((end == 1 ? c->m_pFig1 : c->m_pFig2) != f || id <= 0 || v.conPts->FindById(id))
                    continue;
                ok = LogConnectorEnds(UDOC_CONMOVE, c) != 0;
                if (ok)
                    id = -1;
            }
        });
        if (!ok)
            return false;
    }
    const HGLOBAL oldPic = f->m_props.HasGraphic() ? f->m_props.Graphic : nullptr;
    f->SetProps(v, m, InUndoStep() != 0);
    const HGLOBAL newPic = f->m_props.HasGraphic() ? f->m_props.Graphic : nullptr;
    if (oldPic != newPic) {
        if (oldPic)
            m_graphics.ReleaseUse(oldPic);
        if (newPic)
            m_graphics.AddUse(f->m_props.m_nGraphicType, newPic);
    }
    if (m.m_bSheet[kSheetText] && (v.text != f->m_strText || v.secondText != f->m_strSecondText))
        SetFigTextArea(f, -1, v.text, v.secondText);
    SetModifiedFlag(true);
    InvalidateObj(f);
    if (resizeClass)
        InvalidateAttachedCons(f);
    if (InUndoStep())
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
