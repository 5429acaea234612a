#include "editing/ui/ViewPointCommands.h"

#include "core/StringHelpers.h"
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "editing/ui/CKavoView.h"
#include "platform/Prompt.h"
#include "undo/UndoCodes.h"

#include <algorithm>

namespace {
constexpr int kIdsSelfRefFailed = 800;
// The line-shape bits of a connector's behaviour word, and the straight
// shape a self-transition is drawn with.
constexpr DWORD kLineShapeBits = 0x1A, kStraightLine = 2;

CConnector* FreeConAt(const CKavoDoc& doc, const CPoint& pt, int tolerance)
{
    CConnector* con = doc.ConFromPoint(pt.x, pt.y, tolerance, false);
    return con && !con->m_pGroup && !con->HasFlags(1, 0) ? con : nullptr;
}
} // namespace

bool AddJunctionHere(CKavoView& view, const CPoint& logical)
{
    CKavoDoc* doc = view.GetDocument();
    CConnector* con = doc ? FreeConAt(*doc, logical, view.m_nHitTolerance) : nullptr;
    const bool done = con && doc->SplitConWithUndo(con, logical, UDMAC_ADDJUNCT) != nullptr;
    view.ReleaseMouseAtCursor();
    return done;
}

bool SnipConnectorHere(CKavoView& view, const CPoint& logical)
{
    CKavoDoc* doc = view.GetDocument();
    CConnector* con = doc ? FreeConAt(*doc, logical, view.m_nHitTolerance) : nullptr;
    const bool done = con && doc->SnipConWithUndo(con, logical, 2 * view.m_nHitTolerance);
    view.ReleaseMouseAtCursor();
    return done;
}

int SelfRefKindAt(const CRect& figure, const CPoint& pt)
{
    const int w = std::max<int>(1, figure.Width()), h = std::max<int>(1, figure.Height());
    const int col = std::clamp(int((long long)(pt.x - figure.left) * 3 / w), 0, 2);
    const int row = std::clamp(int((long long)(pt.y - figure.top) * 3 / h), 0, 2);
    if (col == 1 && row == 1) {
        const int left = pt.x - figure.left, right = figure.right - pt.x;
        const int top = pt.y - figure.top, bottom = figure.bottom - pt.y;
        const int nearest = std::min({left, right, top, bottom});
        return nearest == top ? 2 : nearest == bottom ? 7 : nearest == left ? 4 : 5;
    }
    // The eight parts in reading order, the middle left out.
    static constexpr int kKinds[3][3] = {{1, 2, 3}, {4, 0, 5}, {6, 7, 8}};
    return kKinds[row][col];
}

bool AddSelfRefHere(CKavoView& view, const CPoint& logical)
{
    CKavoDoc* doc = view.GetDocument();
    if (!doc)
        return false;
    CDiagObj* hit = doc->ObjFromPoint(logical.x, logical.y, view.m_nHitTolerance, false, -1, 0, 0);
    if (!hit || hit->GetType() != kObjFigure || hit->m_pGroup)
        return false;
    auto* fig = static_cast<CFigure*>(hit);
    FigFlagSet& shape = doc->m_curConStyle.m_props.Behavior;
    const FigFlagSet saved = shape;
    shape.low = (shape.low & ~kLineShapeBits) | kStraightLine;
    const bool made = doc->AddSelfRef(fig, SelfRefKindAt(fig->m_rect, logical), doc->m_nSelfReferenceRadius);
    shape = saved;
    if (!made)
        ShowPrompt(ResText(kIdsSelfRefFailed), MB_OK | MB_ICONEXCLAMATION);
    return made;
}
