// The connector-end drag of select mode: a press on an end handle of a
// selected connector drags that end to another figure, connector or free
// point, and the release re-attaches it in one undo step. Also the
// connection-point marker that shows where an end would attach.
#include "editing/ui/CKavoView.h"
#include "editing/ui/ConPtMarkerShown.h"
#include "editing/ui/ViewCursors.h"

#include "core/MessageBeep.h"
#include "core/Settings.h"
#include "document/CKavoDoc.h"
#include "document/ReroutePicks.h"
#include "platform/CPainterDC.h"
#include "platform/GdiObjects.h"
#include "platform/Prompt.h"
#include "shapes/MarkerDraw.h"

#include <QPointer>

namespace {
// Property flag of a figure whose marked connection point an end is
// dragged from; set for the time of the drag.
constexpr DWORD kConEndDragFigFlag = 0x8000000;
// The guides are drawn in the connection-point colour XOR this.
constexpr COLORREF kGuideXor = 0xC0C0C0;
constexpr int kGuideGap = 7;   // pixels left free on each side of the point

// The one marker of the program: the view it is drawn in, the figure, the
// connection point (-2 a free point) and the point.
struct ConPtMarker {
    QPointer<CKavoView> view;
    CFigure* fig = nullptr;
    int index = -1;
    CPoint pt;
    bool guides = false;
};
ConPtMarker g_marker;

void DrawMarker(CKavoView& view, const ConPtMarker& m)
{
    std::unique_ptr<CPainterDC> dc = view.GetClientDC();
    DrawConPtMarker(dc.get(), m.pt.x, m.pt.y, kConPtMarkerCross);
    if (m.guides) {
        // Guides across the whole client area, in client pixels.
        const CPoint c = view.LogicalPtToClient(m.pt);
        const int w = view.viewport()->width(), h = view.viewport()->height();
        CPen pen(PS_SOLID, 0, ConPtColor ^ kGuideXor);
        CPen* old = dc->SelectObject(&pen);
        dc->SetROP2(R2_XORPEN);
        auto line = [&](int x1, int y1, int x2, int y2) {
            dc->MoveTo(view.ClientPtToLogical(CPoint(x1, y1)));
            dc->LineTo(view.ClientPtToLogical(CPoint(x2, y2)));
        };
        line(0, c.y, c.x - kGuideGap, c.y);
        line(c.x + kGuideGap + 1, c.y, w, c.y);
        line(c.x, 0, c.x, c.y - kGuideGap);
        line(c.x, c.y + kGuideGap + 1, c.x, h);
        dc->SelectObject(old);
    }
    dc->Flush();
    view.viewport()->update();
}

bool JoinsOtherSelected(const CKavoDoc& doc, const CFigure* jct, const CConnector* con)
{
    bool found = false;
    doc.ForEachConnector([&](const CConnector* c) {
        found = found || (c != con && c->m_bSelected && (c->m_pFig1 == jct || c->m_pFig2 == jct));
    });
    return found;
}
} // namespace

ConPtMarkerShown CurrentConPtMarker()
{
    if (!g_marker.view)
        return {};
    return {g_marker.view.data(), g_marker.fig, g_marker.index, g_marker.pt};
}

void CKavoView::ShowConPtMarker(CFigure* fig, int index, const CPoint& pt, bool guides)
{
    const bool withGuides = guides && ShowConnectionGuides;
    if (g_marker.view == this && g_marker.fig == fig && g_marker.index == index && g_marker.pt == pt &&
        g_marker.guides == withGuides)
        return;
    if (g_marker.view)
        g_marker.view->EraseConPtMarker();
    if (index == -1)
        return;
    g_marker.view = this;
    g_marker.fig = fig;
    g_marker.index = index;
    g_marker.pt = pt;
    g_marker.guides = withGuides;
    DrawMarker(*this, g_marker);
}

void CKavoView::EraseConPtMarker()
{
    if (g_marker.view != this)
        return;
    DrawMarker(*this, g_marker);
    g_marker = ConPtMarker();
}

int CKavoView::OnConEndDown(const CPoint& pt)
{
    int end = 0;
    CConnector* c = m_pDoc->SelConEndFromPoint(pt, end, 2 * m_nHitTolerance);
    if (!c || c->m_pGroup)
        return 0;
    end = end == 1 ? 1 : 2;
    CFigure* fig = c->GetEndFig(end);
    if (fig && fig->IsInvisible() && (fig->m_bSelected || JoinsOtherSelected(*m_pDoc, fig, c)))
        return BeginJctDrag(fig, pt);
    // The rubber connector shows the whole chain through redundant
    // junctions; the chain's own objects are no targets while it is
    // dragged. A connector that keeps its shape is dragged by itself.
    m_pPickList = std::make_unique<CFigPickList>();
    const bool ok = c->HasFlags(1, 0) ? MakeConEndPicks(*c, end, *m_pPickList)
                                      : MakeReroutePicks(*m_pDoc, c, end, true, *m_pPickList);
    if (!ok) {
        m_pPickList.reset();
        MessageBeep(MB_ICONEXCLAMATION);
        return 1;
    }
    m_pPickOrig = std::make_unique<CFigPickList>();
    m_pPickOrig->CopyFrom(*m_pPickList);
    const int32_t id = end == 1 ? c->m_nConPtId1 : c->m_nConPtId2;
    const CConPt* point = fig && fig->m_pConPts && id >= 0 ? fig->m_pConPts->FindById(id) : nullptr;
    if (point && point->m_nFlag) {
        m_pConEndFlagged = fig;
        m_conEndSavedFlags = fig->m_props.Behavior;
        fig->m_props.Behavior.low |= kConEndDragFigFlag;
    }
    m_pRerouteCon = c;
    m_nRerouteEnd = end;
    m_nConStyle = c->m_nStyle;
    // A connector that keeps its shape moves its second candidate.
    m_nConEndIndex = c->HasFlags(1, 0) ? 1 : m_pPickList->GetCount() - 1;
    m_ptPress = m_ptCurrent = pt;
    CaptureMouse();
    m_bConReroute = 1;
    UpdateRubberCon();
    return 1;
}

int CKavoView::ConEndMove(const CPoint& client)
{
    if (!m_bConReroute)
        return 0;
    ConTarget t;
    if (!FindConTarget(client, nullptr, t))
        return 1;
    if (t.con == m_pRerouteCon)
        t.con = nullptr;
    // The rubber connector follows the pointer everywhere; over a figure in
    // a group the move is then passed on without marker or cursor.
    m_pPickList->SetAt(m_nConEndIndex + 1, t.pt, t.fig, t.conPt, t.con);
    UpdateRubberCon();
    if (t.fig && t.fig->IsInGroup()) {
        EraseConPtMarker();
        return 0;
    }
    const bool onStart = m_pPickList->GetCount() <= 2 && m_pPickList->GetFirstFig() == t.fig;
    if (t.fig && t.conPt >= 0 && !onStart)
        ShowConPtMarker(t.fig, t.conPt, t.pt, true);
    else if (t.fig && t.conPt == kPickAuto)
        ShowConPtMarker(t.fig, kPickAuto, t.pt, true);
    else
        EraseConPtMarker();
    SetViewCursor(t.fig || t.con ? kCursorAttach : kCursorAdjust);
    return 1;
}

int CKavoView::ConEndUp()
{
    if (!m_bConReroute)
        return 0;
    EraseRubberCon();
    EraseConPtMarker();
    std::unique_ptr<CFigPickList> list = std::move(m_pPickList);
    std::unique_ptr<CFigPickList> orig = std::move(m_pPickOrig);
    CConnector* con = m_pRerouteCon;
    const int end = m_nRerouteEnd;
    ConEndCancel(0);
    if (*list == *orig)
        return 1;
    const int check = m_pDoc->CheckConPicks(*list, true);
    if (const char* message = ConPicksMessage(check))
        ShowPrompt(message, MB_OK | MB_ICONEXCLAMATION);
    if (check == 0)
        m_pDoc->CreateConWithUndo(*list, con, end, nullptr);
    UpdateStatusText();
    return 1;
}

int CKavoView::ConEndCancel(int eraseOnly)
{
    if (!m_bConReroute)
        return 0;
    EraseRubberCon();
    EraseConPtMarker();
    if (eraseOnly)
        return 1;
    if (m_pConEndFlagged)
        m_pConEndFlagged->m_props.Behavior = m_conEndSavedFlags;
    m_pConEndFlagged = nullptr;
    m_pPickList.reset();
    m_pPickOrig.reset();
    m_pDoc->m_pObjList->ClearTempFlags();
    m_bConReroute = 0;
    m_pRerouteCon = nullptr;
    m_nConStyle = -1;
    ReleaseCapture();
    SetViewCursor(Qt::ArrowCursor);
    return 1;
}
