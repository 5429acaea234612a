// Labels made on a figure, a flow or a connector: each is a label of the
// style its kind names (or the current label style), sized to its text,
// pinned by its staple, in one undo step.
#include "editing/ui/CKavoView.h"

#include "core/MessageBeep.h"
#include "core/UIMode.h"
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "document/FlowAtPoint.h"
#include "document/LabelPlacement.h"
#include "editing/LabelMenu.h"
#include "geometry/IntGeometry.h"
#include "richtext/FigureTextFit.h"
#include "undo/UndoCodes.h"

#include <cmath>
#include <memory>

namespace {
constexpr UINT kBeepWarning = 0x30;

// The label made and added in the open step: the style's look with the
// alignment given (0 keeps the style's), its default text, and the second
// text when asked. Null, with the label freed, when it cannot be added.
CFigure* AddLabel(CKavoDoc& doc, const CFigStyle& style, int index, const CRect& rc, WORD alignH, WORD alignV,
                  bool withInits)
{
    CFigProps props = style.m_props;
    SetFlagBits(props.Behavior, kFigFlagLabel, 256 | 512, true);
    if (alignH)
        props.SetTextAlign(alignH, 1, nullptr);
    if (alignV)
        props.SetTextAlign(alignV, 1, nullptr);
    SetAlignFlags(props.Behavior, props.TextFormat);
    auto label = std::make_unique<CFigure>(rc.left, rc.top, rc.Height(), rc.Width(), props, index, 1,
                                           style.DefaultText, withInits ? style.TextInits : std::string(),
                                           CFigure::CreateArgs(), &doc);
    CFigure* added = doc.AddNewFig(-1, label.get(), false);
    if (!added)
        return nullptr;
    label.release();
    if (added->HasText())
        FitFigToText(doc, added, 0, true, false, nullptr);
    return added;
}

// Closes the creation step: ended on success, and on failure ended (a
// free, figure or flow label) or the whole log reset (connector kinds).
bool EndCreation(CKavoDoc& doc, bool ok, bool resetOnFail)
{
    if (!ok && resetOnFail)
        doc.ResetUndoLog();
    else
        doc.UndoEndStep();
    return ok;
}
} // namespace

bool CKavoView::CreateFigLbl(CFigure* fig, int code, const CRect& rect)
{
    if (!m_pDoc || !fig || fig->m_bLabel || fig->IsInvisible() || fig->IsInGroup())
        return false;
    CloseTextEditor();
    int index = -1;
    const CFigStyle& style = m_pDoc->GetLblStyleNamed(m_pDoc->m_strAutoLabelStyle, index);
    const FigLblPlace place = FigLblPlaceOf(code);
    m_pDoc->UndoBeginStep(UDMAC_CREATEFIGLBL);
    CFigure* label = AddLabel(*m_pDoc, style, index, rect, place.alignH, place.alignV, true);
    if (!label)
        return EndCreation(*m_pDoc, false, false);
    // Sized to its text, it is placed at the position again.
    CRect rc;
    m_pDoc->CalcFigLblRect(fig, label->m_rect.Size(), code, rc, m_pDoc->GetFigLblGap());
    if (code >= 1 && code <= 12)
        label->SetRectNoUndo(rc);
    const bool ok = m_pDoc->StapleLblAsFigLbl(label, fig, code) != nullptr;
    if (ok) {
        m_pDoc->UpdateAllStaples(1);
        m_pNewLabel = label;
    }
    return EndCreation(*m_pDoc, ok, false);
}

bool CKavoView::CreateFlowLbl(CFigure* fig, CConnector* con, int slot, int corner, const CRect& rect)
{
    if (!m_pDoc || !fig || !con || fig->m_bLabel || fig->IsInvisible())
        return false;
    CloseTextEditor();
    int index = -1;
    const CFigStyle& style = m_pDoc->GetLblStyleNamed(m_pDoc->m_strFlowLabelStyle, index);
    const WORD align = FlowLblAlign(corner);
    m_pDoc->UndoBeginStep(UDMAC_CREATEFLWLBL);
    CFigure* label = AddLabel(*m_pDoc, style, index, rect, WORD(align & 7), WORD(align & 0x70), true);
    if (!label)
        return EndCreation(*m_pDoc, false, false);
    const bool ok = m_pDoc->StapleLblAsFlowLbl(label, fig, con, slot) != nullptr;
    if (ok) {
        m_pDoc->UpdateAllStaples(1);
        m_pNewLabel = label;
    }
    return EndCreation(*m_pDoc, ok, false);
}

bool CKavoView::CreateConLbl(CConnector* con, const CPoint& pt)
{
    if (!m_pDoc || !con || con->m_pGroup || m_pDoc->FindConOrLatLblStaple(con))
        return false;
    CloseTextEditor();
    int index = -1;
    const CFigStyle& style = m_pDoc->GetLblStyleNamed(m_pDoc->m_strConLabelStyle, index);
    m_pDoc->UndoBeginStep(UDMAC_CREATECONLBL);
    CFigure* label = AddLabel(*m_pDoc, style, index, CRect(pt.x, pt.y, pt.x + style.Width, pt.y + style.Height),
                              0, 0, false);
    if (!label || !m_pDoc->PutLblInFrontOfCon(label, con))
        return EndCreation(*m_pDoc, false, true);
    // Centred on the point of the line.
    const CSize size = label->m_rect.Size();
    label->SetRectNoUndo(CRect(pt.x - size.cx / 2, pt.y - size.cy / 2, pt.x - size.cx / 2 + size.cx,
                               pt.y - size.cy / 2 + size.cy));
    const bool ok = m_pDoc->StapleLblAsConLbl(label, con, pt) != nullptr;
    if (ok) {
        m_pDoc->UpdateAllStaples(1);
        m_pNewLabel = label;
    }
    return EndCreation(*m_pDoc, ok, false);
}

CFigure* CKavoView::CreateLbl(const CPoint& logical)
{
    if (!m_pDoc)
        return nullptr;
    CloseTextEditor();
    int index = -1;
    const CFigStyle& style = m_pDoc->GetLblStyleNamed(std::string(), index);
    // Nothing is stored outside the work space: a point beyond it (a key
    // typed with the pointer far away) is brought onto its edge first.
    const CRect& space = m_pDoc->m_rcWorkSpace;
    CPoint at = logical;
    ClampPtToRect(at, space);
    m_pDoc->UndoBeginStep(UDMAC_CREATELBL);
    CFigure* label = AddLabel(*m_pDoc, style, index, CRect(at.x, at.y, at.x + style.Width, at.y + style.Height), 0,
                              0, false);
    if (label) {
        CRect rc = label->m_rect;
        KeepRectInRect(rc, space);
        label->SetRectNoUndo(rc);
    }
    EndCreation(*m_pDoc, label != nullptr, false);
    if (label)
        m_pNewLabel = label;
    return label;
}

bool CKavoView::CreateLatLbl(CConnector* con, const CPoint& pt, int offset, int consistency)
{
    if (!m_pDoc || !con || con->m_pGroup || m_pDoc->FindConOrLatLblStaple(con))
        return false;
    CloseTextEditor();
    int index = -1;
    const CFigStyle& style = m_pDoc->GetLblStyleNamed(m_pDoc->m_strConLabelStyle, index);
    m_pDoc->UndoBeginStep(UDMAC_CREATELATLBL);
    CFigure* label = AddLabel(*m_pDoc, style, index, CRect(pt.x, pt.y, pt.x + style.Width, pt.y + style.Height),
                              0, 0, false);
    if (!label || !m_pDoc->PutLblInFrontOfCon(label, con))
        return EndCreation(*m_pDoc, false, true);
    const bool ok = m_pDoc->StapleLblAsLatLbl(label, con, pt, offset, consistency) != nullptr;
    if (ok) {
        m_pDoc->UpdateAllStaples(1);
        m_pNewLabel = label;
    }
    return EndCreation(*m_pDoc, ok, false);
}

bool CKavoView::AddFigLblAtCursor(const CPoint& logical, int code)
{
    if (!m_pDoc)
        return false;
    CDiagObj* hit = m_pDoc->ObjFromPoint(logical.x, logical.y, m_nHitTolerance, false, -1, 0, 0);
    if (!hit || hit->GetType() != kObjFigure)
        return false;
    auto* fig = static_cast<CFigure*>(hit);
    if (m_pDoc->FindFigLblStapleAtPos(fig, code)) {
        MessageBeep(kBeepWarning);
        return false;
    }
    CRect rect;
    m_pDoc->CalcFigLblRect(fig, m_pDoc->GetNewFigLblSize(), code, rect, m_pDoc->GetFigLblGap());
    EraseFigLblFeedback(nullptr);
    return CreateFigLbl(fig, code, rect);
}

bool CKavoView::AddFlowLblAtCursor(const CPoint& logical, int slot)
{
    if (!m_pDoc)
        return false;
    CConnector* con = m_pDoc->ConFromPoint(logical.x, logical.y, m_nHitTolerance, false);
    CFigure* fig = nullptr;
    if (con) {
        // The end nearer the point.
        const double d1 = std::hypot(double(logical.x - con->EndPoint1.x), double(logical.y - con->EndPoint1.y));
        const double d2 = std::hypot(double(logical.x - con->EndPoint2.x), double(logical.y - con->EndPoint2.y));
        fig = d1 <= d2 ? con->m_pFig1 : con->m_pFig2;
    } else {
        // The context menu opens on a flow beside its connector: the flow
        // whose label place holds the point.
        FlowAtPoint flow;
        if (!FindFlowAt(*m_pDoc, logical, m_nHitTolerance, flow))
            return false;
        con = flow.con;
        fig = flow.fig;
    }
    if (!fig || m_pDoc->FindFlowLblStaple(con, fig, slot))
        return false;
    EraseAttachFeedback(nullptr);
    int gap = 0, inflate = 0;
    m_pDoc->GetLabelSpacing(gap, inflate);
    CRect r1, r2;
    int c1 = -1, c2 = -1;
    if (!m_pDoc->CalcFlowLblRects(con, fig, m_pDoc->GetNewFlowLblSize(), gap, inflate, r1, r2, c1, c2))
        return false;
    return CreateFlowLbl(fig, con, slot, slot == 1 ? c1 : c2, slot == 1 ? r1 : r2);
}

bool CKavoView::OnAddLatLblHere(const CPoint& logical)
{
    if (!m_pDoc)
        return false;
    CDiagObj* hit = m_pDoc->ObjFromPoint(logical.x, logical.y, m_nHitTolerance, false, -1, 0, 0);
    if (!hit || hit->GetType() != kObjConnector)
        return false;
    auto* con = static_cast<CConnector*>(hit);
    // A fresh fragment keeps its label twice as far from the line.
    const int offset = m_pDoc->GetLatLblOffset(con);
    return CreateLatLbl(con, logical, offset, 0);
}

bool CKavoView::OnAddConLblHere(const CPoint& logical)
{
    if (!m_pDoc)
        return false;
    CDiagObj* hit = m_pDoc->ObjFromPoint(logical.x, logical.y, m_nHitTolerance, false, -1, 0, 0);
    if (!hit || hit->GetType() != kObjConnector)
        return false;
    EraseRectFeedback(nullptr);
    return CreateConLbl(static_cast<CConnector*>(hit), logical);
}

bool CKavoView::OnLabelMenuCommand(int id, const CPoint& logical)
{
    if (id == kCmdAddConLblHere)
        return OnAddConLblHere(logical);
    if (id == kCmdAddLatLblHere)
        return OnAddLatLblHere(logical);
    if (id == kCmdFlowLblSlot1 || id == kCmdFlowLblSlot2)
        return AddFlowLblAtCursor(logical, id == kCmdFlowLblSlot1 ? 1 : 2);
    const int code = FigLblCodeOfCommand(id);
    return code != 0 && AddFigLblAtCursor(logical, code);
}
