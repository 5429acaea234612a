// A new picture figure from a picture block. It lives with the picture import
// because the figure's hot zone is traced from its picture.
#include "core/Settings.h"
#include "document/CKavoDoc.h"
#include "render/HotZoneTrace.h"

#include <array>
#include <new>

namespace {
// The program's one buffer for traced outlines: a trace never needs more.
POINT* HotZoneScratch()
{
    static std::array<POINT, kMaxTracePts> points;
    return points.data();
}
} // namespace

bool CKavoDoc::AddGraphicAsFig(int insertMode, HGLOBAL block, int kind, const POINT& pos, int width, int height)
{
    if (!block)
        return false;
    CFigProps props;
    SetPictureFigFlags(props.Behavior);
    props.BindToStyle = 0;
    props.Graphic = block;
    props.m_nGraphicType = kind;
    if (kind != 0)
        props.ClearFill();
    // The constructor takes the height before the width.
    CFigure* fig = new (std::nothrow) CFigure(pos.x, pos.y, height, width, props, -1, 0, std::string(),
                                              std::string(), CFigure::CreateArgs{}, this);
    if (!fig)
        return false;
    if (!AddNewFig(insertMode, fig, false)) {
        // The figure forgets the picture: the block stays the caller's.
        delete fig;
        return false;
    }
    if (NonRectBounds) {
        int count = 0;
        POINT* points = HotZoneScratch();
        GetHotZoneFromGraphic(fig->m_props.Graphic, fig->m_props.m_nGraphicType, &count, points);
        // Fewer than four points make no outline: the rectangle stays.
        fig->SetPolyPoints(count, points);
    }
    return true;
}
