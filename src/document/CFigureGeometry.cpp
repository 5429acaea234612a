// Bounding rectangles, hit tests, handles, moving and resizing of figures.
#include "document/CFigure.h"

#include "geometry/IntGeometry.h"
#include "shapes/CFigStyle.h"
#include "document/CKavoDoc.h"
#include "document/FigTextServices.h"
#include "shapes/CFigSymbol.h"
#include "shapes/OutlineHitTest.h"

#include <QPolygon>

#include <cmath>
#include <cstdlib>

CPoint CFigure::GetHandlePoint(int code) const
{
    return RectHandlePoint(code, m_rect);
}

void CFigure::GetCenterXY(int& x, int& y) const
{
    const CPoint c = GetCenter();
    x = c.x;
    y = c.y;
}

void CFigure::GetBoundRect(CRect& out, int mode, int tolerance) const
{
    out = m_rect;
    if (mode == 0)
        return;
    const int t = mode == 1 ? 0 : tolerance;
    if (IsInvisible()) {
        const CPoint c = GetCenter();
        out = CRect(c.x - t, c.y - t, c.x + t, c.y + t);
        return;
    }
    if (mode == 1 || mode == 2)
        GetDrawnRect(out);
    if (m_bSelected || mode == 3)
        out.InflateRect(t / 2 + 1, t / 2 + 1);
}

void CFigure::GetDrawnRect(CRect& out) const
{
    out = m_rect;
    if (IsInvisible()) {
        const CPoint c = GetCenter();
        out = CRect(c.x, c.y, c.x, c.y);
        return;
    }
    if (m_props.Shadow) {
        CShadowSpec shadow;
        GetShadow(shadow);
        shadow.GetShadowRect(out);
    }
}

int CFigure::GetOutlinePoints(std::vector<CPoint>& points, const RECT* rcIn) const
{
    points.clear();
    const RECT rc = rcIn ? *rcIn : RECT(m_rect);
    const double w = double(rc.right) - rc.left, h = double(rc.bottom) - rc.top;
    if (m_outline.HasPoints()) {
        const CFltPoint* p = m_outline.GetPoints();
        for (int i = 0; i < m_outline.GetCount(); ++i)
            points.emplace_back(RoundAddHalf(rc.left + p[i].x * w / 2048.0),
                                RoundAddHalf(rc.top + p[i].y * h / 2048.0));
        return int(points.size());
    }
    const CFigSymbol* symbol = GetSymbol();
    std::vector<CFltPoint> mapped;
    if (!HasPicture() && symbol && symbol->HasHotZone() && symbol->GetHotZoneInRect(rc, mapped)) {
        for (const CFltPoint& p : mapped)
            points.emplace_back(RoundAddHalf(p.x), RoundAddHalf(p.y));
        return int(points.size());
    }
    const CFigStyle* style = GetStyle();
    if (style && style->m_hotZone.HasPoints() && m_pDoc)
        style->ScaleSymbolOutline(points, &m_pDoc->m_figSymbols, rc);
    return int(points.size());
}

int CFigure::HitTest(int x, int y, int tolerance, bool strictRect, bool noTextAreas) const
{
    CRect r;
    GetBoundRect(r, strictRect ? 3 : 4, tolerance);
    const CPoint pt(x, y);
    if (!r.PtInRect(pt))
        return 0;
    std::vector<CPoint> outline;
    const bool usedOutline = GetOutlinePoints(outline) > 0;
    if (usedOutline) {
        if (outline.size() < 4)
            return 0;
        QPolygon poly;
        for (const CPoint& p : outline)
            poly << QPoint(p.x, p.y);
        if (!poly.containsPoint(QPoint(x, y), Qt::WindingFill))
            return 0;
    }
    if ((IsHollow() && m_props.m_fill.m_nKind != 0) || (!IsPartition() && !(m_props.Behavior.low & 0x8000000)))
        return 1;
    if (!noTextAreas && m_pDoc) {
        const CFigSymbol* s = GetSymbol();
        for (int area = 0; s && area < GetTextAreaCount() && area < kMaxTextAreas; ++area) {
            if (m_props.HideText & (1 << area))
                continue;
            CRect box;
            if (s->GetTextBoxRect(area, m_rect, box, m_pDoc->IsOversizeTextRect()) && box.PtInRect(pt))
                return 1;
        }
    }
    if (usedOutline && PtNearPolyline(x, y, outline.data(), int(outline.size()), tolerance, nullptr))
        return 1;
    const CFigSymbol* s = GetSymbol();
    if (!s || s->m_nOutlinePos < 0)
        return 1;
    // The drawn parts of the outline program, up to its end code.
    BYTE *fill = nullptr, *outlineProg = nullptr, *mini = nullptr, *boxes = nullptr;
    BYTE* base = s->PrepareOutline(m_rect, fill, outlineProg, mini, boxes,
                                   m_pDoc && m_pDoc->IsOversizeTextRect(), 0.0);
    if (!base || !outlineProg)
        return 1;
    const BYTE* cursor = outlineProg;
    const BYTE* end = base + s->m_nProgramLength;
    while (cursor < end) {
        const BYTE op = *cursor++;
        if (op == kOpEndOutline)
            break;
        if (OutlineOpHitTest(pt, op, cursor, end, tolerance))
            return 1;
    }
    return 0;
}

bool CFigure::HitTestRect(const POINT& pt, int tolerance) const
{
    CRect r;
    GetBoundRect(r, 4, tolerance);
    return r.PtInRect(pt);
}

bool CFigure::HitTestCenter(const POINT& pt, int size) const
{
    const CPoint c = GetCenter();
    const CRect sq(c.x - size / 2, c.y - size / 2, c.x - size / 2 + size, c.y - size / 2 + size);
    return sq.PtInRect(pt);
}

bool CFigure::IsAllInRect(const RECT& rc) const
{
    CRect r;
    GetBoundRect(r, 4, 0);
    const CRect area(rc);
    return area.PtInRect(r.TopLeft()) && area.PtInRect(r.BottomRight());
}

int CFigure::CompassCell(int x, int y) const
{
    if (IsInGroup() || !m_rect.PtInRect(CPoint(x, y)))
        return 0;
    const long long w = m_rect.Width(), h = m_rect.Height();
    const int col = w ? int((long long)(x - m_rect.left) * 3 / w) : 0;
    const int row = h ? int((long long)(y - m_rect.top) * 3 / h) : 0;
    static const int cells[3][3] = {{1, 2, 3}, {4, 3, 5}, {6, 7, 8}};
    return cells[row < 0 ? 0 : (row > 2 ? 2 : row)][col < 0 ? 0 : (col > 2 ? 2 : col)];
}

CPoint CFigure::GetConLabelAnchor() const
{
    const DWORD low = m_props.Behavior.low;
    const int x = (low & 2) ? m_rect.left + (m_rect.right - m_rect.left) / 2 : ((low & 1) ? m_rect.left : m_rect.right);
    const int y = (low & 16) ? m_rect.top + (m_rect.bottom - m_rect.top) / 2 : ((low & 32) ? m_rect.top : m_rect.bottom);
    return {x, y};
}

bool CFigure::SetBounds(const CRect& rc, bool apply)
{
    CRect r = rc;
    r.NormalizeRect();
    const bool changed = r != m_rect;
    if (!apply)
        return changed;
    const bool resized = r.Size() != m_rect.Size();
    m_rect = r;
    // A figure that wraps its text into its areas re-wraps it for its new size.
    if (resized)
        if (const FigTextServices& svc = GetFigTextServices(); svc.reflowText)
            svc.reflowText(*this);
    return changed;
}

bool CFigure::SetBounds(const CRect& rc, int height, int width, bool apply, int textHeight, int textWidth, int handle,
                        CRect* out)
{
    // Snap requests count only while the document snaps; the word itself
    // is not changed.
    FigFlagSet flags = m_props.Behavior;
    if (!m_pDoc || !m_pDoc->m_bAlignToGrid)
        flags.high &= ~DWORD(1 | 2 | 16 | 32 | 64 | 128);
    if ((flags.low & 128) && textWidth >= 0)
        width = textWidth;
    if ((flags.low & 256) && textHeight >= 0)
        height = textHeight;
    SnapFigRequest q;
    q.rect = rc;
    q.rect.NormalizeRect();
    q.height = height;
    q.width = width;
    q.maxHeight = q.maxWidth = 25600;
    if (m_pDoc) {
        q.stepX = m_pDoc->m_nSnapX;
        q.stepY = m_pDoc->m_nSnapY;
        q.guides = &m_pDoc->m_snapGuides;
    }
    q.low = flags.low;
    q.high = flags.high;
    q.handle = handle;
    SnapFigRectOnDrag(q);
    if (out)
        *out = q.rect;
    return SetBounds(q.rect, apply);
}

bool CFigure::Offset(int dx, int dy, bool keepSnapFlags, bool apply)
{
    const FigFlagSet saved = m_props.Behavior;
    m_props.Behavior.low &= ~DWORD(128 | 256);
    m_props.Behavior.high &= ~DWORD(128 | 64);
    if (!keepSnapFlags)
        m_props.Behavior.high &= ~DWORD(16 | 32 | 2 | 1);
    CRect r = m_rect;
    r.OffsetRect(dx, dy);
    const bool changed = SetBounds(r, r.Height(), r.Width(), apply, -1, -1, 0);
    m_props.Behavior = saved;
    return changed;
}

void CFigure::OffsetRect(CRect& out, int dl, int dt, int dr, int db, bool keepSnapFlags)
{
    const FigFlagSet saved = m_props.Behavior;
    m_props.Behavior.low &= ~DWORD(128 | 256);
    m_props.Behavior.high &= ~DWORD(128 | 64);
    if (!keepSnapFlags)
        m_props.Behavior.high &= ~DWORD(16 | 32 | 2 | 1);
    out = CRect(m_rect.left + dl, m_rect.top + dt, m_rect.right + dr, m_rect.bottom + db);
    out.NormalizeRect();
    m_props.Behavior = saved;
}

int CFigure::NearestOutlinePoint(POINT& pt) const
{
    const CFigSymbol* s = GetSymbol();
    if (HasPicture() || IsInvisible() || !s || s->m_nOutlinePos < 0)
        return 0;
    BYTE *fill = nullptr, *outlineProg = nullptr, *mini = nullptr, *boxes = nullptr;
    BYTE* base = s->PrepareOutline(m_rect, fill, outlineProg, mini, boxes,
                                   m_pDoc && m_pDoc->IsOversizeTextRect(), 0.0);
    if (!base || !outlineProg)
        return 0;
    const BYTE* cursor = outlineProg;
    const BYTE* end = base + s->m_nProgramLength;
    int best = 2147483647;
    CPoint bestPt;
    while (cursor < end) {
        const BYTE op = *cursor++;
        if (op == kOpEndOutline)
            break;
        CPoint nearest;
        const int d = OutlineOpDistance(pt, op, cursor, end, nearest);
        if (d < best) {
            best = d;
            bestPt = nearest;
        }
    }
    if (best == 2147483647)
        return 0;
    pt = bestPt;
    return 1;
}

bool CFigure::Resize(CRect& out, int handle, int x, int y, bool apply)
{
    out = m_rect;
    const FigFlagSet saved = m_props.Behavior;
    const DWORD high = saved.high;
    int w = m_rect.Width(), h = m_rect.Height();
    const CPoint c = GetCenter();
    const bool left = handle == 1 || handle == 4 || handle == 7;
    const bool right = handle == 3 || handle == 6 || handle == 9;
    const bool top = handle >= 1 && handle <= 3;
    const bool bottom = handle >= 7 && handle <= 9;
    if (high & 256) {
        SetFlags(2, 0, true);
        if (left || right)
            w = 2 * std::abs(x - c.x);
    } else if (left) {
        SetFlags(4, 0, true);
        w = m_rect.right - x;
    } else if (right) {
        SetFlags(1, 0, true);
        w = x - m_rect.left;
    }
    if (high & 512) {
        SetFlags(16, 0, true);
        if (top || bottom)
            h = 2 * std::abs(y - c.y);
    } else if (top) {
        SetFlags(8, 0, true);
        h = m_rect.bottom - y;
    } else if (bottom) {
        SetFlags(32, 0, true);
        h = y - m_rect.top;
    }
    w = w < 0 ? 0 : w;
    h = h < 0 ? 0 : h;
    const bool corner = handle == 1 || handle == 3 || handle == 7 || handle == 9;
    const int oldW = m_rect.Width(), oldH = m_rect.Height();
    if (((saved.low & 0x400000) && corner) || (saved.low & 0x800000)) {
        if (oldW > 0 && oldH > 0) {
            const int fittedH = int((long long)w * oldH / oldW);
            if ((saved.low & 0x800000) && w == oldW && fittedH == oldH)
                w = int((long long)h * oldW / oldH);   // retried to height
            else
                h = fittedH;
        }
    }
    // Place the new size against the fixed side the anchors name.
    const DWORD low = m_props.Behavior.low;
    CRect r;
    r.left = (low & 2) ? c.x - w / 2 : ((low & 4) ? m_rect.right - w : m_rect.left);
    r.top = (low & 16) ? c.y - h / 2 : ((low & 8) ? m_rect.bottom - h : m_rect.top);
    r.right = r.left + w;
    r.bottom = r.top + h;
    out = r;
    const bool changed = SetBounds(m_rect, h, w, apply, -1, -1, handle, &out);
    if (!apply)
        FollowStapleForSize(out);
    m_props.Behavior = saved;
    return changed;
}

bool CFigure::SetPolyPoints(int count, const POINT* points)
{
    if (!points || count < CHotZone::kMinPoints || count > CHotZone::kMaxPoints)
        return false;
    std::vector<CFltPoint> pts;
    pts.reserve(size_t(count));
    for (int i = 0; i < count; ++i)
        pts.emplace_back(float(points[i].x), float(points[i].y));
    return m_outline.Set(count, pts.data());
}
