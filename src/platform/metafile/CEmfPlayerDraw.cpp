// The drawing records of the EMF player: shapes, poly-lines and polygons,
// block transfers, text and regions.
#include "platform/metafile/CEmfPlayer.h"

#include "platform/Ansi.h"
#include "platform/CPainterDC.h"

#include <QImage>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {
constexpr size_t kMaxPoints = 1u << 24;

// Reads `count` points of 32-bit (8 bytes) or 16-bit (4 bytes) coordinates.
bool ReadEmfPoints(CMetaByteReader& r, size_t offset, size_t count, bool small, std::vector<POINT>& out)
{
    const size_t each = small ? 4 : 8;
    if (count == 0 || count > kMaxPoints || !r.Has(offset, count * each))
        return false;
    out.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const size_t at = offset + i * each;
        out[i] = small ? POINT{r.S16(at), r.S16(at + 2)} : POINT{r.S32(at), r.S32(at + 4)};
    }
    return true;
}

bool IsSmallPoly(DWORD type)
{
    return type >= EMR_POLYBEZIER16 && type <= EMR_POLYDRAW16;
}

// The source of a blend with per-pixel alpha: a 32-bit BI_RGB DIB whose
// colours are already multiplied by their alpha, taken as it is (a colour
// above its alpha is cut to it). Null for any other DIB, and for one whose
// alpha is 0 everywhere: writers that leave the alpha bytes empty mean the
// picture opaque.
QImage PremultipliedDibImage(const BITMAPINFO* info, size_t infoSize, const BYTE* bits, size_t bitsSize)
{
    DibLayout d;
    if (!bits || !ParseDibInfo(info, infoSize, bitsSize, &d) || d.bitCount != 32 || d.compression != BI_RGB)
        return {};
    QImage image(int(d.width), int(d.height), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    bool anyAlpha = false;
    for (LONG y = 0; y < d.height; ++y) {
        const BYTE* row = bits + size_t(d.bottomUp ? d.height - 1 - y : y) * d.stride;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(int(y)));
        for (LONG x = 0; x < d.width; ++x) {
            const BYTE* px = row + size_t(x) * 4;
            const int a = px[3];
            anyAlpha = anyAlpha || a != 0;
            out[x] = qRgba(std::min<int>(px[2], a), std::min<int>(px[1], a), std::min<int>(px[0], a), a);
        }
    }
    return anyAlpha ? image : QImage();
}
}  // namespace

bool CEmfPlayer::PlayShape(DWORD type, CMetaByteReader& r)
{
    const bool boxed = type == EMR_RECTANGLE || type == EMR_ELLIPSE || type == EMR_ROUNDRECT || type == EMR_ARC ||
                       type == EMR_ARCTO || type == EMR_PIE || type == EMR_CHORD;
    const bool pointed = type == EMR_LINETO || type == EMR_SETPIXELV || type == EMR_EXTFLOODFILL;
    LONG l = 0, t = 0, rt = 0, b = 0;
    if (boxed || pointed) {
        l = r.S32(8), t = r.S32(12);
        rt = boxed ? r.S32(16) : l;
        b = boxed ? r.S32(20) : t;
        if (!r.Ok() || !BoxFits(l, t, rt, b))
            return false;
    }
    const POINT a = Map(l, t), z = Map(rt, b);
    switch (type) {
    case EMR_RECTANGLE: return m_dc->Rectangle(a.x, a.y, z.x, z.y);
    case EMR_ELLIPSE: return m_dc->Ellipse(a.x, a.y, z.x, z.y);
    case EMR_ROUNDRECT: {
        const LONG w = r.S32(24), h = r.S32(28);
        return r.Ok() && m_dc->RoundRect(a.x, a.y, z.x, z.y, LenX(w), LenY(h));
    }
    case EMR_ARC:
    case EMR_ARCTO:
    case EMR_PIE:
    case EMR_CHORD: {
        const POINT s = Map(r.S32(24), r.S32(28)), e = Map(r.S32(32), r.S32(36));
        if (!r.Ok())
            return false;
        if (type == EMR_ARC)
            return m_dc->Arc(a.x, a.y, z.x, z.y, s.x, s.y, e.x, e.y);
        if (type == EMR_ARCTO)
            return m_dc->ArcTo(a.x, a.y, z.x, z.y, s.x, s.y, e.x, e.y);
        if (type == EMR_PIE)
            return m_dc->Pie(a.x, a.y, z.x, z.y, s.x, s.y, e.x, e.y);
        return m_dc->Chord(a.x, a.y, z.x, z.y, s.x, s.y, e.x, e.y);
    }
    case EMR_LINETO: return m_dc->LineTo(a.x, a.y);
    case EMR_SETPIXELV: {
        const COLORREF c = r.U32(16) & 0xFFFFFF;
        return r.Ok() && m_dc->SetPixel(a.x, a.y, c) != CLR_INVALID;
    }
    case EMR_EXTFLOODFILL: {
        const COLORREF c = r.U32(16) & 0xFFFFFF;
        const DWORD mode = r.U32(20);
        return r.Ok() && m_dc->ExtFloodFill(a.x, a.y, c, mode);
    }
    case EMR_BEGINPATH: return m_dc->BeginPath();
    case EMR_ENDPATH: return m_dc->EndPath();
    case EMR_ABORTPATH: return m_dc->AbortPath();
    case EMR_CLOSEFIGURE: return m_dc->CloseFigure();
    case EMR_FLATTENPATH: return m_dc->FlattenPath();
    case EMR_FILLPATH: return m_dc->FillPath();
    case EMR_STROKEPATH: return m_dc->StrokePath();
    case EMR_STROKEANDFILLPATH: return m_dc->StrokeAndFillPath();
    case EMR_SELECTCLIPPATH: return r.Has(8, 4) && m_dc->SelectClipPath(int(r.U32(8)));
    default: return false;
    }
}

bool CEmfPlayer::PlayPoly(DWORD type, CMetaByteReader& r)
{
    std::vector<POINT> pts;
    const bool small = IsSmallPoly(type);
    switch (type) {
    case EMR_POLYBEZIER: case EMR_POLYGON: case EMR_POLYLINE: case EMR_POLYBEZIERTO: case EMR_POLYLINETO:
    case EMR_POLYBEZIER16: case EMR_POLYGON16: case EMR_POLYLINE16: case EMR_POLYBEZIERTO16:
    case EMR_POLYLINETO16: {
        if (!ReadEmfPoints(r, 28, r.U32(24), small, pts) || !PointsFit(pts.data(), pts.size()))
            return false;
        MapPoints(pts);
        const int n = int(pts.size());
        switch (small ? type - (EMR_POLYBEZIER16 - EMR_POLYBEZIER) : type) {
        case EMR_POLYBEZIER: return m_dc->PolyBezier(pts.data(), n);
        case EMR_POLYGON: return m_dc->Polygon(pts.data(), n);
        case EMR_POLYLINE: return m_dc->Polyline(pts.data(), n);
        case EMR_POLYBEZIERTO: return m_dc->PolyBezierTo(pts.data(), n);
        default: return m_dc->PolylineTo(pts.data(), n);
        }
    }
    case EMR_POLYPOLYLINE: case EMR_POLYPOLYGON: case EMR_POLYPOLYLINE16: case EMR_POLYPOLYGON16: {
        const DWORD polys = r.U32(24), total = r.U32(28);
        if (!r.Ok() || polys == 0 || polys > kMaxPoints || !r.Has(32, size_t(polys) * 4))
            return false;
        std::vector<DWORD> counts(polys);
        uint64_t sum = 0;
        for (DWORD i = 0; i < polys; ++i)
            sum += counts[i] = r.U32(32 + 4 * size_t(i));
        if (sum != total || !ReadEmfPoints(r, 32 + size_t(polys) * 4, total, small, pts) ||
            !PointsFit(pts.data(), pts.size()))
            return false;
        MapPoints(pts);
        if (type == EMR_POLYPOLYGON || type == EMR_POLYPOLYGON16) {
            std::vector<int> c(counts.begin(), counts.end());
            return m_dc->PolyPolygon(pts.data(), c.data(), int(polys));
        }
        return m_dc->PolyPolyline(pts.data(), counts.data(), int(polys));
    }
    default:
        return false;
    }
}

// The destination fits the device range, and the header and bits lie inside
// the record: `info` gets an aligned copy of header and colour table.
bool CEmfPlayer::ReadDib(CMetaByteReader& r, const CDibSource& d, std::vector<DWORD>& info, MetaBytes& bits) const
{
    if (!BoxFits(d.x, d.y, LONG(std::clamp<int64_t>(int64_t(d.x) + d.w, INT32_MIN, INT32_MAX)),
                 LONG(std::clamp<int64_t>(int64_t(d.y) + d.h, INT32_MIN, INT32_MAX))))
        return false;
    const MetaBytes bmi = r.Sub(d.offBmi, d.cbBmi);
    bits = r.Sub(d.offBits, d.cbBits);
    if (!r.Ok() || d.cbBmi < 40 || d.cbBits == 0)
        return false;
    info.assign((d.cbBmi + 3) / 4, 0);
    std::copy(bmi.begin(), bmi.end(), reinterpret_cast<BYTE*>(info.data()));
    return true;
}

bool CEmfPlayer::StretchDib(CMetaByteReader& r, const CDibSource& d, UINT usage, DWORD rop)
{
    std::vector<DWORD> info;
    MetaBytes bits;
    if (!ReadDib(r, d, info, bits))
        return false;
    // The device context checks the header against the size of the bits.
    std::vector<BYTE> rows(bits.begin(), bits.end());
    DibLayout layout;
    const auto* header = reinterpret_cast<const BITMAPINFO*>(info.data());
    if (!ParseDibInfo(header, d.cbBmi, d.cbBits, &layout))
        return false;
    LONG x = d.x, y = d.y, w = d.w, h = d.h;
    MapBox(x, y, w, h);
    return m_dc->StretchDIBits(x, y, w, h, d.xs, d.ys, d.ws, d.hs, rows.data(), header, usage, rop) != 0;
}

// The source of an alpha blend becomes a bitmap in a memory device context:
// premultiplied when the blend takes per-pixel alpha, otherwise opaque.
bool CEmfPlayer::AlphaBlendDib(CMetaByteReader& r, const CDibSource& d, BLENDFUNCTION blend)
{
    std::vector<DWORD> info;
    MetaBytes bits;
    if (!ReadDib(r, d, info, bits))
        return false;
    const auto* header = reinterpret_cast<const BITMAPINFO*>(info.data());
    QImage image;
    if (blend.AlphaFormat & AC_SRC_ALPHA)
        image = PremultipliedDibImage(header, d.cbBmi, bits.data(), d.cbBits);
    if (image.isNull())
        image = DibToImage(header, d.cbBmi, bits.data(), d.cbBits);
    if (image.isNull())
        return false;
    CBitmap bitmap;
    CPainterDC source;
    if (!bitmap.Attach(image) || !source.CreateCompatibleDC(m_dc) || !source.SelectObject(&bitmap))
        return false;
    LONG x = d.x, y = d.y, w = d.w, h = d.h;
    MapBox(x, y, w, h);
    return m_dc->AlphaBlend(x, y, w, h, &source, d.xs, d.ys, d.ws, d.hs, blend);
}

bool CEmfPlayer::PlayBlit(DWORD type, CMetaByteReader& r)
{
    switch (type) {
    case EMR_BITBLT:
    case EMR_STRETCHBLT: {
        const LONG x = r.S32(24), y = r.S32(28), w = r.S32(32), h = r.S32(36);
        const DWORD rop = r.U32(40);
        const LONG xs = r.S32(44), ys = r.S32(48);
        const UINT usage = r.U32(80);
        const DWORD offBmi = r.U32(84), cbBmi = r.U32(88), offBits = r.U32(92), cbBits = r.U32(96);
        if (!r.Ok())
            return false;
        if (cbBmi == 0) {
            if (!BoxFits(x, y, LONG(std::clamp<int64_t>(int64_t(x) + w, INT32_MIN, INT32_MAX)),
                         LONG(std::clamp<int64_t>(int64_t(y) + h, INT32_MIN, INT32_MAX))))
                return false;
            LONG mx = x, my = y, mw = w, mh = h;
            MapBox(mx, my, mw, mh);
            return m_dc->PatBlt(mx, my, mw, mh, rop);
        }
        LONG ws = w, hs = h;
        if (type == EMR_STRETCHBLT) {
            ws = r.S32(100), hs = r.S32(104);
            if (!r.Ok())
                return false;
        }
        return StretchDib(r, {x, y, w, h, xs, ys, ws, hs, offBmi, cbBmi, offBits, cbBits}, usage, rop);
    }
    case EMR_STRETCHDIBITS: {
        const LONG x = r.S32(24), y = r.S32(28), xs = r.S32(32), ys = r.S32(36), ws = r.S32(40), hs = r.S32(44);
        const DWORD offBmi = r.U32(48), cbBmi = r.U32(52), offBits = r.U32(56), cbBits = r.U32(60);
        const UINT usage = r.U32(64);
        const DWORD rop = r.U32(68);
        const LONG w = r.S32(72), h = r.S32(76);
        return r.Ok() && StretchDib(r, {x, y, w, h, xs, ys, ws, hs, offBmi, cbBmi, offBits, cbBits}, usage, rop);
    }
    case EMR_ALPHABLEND: {
        const LONG x = r.S32(24), y = r.S32(28), w = r.S32(32), h = r.S32(36);
        const DWORD blendWord = r.U32(40);
        const LONG xs = r.S32(44), ys = r.S32(48);
        const DWORD offBmi = r.U32(84), cbBmi = r.U32(88), offBits = r.U32(92), cbBits = r.U32(96);
        const LONG ws = r.S32(100), hs = r.S32(104);
        if (!r.Ok())
            return false;
        BLENDFUNCTION blend;
        blend.BlendOp = BYTE(blendWord), blend.BlendFlags = BYTE(blendWord >> 8);
        blend.SourceConstantAlpha = BYTE(blendWord >> 16), blend.AlphaFormat = BYTE(blendWord >> 24);
        return AlphaBlendDib(r, {x, y, w, h, xs, ys, ws, hs, offBmi, cbBmi, offBits, cbBits}, blend);
    }
    case EMR_SETDIBITSTODEVICE: {
        const LONG x = r.S32(24), y = r.S32(28), xs = r.S32(32), ys = r.S32(36), ws = r.S32(40), hs = r.S32(44);
        const DWORD offBmi = r.U32(48), cbBmi = r.U32(52), offBits = r.U32(56), cbBits = r.U32(60);
        const UINT usage = r.U32(64);
        return r.Ok() && StretchDib(r, {x, y, ws, hs, xs, ys, ws, hs, offBmi, cbBmi, offBits, cbBits}, usage, SRCCOPY);
    }
    default:
        return false;
    }
}

bool CEmfPlayer::PlayText(DWORD type, CMetaByteReader& r)
{
    if (type != EMR_EXTTEXTOUTW && type != EMR_EXTTEXTOUTA)
        return false;
    constexpr DWORD kPdy = 0x2000;  // ETO_PDY: x and y advances
    const LONG x = r.S32(36), y = r.S32(40);
    const DWORD count = r.U32(44), offString = r.U32(48), options = r.U32(52), offDx = r.U32(72);
    const RECT rect{r.S32(56), r.S32(60), r.S32(64), r.S32(68)};
    if (!r.Ok() || count > (1u << 20) || !BoxFits(x, y, x, y) ||
        ((options & (ETO_OPAQUE | ETO_CLIPPED)) && !BoxFits(rect.left, rect.top, rect.right, rect.bottom)))
        return false;
    const bool wide = type == EMR_EXTTEXTOUTW;
    const MetaBytes str = r.Sub(offString, size_t(count) * (wide ? 2 : 1));
    if (!r.Ok())
        return false;
    std::string text;
    if (wide) {
        // One byte per UTF-16 unit, so that the advances stay in step. Symbol
        // fonts' characters (U+F000..U+F0FF) are their low byte, as symbol
        // fonts take them; characters with no Windows-1252 byte become '?'.
        text.reserve(count);
        for (DWORD i = 0; i < count; ++i) {
            const char16_t c = char16_t(LoadLE16(str.data() + 2 * i));
            if (c >= 0xF000 && c <= 0xF0FF)
                text.push_back(char(c & 0xFF));
            else
                text += QStringToAnsi(QString(QChar(c))).substr(0, 1);
        }
    } else {
        text.assign(str.begin(), str.end());
    }
    std::vector<int> dx;
    const size_t step = (options & kPdy) ? 8 : 4;
    if (offDx && count && r.Has(offDx, count * step)) {
        dx.resize(count);
        for (DWORD i = 0; i < count; ++i)
            dx[i] = LenX(r.S32(offDx + i * step));
    }
    const bool hasRect = options & (ETO_OPAQUE | ETO_CLIPPED);
    const POINT at = Map(x, y), a = Map(rect.left, rect.top), z = Map(rect.right, rect.bottom);
    const RECT mapped{a.x, a.y, z.x, z.y};
    return m_dc->ExtTextOut(at.x, at.y, options & ~kPdy, hasRect ? &mapped : nullptr, text.data(),
                            UINT(text.size()), dx.size() == text.size() && !dx.empty() ? dx.data() : nullptr);
}

bool CEmfPlayer::ReadRegion(CMetaByteReader& r, size_t offset, size_t size, const QTransform& map, QRegion& out)
{
    // RGNDATAHEADER: size, type, rectangle count, buffer size, bounds; then rectangles.
    const DWORD headerSize = r.U32(offset), count = r.U32(offset + 8);
    if (!r.Ok() || headerSize < 32 || size < headerSize || (size - headerSize) / 16 < count)
        return false;
    for (DWORD i = 0; i < count; ++i) {
        const size_t at = offset + headerSize + size_t(i) * 16;
        const QRectF rc(QPointF(r.S32(at), r.S32(at + 4)), QPointF(r.S32(at + 8), r.S32(at + 12)));
        const QRectF mapped = map.mapRect(rc);
        if (!(std::abs(mapped.left()) < 1e8 && std::abs(mapped.right()) < 1e8 && std::abs(mapped.top()) < 1e8 &&
              std::abs(mapped.bottom()) < 1e8))
            return false;
        out += mapped.toAlignedRect();
    }
    return r.Ok();
}

bool CEmfPlayer::SelectClipFromRecord(CMetaByteReader& r)
{
    const DWORD cb = r.U32(8), mode = r.U32(12);
    if (!r.Ok() || !r.Has(16, cb))
        return false;
    if (cb == 0) {
        // Back to the clip the caller had when play-back began.
        if (mode != RGN_COPY)
            return false;
        CRgn initial;
        initial.SetRegion(m_initialClip);
        m_dc->SelectClipRgn(m_hadClip ? &initial : nullptr, RGN_COPY);
        return true;
    }
    QRegion region;
    // Clip regions are reference pixels.
    if (!ReadRegion(r, 16, cb, m_frameToDest * m_destBase, region))
        return false;
    if (m_hadClip && mode == RGN_COPY)
        region &= m_initialClip;
    CRgn rgn;
    rgn.SetRegion(region);
    return m_dc->SelectClipRgn(&rgn, int(mode)) != RGN_ERROR;
}

bool CEmfPlayer::PlayRegion(DWORD type, CMetaByteReader& r)
{
    switch (type) {
    case EMR_EXTSELECTCLIPRGN: return SelectClipFromRecord(r);
    case EMR_INTERSECTCLIPRECT:
    case EMR_EXCLUDECLIPRECT: {
        const LONG l = r.S32(8), t = r.S32(12), rt = r.S32(16), b = r.S32(20);
        if (!r.Ok() || !BoxFits(l, t, rt, b))
            return false;
        const POINT a = Map(l, t), z = Map(rt, b);
        if (type == EMR_INTERSECTCLIPRECT)
            return m_dc->IntersectClipRect(a.x, a.y, z.x, z.y) != RGN_ERROR;
        return m_dc->ExcludeClipRect(a.x, a.y, z.x, z.y) != RGN_ERROR;
    }
    case EMR_OFFSETCLIPRGN: {
        // The offset is logical; the clip region moves by its device length.
        const QPointF d = LogicalToDevice().map(QPointF(r.S32(8), r.S32(12))) - LogicalToDevice().map(QPointF(0, 0));
        if (!r.Ok())
            return false;
        if (!(std::abs(d.x()) < 1e8 && std::abs(d.y()) < 1e8))
            return false;
        const QPoint dev = d.toPoint();
        CRgn clip;
        if (m_dc->GetClipRgn(&clip) > 0) {
            clip.OffsetRgn(dev.x(), dev.y());
            m_dc->SelectClipRgn(&clip, RGN_COPY);
        }
        return true;
    }
    case EMR_FILLRGN:
    case EMR_PAINTRGN:
    case EMR_INVERTRGN: {
        // FILLRGN: bounds, data size, brush, data; the others: bounds, size, data.
        const bool fill = type == EMR_FILLRGN;
        const DWORD cb = r.U32(24);
        const size_t dataAt = fill ? 32 : 28;
        QRegion region;
        if (!r.Ok() || !ReadRegion(r, dataAt, cb, LogicalToDevice(), region))
            return false;
        CRgn rgn;
        rgn.SetRegion(region);
        if (!fill)
            return type == EMR_PAINTRGN ? m_dc->PaintRgn(&rgn) : m_dc->InvertRgn(&rgn);
        CGdiObject* obj = ObjectAt(r.U32(28));
        return obj && obj->Kind() == GdiObjectKind::Brush && m_dc->FillRgn(&rgn, static_cast<CBrush*>(obj));
    }
    default:
        return false;
    }
}
