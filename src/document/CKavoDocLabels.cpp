// Pinning labels: a free label becomes a figure label or a flow label, and
// Detach Label sets stapled labels free again.
#include "document/CKavoDoc.h"

#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CStaple.h"
#include "document/FigPropValues.h"
#include "document/LabelAttach.h"
#include "document/LabelPlacement.h"
#include "document/TrunkInterfaces.h"
#include "document/Trunks.h"
#include "document/UndoRecordsStaple.h"
#include "shapes/CFigPropMask.h"
#include "undo/UndoCodes.h"

#include <memory>

namespace {
// The connector-label flags a detached connector label loses.
constexpr DWORD kConLblFlags = 0x80000 | 4096 | 0x100000;

void SetLabelAlign(CFigure* label, WORD alignH, WORD alignV)
{
    CFigProps& p = label->m_props;
    if (alignH)
        p.SetTextAlign(alignH, 1, nullptr);
    if (alignV)
        p.SetTextAlign(alignV, 1, nullptr);
    SetAlignFlags(p.Behavior, p.TextFormat);
}

bool IsFreeLabel(const CFigure* label)
{
    return label && label->m_bLabel && !label->IsStapled();
}

// Where a label of an interface goes in a trunk diagram: beside the
// interface on the side facing away from its node (the node it is linked
// to, else the nearest), as the re-attach after a move puts it. False when
// the figure is no trunk object or has no node to face away from.
bool TrunkLabelRect(const CKavoDoc& doc, const CFigure* fig, const CSize& size, CRect& rc)
{
    if (!IsTrunkDiagrams() || !fig->IsTrunkObj())
        return false;
    const CStaple* link = doc.FindFigLinkTo(fig);
    const CFigure* node = link ? link->m_pFig1 : doc.FindTrunkNodeFor(fig);
    POINT meet{};
    int side = 0;
    if (!node || !FindInterfacePoint(fig, node, meet, side))
        return false;
    doc.CalcFigLblRect(fig, size, side, rc, doc.GetFigLblGap());
    return true;
}
} // namespace

CStaple* CKavoDoc::StapleLblAsFigLbl(CFigure* label, CFigure* fig, int code)
{
    if (!fig || fig->m_bLabel || !IsFreeLabel(label))
        return nullptr;
    if (!LogFigureState(label))
        return nullptr;
    const FigLblPlace place = FigLblPlaceOf(code);
    SetLabelAlign(label, place.alignH, place.alignV);
    // An interface's label takes its offset from the trunk: it goes where
    // the trunk puts it and the offset is taken from there.
    CRect trunkRect;
    if (TrunkLabelRect(*this, fig, label->m_rect.Size(), trunkRect) && trunkRect != label->m_rect &&
        !MoveFigToRect(label, trunkRect))
        return nullptr;
    auto staple = std::make_unique<CStaple>(this);
    staple->MakeFigLbl(fig, place.figX, place.figY, label, place.lblX, place.lblY, 0, 0);
    staple->RecordOffset(nullptr);
    if (!AddStapleWithId(staple.get())) {
        for (CDiagObj* o : {static_cast<CDiagObj*>(fig), static_cast<CDiagObj*>(label)})
            o->RefindStaple(staple.get());
        return nullptr;
    }
    InvalidateObj(label);
    InvalidateObj(fig);
    SetModifiedFlag(true);
    return staple.release();
}

CStaple* CKavoDoc::StapleLblAsFlowLbl(CFigure* label, CFigure* fig, CConnector* con, int slot)
{
    if (!fig || !con || fig->m_bLabel || !IsFreeLabel(label) || (slot != 1 && slot != 2))
        return nullptr;
    int gap = 0, inflate = 0;
    GetLabelSpacing(gap, inflate);
    CRect r1, r2;
    int c1 = -1, c2 = -1;
    if (!CalcFlowLblRects(con, fig, label->m_rect.Size(), gap, inflate, r1, r2, c1, c2))
        return nullptr;
    if (!LogFigureState(label))
        return nullptr;
    const WORD align = FlowLblAlign(slot == 1 ? c1 : c2);
    SetLabelAlign(label, WORD(align & 7), WORD(align & 0x70));
    // The label sits in its slot from the start.
    if (!MoveFigToRect(label, slot == 1 ? r1 : r2))
        return nullptr;
    auto staple = std::make_unique<CStaple>(this);
    staple->MakeFlowLbl(fig, label, con, slot);
    if (!AddStapleWithId(staple.get())) {
        for (CDiagObj* o : {static_cast<CDiagObj*>(fig), static_cast<CDiagObj*>(label), static_cast<CDiagObj*>(con)})
            o->RefindStaple(staple.get());
        return nullptr;
    }
    InvalidateObj(label);
    SetModifiedFlag(true);
    return staple.release();
}

namespace {
// Opens the attach's step, or joins the last one when asked and it is of
// the same code.
void BeginAttachStep(CKavoDoc& doc, int code, bool join)
{
    CUndoLog& log = doc.UndoLogRef();
    if (join && log.GetLastUndoStepCode() == code && log.UndoReopenLastStep(code))
        return;
    doc.UndoBeginStep(code);
}
} // namespace

bool CKavoDoc::AttachLblAsFigLbl(CFigure* label, CFigure* fig, int code, bool join)
{
    if (!fig || fig->m_bLabel || !IsFreeLabel(label))
        return false;
    BeginAttachStep(*this, UDMAC_ATTACHLBLASFIGLBL, join);
    if (!StapleLblAsFigLbl(label, fig, code)) {
        ResetUndoLog();
        return false;
    }
    UpdateAllStaples(1);
    UndoEndStep();
    return true;
}

bool CKavoDoc::AttachLblAsFlowLbl(CFigure* label, CFigure* fig, CConnector* con, int slot, bool join)
{
    if (!fig || !con || fig->m_bLabel || !IsFreeLabel(label))
        return false;
    BeginAttachStep(*this, UDMAC_ATTACHLBLASFLWLBL, join);
    const bool ok = StapleLblAsFlowLbl(label, fig, con, slot) != nullptr;
    if (ok)
        UpdateAllStaples(1);
    UndoEndStep();
    return ok;
}

bool CKavoDoc::UnstapleLbl(CFigure* label)
{
    if (!label || !label->m_bLabel || !label->m_pStaple)
        return false;
    CStaple* staple = label->m_pStaple;
    const bool conLabel = staple->m_nType == kStapleConLabel;
    if (!CutStaple(staple, -1))
        return false;
    InvalidateObj(label);
    if (!conLabel)
        return true;
    FigPropValues values;
    values.props = label->m_props;
    ClearFigFlagsPresetF(values.props.Behavior);
    if (values.props.Behavior == label->m_props.Behavior)
        return true;
    CFigPropMask mask;
    mask.m_behavior.low = kConLblFlags;
    return ApplyFigProps(label, values, mask, true);
}

bool CKavoDoc::OnAttachLblToFig()
{
    if (GetSelCount() != 2 || GetSelFigCount() != 2)
        return false;
    CFigure* label = nullptr;
    CFigure* fig = nullptr;
    for (CDiagObj* o : *m_pSelList) {
        auto* f = static_cast<CFigure*>(o);
        if (f->IsInvisible())
            return false;
        (f->m_bLabel ? label : fig) = f;
    }
    return label && fig && AttachLblAsFigLbl(label, fig, -1, false);
}

void CKavoDoc::OnDetachLbl()
{
    std::vector<CFigure*> labels;
    for (CDiagObj* o : *m_pSelList)
        if (o->GetType() == kObjFigure && static_cast<CFigure*>(o)->m_bLabel && o->m_pStaple)
            labels.push_back(static_cast<CFigure*>(o));
    if (labels.empty())
        return;
    UndoBeginStep(UDMAC_DETACHLBL);
    for (CFigure* label : labels)
        if (!UnstapleLbl(label))
            break;
    std::vector<CFigure*> figs;
    for (CDiagObj* o : *m_pSelList)
        if (o->GetType() == kObjFigure)
            figs.push_back(static_cast<CFigure*>(o));
    RelayAttachedCons(figs);
    SetModifiedFlag(true);
    UndoEndStep();
}

CStaple* CKavoDoc::StapleLblAsLatLbl(CFigure* label, CConnector* con, const POINT& pt, int offset, int consistency)
{
    if (!con || !IsFreeLabel(label))
        return nullptr;
    CPoint anchor;
    CRect rect;
    WORD align = 0;
    PlaceLatLbl(con->EndPoint1, con->EndPoint2, pt, label->m_rect.Size(), offset, consistency, anchor, rect, align);
    if (!MoveFigToRect(label, rect) || !LogFigureState(label))
        return nullptr;
    // The look changes with the flags: the old look is redrawn over too.
    InvalidateObj(label);
    SetFigFlagsPresetD(label->m_props.Behavior);
    SetLabelAlign(label, WORD(align & 7), WORD(align & 0x70));
    auto staple = std::make_unique<CStaple>(this);
    staple->MakeLatLbl(con, pt, label, offset, consistency);
    if (!AddStapleWithId(staple.get())) {
        for (CDiagObj* o : {static_cast<CDiagObj*>(con), static_cast<CDiagObj*>(label)})
            o->RefindStaple(staple.get());
        return nullptr;
    }
    InvalidateObj(label);
    InvalidateObj(con);
    SetModifiedFlag(true);
    return staple.release();
}

bool CKavoDoc::AttachLblAsLatLbl(CFigure* label, CConnector* con, const POINT& pt, int offset, int consistency,
                                 bool join)
{
    if (!con || !IsFreeLabel(label))
        return false;
    BeginAttachStep(*this, UDMAC_ATTACHLBLASCONLBL, join);
    const bool ok = StapleLblAsLatLbl(label, con, pt, offset, consistency) != nullptr;
    if (ok)
        UpdateAllStaples(1);
    UndoEndStep();
    return ok;
}

bool AttachLblAsConLbl(CKavoDoc& doc, CFigure* label, CConnector* con, const POINT& pt, bool join)
{
    if (!con || !IsFreeLabel(label))
        return false;
    BeginAttachStep(doc, UDMAC_ATTACHLBLASCONLBL, join);
    const bool ok = doc.StapleLblAsConLbl(label, con, pt) != nullptr;
    if (ok)
        doc.UpdateAllStaples(1);
    doc.UndoEndStep();
    return ok;
}

bool SlideConLabel(CKavoDoc& doc, CFigure* label, int x, int y)
{
    if (!label || !label->m_bLabel || !(label->IsConLabel() || label->IsLatLabel()))
        return false;
    CStaple* staple = label->m_pStaple;
    if (!staple || !staple->m_pCon || !LogStapleState(doc, staple))
        return false;
    staple->ReanchorAt(CPoint(x, y), true);
    doc.InvalidateObj(staple->m_pCon);
    doc.UpdateAllStaples(0);
    doc.SetModifiedFlag(true);
    return true;
}

bool SlideLblWithUndo(CKavoDoc& doc, CFigure* label, int x, int y)
{
    doc.UndoBeginStep(UDMAC_SLIDELBL);
    const bool ok = SlideConLabel(doc, label, x, y);
    doc.UndoEndStep();
    return ok;
}
