#pragma once
// A hot-zone polygon: the outline of a figure whose visible shape is not its
// rectangle, as symbol-space float points. Either empty or 4 to 2048 points.
#include "shapes/CFltPoint.h"

#include <vector>

class CHotZone {
public:
    static constexpr int kMinPoints = 4;
    static constexpr int kMaxPoints = 2048;

    // Stores a copy of the points; refused (false, the zone unchanged) for
    // fewer than 4 or more than 2048 points.
    bool Set(int count, const CFltPoint* points);
    void Clear() { m_points.clear(); }
    bool HasPoints() const { return !m_points.empty(); }
    int GetCount() const { return static_cast<int>(m_points.size()); }
    const CFltPoint* GetPoints() const { return m_points.data(); }
    bool operator==(const CHotZone& o) const { return m_points == o.m_points; }

private:
    std::vector<CFltPoint> m_points;
};
