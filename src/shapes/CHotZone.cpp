#include "shapes/CHotZone.h"

bool CHotZone::Set(int count, const CFltPoint* points)
{
    if (!points || count < kMinPoints || count > kMaxPoints)
        return false;
    m_points.assign(points, points + count);
    return true;
}
