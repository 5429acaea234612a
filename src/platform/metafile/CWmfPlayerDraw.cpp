// The drawing records of the WMF player: shapes, poly-lines and polygons,
// text, and device-independent bitmaps.
#include "platform/metafile/CWmfPlayer.h"

#include "platform/PackedDib.h"
#include "platform/metafile/WmfParams.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {
// `count` points stored as x, y word pairs from parameter word `first`.
bool ReadWmfPoints(const CWmfParams& p, size_t first, size_t count, std::vector<POINT>& out)
{
    if (count == 0 || !p.Has(first, 2 * count))
        return false;
    out.resize(count);
    for (size_t i = 0; i < count; ++i)
        out[i] = POINT{p.S(first + 2 * i), p.S(first + 2 * i + 1)};
    return true;
}
}  // namespace

bool CWmfPlayer::PlayShape(WORD function, CWmfParams& p)
{
    std::vector<POINT> pts;
    switch (function) {
    case META_LINETO: return p.Has(0, 2) && m_dc->LineTo(p.S(1), p.S(0));
    case META_MOVETO: return p.Has(0, 2) && (m_dc->MoveTo(p.S(1), p.S(0)), true);
    case META_RECTANGLE: return p.Has(0, 4) && m_dc->Rectangle(p.S(3), p.S(2), p.S(1), p.S(0));
    case META_ELLIPSE: return p.Has(0, 4) && m_dc->Ellipse(p.S(3), p.S(2), p.S(1), p.S(0));
    case META_ROUNDRECT: return p.Has(0, 6) && m_dc->RoundRect(p.S(5), p.S(4), p.S(3), p.S(2), p.S(1), p.S(0));
    case META_ARC:
    case META_PIE:
    case META_CHORD: {
        if (!p.Has(0, 8))
            return false;
        const int l = p.S(7), t = p.S(6), r = p.S(5), b = p.S(4), xs = p.S(3), ys = p.S(2), xe = p.S(1), ye = p.S(0);
        if (function == META_ARC)
            return m_dc->Arc(l, t, r, b, xs, ys, xe, ye);
        return function == META_PIE ? m_dc->Pie(l, t, r, b, xs, ys, xe, ye) : m_dc->Chord(l, t, r, b, xs, ys, xe, ye);
    }
    case META_POLYGON:
    case META_POLYLINE:
        if (!p.Has(0) || !ReadWmfPoints(p, 1, p.U(0), pts))
            return false;
        return function == META_POLYGON ? m_dc->Polygon(pts.data(), int(pts.size()))
                                        : m_dc->Polyline(pts.data(), int(pts.size()));
    case META_POLYPOLYGON: {
        const size_t polys = p.U(0);
        if (!p.Has(0) || polys == 0 || !p.Has(1, polys))
            return false;
        std::vector<int> counts(polys);
        size_t total = 0;
        for (size_t i = 0; i < polys; ++i)
            total += size_t(counts[i] = p.U(1 + i));
        return ReadWmfPoints(p, 1 + polys, total, pts) && m_dc->PolyPolygon(pts.data(), counts.data(), int(polys));
    }
    case META_SETPIXEL: return p.Has(0, 4) && m_dc->SetPixel(p.S(3), p.S(2), p.Colour(0)) != CLR_INVALID;
    case META_FLOODFILL: return p.Has(0, 4) && m_dc->ExtFloodFill(p.S(3), p.S(2), p.Colour(0), FLOODFILLBORDER);
    case META_EXTFLOODFILL: return p.Has(0, 5) && m_dc->ExtFloodFill(p.S(4), p.S(3), p.Colour(1), p.U(0));
    case META_PATBLT: return p.Has(0, 6) && m_dc->PatBlt(p.S(5), p.S(4), p.S(3), p.S(2), p.U32(0));
    default: return false;
    }
}

bool CWmfPlayer::PlayText(WORD function, CWmfParams& p)
{
    if (function == META_TEXTOUT) {
        const size_t length = p.U(0);
        const size_t at = 1 + (length + 1) / 2;
        if (!p.Has(0) || !p.Has(at, 2))
            return false;
        const MetaBytes str = p.BytesFrom(1).first(length);
        const std::string text(str.begin(), str.end());
        return m_dc->TextOut(p.S(at + 1), p.S(at), text.data(), int(text.size()));
    }
    if (function != META_EXTTEXTOUT)
        return false;
    if (!p.Has(0, 4))
        return false;
    const int y = p.S(0), x = p.S(1);
    const size_t count = p.U(2);
    const UINT options = p.U(3);
    size_t next = 4;
    RECT rect{};
    const bool hasRect = options & (ETO_OPAQUE | ETO_CLIPPED);
    if (hasRect) {
        if (!p.Has(4, 4))
            return false;
        rect = RECT{p.S(4), p.S(5), p.S(6), p.S(7)};
        next = 8;
    }
    if (!p.Has(next, (count + 1) / 2))
        return false;
    const MetaBytes str = p.BytesFrom(next).first(count);
    const std::string text(str.begin(), str.end());
    next += (count + 1) / 2;
    std::vector<int> dx;
    if (count && p.Has(next, count)) {
        dx.resize(count);
        for (size_t i = 0; i < count; ++i)
            dx[i] = p.S(next + i);
    }
    return m_dc->ExtTextOut(x, y, options, hasRect ? &rect : nullptr, text.data(), UINT(count),
                            dx.empty() ? nullptr : dx.data());
}

bool CWmfPlayer::StretchDib(MetaBytes dib, int x, int y, int w, int h, int xs, int ys, int ws, int hs, UINT usage,
                            DWORD rop)
{
    DibLayout layout;
    if (dib.empty() || !ParseDibLayout(dib.data(), dib.size(), &layout) || layout.fileHeader != 0)
        return false;
    // An aligned copy: the record's words need not be 4-byte aligned.
    std::vector<DWORD> copy((dib.size() + 3) / 4);
    std::memcpy(copy.data(), dib.data(), dib.size());
    const BYTE* base = reinterpret_cast<const BYTE*>(copy.data());
    return m_dc->StretchDIBits(x, y, w, h, xs, ys, ws, hs, base + layout.bitsOffset,
                               reinterpret_cast<const BITMAPINFO*>(base), usage, rop) != 0;
}

bool CWmfPlayer::PlayBitmap(WORD function, CWmfParams& p)
{
    // The forms without a bitmap (exactly (function >> 8) + 3 words) carry a
    // reserved word and stand for a pattern fill.
    const bool noBitmap = p.Count() == size_t(function >> 8);
    switch (function) {
    case META_DIBBITBLT:
        if (noBitmap)
            return p.Has(0, 9) && m_dc->PatBlt(p.S(8), p.S(7), p.S(6), p.S(5), p.U32(0));
        return p.Has(0, 8) && StretchDib(p.BytesFrom(8), p.S(7), p.S(6), p.S(5), p.S(4), p.S(3), p.S(2), p.S(5),
                                         p.S(4), DIB_RGB_COLORS, p.U32(0));
    case META_DIBSTRETCHBLT:
        if (noBitmap)
            return p.Has(0, 11) && m_dc->PatBlt(p.S(10), p.S(9), p.S(8), p.S(7), p.U32(0));
        return p.Has(0, 10) && StretchDib(p.BytesFrom(10), p.S(9), p.S(8), p.S(7), p.S(6), p.S(5), p.S(4), p.S(3),
                                          p.S(2), DIB_RGB_COLORS, p.U32(0));
    case META_STRETCHDIB:
        return p.Has(0, 11) && StretchDib(p.BytesFrom(11), p.S(10), p.S(9), p.S(8), p.S(7), p.S(6), p.S(5), p.S(4),
                                          p.S(3), p.U(2), p.U32(0));
    case META_SETDIBTODEV:
        return p.Has(0, 9) && StretchDib(p.BytesFrom(9), p.S(8), p.S(7), p.S(6), p.S(5), p.S(4), p.S(3), p.S(6),
                                         p.S(5), p.U(0), SRCCOPY);
    default:
        return false;
    }
}

bool PlayMetaFile(CDC* dc, HMETAFILE metafile)
{
    return EnumMetaFile(dc, metafile, [](CWmfPlayer& player, std::vector<BYTE>& record) {
               player.PlayRecord(record);
               return 1;
           }) != 0;
}

int EnumMetaFile(CDC* dc, HMETAFILE metafile, const WmfPlayProc& proc)
{
    if (!proc)
        return 0;
    CWmfPlayer player(dc, metafile);
    if (!player.Ok())
        return 0;
    return EnumMetaFileRecords(metafile, [&](std::vector<BYTE>& record) { return proc(player, record); });
}
