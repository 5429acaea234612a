#include "graphics/DrawGrid.h"

#include "platform/CDC.h"
#include "platform/GdiObjects.h"
#include "platform/GdiTypes.h"

#include <vector>

namespace {
int FirstMultipleAtOrAfter(int start, int step)
{
    long long m = (long long)start / step * step;
    if (m < start)
        m += step;
    return int(m);
}

// Grid positions from the first line through the end of the range.
std::vector<int> GridPositions(CDC* dc, int from, int to, int step, bool horizontal)
{
    std::vector<int> positions;
    if (step <= 0 || to <= from)
        return positions;
    int first = FirstMultipleAtOrAfter(from, step);
    POINT earlier = horizontal ? POINT{0, first - step} : POINT{first - step, 0};
    dc->LPtoDP(&earlier, 1);
    first = FirstGridLine(first, step, (horizontal ? earlier.y : earlier.x) >= 0);
    // A step small against the range would take forever; the caller's step
    // is at least a few device pixels in practice.
    for (long long v = first; v < to && positions.size() < 100000; v += step)
        positions.push_back(int(v));
    return positions;
}
} // namespace

int FirstGridLine(int first, int step, bool earlierVisible)
{
    return earlierVisible ? first - step : first;
}

void DrawDottedRect(CDC* dc, const RECT& rc, COLORREF kind)
{
    if (!dc)
        return;
    const COLORREF color = kind == 0 ? 0xC0C0C0 : (kind == 1 || kind == 2 ? 0 : kind);
    CPen pen(PS_DOT, 1, color);
    CPen* oldPen = dc->SelectObject(&pen);
    CGdiObject* oldBrush = dc->SelectStockObject(HOLLOW_BRUSH);
    const int oldBk = dc->SetBkMode(TRANSPARENT);
    const int oldRop = kind == 2 ? dc->SetROP2(R2_NOT) : 0;
    dc->Rectangle(&rc);
    if (kind == 2)
        dc->SetROP2(oldRop);
    dc->SetBkMode(oldBk);
    if (oldBrush)
        dc->SelectObject(static_cast<CBrush*>(oldBrush));
    dc->SelectObject(oldPen);
}

void DrawGrid(CDC* dc, const RECT& rc, COLORREF color, bool dots, int xStep, int yStep)
{
    if (!dc || xStep <= 0 || yStep <= 0)
        return;
    CPen pen(PS_SOLID, 1, color);
    CPen* oldPen = dc->SelectObject(&pen);
    const std::vector<int> xs = GridPositions(dc, rc.left, rc.right, xStep, false);
    const std::vector<int> ys = GridPositions(dc, rc.top, rc.bottom, yStep, true);
    if (dots) {
        // Dots are black whatever the grid colour.
        for (int y : ys)
            for (int x : xs)
                if (x >= rc.left && y >= rc.top)
                    dc->SetPixel(x, y, 0);
    } else {
        for (int x : xs) {
            dc->MoveTo(x, rc.top);
            dc->LineTo(x, rc.bottom);
        }
        for (int y : ys) {
            dc->MoveTo(rc.left, y);
            dc->LineTo(rc.right, y);
        }
    }
    dc->SelectObject(oldPen);
}
