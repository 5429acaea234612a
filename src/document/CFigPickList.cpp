#include "document/CFigPickList.h"

#include "document/CFigure.h"

#include <algorithm>

bool CFigPickList::Add(const POINT& pt, CFigure* fig, int32_t conPt, CConnector* con)
{
    if (GetCount() >= kMaxEntries)
        return false;
    m_entries.push_back(CFigPick{fig, con, CPoint(pt), conPt});
    return true;
}

bool CFigPickList::SetAt(int n, const POINT& pt, CFigure* fig, int32_t conPt, CConnector* con)
{
    if (n < 1 || n > GetCount())
        return false;
    m_entries[size_t(n - 1)] = CFigPick{fig, con, CPoint(pt), conPt};
    return true;
}

bool CFigPickList::RemoveAt(int n)
{
    if (n < 1 || n > GetCount())
        return false;
    m_entries.erase(m_entries.begin() + (n - 1));
    return true;
}

const CFigPick* CFigPickList::GetAt(int n) const
{
    return n >= 1 && n <= GetCount() ? &m_entries[size_t(n - 1)] : nullptr;
}

CPoint CFigPickList::GetPointOf(int n) const
{
    if (m_entries.empty())
        return CPoint();
    const CFigPick& e = m_entries[size_t(n >= 1 && n <= GetCount() ? n - 1 : 0)];
    if (!e.fig || e.conPt == kPickAuto)
        return e.pt;
    CFltPoint pos;
    if (e.conPt >= 0 && e.fig->GetConPtPos(e.conPt, e.fig->m_rect, pos))
        return pos.RoundToPoint();
    return e.fig->GetCenter();
}

void CFigPickList::AddPointsTo(std::vector<CPoint>& points) const
{
    points.clear();
    for (int n = 1; n <= GetCount(); ++n)
        points.push_back(GetPointOf(n));
}

bool CFigPickList::AnyOutside(const RECT& rc) const
{
    return std::any_of(m_entries.begin(), m_entries.end(), [&](const CFigPick& e) {
        return e.pt.x < rc.left || e.pt.x > rc.right || e.pt.y < rc.top || e.pt.y > rc.bottom;
    });
}

void CFigPickList::RemoveRedundant(bool keep)
{
    for (bool again = true; again;) {
        again = false;
        for (size_t i = 1; i < m_entries.size(); ++i) {
            const CPoint& prev = m_entries[i - 1].pt;
            const CPoint& p = m_entries[i].pt;
            bool drop = p == prev;
            if (!drop && !keep && i + 1 < m_entries.size()) {
                const CPoint& next = m_entries[i + 1].pt;
                drop = (prev.x == p.x && p.x == next.x) || (prev.y == p.y && p.y == next.y);
            }
            if (drop) {
                // The dropped entry's attachment stays with an end entry.
                if (i + 1 == m_entries.size())
                    m_entries[i - 1] = m_entries[i];
                m_entries.erase(m_entries.begin() + long(i));
                again = true;
                break;
            }
        }
    }
}

void CFigPickList::Reverse()
{
    std::reverse(m_entries.begin(), m_entries.end());
}

bool CFigPickList::operator==(const CFigPickList& o) const
{
    if (GetCount() != o.GetCount())
        return false;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const CFigPick &a = m_entries[i], &b = o.m_entries[i];
        if (a.fig != b.fig || a.con != b.con || a.pt != b.pt || a.conPt != b.conPt)
            return false;
    }
    return true;
}

const char* ConPicksMessage(int check)
{
    switch (check) {
    case 1: return "Cannot connect a figure to itself";
    case 2: return "Duplicate connector already exists";
    case 4: return "Cannot connect a connector to itself";
    default: return nullptr;
    }
}
