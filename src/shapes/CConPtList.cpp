#include "shapes/CConPtList.h"

#include "geometry/IntGeometry.h"
#include "core/Units.h"
#include "geometry/SymbolSpace.h"
#include "shapes/MarkerDraw.h"

#include <new>

int CConPtList::AddConPt(const CFltPoint& pos, const std::string& name, int32_t flag, bool noSearch,
                         int32_t id)
{
    if (!noSearch) {
        const int found = FindByPos(pos);
        if (found != -1)
            return found;
    }
    if (GetCount() >= kMaxPoints)
        return -1;
    // Ids start at 1: 0 and other negative ids could never be found again,
    // so they take the next id like -1.
    const bool explicitId = id > 0 && !FindById(id);
    CConPt pt;
    pt.m_pos = pos;
    pt.m_strName = name.substr(0, CConPt::kMaxName);
    pt.m_nFlag = flag;
    pt.m_nId = explicitId ? id : m_nNextId;
    try {
        m_points.push_back(pt);
    } catch (const std::bad_alloc&) {
        return 0;
    }
    if (!explicitId)
        ++m_nNextId;
    if (explicitId && m_nNextId <= MaxId())
        m_nNextId = MaxId() + 1;
    return pt.m_nId;
}

int CConPtList::FindByPos(const CFltPoint& pos) const
{
    for (const CConPt& p : m_points) {
        if (p.m_pos == pos)
            return p.m_nId;
    }
    return -1;
}

const CConPt* CConPtList::FindById(int32_t id) const
{
    if (id <= 0)
        return nullptr;
    for (const CConPt& p : m_points) {
        if (p.m_nId == id)
            return &p;
    }
    return nullptr;
}

int CConPtList::IndexFromId(int32_t id) const
{
    for (int i = 0; i < GetCount(); ++i) {
        if (m_points[i].m_nId == id)
            return i;
    }
    return -1;
}

const CConPt* CConPtList::GetAt(int index) const
{
    return index >= 0 && index < GetCount() ? &m_points[index] : nullptr;
}

int CConPtList::GetIdAt(int index) const
{
    const CConPt* p = GetAt(index);
    return p ? p->m_nId : -1;
}

int CConPtList::MaxId() const
{
    int maxId = -1;
    for (const CConPt& p : m_points)
        maxId = p.m_nId > maxId ? p.m_nId : maxId;
    return maxId;
}

int CConPtList::RemoveConPt(int32_t id)
{
    const int i = IndexFromId(id);
    if (i < 0)
        return 0;
    m_points.erase(m_points.begin() + i);
    return 1;
}

bool CConPtList::IsEqual(const CConPtList& other) const
{
    if (GetCount() != other.GetCount())
        return false;
    for (int i = 0; i < GetCount(); ++i) {
        if (!m_points[i].IsEqual(other.m_points[i]))
            return false;
    }
    return true;
}

int CConPtList::GetConPtPos(int32_t id, const RECT& rect, CFltPoint& out) const
{
    const CConPt* p = FindById(id);
    if (!p)
        return 0;
    CFltPoint pos = p->m_pos;
    if (pos.x != kSymbolSpaceCentre || pos.y != kSymbolSpaceCentre)
        MapNormPtToRect(pos, rect, 0.0);
    // Exactly 1024.0 means the middle and is resolved by the integer midpoint,
    // so that a centred point stays on the pixel the centre lines use.
    if (p->m_pos.x == kSymbolSpaceCentre)
        pos.x = static_cast<float>((rect.left + rect.right) / 2);
    if (p->m_pos.y == kSymbolSpaceCentre)
        pos.y = static_cast<float>((rect.top + rect.bottom) / 2);
    out = pos;
    return 1;
}

int CConPtList::GetConPtPoint(int32_t id, const RECT& rect, CPoint& out) const
{
    CFltPoint pos;
    if (!GetConPtPos(id, rect, pos))
        return 0;
    out = pos.RoundToPoint();
    return 1;
}

void CConPtList::DrawMarker(CDC* dc, int32_t id, const RECT& rect, int kind, int dx, int dy) const
{
    CPoint pt;
    if (dc && GetConPtPoint(id, rect, pt))
        DrawConPtMarker(dc, pt.x + dx, pt.y + dy, kind);
}

void CConPtList::RenumberIds()
{
    int32_t id = 1;
    for (CConPt& p : m_points)
        p.m_nId = id++;
    m_nNextId = id;
}

void CConPtList::CopyFromEx(const CConPtList& other, bool skipFlagged)
{
    m_points.clear();
    for (const CConPt& p : other.m_points) {
        if (!skipFlagged || !p.m_nFlag)
            m_points.push_back(p);
    }
    m_nNextId = other.m_nNextId;
}

void CConPtList::AddUnflagged(const CConPtList& other)
{
    RemoveAll();
    for (const CConPt& p : other.m_points) {
        if (!p.m_nFlag)
            AddConPt(p.m_pos, p.m_strName, 0, false, -1);
    }
}

int CConPtList::MoveConPt(int32_t id, const RECT& rect, int dx, int dy)
{
    CPoint pt;
    if (!GetConPtPoint(id, rect, pt))
        return 0;
    pt.Offset(dx, dy);
    CRect bounds(rect);
    bounds.NormalizeRect();
    ClampPtToRect(pt, bounds);
    float fx = kSymbolSpaceCentre;
    float fy = kSymbolSpaceCentre;
    PointToSymbolFraction(fx, fy, pt, bounds);
    CConPt& p = m_points[IndexFromId(id)];
    p.m_pos = CFltPoint(fx, fy);
    return 1;
}

void CConPtList::FindFreePos(CFltPoint& out, bool onVertical, bool onHorizontal) const
{
    auto candidate = [](double a, double b) {
        ScaleFloatPair2048(a, b);
        return CFltPoint(static_cast<float>(a), static_cast<float>(b));
    };
    const CFltPoint centre = candidate(500, 500);
    out = centre;
    if (FindByPos(centre) == -1)
        return;
    for (int step = 100; step <= 800; step += 100) {
        CFltPoint c;
        if (onHorizontal)
            c = candidate(step, 500);
        else if (onVertical)
            c = candidate(500, step);
        else
            c = candidate(step, step);
        if (FindByPos(c) == -1) {
            out = c;
            return;
        }
    }
}
