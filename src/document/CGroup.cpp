#include "document/CGroup.h"

#include "core/NumericHelpers.h"
#include "document/CDiagObj.h"
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "geometry/IntGeometry.h"
#include "platform/GdiObjects.h"

#include <algorithm>
#include <cstdlib>
#include <new>

CGroup::CGroup(const CGroup& o) : CIdObj()
{
    m_nId = o.m_nId;
    m_bSelected = o.m_bSelected;
    for (const Member& m : o.m_members)
        AddMember(m.obj, m.id, true);
}

CGroup& CGroup::operator=(const CGroup& o)
{
    if (this == &o)
        return *this;
    m_members.clear();
    m_nId = o.m_nId;
    m_bSelected = o.m_bSelected;
    m_nSpare1 = o.m_nSpare1;
    m_bVisited = 0;
    m_nUngroupMark = 0;
    m_bMoved = 0;
    for (const Member& m : o.m_members)
        AddMember(m.obj, m.id, true);
    return *this;
}

bool CGroup::HasMember(int32_t id) const
{
    return std::any_of(m_members.begin(), m_members.end(), [id](const Member& m) { return m.id == id; });
}

bool CGroup::AddMember(CDiagObj* obj, int32_t id, bool atHead)
{
    try {
        if (atHead)
            m_members.insert(m_members.begin(), Member{obj, id});
        else
            m_members.push_back(Member{obj, id});
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool CGroup::AddMemberEntry(CDiagObj* obj, int32_t id)
{
    return id != -1 && AddMember(obj, id, true);
}

bool CGroup::AddMember(CDiagObj* obj)
{
    if (!obj || !AddMember(obj, obj->m_nId, true))
        return false;
    if (obj->m_bSelected)
        m_bSelected = 1;
    obj->m_pGroup = this;
    return true;
}

bool CGroup::RemoveMember(int32_t id)
{
    const auto before = m_members.size();
    m_members.erase(std::remove_if(m_members.begin(), m_members.end(), [id](const Member& m) { return m.id == id; }),
                    m_members.end());
    return m_members.size() != before;
}

void CGroup::OffsetMemberIds(int delta)
{
    for (Member& m : m_members)
        if (m.id != -1)
            m.id += delta;
}

void CGroup::OffsetIds(int groupDelta, int memberDelta)
{
    OffsetId(groupDelta);
    OffsetMemberIds(memberDelta);
}

void CGroup::StoreMemberIds()
{
    for (Member& m : m_members)
        m.StoreId();
}

void CGroup::TakeMemberPasteFlag()
{
    for (const Member& m : m_members)
        if (m.obj && m.obj->m_nSpare1)
            m_nSpare1 = 1;
}

void CGroup::UpdateSelectedFlag()
{
    m_bSelected = std::any_of(m_members.begin(), m_members.end(),
                              [](const Member& m) { return m.obj && m.obj->m_bSelected; })
                      ? 1
                      : 0;
}

void CGroup::MarkIfAnyMemberMarked()
{
    if (std::any_of(m_members.begin(), m_members.end(), [](const Member& m) { return m.obj && m.obj->m_bVisited; }))
        m_bVisited = 1;
}

void CGroup::MarkIfAllMembersMarked()
{
    if (std::all_of(m_members.begin(), m_members.end(), [](const Member& m) { return m.obj && m.obj->m_bVisited; }))
        m_bVisited = 1;
}

void CGroup::GetBounds(CRect& out, int kind, int size) const
{
    out.SetRectEmpty();
    for (const Member& m : m_members) {
        if (!m.obj)
            continue;
        CRect rc;
        m.obj->GetBoundRect(rc, kind, size);
        UnionRectSkipEmpty(out, rc);
    }
}

bool CGroup::IsInsideRect(const RECT& rc) const
{
    CRect b;
    GetBounds(b, 0, 0);
    const CRect r(rc);
    return r.PtInRect(CPoint(b.left, b.top)) && r.PtInRect(CPoint(b.right, b.bottom));
}

CDiagObj* CGroup::GetNextMember(int& pos) const
{
    if (pos < 1 || pos > GetCount()) {
        pos = 0;
        return nullptr;
    }
    CDiagObj* obj = m_members[size_t(pos - 1)].obj;
    pos = pos < GetCount() ? pos + 1 : 0;
    return obj;
}

bool CGroup::IsInsideRegion(const CRgn& region) const
{
    CRect b;
    GetBounds(b, 0, 0);
    return region.PtInRegion(b.left, b.top) && region.PtInRegion(b.right, b.bottom);
}

void CGroup::UpdateMembers()
{
    for (const Member& m : m_members)
        if (m.obj)
            m.obj->Hook();
}

CGroup* FindGroupById(const std::vector<CGroup*>& groups, int32_t id)
{
    for (CGroup* g : groups)
        if (g->m_nId == id)
            return g;
    return nullptr;
}

void ClearGroupMarks(const std::vector<CGroup*>& groups)
{
    for (CGroup* g : groups)
        g->m_nUngroupMark = 0;
}

void MarkGroupsOfMarkedMembers(const std::vector<CGroup*>& groups)
{
    for (CGroup* g : groups)
        g->MarkIfAllMembersMarked();
}

void StoreGroupMemberIds(const std::vector<CGroup*>& groups)
{
    for (CGroup* g : groups)
        g->StoreMemberIds();
}

CPoint CGroup::GetHandlePoint(int handle) const
{
    CRect b;
    GetBounds(b, 0, 0);
    const int cx = b.left + (b.right - b.left) / 2, cy = b.top + (b.bottom - b.top) / 2;
    const int r = b.right - 1, bt = b.bottom - 1;
    switch (handle) {
    case 1: return {b.left, b.top};
    case 2: return {cx, b.top};
    case 3: return {r, b.top};
    case 4: return {b.left, cy};
    case 6: return {r, cy};
    case 7: return {b.left, bt};
    case 8: return {cx, bt};
    case 9: return {r, bt};
    default: return {0, 0};
    }
}

int CGroup::HandleHitTest(const POINT& pt, int size) const
{
    static constexpr int kOrder[8] = {1, 7, 3, 9, 4, 6, 2, 8};
    const int half = size / 2;
    for (int h : kOrder) {
        const CPoint c = GetHandlePoint(h);
        const CRect sq(c.x - half, c.y - half, c.x - half + size, c.y - half + size);
        if (sq.PtInRect(pt))
            return h;
    }
    return 0;
}

void CGroup::ResizeByHandle(CRect& out, int handle, int dx, int dy, int minWidth, int minHeight) const
{
    CRect b;
    GetBounds(b, 0, 0);
    out = b;
    if (handle < 1 || handle > 9 || handle == 5)
        return;
    const CPoint hp = GetHandlePoint(handle);
    const long long px = (long long)hp.x + dx, py = (long long)hp.y + dy;
    const bool left = handle == 1 || handle == 4 || handle == 7, right = handle == 3 || handle == 6 || handle == 9;
    const bool top = handle <= 3, bottom = handle >= 7;
    // Right and bottom handles sit on the last pixel inside the bounds.
    const long long lw = left ? b.right - px : (right ? px + 1 - b.left : b.Width());
    const long long lh = top ? b.bottom - py : (bottom ? py + 1 - b.top : b.Height());
    // Never more than the work space holds.
    constexpr long long kMaxSide = 32000;
    int w = int(std::clamp<long long>(lw, std::max(0, minWidth), std::max<long long>(kMaxSide, minWidth)));
    int h = int(std::clamp<long long>(lh, std::max(0, minHeight), std::max<long long>(kMaxSide, minHeight)));
    // The group's aspect: fitted by the width, or by the height when that
    // gives the old size back (a top or bottom handle).
    if (b.Width() > 0 && b.Height() > 0) {
        const int byWidth = int((long long)w * b.Height() / b.Width());
        if (w == b.Width() && byWidth == b.Height())
            w = int((long long)h * b.Width() / b.Height());
        else
            h = byWidth;
    }
    const int cx = b.left + b.Width() / 2, cy = b.top + b.Height() / 2;
    out.left = left ? b.right - w : (right ? b.left : cx - w / 2);
    out.top = top ? b.bottom - h : (bottom ? b.top : cy - h / 2);
    out.right = out.left + w;
    out.bottom = out.top + h;
}

CSize CGroup::GetTextScaleSize() const
{
    int smallest = 128;
    bool any = false;
    for (const Member& m : m_members) {
        if (!m.obj || m.obj->GetType() != kObjFigure)
            continue;
        const auto* f = static_cast<const CFigure*>(m.obj);
        const int size = std::abs(int(f->GetFont().lfHeight));
        if (!f->HasTextAreas() || size == 0)
            continue;
        any = true;
        smallest = std::min(smallest, size);
    }
    if (!any)
        return CSize(64, 64);
    CRect b;
    GetBounds(b, 0, 0);
    const int w = b.Width() * 4 / smallest, h = b.Height() * 4 / smallest;
    int fw = w, fh = h;
    if (b.Width() > 0 && b.Height() > 0)
        FitSizeKeepAspect(w, h, b.Width(), b.Height(), fw, fh, 1);
    return CSize(fw, fh);
}

void CGroup::DrawResized(CDC* dc, const RECT& target) const
{
    if (!dc)
        return;
    CRect b;
    GetBounds(b, 0, 0);
    const CFigure::FeedbackContext ctx;
    for (const Member& m : m_members) {
        if (!m.obj)
            continue;
        if (m.obj->GetType() == kObjConnector) {
            const auto* c = static_cast<const CConnector*>(m.obj);
            POINT p1 = c->EndPoint1, p2 = c->EndPoint2;
            MapPtBetweenRects(p1, b, target);
            MapPtBetweenRects(p2, b, target);
            c->Draw(dc, p1.x, p1.y, p2.x, p2.y, false);
        } else if (m.obj->GetType() == kObjFigure) {
            const auto* f = static_cast<const CFigure*>(m.obj);
            RECT rc = f->m_rect;
            MapRectBetweenRects(rc, b, target);
            f->DrawFeedback(dc, ctx, &rc, false);
        }
    }
}
