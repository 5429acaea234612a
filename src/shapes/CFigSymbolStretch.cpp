// Stretching one compartment of a special shape: stretch regions, the
// re-anchoring of the whole symbol, the load-time repair of hot zones and
// second programs, and the place of an embedded sub-symbol.
#include "shapes/CFigSymbol.h"

#include "geometry/IntGeometry.h"
#include "shapes/CProgramEditGuard.h"
#include "shapes/DividedShapeKinds.h"
#include "shapes/DividedShapeOutline.h"
#include "shapes/DividedShapeReanchor.h"
#include "shapes/KindRange.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

bool g_syncRunning = false;

// Truncation toward zero of a located coordinate, kept well inside the int
// range (a damaged outline may hold any float).
int Trunc(float v)
{
    if (!(v == v))
        return 0;
    return static_cast<int>(std::clamp(v, -268435456.0f, 268435456.0f));
}

// v < d < 2048 - v, read either way round.
bool StrictlyBetween(float d, float v)
{
    const float lo = std::min(v, 2048.0f - v), hi = std::max(v, 2048.0f - v);
    return d > lo && d < hi;
}

} // namespace

int CFigSymbol::HasOrdinaryOutline() const
{
    return m_nProgramLength > 0 && Reshape != 170 && !KindIn(Reshape, 172, 174) ? 1 : 0;
}

int CFigSymbol::GetStretchRegion(int n, const SIZE& newSize, CFltRect& region) const
{
    if (n < 0 || n >= m_nTextBoxes || m_nTextBoxPos < 0 || !IsProgramValid())
        return 0;
    region = ReadOutlineRect(m_program.data() + m_nTextBoxPos + n * kOutlineRectBytes);
    float& x0 = region.left;
    float& y0 = region.top;
    float& x1 = region.right;
    float& y1 = region.bottom;
    const int k = Reshape;
    int checkLine = -1;     // the divider line whose point must stay clear
    bool checkX = false;
    float v = 0;
    if (k == 6 || k == 22) {
        y0 = (y0 + y1) * 0.5f - 2;
        y1 = (y0 + y1) * 0.5f + 2;
        x0 = (x0 + x1) * 0.5f - 2;
        x1 = (x0 + x1) * 0.5f + 2;
    } else if (k == 7 || k == 8 || KindIn(k, 54, 57) || k == 76) {
        if (n > 0)
            x0 = x1 - 1;
    } else if (k == 9 || k == 75) {
        if (n == 1 || n == 2)
            x0 = x1 - 1;
    } else if (k == 10 || k == 77) {
        if (n != 0)
            x0 = x1 - 1;
    } else if (k == 23) {
        if (n == 0)
            v = x0 = x1 - 1;
        else if (n == 1)
            v = x1 = x0 + 1;
        checkLine = n <= 1 ? 0 : -1;
        checkX = true;
    } else if (k == 24) {
        if (n == 0)
            v = y0 = y1 - 1;
        else if (n == 2)
            v = y1 = y0 + 1;
        checkLine = n == 0 ? 0 : n == 2 ? 1 : -1;
    } else if (k == 58 || k == 74 || k == 85) {
        if (n == 0)
            v = y0 = y1 - 1;
        else if (n == 1)
            v = y1 = y0 + 1;
        checkLine = n <= 1 ? 0 : -1;
    } else if (k == 53 || k == 59 || k == 131) {
        y1 = (y0 + y1) * 0.5f;
        x0 = (x0 + x1) * 0.5f;
    }
    if (checkLine < 0)
        return 1;
    // The dividing line, fitted to the new size, must stay clear of the region side.
    SpecialOutlineParts parts;
    const BYTE* prog = m_program.data();
    if (m_nOutlinePos < 0 ||
        !ParseSpecialOutline(k, prog + m_nOutlinePos, prog + m_nProgramLength, prog + m_nTextBoxPos,
                             m_nTextBoxes, parts) ||
        checkLine >= parts.nLines)
        return 0;
    CFltPoint d = parts.lines[checkLine].m_pt1;
    d.FitAspect(newSize.cx, newSize.cy, false);
    return StrictlyBetween(checkX ? d.x : d.y, v) ? 1 : 0;
}

CFltRect CFigSymbol::GetStretchRegionRect(int box, const SIZE& newSize) const
{
    CFltRect region;
    if (!GetStretchRegion(box, newSize, region))
        return CFltRect();
    return region;
}

int CFigSymbol::ResizeTextBoxRegion(int box, const SIZE& oldSize, const SIZE& newSize)
{
    CFltRect r;
    if (!GetStretchRegion(box, newSize, r))
        return 0;
    if ((oldSize.cx != newSize.cx && !(r.left < r.right)) || (oldSize.cy != newSize.cy && !(r.top < r.bottom)))
        return 0;
    CProgramEditGuard guard(*this);
    BYTE* prog = m_program.data();
    for (int i = 0; i < m_nTextBoxes; ++i) {
        BYTE* p = prog + m_nTextBoxPos + i * kOutlineRectBytes;
        CFltRect b = ReadOutlineRect(p);
        ReanchorRect(b, oldSize, newSize, r);
        WriteOutlineRect(p, b);
    }
    ReanchorSubProgram(prog, m_nProgramLength, m_nFillPos, kOpEndFill, oldSize, newSize, r);
    ReanchorSubProgram(prog, m_nProgramLength, m_nOutlinePos, kOpEndOutline, oldSize, newSize, r);
    ReanchorSubProgram(prog, m_nProgramLength, m_nMiniOutlinePos, kOpEndOutline, oldSize, newSize, r);
    ReshapeNameTab();
    if (!guard.Keep())
        return 0;
    // The parts outside the program follow once the program edit stands.
    for (int i = 0; i < std::min(m_nFrames, kMaxFrames); ++i)
        ReanchorRect(m_frames[i], oldSize, newSize, r);
    if (m_hotZone.HasPoints()) {
        std::vector<CFltPoint> pts(m_hotZone.GetPoints(), m_hotZone.GetPoints() + m_hotZone.GetCount());
        for (CFltPoint& p : pts)
            ReanchorPoint(p, oldSize, newSize, r);
        m_hotZone.Set(static_cast<int>(pts.size()), pts.data());
    }
    ReanchorConPts(m_conPts, oldSize, newSize, r);
    return 1;
}

void CFigSymbol::ReshapeNameTab()
{
    if (Reshape != 124 && !KindIn(Reshape, 138, 140))
        return;
    if (m_nTextBoxes < 1 || m_nTextBoxPos < 0 || m_nOutlinePos < 0 || !IsProgramValid())
        return;
    BYTE* prog = m_program.data();
    int pos = m_nOutlinePos;
    if (prog[pos] != kOpRect)
        return;
    pos += 1 + kOutlineRectBytes;
    if (pos + 5 > m_nProgramLength || prog[pos] != kOpPolyline || ReadOutlineInt(prog + pos + 1) != 4)
        return;
    CProgramEditGuard guard(*this);
    BYTE* pts = prog + pos + 5;
    const CFltRect box0 = ReadOutlineRect(prog + m_nTextBoxPos);
    CFltPoint p0 = ReadOutlinePoint(pts), p1 = ReadOutlinePoint(pts + 16);
    CFltPoint p2 = ReadOutlinePoint(pts + 32), p3 = ReadOutlinePoint(pts + 48);
    p1.y = 2 * box0.bottom - p3.y;
    p2.x = 2 * box0.right - p0.x;
    p1.ClampToSymbolSpace();
    p2.ClampToSymbolSpace();
    WriteOutlinePoint(pts + 16, p1);
    WriteOutlinePoint(pts + 32, p2);
    guard.Keep();
}

int CFigSymbol::SyncSpecialOutlines()
{
    if (g_syncRunning)
        return 1;
    const int k = Reshape;
    const bool listed = KindIn(k, 6, 18) || KindIn(k, 22, 24) || KindIn(k, 50, 57) || KindIn(k, 62, 64) || k == 72 ||
                        KindIn(k, 75, 79) || k == 84 || k == 102 || k == 125 || k == 132 || k == 133 || k == 145;
    if (!listed && k != 101)
        return 1;
    g_syncRunning = true;
    int result = 1;
    CPoint unused;
    if (k == 101 && !GetDividerHandle(0, unused, CRect(0, 0, 100, 100))) {
        g_syncRunning = false;
        return 1;
    }
    BYTE* prog = m_program.data();
    const bool valid = IsProgramValid();
    const int n = valid && m_nOutlinePos >= 0 && prog[m_nOutlinePos] == kOpPolyline
                      ? ReadOutlineInt(prog + m_nOutlinePos + 1) : -1;
    const bool hasFill = valid && m_nFillPos >= 0 && prog[m_nFillPos] != kOpEndFill;
    const bool fillOk = !hasFill || (prog[m_nFillPos] == kOpPolygon && ReadOutlineInt(prog + m_nFillPos + 1) == n);
    const bool hotOk = m_hotZone.HasPoints() && (k == 11 || k == 13 || m_hotZone.GetCount() == n);
    if (n < 0 || !fillOk || !hotOk) {
        result = 0;
    } else {
        CProgramEditGuard guard(*this);
        const BYTE* outline = prog + m_nOutlinePos + 5;
        std::vector<CFltPoint> hot(m_hotZone.GetPoints(), m_hotZone.GetPoints() + m_hotZone.GetCount());
        for (int i = 0; i < n; ++i) {
            const CFltPoint p = ReadOutlinePoint(outline + i * kOutlinePointBytes);
            if (i < static_cast<int>(hot.size()) && !(hot[i] == p))
                hot[i] = p;
            if (hasFill) {
                BYTE* f = prog + m_nFillPos + 5 + i * kOutlinePointBytes;
                if (!(ReadOutlinePoint(f) == p))
                    WriteOutlinePoint(f, p);
            }
        }
        if (guard.Keep())
            m_hotZone.Set(static_cast<int>(hot.size()), hot.data());
        else
            result = 0;
    }
    g_syncRunning = false;
    return result;
}

int CFigSymbol::GetSubSymbolRect(const RECT& figRect, const SIZE& size, int margin, CRect& out, int leastMargin,
                                 int leastSize) const
{
    RECT icon{};
    if (QuerySpecialKindIcon(*this, figRect, icon, leastMargin, leastSize))
        return 0;
    const CRect f(figRect);
    const int m = leastMargin > 0 && leastMargin > margin ? leastMargin : margin;
    const int w = leastSize > 0 ? std::max<int>(size.cx, leastSize) : size.cx;
    const int h = leastSize > 0 ? std::max<int>(size.cy, leastSize) : size.cy;
    CRect r(f.right - m - w, f.top + m, f.right - m, f.top + m + h);
    const int k = Reshape;
    const bool tab = KindIn(k, 7, 10) || k == 72;
    const bool rounded = KindIn(k, 22, 25) || k == 58 || k == 74 || KindIn(k, 141, 143);
    const bool topRounded = k == 144 || k == 146;
    const bool active = KindIn(k, 134, 137);
    if (tab || rounded || topRounded || active) {
        SpecialOutlineParts parts;
        const BYTE* boxes;
        if (!ParseSpecialParts(figRect, parts, boxes))
            return 0;
        auto px = [&](int i) { return Trunc(parts.points[i].x); };
        auto py = [&](int i) { return Trunc(parts.points[i].y); };
        if (tab && parts.nPoints >= 4) {
            r.right = px(3) - m;
            r.top = py(3) + m;
        } else if ((rounded || topRounded) && parts.nPoints > 16) {
            const int cx = px(0) + (px(16) - px(0)) / 2, cy = py(0) + (py(16) - py(0)) / 2;
            const int ix = std::abs(cx - f.left), iy = std::abs(cy - f.top);
            r.right = f.right - std::max(ix, m);
            r.top = rounded ? f.bottom - std::max(iy, m) - h : f.top + std::max(iy, m);
        } else if (active && parts.nLines > 1) {
            r.right = Trunc(parts.lines[1].m_pt1.x) - m;
            r.top = f.top + m;
        } else {
            return 0;
        }
        r.left = r.right - w;
        r.bottom = r.top + h;
    }
    ClipRectToRect(r, f);
    out = r;
    return 1;
}
