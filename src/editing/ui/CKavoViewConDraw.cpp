// Connector drawing (UI mode 4): the first click fixes the start, clicks on
// empty space drop junction points, and a click on a figure, on a connector
// or a double click ends the chain; the document then makes the connectors
// in one undo step. A rubber connector, drawn inverted, follows the pointer.
#include "editing/ui/CKavoView.h"
#include "editing/ui/ConTextEntry.h"
#include "editing/ui/ViewCursors.h"

#include "core/MessageBeep.h"
#include "core/Settings.h"
#include "core/StringHelpers.h"
#include "core/UIMode.h"
#include "document/CKavoDoc.h"
#include "editing/GestureRules.h"
#include "editing/OrthoRoute.h"
#include "platform/Prompt.h"
#include "platform/CPainterDC.h"

#include <QCursor>

namespace {
constexpr int kBackToSelectMode = 6;
constexpr int kIdsFreeform = 742, kIdsEscCancel = 731, kIdsEscSelectMode = 736;
// Connector-style flag 32: a new point is not lined up with the one before.
constexpr DWORD kNoAlignFlag = 32;
// Connector-style flags 2 and 8 (curved shapes) keep points on one line.
constexpr DWORD kKeepPointsFlags = 2 | 8;
constexpr int kHoverNothing = 1, kHoverFigure = 2, kHoverConnector = 3;

} // namespace

// Draws the polyline inverted with the connector's pen: twice is nothing.
void CKavoView::DrawRubberCon(const std::vector<CPoint>& pts)
{
    if (pts.size() < 2)
        return;
    std::unique_ptr<CPainterDC> dc = GetClientDC();
    dc->SetROP2(R2_NOTXORPEN);
    const CConProps& props = m_pRerouteCon ? m_pRerouteCon->m_props : m_pDoc->m_curConStyle.m_props;
    const CConnector temp(props, m_nConStyle, m_pDoc);
    for (size_t i = 1; i < pts.size(); ++i)
        temp.Draw(dc.get(), pts[i - 1].x, pts[i - 1].y, pts[i].x, pts[i].y, false);
    dc->Flush();
    viewport()->update();
}

void CKavoView::UpdateRubberCon()
{
    std::vector<CPoint> pts;
    if (m_pPickList)
        m_pPickList->AddPointsTo(pts);
    if (!m_altInner.empty() && !pts.empty())
        pts.insert(pts.end() - 1, m_altInner.begin(), m_altInner.end());
    if (pts == m_rubberShown)
        return;
    DrawRubberCon(m_rubberShown);
    DrawRubberCon(pts);
    m_rubberShown = pts;
}

void CKavoView::EraseRubberCon()
{
    DrawRubberCon(m_rubberShown);
    m_rubberShown.clear();
}

bool CKavoView::IsAttachKeyFree() const
{
    const int mode = m_pDoc ? m_pDoc->m_nAttachMode : AttachMode;
    return (mode == 3 && !IsShiftKeyDown()) || (mode == 1 && IsShiftKeyDown());
}

bool CKavoView::IsAttachKeyCtrl() const
{
    const int mode = m_pDoc ? m_pDoc->m_nAttachMode : AttachMode;
    return mode == 0 || IsCtrlKeyDown();
}

bool CKavoView::FindConTarget(const CPoint& client, const POINT* ref, ConTarget& out) const
{
    ConTargetRules rules;
    // During a drag outside the window what lies under the pointer is not on
    // screen: nothing attaches there.
    rules.noAttach = IsAttachKeyCtrl() || ((m_bConTracking || m_bConReroute) && !IsInClient(client));
    rules.clickPoint = IsAttachKeyFree();
    rules.enableConPts = EnableConPts != 0;
    rules.snap = m_pDoc->m_bAlignToGrid != 0;
    return m_pDoc->FindConTarget(ClientPtToLogical(client), m_nHitTolerance, ref, rules, out);
}

std::string CKavoView::ConDrawStatus() const
{
    std::vector<std::string> pieces;
    if (m_bConTracking)
        pieces.push_back("Click on destination object. ");
    else if (!m_bConReroute && m_pDoc)
        pieces.push_back("Click to create a \"" + m_pDoc->m_curConStyle.m_strName + "\" connector. ");
    const int mode = m_pDoc ? m_pDoc->m_nAttachMode : AttachMode;
    // A click-placed connector attaches nothing: CTRL has nothing to free.
    if (mode != 0 && !IsFixedConMode())
        pieces.push_back(ResText(kIdsFreeform));
    if (m_nHoverKind == kHoverFigure && (mode == 1 || mode == 3))
        pieces.push_back(mode == 1 ? "SHIFT: click point" : "SHIFT: centers");
    if (m_bConTracking) {
        pieces.push_back("ALT: orthogonal");
        if (m_nHoverKind == kHoverNothing || mode == 0) {
            pieces.push_back("CLICK: drop junction");
            pieces.push_back("DBL-CLICK: terminate");
        }
        pieces.push_back(ResText(kIdsEscCancel));
    } else {
        pieces.push_back(ResText(m_bConReroute ? kIdsEscCancel : kIdsEscSelectMode));
    }
    std::string text;
    for (const std::string& p : pieces)
        text += (text.empty() ? "" : "   ") + p;
    return text;
}

int CKavoView::OnConButtonDown(const CPoint& client)
{
    if (!m_pDoc)
        return 0;
    m_nHitTolerance = std::max(1, int(ClientLenToLogical(int(HandleSize)) + 0.5));
    if (m_bConTracking)
        return ConClick(client, false);
    ConTarget t;
    if (!FindConTarget(client, nullptr, t)) {
        MessageBeep(MB_ICONEXCLAMATION);
        return 1;
    }
    EraseConPtMarker();
    m_pPickList = std::make_unique<CFigPickList>();
    m_pPickList->Add(t.pt, t.fig, t.conPt, t.con);
    m_nConStyle = m_pDoc->m_nCurConStyle;
    m_pRerouteCon = nullptr;
    m_nRerouteEnd = 2;
    m_nClicks = 1;
    m_ptPressClient = client;
    CaptureMouse();
    m_bConTracking = 1;
    UpdateRubberCon();
    ShowStatus(ConDrawStatus());
    return 1;
}

// The moving end follows the target under the pointer; false outside the
// work space.
bool CKavoView::TrackConEnd(const CPoint& client)
{
    const CFigPick* fixed = m_pPickList->GetAt(m_nClicks);
    const bool align = m_pPickList->GetCount() >= 2 && !(m_pDoc->m_curConStyle.m_props.Behavior.low & kNoAlignFlag);
    const POINT ref = fixed->pt;
    ConTarget t;
    if (!FindConTarget(client, align ? &ref : nullptr, t))
        return false;
    m_nHoverKind = t.fig ? kHoverFigure : t.con ? kHoverConnector : kHoverNothing;
    m_altInner.clear();
    if (IsAltKeyDown())
        RouteLastLeg(*fixed, t);
    if (m_pPickList->GetCount() == m_nClicks)
        return m_pPickList->Add(t.pt, t.fig, t.conPt, t.con);
    return m_pPickList->SetAt(m_pPickList->GetCount(), t.pt, t.fig, t.conPt, t.con);
}

void CKavoView::RouteLastLeg(const CFigPick& from, const ConTarget& to)
{
    OrthoRouteInput in;
    in.s = from.fig ? from.fig->GetCenter() : from.pt;
    in.e = to.fig ? to.fig->GetCenter() : to.pt;
    const CRect startRc = from.fig ? from.fig->m_rect : CRect(), endRc = to.fig ? to.fig->m_rect : CRect();
    in.startFig = from.fig ? &startRc : nullptr;
    in.endFig = to.fig ? &endRc : nullptr;
    in.stepX = m_pDoc->m_nSnapX;
    in.stepY = m_pDoc->m_nSnapY;
    in.snap = m_pDoc->m_bAlignToGrid != 0;
    m_pDoc->ForEachFigure([&](const CFigure* f) {
        if (f != from.fig && f != to.fig && !f->IsInvisible())
            in.figures.push_back(f->m_rect);
    });
    m_pDoc->ForEachConnector([&](const CConnector* c) { in.legs.push_back({c->EndPoint1, c->EndPoint2}); });
    in.page = ShowPage ? &m_pDoc->m_rcPage : nullptr;
    m_altInner = FindOrthoRoute(in);
}

int CKavoView::ConClick(const CPoint& client, bool isUp)
{
    const bool tracked = TrackConEnd(client);
    // The corners of an Alt-routed leg become points of the chain.
    if (tracked && !m_altInner.empty() &&
        m_pPickList->GetFreeSlots() >= int(m_altInner.size())) {
        const CFigPick moving = *m_pPickList->GetAt(m_pPickList->GetCount());
        m_pPickList->RemoveAt(m_pPickList->GetCount());
        for (const CPoint& p : m_altInner)
            m_pPickList->Add(p, nullptr, kPickFree, nullptr);
        m_pPickList->Add(moving.pt, moving.fig, moving.conPt, moving.con);
        m_altInner.clear();
    }
    const CFigPick* last = m_pPickList->GetAt(m_pPickList->GetCount());
    bool end = tracked && last->fig;
    if (!end && m_nClicks > 1 && !isUp) {
        // A second press near the last fixed point is a double click.
        const CPoint lastClient = LogicalPtToClient(m_pPickList->GetAt(m_nClicks)->pt);
        end = !IsPastClickDistance(lastClient, client);
    }
    if (!end && tracked) {
        if ((!IsAttachKeyCtrl() && last->con) || m_pPickList->GetFreeSlots() == 0)
            end = true;
        else
            m_nClicks = m_pPickList->GetCount();
    }
    if (end)
        FinishConDraw();
    else
        ShowStatus(ConDrawStatus());
    return 1;
}

int CKavoView::OnConMouseMove(const CPoint& client)
{
    if (!m_pDoc)
        return 0;
    m_nHitTolerance = std::max(1, int(ClientLenToLogical(int(HandleSize)) + 0.5));
    if (!m_bConTracking) {
        ConTarget t;
        FindConTarget(client, nullptr, t);
        m_nHoverKind = t.fig ? kHoverFigure : t.con ? kHoverConnector : kHoverNothing;
        SetViewCursor(m_nHoverKind == kHoverNothing ? int(Qt::ForbiddenCursor) : kCursorAttach);
        std::string text = ConDrawStatus();
        if (t.fig && t.conPt >= 0) {
            ShowConPtMarker(t.fig, t.conPt, t.pt, false);
            // A named connection point names itself.
            const CConPt* point = t.fig->m_pConPts ? t.fig->m_pConPts->FindById(t.conPt) : nullptr;
            if (point && !point->m_strName.empty())
                text = point->m_strName;
        } else if ((t.fig && t.conPt == kPickAuto) || t.con) {
            // Where an end would attach automatically, or branch off the
            // connector, is marked the same way.
            ShowConPtMarker(t.fig, kPickAuto, t.pt, false);
        } else {
            EraseConPtMarker();
        }
        ShowStatus(text);
        return 1;
    }
    StartAutoScroll(client, false);
    if (TrackConEnd(client))
        UpdateRubberCon();
    SetViewCursor(kCursorConnect);
    ShowStatus(ConDrawStatus());
    return 1;
}

int CKavoView::OnConButtonUp(const CPoint& client)
{
    if (!m_bConTracking)
        return 0;
    const CFigPick* fixed = m_pPickList->GetAt(m_nClicks);
    const CPoint pt = ClientPtToLogical(client);
    if (fixed->fig) {
        // Released over another figure: the press, drag and release made
        // one segment.
        CFigure* under = m_pDoc->FindTopFig(pt.x, pt.y, m_nHitTolerance, true, false, nullptr, -1, 0, 0);
        if (!under || under == fixed->fig)
            return 1;
        return ConClick(client, true);
    }
    if (m_nClicks == 1 && !IsPastClickDistance(m_ptPressClient, client))
        return 1;
    if (ClampPtToWorkSpace(pt) == fixed->pt)
        return 1;
    return ConClick(client, true);
}

void CKavoView::FinishConDraw()
{
    EraseRubberCon();
    std::unique_ptr<CFigPickList> list = std::move(m_pPickList);
    m_altInner.clear();
    m_bConTracking = 0;
    m_nClicks = 0;
    ReleaseCapture();
    // Two ends on one figure's centre are one point: the list is checked
    // before such points merge too.
    int check = m_pDoc->CheckConPicks(*list, false);
    if (check == 0) {
        list->RemoveRedundant((m_pDoc->m_curConStyle.m_props.Behavior.low & kKeepPointsFlags) != 0);
        check = m_pDoc->CheckConPicks(*list, false);
    }
    if (const char* message = ConPicksMessage(check))
        ShowPrompt(message, MB_OK | MB_ICONEXCLAMATION);
    CDiagObj* made = nullptr;
    if (check == 0 && list->GetCount() >= 2)
        m_pDoc->CreateConWithUndo(*list, nullptr, 2, &made);
    m_nConStyle = -1;
    if (EditNewConText(*this, made)) {
        m_bOneGesture = 0;
    } else if (m_bOneGesture) {
        m_bOneGesture = 0;
        EnterUIMode(kBackToSelectMode, 0);
        ReleaseMouseAtCursor();
    }
    UpdateStatusText();
}

// The text of what a connector gesture made (the style's automatic label)
// is typed at once when the option asks for it; the editor then holds the
// view in text mode, so the gesture does not return to select mode.
bool EditNewConText(CKavoView& view, CDiagObj* made)
{
    return made && AutoEditOnCreate && made->GetType() == kObjFigure &&
           view.EditNewFigText(static_cast<CFigure*>(made));
}

int CKavoView::CancelConDraw(int keepCapture)
{
    if (!m_bConTracking) {
        // The image of a click-placed connector goes; no gesture ran.
        EraseRubberCon();
        EraseConPtMarker();
        return 0;
    }
    EraseRubberCon();
    if (keepCapture)
        return 1;
    m_pPickList.reset();
    m_altInner.clear();
    m_bConTracking = 0;
    m_nClicks = 0;
    m_nConStyle = -1;
    ReleaseCapture();
    OnConMouseMove(CursorClientPos());
    return 1;
}
