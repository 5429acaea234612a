#include "geometry/CLineSeg.h"

#include "geometry/IntGeometry.h"

#include <algorithm>

double CLineSeg::GetAngle() const
{
    return LineAngle(Start(), End());
}

double CLineSeg::GetSlope() const
{
    if (IsVerticalSeg() || IsHorizontalSeg())
        return 0.0;
    return (double(y2) - y1) / (double(x2) - x1);
}

double CLineSeg::GetIntercept() const
{
    return y1 - x1 * GetSlope();
}

bool CLineSeg::BoxContainsPt(int x, int y) const
{
    return x >= std::min(x1, x2) && x <= std::max(x1, x2) && y >= std::min(y1, y2) &&
           y <= std::max(y1, y2);
}

CPoint CLineSeg::ProjectPt(const POINT& pt, bool clamp) const
{
    return ProjectPtOnLine(pt, Start(), End(), clamp);
}
