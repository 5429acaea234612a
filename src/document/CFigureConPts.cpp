// Finding a figure's connection point under a point.
#include "document/CFigure.h"

#include <climits>
#include <cmath>

int CFigure::ConPtFromPoint(const POINT& pt, int tolerance, bool nearest) const
{
    if (!m_pConPts || HasFlags(0x80000, 0))
        return -1;
    const bool alwaysNearest = nearest || (HasFlags(0x2000000, 0) && !HasFlags(0x8000000, 0));
    int best = -1;
    long long bestDist = LLONG_MAX;
    for (int i = 0; i < m_pConPts->GetCount(); ++i) {
        const int id = m_pConPts->GetIdAt(i);
        CFltPoint pos;
        if (!m_pConPts->GetConPtPos(id, m_rect, pos))
            continue;
        const long long dx = std::lround(pos.x) - pt.x, dy = std::lround(pos.y) - pt.y;
        const bool inSquare = std::llabs(dx) <= tolerance && std::llabs(dy) <= tolerance;
        const long long dist = dx * dx + dy * dy;
        if ((inSquare || alwaysNearest) && dist < bestDist) {
            best = id;
            bestDist = dist;
        }
    }
    return best;
}
