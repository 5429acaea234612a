// A free label dragged over the diagram snaps into the first slot found
// under its centre: a connector's label slot, a flow-label slot, a place
// beside a connector, then a position round a figure (Ctrl drags it freely). The drop pins it there in
// an undo step of its own.
#include "editing/ui/CKavoView.h"

#include "core/Settings.h"
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "undo/UndoCodes.h"

#include <cstdlib>

bool CKavoView::SnapDroppedLabel(const CSize& off, CSize& moved)
{
    const CRect& lr = m_pFreeLabel->m_rect;
    const CSize size = lr.Size();
    const CPoint c(lr.CenterPoint().x + off.cx, lr.CenterPoint().y + off.cy);
    if (SnapToConLblSlots) {
        CConnector* con = m_pDoc->ConFromPoint(c.x, c.y, m_nHitTolerance, true);
        if (con && !m_pDoc->FindConLblStaple(con)) {
            m_nLblSlotKind = kLblSlotCon;
            m_pLblSlotCon = con;
            m_ptLblSlot = c;
            return true;
        }
    }
    int gap = 0, inflate = 0;
    m_pDoc->GetLabelSpacing(gap, inflate);
    CFigure* fig = nullptr;
    CConnector* con = nullptr;
    CRect rect;
    int slot = -1, code = -1;
    // A flow slot takes the label when its centre comes within a third of
    // the label's width and half its height of the slot's centre.
    if (SnapToFlwLblSlots && m_pDoc->FindFlowLblSlotAt(size, inflate, gap, c, nullptr, fig, con, rect, slot, code)) {
        const CPoint sc = rect.CenterPoint();
        if (std::abs(c.x - sc.x) * 6 <= size.cx && std::abs(c.y - sc.y) * 4 <= size.cy) {
            m_nLblSlotKind = kLblSlotFlow;
            m_pLblSlotFig = fig;
            m_pLblSlotCon = con;
            m_nLblSlot = slot;
            m_nLblSlotCorner = code;
            m_rcLblSlot = rect;
            moved = CSize(rect.left - lr.left, rect.top - lr.top);
            return true;
        }
    }
    int offset = 0;
    WORD align = 0;
    if (SnapToLatLblSlots && m_pDoc->FindLatLblSlotAt(size, inflate, 0, c, -1, con, offset, rect, align) &&
        rect.PtInRect(c)) {
        m_nLblSlotKind = kLblSlotLateral;
        m_pLblSlotCon = con;
        m_nLblSlot = offset;
        m_ptLblSlot = c;
        m_rcLblSlot = rect;
        moved = CSize(rect.left - lr.left, rect.top - lr.top);
        return true;
    }
    if (SnapToFigLblSlots) {
        fig = m_pDoc->FindFreeFigLblPosAt(c, m_nHitTolerance, size, code, rect);
        if (fig && rect.PtInRect(c)) {
            m_nLblSlotKind = kLblSlotFig;
            m_pLblSlotFig = fig;
            m_nLblSlot = code;
            m_rcLblSlot = rect;
            moved = CSize(rect.left - lr.left, rect.top - lr.top);
            return true;
        }
    }
    return false;
}

CSize CKavoView::FindLabelSlot(const CSize& off)
{
    m_nLblSlotKind = kLblSlotNone;
    m_pLblSlotCon = nullptr;
    m_pLblSlotFig = nullptr;
    m_nLblSlot = -1;
    if (!m_pFreeLabel || IsCtrlKeyDown())
        return off;
    CSize moved = off;
    SnapDroppedLabel(off, moved);
    return moved;
}

void CKavoView::ShowLabelSlotFeedback()
{
    switch (m_nLblSlotKind) {
    case kLblSlotCon:
        ShowRectFeedback(m_pLblSlotCon, m_ptLblSlot, m_pFreeLabel->m_rect.Size(), nullptr);
        break;
    case kLblSlotFlow:
        ShowAttachFeedback(m_pLblSlotFig, m_pLblSlotCon, m_nLblSlot, m_rcLblSlot, m_nLblSlotCorner, nullptr);
        break;
    case kLblSlotLateral:
        ShowLblDropFeedback(m_pLblSlotCon, m_ptLblSlot, m_rcLblSlot, m_nLblSlot, nullptr);
        break;
    case kLblSlotFig:
        ShowFigLblFeedback(m_pLblSlotFig, m_rcLblSlot, m_nLblSlot, nullptr);
        break;
    default:
        EraseLabelFeedback();
        break;
    }
}

// Each kind of slot pins the label in a step of its own after the move.
void CKavoView::AttachDroppedLabel()
{
    if (m_pDoc && m_pFreeLabel && !IsCtrlKeyDown()) {
        switch (m_nLblSlotKind) {
        case kLblSlotCon:
            m_pDoc->UndoBeginStep(UDMAC_ATTACHLBLASCONLBL);
            if (m_pDoc->CreateConLblStaple(m_pLblSlotCon, m_pFreeLabel->GetCenter(), m_pFreeLabel))
                m_pDoc->UpdateAllStaples(1);
            m_pDoc->UndoEndStep();
            break;
        case kLblSlotFlow:
            m_pDoc->AttachLblAsFlowLbl(m_pFreeLabel, m_pLblSlotFig, m_pLblSlotCon, m_nLblSlot, false);
            break;
        case kLblSlotLateral:
            m_pDoc->AttachLblAsLatLbl(m_pFreeLabel, m_pLblSlotCon, m_ptLblSlot, m_nLblSlot, 0, false);
            break;
        case kLblSlotFig:
            m_pDoc->AttachLblAsFigLbl(m_pFreeLabel, m_pLblSlotFig, m_nLblSlot, false);
            break;
        default:
            break;
        }
    }
    ForgetFreeLabel();
}

void CKavoView::ForgetFreeLabel()
{
    if (m_pFreeLabel && m_pDoc)
        m_pDoc->ClearTempFlags();
    m_pFreeLabel = nullptr;
    m_pLblSlotCon = nullptr;
    m_pLblSlotFig = nullptr;
    m_nLblSlotKind = kLblSlotNone;
    m_nLblSlot = -1;
}
