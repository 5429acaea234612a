#include "graphics/MetaScaleRecord.h"

#include "platform/metafile/MetaBytes.h"
#include "platform/metafile/MetaRecords.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {
constexpr int64_t kWordLimit = 32767;

SHORT ClampWord(int64_t v) { return SHORT(std::clamp<int64_t>(v, -kWordLimit, kWordLimit)); }

// Parameter words of a record copy; indexes are checked against the record.
class CParams {
public:
    explicit CParams(std::vector<BYTE>& record) : m_rec(record) {}
    size_t Count() const { return m_rec.size() < 6 ? 0 : (m_rec.size() - 6) / 2; }
    bool Has(size_t index, size_t n = 1) const { return RangeInside(Count(), index, n); }
    SHORT Get(size_t i) const { return SHORT(LoadLE16(m_rec.data() + 6 + 2 * i)); }
    void Set(size_t i, SHORT v) { StoreLE16(m_rec.data() + 6 + 2 * i, WORD(v)); }

private:
    std::vector<BYTE>& m_rec;
};

class CRecordScaler {
public:
    CRecordScaler(CMetaScaleContext& ctx, std::vector<BYTE>& record) : m_ctx(ctx), m_p(record) {}

    bool Run(WORD function);

private:
    bool ExtentsUsable() const { return m_ctx.srcExtX != 0 && m_ctx.srcExtY != 0; }
    SHORT MapX(SHORT v) const
    {
        return ClampWord((int64_t(v) - m_ctx.srcOrgX) * m_ctx.dstExtX / m_ctx.srcExtX + m_ctx.dstOrgX);
    }
    SHORT MapY(SHORT v) const
    {
        return ClampWord((int64_t(v) - m_ctx.srcOrgY) * m_ctx.dstExtY / m_ctx.srcExtY + m_ctx.dstOrgY);
    }
    SHORT ScaleX(SHORT v) const { return ClampWord(int64_t(v) * m_ctx.dstExtX / m_ctx.srcExtX); }
    SHORT ScaleY(SHORT v) const { return ClampWord(int64_t(v) * m_ctx.dstExtY / m_ctx.srcExtY); }

    void MapXAt(size_t i) { m_p.Set(i, MapX(m_p.Get(i))); }
    void MapYAt(size_t i) { m_p.Set(i, MapY(m_p.Get(i))); }
    void ScaleXAt(size_t i) { m_p.Set(i, ScaleX(m_p.Get(i))); }
    void ScaleYAt(size_t i) { m_p.Set(i, ScaleY(m_p.Get(i))); }
    // A point stored as y then x (call arguments in reverse order).
    bool MapYXAt(size_t i)
    {
        if (!m_p.Has(i, 2))
            return false;
        MapYAt(i);
        MapXAt(i + 1);
        return true;
    }
    // `count` points stored as x, y pairs from word i.
    bool MapPointsAt(size_t i, size_t count)
    {
        if (!m_p.Has(i, 2 * count))
            return false;
        for (size_t k = 0; k < count; ++k) {
            MapXAt(i + 2 * k);
            MapYAt(i + 2 * k + 1);
        }
        return true;
    }

    void SetWindowOrg();
    void SetWindowExt();
    bool ScaleExtent(LONG& extX, LONG& extY);
    bool Polygon();
    bool PolyPolygon();
    bool RoundRect();
    bool TextOut();
    bool ExtTextOut();
    bool StretchBlt(WORD function, size_t lead);

    CMetaScaleContext& m_ctx;
    CParams m_p;
};

// Per axis the source origin snaps to the nearer side of the source rectangle
// (left/top on ties): the window origin of a metafile is its box's corner.
void CRecordScaler::SetWindowOrg()
{
    if (!m_p.Has(0, 2))
        return;
    const int64_t y = m_p.Get(0), x = m_p.Get(1);
    const RECT& r = m_ctx.srcRect;
    m_ctx.srcOrgX = std::llabs(x - r.left) <= std::llabs(x - r.right) ? r.left : r.right;
    m_ctx.srcOrgY = std::llabs(y - r.top) <= std::llabs(y - r.bottom) ? r.top : r.bottom;
}

void CRecordScaler::SetWindowExt()
{
    if (!m_p.Has(0, 2))
        return;
    const SHORT y = m_p.Get(0), x = m_p.Get(1);
    const RECT& r = m_ctx.srcRect;
    const int64_t w = int64_t(r.right) - r.left, h = int64_t(r.bottom) - r.top;
    m_ctx.srcExtX = LONG(std::clamp<int64_t>(x < 0 ? -w : w, -INT32_MAX, INT32_MAX));
    m_ctx.srcExtY = LONG(std::clamp<int64_t>(y < 0 ? -h : h, -INT32_MAX, INT32_MAX));
}

// SCALE*EXT: parameters y denominator, y numerator, x denominator, x numerator.
// A zero denominator leaves the extent as it was.
bool CRecordScaler::ScaleExtent(LONG& extX, LONG& extY)
{
    if (!m_p.Has(0, 4))
        return false;
    const int64_t yDen = m_p.Get(0), yNum = m_p.Get(1), xDen = m_p.Get(2), xNum = m_p.Get(3);
    if (xDen != 0)
        extX = LONG(std::clamp<int64_t>(extX * xNum / xDen, INT32_MIN, INT32_MAX));
    if (yDen != 0)
        extY = LONG(std::clamp<int64_t>(extY * yNum / yDen, INT32_MIN, INT32_MAX));
    return false;
}

bool CRecordScaler::Polygon()
{
    if (!m_p.Has(0))
        return false;
    return MapPointsAt(1, WORD(m_p.Get(0)));
}

bool CRecordScaler::PolyPolygon()
{
    if (!m_p.Has(0))
        return false;
    const size_t polys = WORD(m_p.Get(0));
    if (!m_p.Has(1, polys))
        return false;
    size_t points = 0;
    for (size_t i = 0; i < polys; ++i)
        points += WORD(m_p.Get(1 + i));
    return MapPointsAt(1 + polys, points);
}

bool CRecordScaler::RoundRect()
{
    if (!m_p.Has(0, 6))
        return false;
    ScaleYAt(0);
    ScaleXAt(1);
    return MapYXAt(2) && MapYXAt(4);
}

bool CRecordScaler::TextOut()
{
    if (!m_p.Has(0))
        return false;
    const size_t length = WORD(m_p.Get(0));
    return MapYXAt(1 + (length + 1) / 2);
}

// y, x, count, options, [rectangle], string, [advances]. The rectangle is there
// when the options ask for clipping or an opaque background.
bool CRecordScaler::ExtTextOut()
{
    constexpr WORD kRectFlags = 0x0002 | 0x0004;  // ETO_OPAQUE | ETO_CLIPPED
    if (!MapYXAt(0) || !m_p.Has(2, 2))
        return false;
    const size_t count = WORD(m_p.Get(2));
    size_t next = 4;
    if (WORD(m_p.Get(3)) & kRectFlags) {
        if (!m_p.Has(4, 4))
            return false;
        MapXAt(4);
        MapYAt(5);
        MapXAt(6);
        MapYAt(7);
        next = 8;
    }
    next += (count + 1) / 2;
    if (next > m_p.Count())
        return false;
    for (size_t i = next; i < m_p.Count(); ++i)
        ScaleXAt(i);
    return true;
}

// rop (2 words), [lead], source height, width, y, x, [reserved], destination
// height, width, y, x, [bitmap]. The form without a bitmap (a record of exactly
// (function >> 8) + 3 words) has the reserved word.
bool CRecordScaler::StretchBlt(WORD function, size_t lead)
{
    size_t dst = 2 + lead + 4;
    if (lead == 0 && m_p.Count() == size_t(function >> 8))
        ++dst;
    if (!m_p.Has(dst, 4))
        return false;
    ScaleYAt(dst);
    ScaleXAt(dst + 1);
    return MapYXAt(dst + 2);
}

bool CRecordScaler::Run(WORD function)
{
    switch (function) {
    case META_SETWINDOWORG:
        SetWindowOrg();
        return false;
    case META_SETWINDOWEXT:
        SetWindowExt();
        return false;
    case META_SETMAPMODE:
    case META_SETVIEWPORTORG:
    case META_SETVIEWPORTEXT:
    case META_OFFSETVIEWPORTORG:
    case META_EXCLUDECLIPRECT:
    case META_INTERSECTCLIPRECT:
        return false;
    // The window offset and the two extent scalings are absorbed into the
    // context like the window records: played as well, they would move or
    // scale the target's own mapping a second time.
    case META_OFFSETWINDOWORG:
        if (m_p.Has(0, 2)) {
            m_ctx.srcOrgY = LONG(std::clamp<int64_t>(int64_t(m_ctx.srcOrgY) + m_p.Get(0), INT32_MIN, INT32_MAX));
            m_ctx.srcOrgX = LONG(std::clamp<int64_t>(int64_t(m_ctx.srcOrgX) + m_p.Get(1), INT32_MIN, INT32_MAX));
        }
        return false;
    case META_SCALEWINDOWEXT:
        return ScaleExtent(m_ctx.srcExtX, m_ctx.srcExtY);
    case META_SCALEVIEWPORTEXT:
        return ScaleExtent(m_ctx.dstExtX, m_ctx.dstExtY);
    default:
        break;
    }
    if (!ExtentsUsable())
        return false;
    switch (function) {
    case META_SETTEXTCHAREXTRA:
        if (!m_p.Has(0))
            return false;
        ScaleXAt(0);
        return true;
    case META_CREATEPENINDIRECT:
        if (!m_p.Has(1, 2))
            return false;
        if (m_p.Get(1) != 0)
            ScaleXAt(1);
        if (m_p.Get(2) != 0)
            ScaleYAt(2);
        return true;
    case META_CREATEFONTINDIRECT:
        if (!m_p.Has(0, 2))
            return false;
        if (m_p.Get(0) != 0)
            ScaleYAt(0);
        if (m_p.Get(1) != 0)
            ScaleXAt(1);
        return true;
    case META_LINETO:
    case META_MOVETO:
        return MapYXAt(0);
    case META_POLYGON:
    case META_POLYLINE:
        return Polygon();
    case META_POLYPOLYGON:
        return PolyPolygon();
    case META_RECTANGLE:
    case META_ELLIPSE:
        return MapYXAt(0) && MapYXAt(2);
    case META_ROUNDRECT:
        return RoundRect();
    case META_ARC:
    case META_PIE:
    case META_CHORD:
        return MapYXAt(0) && MapYXAt(2) && MapYXAt(4) && MapYXAt(6);
    case META_FLOODFILL:
        return MapYXAt(2);
    case META_EXTFLOODFILL:
        return MapYXAt(3);
    case META_TEXTOUT:
        return TextOut();
    case META_EXTTEXTOUT:
        return ExtTextOut();
    case META_STRETCHBLT:
    case META_DIBSTRETCHBLT:
        return StretchBlt(function, 0);
    case META_STRETCHDIB:
        return StretchBlt(function, 1);
    default:
        return true;
    }
}
}  // namespace

namespace {
LONG Span(LONG from, LONG to) { return LONG(std::clamp<int64_t>(int64_t(to) - from, INT32_MIN, INT32_MAX)); }
}  // namespace

CMetaScaleContext MakeMetaScaleContext(const RECT& dst, const RECT& src)
{
    CMetaScaleContext ctx;
    ctx.srcRect = src;
    ctx.srcOrgX = src.left;
    ctx.srcOrgY = src.top;
    ctx.srcExtX = Span(src.left, src.right);
    ctx.srcExtY = Span(src.top, src.bottom);
    ctx.dstOrgX = dst.left;
    ctx.dstOrgY = dst.top;
    ctx.dstExtX = Span(dst.left, dst.right);
    ctx.dstExtY = Span(dst.top, dst.bottom);
    return ctx;
}

bool ScaleMetaRecordBytes(CMetaScaleContext& ctx, std::vector<BYTE>& record)
{
    if (record.size() < WMF_RECORD_MIN_BYTES || record.size() % 2 != 0)
        return false;
    CRecordScaler scaler(ctx, record);
    return scaler.Run(LoadLE16(record.data() + 4));
}
