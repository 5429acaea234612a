#include "render/FigOutlineTrace.h"

#include "document/CFigure.h"
#include "render/HotZoneTrace.h"

#include <vector>

void TraceFigOutlineFromPicture(CFigure& fig)
{
    if (!fig.HasPicture())
        return;
    std::vector<POINT> points(kMaxTracePts);
    int count = 0;
    GetHotZoneFromGraphic(fig.m_props.Graphic, fig.m_props.m_nGraphicType, &count, points.data());
    // Fewer than four points make no outline: the rectangle stays.
    fig.SetPolyPoints(count, points.data());
}
