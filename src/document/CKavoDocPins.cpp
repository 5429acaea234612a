// Placed figures (ports, pins, name tabs, stacked figures) and their hosts:
// the host search with its distances and tie-breaks, making and renewing the
// figure link, the text alignment of the placed figure, the nudge limits,
// the pinned tests and the Detach command.
#include "document/CKavoDoc.h"

#include "core/AppContext.h"
#include "document/AttachKinds.h"
#include "document/CStaple.h"
#include "document/UndoRecordsStaple.h"
#include "shapes/FigFlags.h"
#include "undo/UndoCodes.h"

#include <algorithm>
#include <memory>

namespace {

const IActiveView* ActiveView()
{
    IAppContext* app = GetAppContext();
    return app ? app->GetActiveView() : nullptr;
}

int ActiveHitTolerance()
{
    const IActiveView* view = ActiveView();
    return view ? view->GetHitTolerance() : 1;
}

// A point of a rectangle as 0..255 of its width and height, rounded half
// up. A side of no length gives 0: junctions and hairlines have nothing to
// divide by.
int AnchorOf(int v, int lo, int extent)
{
    if (extent <= 0)
        return 0;
    const int64_t d = std::clamp<int64_t>(int64_t(v) - lo, 0, extent);
    return int((d * 2 * kStaplePosMax + extent) / (2 * int64_t(extent)));
}

bool RectsMeet(const CRect& a, const CRect& b)
{
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

bool RectWhollyInside(const CRect& inner, const CRect& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The text alignment of a figure-link side code: horizontal and vertical
// values of the alignment word.
void AlignmentForSide(int side, WORD& horz, WORD& vert)
{
    switch (side) {
    case 1: case 6: horz = 4; vert = 16; break;
    case 2: horz = 2; vert = 16; break;
    case 3: case 10: horz = 1; vert = 16; break;
    case 4: case 9: horz = 4; vert = 64; break;
    case 5: horz = 4; vert = 32; break;
    case 7: case 12: horz = 1; vert = 64; break;
    case 8: horz = 2; vert = 64; break;
    case 11: horz = 1; vert = 32; break;
    default: horz = 2; vert = 32; break;
    }
}

// The bits of the flag word that the placed figure's alignment owns.
bool AlignFlagsDiffer(const FigFlagSet& a, const FigFlagSet& b)
{
    return ((a.low ^ b.low) & 0x7FFFFFFFu) != 0 || ((a.high ^ b.high) & 0x3F7u) != 0;
}

} // namespace

// ---- rows of links

const AttachKind* CStaple::FindLinkRow()
{
    if (m_nType != kStapleFigLink)
        return nullptr;
    if (PinType != -1)
        return FindAttachKindById(PinType);
    const AttachKind* row = FindAttachKindForPair(m_pFig2, m_pFig1);
    if (row)
        PinType = row->id;
    return row;
}

int CStaple::IsTwoWayFor(const CFigure* fig)
{
    if (m_nType != kStapleFigLink || !fig || (m_pFig1 != fig && m_pFig2 != fig))
        return 0;
    const AttachKind* row = FindLinkRow();
    return row ? row->twoWay : 0;
}

const AttachKind* CFigure::GetTwoWayLinkKind() const
{
    if (!m_pStaple || !m_pDoc)
        return nullptr;
    CStaple* link = m_pStaple->IsTwoWayFor(this) ? m_pStaple : m_pDoc->FindTwoWayLink(this);
    return link ? link->FindLinkRow() : nullptr;
}

// ---- distances

int CKavoDoc::GetPinSnapDistance() const
{
    int d = 2 * ActiveHitTolerance();
    if (m_bAlignToGrid)
        d = std::max({d, int(m_nSnapX), int(m_nSnapY)});
    return d;
}

int CKavoDoc::GetPinInnerSnap() const
{
    return GetPinSnapDistance() * 2 / 3;
}

// ---- host search

CFigure* CKavoDoc::FindPinHostForKind(const CRect& drag, const AttachKind& row, const CFigure* placed, int moveFlag,
                                      int& distance, int margin) const
{
    distance = 0;
    const IActiveView* view = ActiveView();
    const CFigure* excluded = moveFlag == 0 && view ? view->GetRubberFigure() : nullptr;
    if (row.single && placed && IsPinned(placed, true))
        return nullptr;
    CRect search = drag;
    if (margin != -1)
        search.InflateRect(margin, margin);
    const CObjList* moving = moveFlag ? m_moveSet.GetList() : nullptr;
    auto inMove = [moving](const CDiagObj* o) { return moving && moving->Find(o) >= 0; };
    const int tolerance = ActiveHitTolerance();
    CFigure* best = nullptr;
    int bestDistance = 0;
    for (auto it = m_pObjList->end(); it != m_pObjList->begin();) {
        CDiagObj* o = *--it;
        if (o->GetType() != kObjFigure || o == excluded || o == placed || inMove(o))
            continue;
        auto* c = static_cast<CFigure*>(o);
        if (!c->IsStockKind(row.hostKind) || c->IsInGroup() || IsPinnedOn(c, placed))
            continue;
        if (row.single && (HostHasPinOfKind(c, row.placedKind) || (row.twoWay && IsPinnedOnKind(c, row.placedKind))))
            continue;
        if (margin != -1 && !RectsMeet(c->m_rect, search))
            continue;
        // Only the inside rules and the centre line take a figure lying
        // wholly within its host.
        const int type = row.placementType;
        if ((type < 7 || type > 10) && RectWhollyInside(drag, c->m_rect))
            continue;
        int d = 0;
        CPoint q;
        if (!row.PlaceDistance(d, drag, c->m_rect, q, -1) || (best && d >= bestDistance))
            continue;
        // The anchor on the host must not lie under another figure. The
        // placed figure itself never hides its host. A host of kind 29 asks
        // the figures above it for a hit on their strict rectangles.
        const bool strict = c->IsStockKind(29) != 0;
        const CDiagObj* top = nullptr;
        for (auto t = m_pObjList->end(); t != m_pObjList->begin() && !top;) {
            CDiagObj* o2 = *--t;
            if (o2->GetType() == kObjFigure && o2 != excluded && o2 != placed && !inMove(o2) &&
                o2->HitTest(q.x, q.y, tolerance, strict, false))
                top = o2;
        }
        if (top && top != c)
            continue;
        best = c;
        bestDistance = d;
    }
    distance = best ? bestDistance : 0;
    return best;
}

CFigure* CKavoDoc::FindPinHost(const CRect& drag, const CFigure* placed, const AttachKind** row, int moveFlag,
                               int& distance, int margin, int greatest) const
{
    distance = 0;
    if (row)
        *row = nullptr;
    if (!placed)
        return nullptr;
    const AttachKind* twoWay = placed->GetTwoWayLinkKind();
    const bool skipStacked = twoWay && (twoWay->id == 27 || twoWay->id == 28);
    CFigure* best = nullptr;
    const AttachKind* bestRow = nullptr;
    int bestDistance = 0;
    for (const AttachKind* k = AttachKindTable(); k->id; ++k) {
        if (!placed->IsStockKind(k->placedKind) || (skipStacked && (k->id == 27 || k->id == 28)))
            continue;
        int d = 0;
        CFigure* host = FindPinHostForKind(drag, *k, placed, moveFlag, d, margin);
        if (!host || (best && d >= bestDistance))
            continue;
        best = host;
        bestRow = k;
        bestDistance = d;
        if (d == 0)
            break;
    }
    if (best && greatest != -1 && bestDistance > greatest)
        best = nullptr;
    if (!best)
        return nullptr;
    distance = bestDistance;
    if (row)
        *row = bestRow;
    return best;
}

// ---- the link

CStaple* CKavoDoc::PinFigToHost(CFigure* placed, CFigure* host, int rowId)
{
    if (!placed)
        return nullptr;
    if (!host) {
        AlignPinText(placed, nullptr);
        InvalidateObj(placed);
        UpdateAllStaples(0);
        UpdateAllStaples(0);
        return nullptr;
    }
    const AttachKind* row = FindAttachKindById(rowId);
    if (!row || placed == host || !placed->IsStockKind(row->placedKind) || !host->IsStockKind(row->hostKind))
        return nullptr;
    CFigure* second = placed;
    CFigure* first = host;
    if (row->mirrored) {
        // Kept the other way round: the host stands on the placed figure.
        row = FindAttachKindForPair(host, placed);
        if (!row)
            return nullptr;
        std::swap(first, second);
    }
    CRect placedRc = second->m_rect;
    CPoint p, q;
    if (!row->Place(placedRc, first->m_rect, p, q, GetPinInnerSnap()))
        return nullptr;
    const CRect& hostRc = first->m_rect;
    const int ax1 = AnchorOf(q.x, hostRc.left, hostRc.Width()), ay1 = AnchorOf(q.y, hostRc.top, hostRc.Height());
    const int ax2 = AnchorOf(p.x, placedRc.left, placedRc.Width()),
              ay2 = AnchorOf(p.y, placedRc.top, placedRc.Height());
    CStaple* link = FindFigLinkBetween(first, second);
    if (link) {
        if (!LogStapleState(*this, link))
            return nullptr;
        // A link kept the other way round, or under another row, is turned
        // to this one: the refit reads the row's columns.
        if (link->m_pFig1 != first) {
            link->m_pFig1 = first;
            link->m_pFig2 = second;
            link->StoreIds();
            NoteStapleLinksChanged();
        }
        link->PinType = row->id;
        link->Fig1PosX = ax1;
        link->Fig1PosY = ay1;
        link->Fig2PosX = ax2;
        link->Fig2PosY = ay2;
        link->OffsetX = p.x - q.x;
        link->OffsetY = p.y - q.y;
        SetModifiedFlag(true);
    } else {
        auto made = std::make_unique<CStaple>(this);
        CStaple* const pinned[2] = {first->m_pStaple, second->m_pStaple};
        made->MakeFigLink(first, ax1, ay1, second, ax2, ay2, p.x - q.x, p.y - q.y);
        made->PinType = row->id;
        if (!AddStapleWithId(made.get())) {
            first->m_pStaple = pinned[0];
            second->m_pStaple = pinned[1];
            NoteStapleLinksChanged();
            return nullptr;
        }
        link = made.release();
    }
    if (!second->IsStockKind(63) && !second->IsStockKind(6))
        AlignPinText(second, link);
    InvalidateObj(second);
    UpdateAllStaples(0);
    UpdateAllStaples(0);
    return link;
}

void CKavoDoc::AlignPinText(CFigure* fig, const CStaple* link)
{
    if (!fig)
        return;
    CFigProps props = fig->m_props;
    WORD horz = 2, vert = 32;
    if (const int side = link ? link->GetSideCode() : 0)
        AlignmentForSide(side, horz, vert);
    props.TextFormat = WORD((props.TextFormat & ~0x77u) | horz | vert);
    SetAlignFlags(props.Behavior, props.TextFormat);
    if (!AlignFlagsDiffer(props.Behavior, fig->m_props.Behavior))
        return;
    if (!LogFigureState(fig))
        return;
    fig->m_props.TextFormat = props.TextFormat;
    fig->m_props.Behavior = props.Behavior;
    InvalidateObj(fig);
}

bool CKavoDoc::PinNewFig(CFigure* fig, int moveFlag)
{
    if (!fig)
        return false;
    const AttachKind* row = nullptr;
    int distance = 0;
    CFigure* host = FindPinHost(fig->m_rect, fig, &row, moveFlag, distance, GetPinSnapDistance(), 1);
    if (!host || !row || distance != 0)
        return false;
    CRect placed = fig->m_rect;
    CPoint p, q;
    if (row->Place(placed, host->m_rect, p, q, GetPinInnerSnap()) && placed != fig->m_rect) {
        // The figure was just added: its own step holds it as it ends up.
        InvalidateObj(fig);
        fig->SetRectNoUndo(placed);
        InvalidateObj(fig);
    }
    return PinFigToHost(fig, host, row->id) != nullptr;
}

// ---- moving pinned figures

CStaple* CKavoDoc::GetPinLink(const CFigure* fig) const
{
    if (!fig || !fig->IsStapled())
        return nullptr;
    CStaple* link = FindFigLinkTo(fig);
    return link && link->FindLinkRow() ? link : nullptr;
}

int CKavoDoc::LimitPinMove(CFigure* fig, int& dx, int& dy, CFigure** host, int& rowId) const
{
    if (host)
        *host = nullptr;
    rowId = -1;
    CStaple* link = GetPinLink(fig);
    if (!link)
        return 0;
    CFigure* leader = link->m_pFig1;
    const CObjList* moving = m_moveSet.GetList();
    if (!leader || (moving && moving->Find(leader) >= 0))
        return 0;
    if (host)
        *host = leader;
    const AttachKind* row = link->FindLinkRow();
    rowId = row ? row->id : -1;
    const CRect& f = fig->m_rect;
    const CRect& h = leader->m_rect;
    switch (link->GetSideCode()) {
    case 1: case 9:
        dy = 0;
        if (dx > 0 && f.right + dx > h.right)
            dx = h.right - f.right;
        else if (dx < 0)
            dx = 0;
        break;
    case 2: case 8:
        dy = 0;
        if (dx > 0 && f.right + dx >= h.right)
            dx = h.right - f.right;
        else if (dx < 0 && f.left + dx <= h.left)
            dx = h.left - f.left;
        break;
    case 3: case 7:
        dy = 0;
        if (dx > 0)
            dx = 0;
        else if (dx < 0 && f.left + dx < h.left)
            dx = h.left - f.left;
        break;
    case 4: case 12:
        dx = 0;
        if (dy < 0)
            dy = 0;
        else if (dy > 0 && f.bottom + dy > h.bottom)
            dy = h.bottom - f.bottom;
        break;
    case 5: case 11:
        dx = 0;
        if (dy > 0 && f.bottom + dy > h.bottom)
            dy = h.bottom - f.bottom;
        else if (dy < 0 && f.top + dy < h.top)
            dy = h.top - f.top;
        break;
    case 6: case 10:
        dx = 0;
        if (dy > 0)
            dy = 0;
        else if (dy < 0 && f.top + dy < h.top)
            dy = h.top - f.top;
        break;
    default:
        break;
    }
    return 1;
}

CFigure* CKavoDoc::FindDraggedPin() const
{
    const CObjList* moving = m_moveSet.GetList();
    if (!moving)
        return nullptr;
    for (CDiagObj* o : *moving) {
        if (o->GetType() != kObjFigure)
            continue;
        auto* f = static_cast<CFigure*>(o);
        if (GetPinKind(f) == -1)
            continue;
        const CStaple* link = f->IsStapled() ? FindFigLinkTo(f) : nullptr;
        if (!link || !link->m_pFig1 || moving->Find(link->m_pFig1) < 0)
            return f;
    }
    return nullptr;
}

// ---- pinned tests

bool CKavoDoc::IsPinned(const CFigure* fig, bool twoWay) const
{
    if (!fig)
        return false;
    if (FindFigLinkTo(fig))
        return true;
    CStaple* from = twoWay ? FindFigLinkFrom(fig) : nullptr;
    return from && from->IsTwoWayFor(fig);
}

bool CKavoDoc::IsPinnedOn(const CFigure* a, const CFigure* b) const
{
    return a && b && FindFigLink(a, b) != nullptr;
}

bool CKavoDoc::HostHasPinOfKind(const CFigure* fig, int kind) const
{
    for (CDiagObj* o : *m_pStapleList) {
        const auto* s = static_cast<const CStaple*>(o);
        if (s->m_nType == kStapleFigLink && s->m_pFig1 == fig && s->m_pFig2 && s->m_pFig2->IsStockKind(kind))
            return true;
    }
    return false;
}

bool CKavoDoc::IsPinnedOnKind(const CFigure* fig, int kind) const
{
    for (CDiagObj* o : *m_pStapleList) {
        const auto* s = static_cast<const CStaple*>(o);
        if (s->m_nType == kStapleFigLink && s->m_pFig2 == fig && s->m_pFig1 && s->m_pFig1->IsStockKind(kind))
            return true;
    }
    return false;
}

CStaple* CKavoDoc::FindTwoWayLink(const CFigure* fig) const
{
    for (CDiagObj* o : *m_pStapleList) {
        auto* s = static_cast<CStaple*>(o);
        if (s->IsTwoWayFor(fig))
            return s;
    }
    return nullptr;
}

// ---- Detach

void CKavoDoc::OnDetach()
{
    DetachFromPin();
}

bool CKavoDoc::DetachFromPin()
{
    // Nothing to cut opens no step: the earlier steps stay undoable.
    const CFigure* fig = GetFirstSelFig(0, 1);
    bool cut = false;
    if (fig && IsPinned(fig, true)) {
        UndoBeginStep(UDMAC_DETACHFROMPIN);
        cut = CutSelPinLink();
        // The refit runs inside the step: what it logs belongs to it.
        BuildMoveContext(m_pSelList.get(), m_pObjList.get(), 0, 1);
        UpdateAllStaples(1);
        UndoEndStep();
    } else {
        BuildMoveContext(m_pSelList.get(), m_pObjList.get(), 0, 1);
    }
    return cut;
}

bool CKavoDoc::CutSelPinLink()
{
    CFigure* fig = GetFirstSelFig(0, 1);
    if (!fig || !IsPinned(fig, true))
        return false;
    CStaple* link = FindFigLinkTo(fig);
    if (!link) {
        link = FindFigLinkFrom(fig);
        if (link && !link->IsTwoWayFor(fig))
            link = nullptr;
    }
    if (!link)
        return false;
    InvalidateObj(link->m_pFig2);
    InvalidateObj(link->m_pFig1);
    if (!CutStaple(link, -1))
        return false;
    SetModifiedFlag(true);
    return true;
}

bool CKavoDoc::CanDetach() const
{
    if (GetSelCount() != 1)
        return false;
    const CFigure* fig = GetFirstSelFig(0, 1);
    return fig && fig->IsStapled() && IsPinned(fig, true);
}
