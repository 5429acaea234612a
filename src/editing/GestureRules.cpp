#include "editing/GestureRules.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

int WheelScrollCode(int delta)
{
    const int magnitude = std::abs(delta);
    if (magnitude < kWheelNotch)
        return -1;
    return (delta > 0 ? 0 : 1) + (magnitude >= 2 * kWheelNotch ? 2 : 0);
}

ArrowKeyAction ArrowKeyActionFor(int vk, bool shift, int shiftToSlide, int clientW, int clientH)
{
    ArrowKeyAction a;
    if (vk < 37 || vk > 40)
        return a;
    a.slide = (!shift && shiftToSlide == 0) || (shift && shiftToSlide != 0);
    const int sx = vk == 37 ? -1 : (vk == 39 ? 1 : 0);
    const int sy = vk == 38 ? -1 : (vk == 40 ? 1 : 0);
    if (a.slide) {
        a.dx = sx;
        a.dy = sy;
    } else {
        a.dx = sx * (clientW / 4);
        a.dy = sy * (clientH / 4);
    }
    return a;
}

int AutoScrollStep(int clientW, int clientH)
{
    return std::min(clientW, clientH) / 12;
}

namespace {
// Towards the low side the whole distance may go; towards the high side one
// pixel less, so that the last visible pixel stays inside the work space.
int AxisDelta(int pos, int size, int step, int roomLow, int roomHigh)
{
    if (pos < 0)
        return -std::min(step, std::max(0, roomLow));
    if (pos >= size)
        return std::max(0, std::min(step, roomHigh - 1));
    return 0;
}
} // namespace

CSize AutoScrollDelta(const CPoint& cursor, int clientW, int clientH, const CRect& roomDev)
{
    const int step = AutoScrollStep(clientW, clientH);
    return CSize(AxisDelta(cursor.x, clientW, step, roomDev.left, roomDev.right),
                 AxisDelta(cursor.y, clientH, step, roomDev.top, roomDev.bottom));
}

CPoint LockDragAxis(const CPoint& press, const CPoint& pt)
{
    if (std::abs(pt.x - press.x) < std::abs(pt.y - press.y))
        return CPoint(press.x, pt.y);
    return CPoint(pt.x, press.y);
}

bool IsPastClickDistance(const CPoint& pressClient, const CPoint& client)
{
    const long long dx = client.x - pressClient.x, dy = client.y - pressClient.y;
    return dx * dx + dy * dy >= (long long)kDoubleClickWidth * kDoubleClickWidth;
}

int OppositeHandle(int handle)
{
    return handle >= 1 && handle <= 9 ? 10 - handle : handle;
}

namespace {
bool InLeftColumn(int c) { return c == 1 || c == 4 || c == 7; }
bool InRightColumn(int c) { return c == 3 || c == 6 || c == 9; }
bool InTopRow(int c) { return c >= 1 && c <= 3; }
bool InBottomRow(int c) { return c >= 7 && c <= 9; }
} // namespace

bool IsOppositeColumn(int a, int b)
{
    return (InLeftColumn(a) && InRightColumn(b)) || (InRightColumn(a) && InLeftColumn(b));
}

bool IsOppositeRow(int a, int b)
{
    return (InTopRow(a) && InBottomRow(b)) || (InBottomRow(a) && InTopRow(b));
}

int ResizeCursorForHandle(int handle)
{
    switch (handle) {
    case 1: case 9: return kSizeNWSE;
    case 2: case 8: return kSizeNS;
    case 3: case 7: return kSizeNESW;
    case 4: case 6: return kSizeWE;
    default: return kNoResizeCursor;
    }
}

namespace {
// Hands what entry j gives (take, may be negative for a gain) to its
// divider and back along the earlier entries until an entry anchored to
// the opposite side is followed by one that is not. `shift` picks the x or
// y shift of a table entry, `isOpposite` the column or row test.
template <class Shift, class Opposite>
void HandOnShrink(const SpecialResizeEntry* entries, int j, int take, bool positive, int oppositeHandle,
                  DividerShift* table, int tableSize, Shift shift, Opposite isOpposite)
{
    auto valid = [&](int d) { return d >= 0 && d < tableSize; };
    const int d = entries[j].m_nDivider;
    if (!valid(d))
        return;
    const int s = positive ? take : -take;
    const bool m = isOpposite(table[d].anchor, oppositeHandle);
    shift(table[d]) += m ? -s : s;
    for (int i = 0; i < tableSize; ++i)
        table[i].visited = 0;
    table[d].visited = 1;
    bool previous = m;
    for (int k = j - 1; k >= 0; --k) {
        const int dk = entries[k].m_nDivider;
        const bool r = valid(dk) && isOpposite(table[dk].anchor, oppositeHandle);
        if (previous && !r)
            break;
        if (valid(dk) && !table[dk].visited) {
            shift(table[dk]) += r ? -s : s;
            table[dk].visited = 1;
        }
        previous = r;
    }
}

template <class Shift, class Opposite>
void ShrinkAxis(const SpecialResizeEntry* entries, int count, int lost, bool positive, int oppositeHandle,
                DividerShift* table, int tableSize, Shift shift, Opposite isOpposite)
{
    int remaining = lost;
    for (int j = 0; j < count && remaining > 0; ++j) {
        const int take = std::max(0, std::min(entries[j].m_nSlack, remaining));
        HandOnShrink(entries, j, take, positive, oppositeHandle, table, tableSize, shift, isOpposite);
        remaining -= take;
    }
}

// As ShrinkAxis, but a run of adjacent flexible entries shares its part in
// proportion to their extents, the last of the run taking the rest.
template <class Shift, class Opposite>
void DistributeAxis(const SpecialResizeEntry* entries, int count, int lost, bool positive, int oppositeHandle,
                    DividerShift* table, int tableSize, Shift shift, Opposite isOpposite)
{
    int remaining = lost;
    for (int j = 0; j < count && remaining > 0;) {
        int end = j + 1;
        if (entries[j].m_nWeight == 1) {
            while (end < count && entries[end].m_nWeight == 1)
                ++end;
        }
        int64_t sum = 0;
        for (int k = j; k < end; ++k)
            sum += std::max(0, entries[k].m_nSlack);
        const int part = int(std::min<int64_t>(sum, remaining));
        int given = 0;
        for (int k = j; k < end && sum > 0; ++k) {
            const int64_t extent = std::max(0, entries[k].m_nSlack);
            const int share = k + 1 == end ? part - given : int((2 * part * extent + sum) / (2 * sum));
            HandOnShrink(entries, k, share, positive, oppositeHandle, table, tableSize, shift, isOpposite);
            given += share;
        }
        remaining -= part;
        j = end;
    }
}

int& ShiftX(DividerShift& t) { return t.dx; }
int& ShiftY(DividerShift& t) { return t.dy; }
} // namespace

void ShrinkByPlan(const CompartmentSet& plan, int vertMode, int horzMode, const CRect& r0, const CRect& r1,
                  int opposite, DividerShift* table, int tableSize)
{
    if (!table || tableSize <= 0)
        return;
    const int cols = std::clamp(plan.m_nCols, 0, kMaxResizeEntries);
    const int rows = std::clamp(plan.m_nRows, 0, kMaxResizeEntries);
    if (r1.Width() < r0.Width())
        ShrinkAxis(plan.m_cols, cols, r0.Width() - r1.Width(), horzMode == 3, opposite, table, tableSize,
                   ShiftX, IsOppositeColumn);
    if (r1.Height() < r0.Height())
        ShrinkAxis(plan.m_rows, rows, r0.Height() - r1.Height(), vertMode == 1, opposite, table, tableSize,
                   ShiftY, IsOppositeRow);
}

void DistributeStretch(const CompartmentSet& plan, int vertMode, int horzMode, bool middleRows, const CRect& r0,
                       const CRect& r1, int opposite, DividerShift* table, int tableSize, int& followH, int& followV)
{
    followH = followV = 0;
    if (!table || tableSize <= 0)
        return;
    const int cols = std::clamp(plan.m_nCols, 0, kMaxResizeEntries);
    const int rows = std::clamp(plan.m_nRows, 0, kMaxResizeEntries);
    if (r1.Width() < r0.Width())
        DistributeAxis(plan.m_cols, cols, r0.Width() - r1.Width(), horzMode == 3, opposite, table, tableSize,
                       ShiftX, IsOppositeColumn);
    else if (r1.Width() > r0.Width())
        followH = 1;
    if (r1.Height() < r0.Height())
        DistributeAxis(plan.m_rows, rows, r0.Height() - r1.Height(), vertMode == 1, opposite, table, tableSize,
                       ShiftY, IsOppositeRow);
    else if (r1.Height() > r0.Height() && !middleRows)
        followV = 1;
    else if (r1.Height() > r0.Height() && rows > 0)
        // The row the plan would shrink first takes the gain.
        HandOnShrink(plan.m_rows, 0, r0.Height() - r1.Height(), vertMode == 1, opposite, table, tableSize, ShiftY,
                     IsOppositeRow);
}

namespace {
// Grows [lo, hi) to `min`: from hi when the low side was dragged, from lo
// when the high side was, else about the centre.
void GrowSpan(LONG& lo, LONG& hi, bool lowDragged, bool highDragged, int min)
{
    if (hi - lo >= min)
        return;
    if (lowDragged)
        lo = hi - min;
    else if (highDragged)
        hi = lo + min;
    else {
        const LONG c = lo + (hi - lo) / 2;
        lo = c - min / 2;
        hi = lo + min;
    }
}
} // namespace

CRect KeepResizeMinimum(const CRect& rc, int handle, const CSize& min)
{
    CRect out = rc;
    const bool left = handle == 1 || handle == 4 || handle == 7, right = handle == 3 || handle == 6 || handle == 9;
    const bool top = handle >= 1 && handle <= 3, bottom = handle >= 7 && handle <= 9;
    GrowSpan(out.left, out.right, left, right, min.cx);
    GrowSpan(out.top, out.bottom, top, bottom, min.cy);
    return out;
}

CSize ReflowResizeLimits(int handle, const CRect& fig, const CPoint& pt, bool aboutCentre, const CSize& measured)
{
    const int w = fig.Width(), h = fig.Height();
    const CSize alongWidth(w, measured.cy), alongHeight(measured.cx, h);
    switch (handle) {
    case 2:
    case 8: return alongWidth;
    case 4:
    case 6: return alongHeight;
    case 1:
    case 3:
    case 7:
    case 9: break;
    default: return CSize(0, 0);
    }
    if (aboutCentre && !fig.PtInRect(pt))
        return CSize(w, h);
    CPoint origin = fig.CenterPoint();
    if (!aboutCentre) {
        // The corner opposite the dragged one stays.
        origin.x = handle == 1 || handle == 7 ? fig.right : fig.left;
        origin.y = handle == 1 || handle == 3 ? fig.bottom : fig.top;
    }
    const long long dx = std::abs(pt.x - origin.x), dy = std::abs(pt.y - origin.y);
    return dx * h >= dy * w ? alongWidth : alongHeight;
}
