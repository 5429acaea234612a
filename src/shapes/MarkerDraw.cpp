#include "shapes/MarkerDraw.h"

#include "core/Settings.h"
#include "graphics/CDCSave.h"
#include "platform/CDC.h"
#include "platform/GdiObjects.h"
#include "platform/GdiTypes.h"
#include "shapes/CConProps.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kMinJunctionDot = 13;
constexpr int kMaxJunctionDot = 33;
constexpr int kMinReshapeHandlePixels = 3;

void Segment(CDC& dc, int x1, int y1, int x2, int y2)
{
    dc.MoveTo(x1, y1);
    dc.LineTo(x2, y2);
}

} // namespace

void DrawConPtMarker(CDC* dc, int x, int y, int kind)
{
    if (!dc)
        return;
    CDCSave save(*dc);
    if (kind == kConPtMarkerCross) {
        CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
        dc->SelectObject(&pen);
        dc->SetROP2(R2_NOT);
        // Each line leaves out its end pixel: the short bars abut the centre
        // column above and overlap it below, which the marker's look relies on.
        Segment(*dc, x - 4, y, x + 5, y);
        Segment(*dc, x - 1, y + 1, x + 2, y + 1);
        Segment(*dc, x - 1, y - 1, x + 2, y - 1);
        Segment(*dc, x, y - 4, x, y - 1);
        Segment(*dc, x, y + 1, x, y + 5);
        return;
    }
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CBrush brush(ConPtColor);
    dc->SelectObject(&pen);
    dc->SelectObject(&brush);
    const POINT diamond[4] = {{x - 4, y}, {x, y - 4}, {x + 4, y}, {x, y + 4}};
    dc->Polygon(diamond, 4);
}

int JunctionDotDiameter(int lineWidth)
{
    const long long d = 3LL * lineWidth;
    return int(std::clamp<long long>(d, kMinJunctionDot, kMaxJunctionDot));
}

void DrawJunctionDot(CDC* dc, int x, int y, const CConProps& props)
{
    if (!dc)
        return;
    const int d = JunctionDotDiameter(props.LineWidth);
    CDCSave save(*dc);
    CBrush brush(props.Color);
    dc->SelectObject(&brush);
    dc->SelectStockObject(NULL_PEN);
    const int left = x - d / 2, top = y - d / 2;
    dc->Ellipse(left, top, left + d, top + d);
}

COLORREF LightenHandleColor(COLORREF color)
{
    const auto lighten = [](int c) { return c + (255 - c) * 3 / 5; };
    return RGB(lighten(GetRValue(color)), lighten(GetGValue(color)), lighten(GetBValue(color)));
}

void DrawHandleSquare(CDC* dc, int size, int x, int y, bool disabled)
{
    if (!dc || size <= 0)
        return;
    const int left = x - size / 2, top = y - size / 2;
    if (!disabled) {
        dc->PatBlt(left, top, size, size, PATCOPY);
        return;
    }
    CDCSave save(*dc);
    CBrush brush(LightenHandleColor(HandleColor));
    dc->SelectObject(&brush);
    dc->PatBlt(left, top, size, size, PATCOPY);
}

void DrawDeviceDiamond(CDC* dc, int size, int x, int y, int extra, COLORREF fill)
{
    if (!dc)
        return;
    SIZE devSize{size, size};
    dc->LPtoDP(&devSize);
    const int pixels = std::abs(int(devSize.cx));
    if (pixels < kMinReshapeHandlePixels)
        return;
    POINT centre{x, y};
    dc->LPtoDP(&centre);
    CDCSave save(*dc);
    dc->SetMapMode(MM_TEXT);
    dc->SetWindowOrg(0, 0);
    dc->SetViewportOrg(0, 0);
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CBrush brush(fill);
    dc->SelectObject(&pen);
    dc->SelectObject(&brush);
    const int h = (pixels + extra) / 2;
    const POINT diamond[4] = {
        {centre.x - h, centre.y}, {centre.x, centre.y - h}, {centre.x + h, centre.y}, {centre.x, centre.y + h}};
    dc->Polygon(diamond, 4);
}

void DrawReshapeHandle(CDC* dc, int size, int x, int y)
{
    DrawDeviceDiamond(dc, size, x, y, 2, ReshapeHandleColor);
}

void DrawCrossInRect(CDC* dc, const RECT& rect)
{
    if (!dc)
        return;
    CDCSave save(*dc);
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    dc->SelectObject(&pen);
    dc->SelectStockObject(HOLLOW_BRUSH);
    dc->Rectangle(rect.left, rect.top, rect.right, rect.bottom);
    Segment(*dc, rect.left, rect.top, rect.right, rect.bottom);
    Segment(*dc, rect.left, rect.bottom, rect.right, rect.top);
}
