#include "graphics/DashPattern.h"

#include "platform/CDC.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr DashRow kRows[kDashStyles] = {
    {1, {1}},
    {2, {12, 4}},
    {2, {2, 2}},
    {4, {2, 4, 6, 4}},
    {6, {2, 2, 2, 2, 6, 2}},
    {1, {0}},
    {2, {1, 2}},
    {2, {1, 4}},
    {2, {2, 6}},
    {2, {2, 12}},
    {4, {2, 2, 2, 10}},
    {4, {2, 2, 2, 5}},
};

constexpr DashRow kEmptyRow = {0, {}};
// Fixed-point one of the diagonal correction.
constexpr int kUnit = 4096;

} // namespace

const DashRow& GetDashRow(int style)
{
    return style >= 0 && style < kDashStyles ? kRows[style] : kEmptyRow;
}

void DashPattern::Init()
{
    *this = DashPattern{};
}

void DashPattern::Load(int style, int width)
{
    const DashRow& row = GetDashRow(style);
    count = row.count;
    for (int i = 0; i < row.count; ++i)
        lengths[i] = row.lengths[i] * width;
}

void DashPattern::LoadSpacing(int spacing)
{
    count = 1;
    lengths[0] = spacing;
}

bool DashPattern::HasLength() const
{
    for (int i = 0; i < count; ++i)
        if (lengths[i] > 0)
            return true;
    return false;
}

void WalkDashes(const POINT& from, const POINT& to, DashPattern& p, bool startAtHalf,
                bool drawToEnd, const DashCallback& callback)
{
    if (p.count <= 0 || p.count > kMaxDashSegments || !p.HasLength())
        return;
    p.segStart = from;
    p.segEnd = to;
    long long a = p.phase;
    if (p.phase < 0)
        a = startAtHalf ? p.lengths[p.index] / 2 : drawToEnd ? p.lengths[p.index] : 0;
    const long long dx = (long long)to.x - from.x, dy = (long long)to.y - from.y;
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const long long major = alongX ? dx : dy, minor = alongX ? dy : dx;
    const long long majorLen = std::llabs(major);
    // The length along the major axis, corrected for slope only at exact
    // diagonals: the quotient is an integer.
    const long long q = majorLen ? std::llabs(minor) / majorLen : 0;
    const int k = int(std::lround(kUnit * std::cos(std::atan(double(q)))));
    const bool slanted = dx != 0 && dy != 0;
    const long long length = slanted ? majorLen * kUnit / k : majorLen;
    while (a <= length) {
        const long long offset = slanted ? a * k / kUnit : a;
        const long long along = major < 0 ? -offset : offset;
        const long long across = majorLen ? minor * offset / majorLen : 0;
        const POINT pt = alongX ? POINT{int(from.x + along), int(from.y + across)}
                                : POINT{int(from.x + across), int(from.y + along)};
        callback(pt, p.index);
        p.last[0] = p.last[1];
        p.last[1] = pt;
        p.index = (p.index + 1) % p.count;
        a += p.lengths[p.index];
    }
    if (drawToEnd && a != length)
        callback(to, p.index);
    p.phase = int(a - length);
}

bool StrokeDashedPolyline(CDC& dc, const POINT* pts, int count, int style, int width)
{
    if (!pts || count < 2 || style == kDashStyleNoLine)
        return false;
    DashPattern pattern;
    pattern.Load(style, std::max(width, 1));
    if (!pattern.HasLength()) {
        dc.Polyline(pts, count);
        return true;
    }
    POINT prev = pts[0];
    bool inDrawn = true;
    const DashCallback draw = [&](const POINT& pt, int endingIndex) {
        // The piece ending here is drawn for even indexes.
        if (endingIndex % 2 == 0 && (pt.x != prev.x || pt.y != prev.y)) {
            dc.MoveTo(prev.x, prev.y);
            dc.LineTo(pt.x, pt.y);
        }
        prev = pt;
        inDrawn = (endingIndex + 1) % pattern.count % 2 == 0;
    };
    for (int i = 0; i + 1 < count; ++i) {
        WalkDashes(pts[i], pts[i + 1], pattern, false, false, draw);
        // The drawn piece running on over the corner is drawn up to it.
        if (inDrawn && (prev.x != pts[i + 1].x || prev.y != pts[i + 1].y)) {
            dc.MoveTo(prev.x, prev.y);
            dc.LineTo(pts[i + 1].x, pts[i + 1].y);
        }
        prev = pts[i + 1];
    }
    return inDrawn;
}
