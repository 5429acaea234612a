// A figure created on a flow goes into it: dropped on a connector it
// splits the connector, dropped on a bend of two connectors it replaces
// the bend; both in the creation's undo step.
#include "editing/ui/CKavoView.h"

#include "core/Settings.h"
#include "core/StringHelpers.h"
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "platform/Prompt.h"

namespace {
constexpr int kIdsFlowMisfit = 11606;

bool EndInside(const CConnector* con, int end, const CRect& rc)
{
    const CPoint p = end == 1 ? con->EndPoint1 : con->EndPoint2;
    return p.x >= rc.left && p.x <= rc.right && p.y >= rc.top && p.y <= rc.bottom;
}

bool EndOnRedundantJct(const CConnector* con, int end)
{
    const CFigure* f = con->GetEndFig(end);
    return f && f->IsRedundantJct();
}

// A figure of the rectangle fits the connector when neither end would lie
// inside it, ends on bends and connectors with flag 8 or 2 excepted.
bool FitsOnFlow(const CConnector* con, const CRect& rc)
{
    if (rc.Width() <= 0 || rc.Height() <= 0)
        return false;
    if (con->HasFlags(8 | 2, 0))
        return true;
    for (int end = 1; end <= 2; ++end)
        if (EndInside(con, end, rc) && !EndOnRedundantJct(con, end))
            return false;
    return true;
}

CRect CentredRect(const CPoint& c, const CSize& size)
{
    return CRect(CPoint(c.x - size.cx / 2, c.y - size.cy / 2), size);
}

bool AttachedTo(const CConnector* con, const CFigure* fig)
{
    return fig && (con->m_pFig1 == fig || con->m_pFig2 == fig);
}
} // namespace

bool CKavoView::FindFlowDropTarget(const CPoint& pt, const CSize& size, bool& refused, const CFigure* fig)
{
    refused = false;
    m_pFlowCon = nullptr;
    m_pFlowJct = nullptr;
    if (!m_pDoc || !SnapToFlows || m_bFreeform || (fig && fig->IsPartition()))
        return false;
    POINT at{pt.x, pt.y};
    CDiagObj* obj = m_pDoc->ObjFromPoint(pt.x, pt.y, m_nHitTolerance, false, -1, 0, 0, &at);
    if (!obj || obj->m_pGroup || obj == fig)
        return false;
    if (obj->GetType() == kObjConnector) {
        auto* con = static_cast<CConnector*>(obj);
        if (con->HasFlags(64, 0) || AttachedTo(con, fig))
            return false;
        for (int end = 1; fig && end <= 2; ++end)
            if (EndInside(con, end, fig->m_rect) && !EndOnRedundantJct(con, end))
                return false;
        if (!FitsOnFlow(con, CentredRect(pt, size))) {
            refused = true;
            return false;
        }
        m_pFlowCon = con;
        m_ptFlowInsert = CPoint(at.x, at.y);
        return true;
    }
    auto* jct = static_cast<CFigure*>(obj);
    CConnector *first = nullptr, *second = nullptr;
    if (obj->GetType() != kObjFigure || !jct->IsRedundantJct() || !m_pDoc->GetConsOnFig(jct, first, second) ||
        !first || !second || AttachedTo(first, fig) || AttachedTo(second, fig))
        return false;
    const CRect rc = CentredRect(jct->GetCenter(), size);
    if (!FitsOnFlow(first, rc) || !FitsOnFlow(second, rc)) {
        refused = true;
        return false;
    }
    m_pFlowCon = first;
    m_pFlowJct = jct;
    m_ptFlowInsert = jct->GetCenter();
    return true;
}

CPoint CKavoView::FlowSnapCreatePoint(const CPoint& pt, const CSize& size)
{
    bool refused = false;
    if (m_bFlowDrop && FindFlowDropTarget(pt, size, refused, nullptr))
        return m_ptFlowInsert;
    return pt;
}

void CKavoView::ShowFlowMisfit()
{
    std::string text;
    ShowPrompt(LoadCStringRes(text, kIdsFlowMisfit), MB_ICONEXCLAMATION);
}

void CKavoView::InsertNewFigIntoFlow(CFigure* fig)
{
    if (fig && m_pFlowCon && !m_bFreeform) {
        if (m_pFlowJct)
            m_pDoc->ReplaceJctByFig(fig, m_pFlowJct, false);
        else
            m_pDoc->SplitConAtFig(fig, m_pFlowCon, m_ptFlowInsert, false);
    }
    m_pFlowCon = nullptr;
    m_pFlowJct = nullptr;
}
