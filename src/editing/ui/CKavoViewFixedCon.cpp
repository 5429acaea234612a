// Click-placed connectors (a sub-mode of connector drawing): a connector
// style of fixed length follows the pointer as an inverted image of the
// connector and is placed whole, with free ends, by one click.
#include "editing/ui/CKavoView.h"
#include "editing/ui/ConTextEntry.h"
#include "editing/ui/ViewCursors.h"

#include "core/Settings.h"
#include "core/UIMode.h"
#include "document/CKavoDoc.h"
#include "editing/GestureRules.h"

namespace {
// Connector-style flag set while a click-placed connector is made.
constexpr DWORD kFixedPlacingFlag = 0x80;
constexpr int kBackToSelectMode = 6;
} // namespace

bool CKavoView::IsFixedConMode() const
{
    CPoint e1, e2;
    return m_pDoc && m_pDoc->CalcFixedConEnds(CPoint(0, 0), e1, e2);
}

int CKavoView::OnFixedConMouseMove(const CPoint& client)
{
    CPoint pt = ClientPtToLogical(client);
    m_pDoc->ClampPtToWorkSpace(pt);
    CPoint e1, e2;
    if (!m_pDoc->CalcFixedConEnds(pt, e1, e2))
        return 0;
    // After a placement the image comes back once the pointer has left the
    // click point by the double-click width.
    if (m_bFixedImageHidden && !IsPastClickDistance(m_ptFixedPlaced, client))
        return 1;
    m_bFixedImageHidden = 0;
    const std::vector<CPoint> pts{e1, e2};
    if (pts != m_rubberShown) {
        DrawRubberCon(m_rubberShown);
        DrawRubberCon(pts);
        m_rubberShown = pts;
    }
    SetViewCursor(kCursorConnect);
    ShowStatus(ConDrawStatus());
    return 1;
}

int CKavoView::OnFixedConButtonDown(const CPoint& client)
{
    CPoint pt = ClientPtToLogical(client);
    m_pDoc->ClampPtToWorkSpace(pt);
    CPoint e1, e2;
    if (!m_pDoc->CalcFixedConEnds(pt, e1, e2))
        return 0;
    EraseRubberCon();
    // A direction other than the four is placed as 90 and kept so.
    int& angle = m_pDoc->m_curConStyle.FragmentAngle;
    if (angle != 0 && angle != 90 && angle != 180 && angle != 270)
        angle = 90;
    CFigPickList list;
    list.Add(e1, nullptr, kPickFree, nullptr);
    list.Add(e2, nullptr, kPickFree, nullptr);
    FigFlagSet& flags = m_pDoc->m_curConStyle.m_props.Behavior;
    const FigFlagSet saved = flags;
    flags.low |= kFixedPlacingFlag;
    CDiagObj* made = nullptr;
    m_pDoc->CreateConWithUndo(list, nullptr, 2, &made);
    flags = saved;
    m_ptFixedPlaced = client;
    m_bFixedImageHidden = 1;
    if (EditNewConText(*this, made)) {
        m_bOneGesture = 0;
    } else if (m_bOneGesture) {
        m_bOneGesture = 0;
        EnterUIMode(kBackToSelectMode, 0);
        ReleaseMouseAtCursor();
    }
    return 1;
}
