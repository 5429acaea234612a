// Group resize: the handles of a selected group show the size cursors and
// "Click to resize group"; dragging one scales the group's outline with its
// aspect kept, and the release maps every member figure from the group's
// old bounds onto the new ones in one undo step, connectors re-laid.
#include "editing/ui/CKavoView.h"

#include "core/Settings.h"
#include "core/StringHelpers.h"
#include "core/Trace.h"
#include "core/Units.h"
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CGroup.h"
#include "document/CKavoDoc.h"
#include "editing/GestureRules.h"
#include "geometry/IntGeometry.h"
#include "platform/CPainterDC.h"
#include "undo/UndoCodes.h"

#include <cstdio>

namespace {
constexpr int kIdsResizeGroup = 545, kIdsGroupSizeInch = 581, kIdsGroupSizeMetric = 606;
// The smallest group the drag makes, in logical units.
constexpr int kMinGroupSide = 16;

// A member connector's ends and route mapped from the group's old bounds
// onto the new ones, logged first; false when it cannot be logged.
bool ScaleGroupConnector(CKavoDoc& doc, CConnector* con, const CRect& from, const CRect& to)
{
    if (!doc.LogConnectorEnds(UDOC_CONMOVE, con))
        return false;
    doc.InvalidateObj(con);
    MapPtBetweenRectsRounded(con->EndPoint1, from, to);
    MapPtBetweenRectsRounded(con->EndPoint2, from, to);
    con->RecalcRoute();
    doc.InvalidateObj(con);
    doc.SetModifiedFlag(true);
    return true;
}
} // namespace

CGroup* CKavoView::GroupResizeHandleAt(const CPoint& pt, int& handle) const
{
    handle = 0;
    CGroup* group = m_pDoc ? m_pDoc->GroupHandleHitTest(pt, m_nHitTolerance, handle) : nullptr;
    return group && handle >= 0 && ResizeCursorForHandle(handle) != kNoResizeCursor ? group : nullptr;
}

int CKavoView::OnGrpHandleHover(const CPoint& pt)
{
    int handle = 0;
    if (!GroupResizeHandleAt(pt, handle))
        return 0;
    SetViewCursor(ResizeCursorShape(handle));
    SetStatusPrompt(kIdsResizeGroup);
    return 1;
}

int CKavoView::OnGrpHandleDown(const CPoint& pt)
{
    int handle = 0;
    CGroup* group = GroupResizeHandleAt(pt, handle);
    if (!group)
        return 0;
    m_nHandle = int16_t(handle);
    m_bGrpResize = 1;
    m_pResizeGrp = group;
    m_ptPress = m_ptCurrent = pt;
    group->GetBounds(m_rcGrpStart, 0, 0);
    m_rcResizeTrack = m_rcGrpStart;
    FlushPaint();
    DrawGrpResizeOutline(m_rcResizeTrack);
    m_bResizeShown = 1;
    CaptureMouse();
    SetViewCursor(ResizeCursorShape(handle));
    UpdateStatusText();
    return 1;
}

void CKavoView::DrawGrpResizeOutline(const CRect& rc)
{
    if (!m_pResizeGrp)
        return;
    std::unique_ptr<CPainterDC> dc = GetClientDC();
    dc->SetROP2(R2_NOTXORPEN);
    m_pResizeGrp->DrawResized(dc.get(), rc);
    dc->Flush();
    viewport()->update();
}

int CKavoView::TrackGrpResize(const CPoint& client)
{
    if (!m_bGrpResize || !m_pDoc || !m_pResizeGrp)
        return 0;
    const CPoint pt = ClientPtToLogical(client);
    CRect rc;
    m_pResizeGrp->ResizeByHandle(rc, m_nHandle, pt.x - m_ptPress.x, pt.y - m_ptPress.y, kMinGroupSide,
                                 kMinGroupSide);
    return AcceptResizeRect(rc, pt);
}

int CKavoView::EndGrpResize()
{
    if (!m_bGrpResize)
        return 0;
    EndResizeTracking(1);
    CGroup* group = m_pResizeGrp;
    if (m_pDoc && group && m_ptCurrent != m_ptPress && m_rcResizeTrack != m_rcGrpStart) {
        DiagPrintf("USER  Changed group size\n");
        CUndoLog& log = m_pDoc->UndoLogRef();
        log.UndoBeginStep(UDMAC_RESIZEGRP);
        // Every member is scaled: the connectors first (their free ends and
        // bends), then the figures, whose attached ends follow them.
        bool done = true;
        for (const CGroup::Member& m : group->m_members)
            if (done && m.obj && m.obj->GetType() == kObjConnector)
                done = ScaleGroupConnector(*m_pDoc, static_cast<CConnector*>(m.obj), m_rcGrpStart, m_rcResizeTrack);
        for (const CGroup::Member& m : group->m_members) {
            if (!done || !m.obj || m.obj->GetType() != kObjFigure)
                continue;
            auto* fig = static_cast<CFigure*>(m.obj);
            CRect rc = fig->m_rect;
            MapRectBetweenRectsRounded(rc, m_rcGrpStart, m_rcResizeTrack);
            done = m_pDoc->MoveFigToRect(fig, rc);
        }
        if (done)
            m_pDoc->UpdateAllStaples(1);
        log.UndoEndStep();
        m_pDoc->RefreshSelection(0);
    }
    return EndResizeTracking(0);
}

int CKavoView::UpdateGrpResizeTrack(int eraseOnly)
{
    return m_bGrpResize ? EndResizeTracking(eraseOnly) : 0;
}

std::string CKavoView::DescribeGrpResize() const
{
    if (!m_bGrpResize)
        return {};
    std::string format;
    LoadCStringRes(format, Metric ? kIdsGroupSizeMetric : kIdsGroupSizeInch);
    const int startW = m_rcGrpStart.Width();
    const int percent = startW == 0 ? 100 : int(double(m_rcResizeTrack.Width()) / startW * 100.0 + 0.4999);
    char buf[160];
    std::snprintf(buf, sizeof buf, format.c_str(), LogicalToUserUnits(m_rcResizeTrack.Height()),
                  LogicalToUserUnits(m_rcResizeTrack.Width()), percent);
    return buf;
}
