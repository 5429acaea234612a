#pragma once
// Two symbol-space points, e.g. the ends of a divider.
#include "geometry/CFltPoint.h"

class CFltPointPair {
public:
    CFltPoint m_pt1;
    CFltPoint m_pt2;

    // The midpoint with both modes 0.
    CFltPoint GetMidPoint() const
    {
        return {(m_pt1.x + m_pt2.x) * 0.5f, (m_pt1.y + m_pt2.y) * 0.5f, 0, 0};
    }
};
