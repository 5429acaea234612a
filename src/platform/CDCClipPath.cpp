// CDC: clip regions and paths.
#include "platform/CDC.h"


// ---- Clipping ----

int CDC::SelectClipRgn(CRgn* region, int mode)
{
    return CombineClip(region ? &region->Region() : nullptr, mode);
}

int CDC::CombineClip(const QRegion* region, int mode)
{
    if (!region) {
        if (mode != RGN_COPY)
            return RGN_ERROR;
        m_s.hasClip = false;
        m_s.clip = QRegion();
        OnStateChanged();
        return SIMPLEREGION;
    }
    const QRegion& r = *region;
    if (!m_s.hasClip || mode == RGN_COPY) {
        // Combining with "no clip" means combining with the whole surface.
        const QSize surface = SurfaceSize();
        const QRegion all(0, 0, std::max(1, surface.width()), std::max(1, surface.height()));
        const QRegion base = m_s.hasClip ? m_s.clip : all;
        switch (mode) {
        case RGN_COPY: m_s.clip = r; break;
        case RGN_AND: m_s.clip = base.intersected(r); break;
        case RGN_OR: m_s.clip = base.united(r); break;
        case RGN_XOR: m_s.clip = base.xored(r); break;
        case RGN_DIFF: m_s.clip = base.subtracted(r); break;
        default: return RGN_ERROR;
        }
    } else {
        switch (mode) {
        case RGN_AND: m_s.clip = m_s.clip.intersected(r); break;
        case RGN_OR: m_s.clip = m_s.clip.united(r); break;
        case RGN_XOR: m_s.clip = m_s.clip.xored(r); break;
        case RGN_DIFF: m_s.clip = m_s.clip.subtracted(r); break;
        default: return RGN_ERROR;
        }
    }
    m_s.hasClip = true;
    OnStateChanged();
    return CRgn::KindOf(m_s.clip);
}

namespace {
QRect DeviceRectOf(const CDC& dc, int left, int top, int right, int bottom)
{
    RECT r{left, top, right, bottom};
    dc.LPtoDP(&r);
    CRect cr(r);
    cr.NormalizeRect();
    return QRect(cr.left, cr.top, cr.Width(), cr.Height());
}
} // namespace

int CDC::IntersectClipRect(int left, int top, int right, int bottom)
{
    const QRegion r(DeviceRectOf(*this, left, top, right, bottom));
    return CombineClip(&r, RGN_AND);
}

int CDC::ExcludeClipRect(int left, int top, int right, int bottom)
{
    const QRegion r(DeviceRectOf(*this, left, top, right, bottom));
    return CombineClip(&r, RGN_DIFF);
}

int CDC::OffsetClipRgn(int dx, int dy)
{
    if (!m_s.hasClip)
        return SIMPLEREGION;
    SIZE d{dx, dy};
    // The offset is logical: scale it with sign by the mapping.
    const int ddx = LogToDevX(dx) - LogToDevX(0);
    const int ddy = LogToDevY(dy) - LogToDevY(0);
    (void)d;
    m_s.clip.translate(ddx, ddy);
    OnStateChanged();
    return CRgn::KindOf(m_s.clip);
}

int CDC::GetClipBox(RECT* rect) const
{
    if (!rect)
        return RGN_ERROR;
    const QRect surface(QPoint(0, 0), SurfaceSize());
    const QRegion visible = m_s.hasClip ? m_s.clip.intersected(surface) : QRegion(surface);
    const QRect b = visible.boundingRect();
    RECT r = b.isEmpty() ? RECT{} : RECT{b.left(), b.top(), b.left() + b.width(), b.top() + b.height()};
    DPtoLP(&r);
    CRect cr(r);
    cr.NormalizeRect();
    *rect = cr;
    return CRgn::KindOf(visible);
}

bool CDC::PtVisible(int x, int y) const
{
    const QPoint p(LogToDevX(x), LogToDevY(y));
    if (!QRect(QPoint(0, 0), SurfaceSize()).contains(p))
        return false;
    return !m_s.hasClip || m_s.clip.contains(p);
}

bool CDC::RectVisible(const RECT* rect) const
{
    if (!rect)
        return false;
    const QRect r = DeviceRectOf(*this, rect->left, rect->top, rect->right, rect->bottom);
    const QRect surface(QPoint(0, 0), SurfaceSize());
    if (!r.intersects(surface))
        return false;
    return !m_s.hasClip || m_s.clip.intersects(r);
}

int CDC::GetClipRgn(CRgn* region) const
{
    if (!region)
        return -1;
    if (!m_s.hasClip)
        return 0;
    region->SetRegion(m_s.clip);
    return 1;
}

// ---- Paths ----

bool CDC::BeginPath()
{
    m_pathOpen = true;
    m_path = QPainterPath();
    m_path.setFillRule(m_s.polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    return true;
}

bool CDC::EndPath()
{
    if (!m_pathOpen)
        return false;
    m_pathOpen = false;
    return true;
}

bool CDC::AbortPath()
{
    m_pathOpen = false;
    m_path = QPainterPath();
    return true;
}

bool CDC::CloseFigure()
{
    if (!m_pathOpen || m_path.elementCount() == 0)
        return false;
    m_path.closeSubpath();
    return true;
}

bool CDC::SelectClipPath(int mode)
{
    CRgn rgn;
    if (!PathToRegion(&rgn))
        return false;
    return CombineClip(&rgn.Region(), mode) != RGN_ERROR;
}

bool CDC::FlattenPath()
{
    if (m_pathOpen || m_path.isEmpty())
        return false;
    QPainterPath flat;
    flat.setFillRule(m_path.fillRule());
    for (const QPolygonF& poly : m_path.toSubpathPolygons())
        flat.addPolygon(poly);
    m_path = flat;
    return true;
}

bool CDC::PathToRegion(CRgn* out)
{
    if (!out || m_pathOpen || m_path.isEmpty())
        return false;
    QPainterPath path = TakePath();
    path.setFillRule(m_s.polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    out->SetRegion(RegionFromPath(path));
    return true;
}

void CDC::PathMoveTo(const QPointF& p)
{
    m_path.moveTo(p);
    m_pathStart = p;
}

void CDC::PathLineTo(const QPointF& p)
{
    const QPointF cur(LogToDevX(m_s.currentPos.x), LogToDevY(m_s.currentPos.y));
    if (m_path.elementCount() == 0 || m_path.currentPosition() != cur)
        PathMoveTo(cur);
    m_path.lineTo(p);
}

void CDC::PathAddPolygon(const QPolygonF& poly, bool closed)
{
    if (poly.isEmpty())
        return;
    PathMoveTo(poly.first());
    for (int i = 1; i < poly.size(); ++i)
        m_path.lineTo(poly[i]);
    if (closed)
        m_path.closeSubpath();
}

void CDC::PathAddPath(const QPainterPath& path)
{
    m_path.addPath(path);
}

void CDC::PathCubicsTo(const QPolygonF& c)
{
    const POINT d = LogToDev(POINT{m_s.currentPos.x, m_s.currentPos.y});
    const QPointF cur(d.x, d.y);
    if (m_path.elementCount() == 0 || m_path.currentPosition() != cur)
        PathMoveTo(cur);
    for (int i = 0; i + 2 < c.size(); i += 3)
        m_path.cubicTo(c[i], c[i + 1], c[i + 2]);
}

QPainterPath CDC::TakePath()
{
    QPainterPath p = m_path;
    m_path = QPainterPath();
    return p;
}

