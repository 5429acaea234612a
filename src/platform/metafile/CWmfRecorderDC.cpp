#include "platform/metafile/CWmfRecorderDC.h"

#include "platform/metafile/CEmfPlayer.h"
#include "platform/metafile/CEmfRecorderDC.h"
#include "platform/metafile/CWmfPlayer.h"

#include "platform/PackedDib.h"

#include <algorithm>
#include <cstring>
#include <cmath>

CWmfRecorderDC::CWmfRecorderDC() = default;

CWmfRecorderDC::~CWmfRecorderDC() = default;

void CWmfRecorderDC::RecWords(WORD function, const std::vector<WORD>& params)
{
    const DWORD words = DWORD(3 + params.size());
    const size_t at = m_bytes.size();
    m_bytes.resize(at + size_t(words) * 2);
    StoreLE32(m_bytes.data() + at, words);
    StoreLE16(m_bytes.data() + at + 4, function);
    for (size_t i = 0; i < params.size(); ++i)
        StoreLE16(m_bytes.data() + at + 6 + 2 * i, params[i]);
    m_maxRecord = std::max(m_maxRecord, words);
}

void CWmfRecorderDC::Rec(WORD function, std::initializer_list<int> params)
{
    std::vector<WORD> words;
    words.reserve(params.size());
    for (int p : params)
        words.push_back(WORD(p));
    RecWords(function, words);
}

std::vector<BYTE> CWmfRecorderDC::Close()
{
    if (m_failed) {
        m_bytes.clear();
        return {};
    }
    Rec(META_EOF, {});
    std::vector<BYTE> out(WMF_HEADER_SIZE);
    StoreLE16(out.data(), 1);
    StoreLE16(out.data() + 2, 9);
    StoreLE16(out.data() + 4, 0x0300);
    StoreLE32(out.data() + 6, DWORD((WMF_HEADER_SIZE + m_bytes.size()) / 2));
    StoreLE16(out.data() + 10, m_nextObject);
    StoreLE32(out.data() + 12, m_maxRecord);
    out.insert(out.end(), m_bytes.begin(), m_bytes.end());
    m_bytes.clear();
    return out;
}

// ---- Coordinates ----

QPointF CWmfRecorderDC::Page(int x, int y) const
{
    const XFORM& w = State().world;
    return QPointF(x * w.eM11 + y * w.eM21 + w.eDx, x * w.eM12 + y * w.eM22 + w.eDy);
}

SHORT CWmfRecorderDC::PX(double v) const
{
    const double c = std::isnan(v) ? 0.0 : std::clamp(v, -32767.0, 32767.0);
    return SHORT(std::lround(c));
}

std::vector<WORD> CWmfRecorderDC::PagePoints(const POINT* points, int count) const
{
    std::vector<WORD> out;
    out.reserve(size_t(count) * 2);
    for (int i = 0; i < count; ++i) {
        const QPointF p = Page(points[i].x, points[i].y);
        out.push_back(WORD(PX(p.x())));
        out.push_back(WORD(PX(p.y())));
    }
    return out;
}

SHORT CWmfRecorderDC::LenX(int v) const
{
    const XFORM& w = State().world;
    return PX(v * std::hypot(w.eM11, w.eM12));
}

SHORT CWmfRecorderDC::LenY(int v) const
{
    const XFORM& w = State().world;
    return PX(v * std::hypot(w.eM21, w.eM22));
}

// ---- Mapping and modes ----

int CWmfRecorderDC::SetMapMode(int mode)
{
    Rec(META_SETMAPMODE, {mode});
    return CDC::SetMapMode(mode);
}

CPoint CWmfRecorderDC::SetWindowOrg(int x, int y)
{
    Rec(META_SETWINDOWORG, {PX(y), PX(x)});
    return CDC::SetWindowOrg(x, y);
}

CSize CWmfRecorderDC::SetWindowExt(int cx, int cy)
{
    Rec(META_SETWINDOWEXT, {PX(cy), PX(cx)});
    return CDC::SetWindowExt(cx, cy);
}

CPoint CWmfRecorderDC::SetViewportOrg(int x, int y)
{
    Rec(META_SETVIEWPORTORG, {PX(y), PX(x)});
    return CDC::SetViewportOrg(x, y);
}

CSize CWmfRecorderDC::SetViewportExt(int cx, int cy)
{
    Rec(META_SETVIEWPORTEXT, {PX(cy), PX(cx)});
    return CDC::SetViewportExt(cx, cy);
}

int CWmfRecorderDC::SaveDC()
{
    Rec(META_SAVEDC, {});
    m_depth = CDC::SaveDC();
    return m_depth;
}

bool CWmfRecorderDC::RestoreDC(int level)
{
    const int target = level < 0 ? m_depth + level + 1 : level;
    if (!CDC::RestoreDC(level))
        return false;
    Rec(META_RESTOREDC, {target - m_depth - 1});
    m_depth = target - 1;
    return true;
}

int CWmfRecorderDC::SetROP2(int mode)
{
    Rec(META_SETROP2, {mode});
    return CDC::SetROP2(mode);
}

int CWmfRecorderDC::SetBkMode(int mode)
{
    Rec(META_SETBKMODE, {mode});
    return CDC::SetBkMode(mode);
}

COLORREF CWmfRecorderDC::SetBkColor(COLORREF color)
{
    Rec(META_SETBKCOLOR, {int(color & 0xFFFF), int(color >> 16)});
    return CDC::SetBkColor(color);
}

COLORREF CWmfRecorderDC::SetTextColor(COLORREF color)
{
    Rec(META_SETTEXTCOLOR, {int(color & 0xFFFF), int(color >> 16)});
    return CDC::SetTextColor(color);
}

UINT CWmfRecorderDC::SetTextAlign(UINT align)
{
    Rec(META_SETTEXTALIGN, {int(align)});
    return CDC::SetTextAlign(align);
}

int CWmfRecorderDC::SetPolyFillMode(int mode)
{
    Rec(META_SETPOLYFILLMODE, {mode});
    return CDC::SetPolyFillMode(mode);
}

int CWmfRecorderDC::SetStretchBltMode(int mode)
{
    Rec(META_SETSTRETCHBLTMODE, {mode});
    return CDC::SetStretchBltMode(mode);
}

// ---- Objects ----

void CWmfRecorderDC::SelectCreated(WORD function, const std::vector<WORD>& params)
{
    std::vector<WORD> key = params;
    key.push_back(function);
    auto found = m_objects.find(key);
    WORD slot;
    if (found != m_objects.end()) {
        slot = found->second;
    } else {
        if (m_nextObject == 0xFFFF) {
            m_failed = true;   // the object table is full
            return;
        }
        slot = m_nextObject++;
        m_objects.emplace(std::move(key), slot);
        RecWords(function, params);
    }
    Rec(META_SELECTOBJECT, {slot});
}

// Stock objects have no WMF form: every selection writes the object itself.
void CWmfRecorderDC::WriteCurrentPen()
{
    const LOGPEN& lp = State().logPen;
    UINT style = State().penExtended ? (State().penStyleEx & (PS_STYLE_MASK | PS_ENDCAP_MASK | PS_JOIN_MASK))
                                     : lp.lopnStyle;
    // A Windows metafile pen holds no dash lengths of its own.
    if ((style & PS_STYLE_MASK) == PS_USERSTYLE)
        style = (style & ~PS_STYLE_MASK) | StockDashOf(State().penUserStyle);
    SelectCreated(META_CREATEPENINDIRECT, {WORD(style), WORD(LenX(lp.lopnWidth.x)), 0, WORD(lp.lopnColor & 0xFFFF),
                                           WORD(lp.lopnColor >> 16)});
}

void CWmfRecorderDC::WriteCurrentBrush()
{
    const LOGBRUSH& lb = State().logBrush;
    if (!State().brushPattern.isNull()) {
        const std::vector<BYTE> dib = ImageToDib(State().brushPattern, 32, false);
        if (dib.size() > 40) {
            std::vector<WORD> params = {WORD(BS_DIBPATTERN), WORD(DIB_RGB_COLORS)};
            params.resize(2 + (dib.size() + 1) / 2);
            std::memcpy(params.data() + 2, dib.data(), dib.size());
            SelectCreated(META_DIBCREATEPATTERNBRUSH, params);
            return;
        }
    }
    const UINT style = (lb.lbStyle == BS_NULL || lb.lbStyle == BS_HATCHED) ? lb.lbStyle : BS_SOLID;
    SelectCreated(META_CREATEBRUSHINDIRECT,
                  {WORD(style), WORD(lb.lbColor & 0xFFFF), WORD(lb.lbColor >> 16), WORD(lb.lbHatch)});
}

CPen* CWmfRecorderDC::SelectObject(CPen* pen)
{
    CPen* old = CDC::SelectObject(pen);
    if (pen && pen->IsCreated())
        WriteCurrentPen();
    return old;
}

CBrush* CWmfRecorderDC::SelectObject(CBrush* brush)
{
    CBrush* old = CDC::SelectObject(brush);
    if (brush && brush->IsCreated())
        WriteCurrentBrush();
    return old;
}

CFont* CWmfRecorderDC::SelectObject(CFont* font)
{
    CFont* old = CDC::SelectObject(font);
    if (!font || !font->IsCreated())
        return old;
    const LOGFONT& f = State().logFont;
    std::vector<WORD> params = {WORD(LenY(f.lfHeight)), WORD(LenX(f.lfWidth)), WORD(f.lfEscapement),
                                WORD(f.lfOrientation), WORD(f.lfWeight)};
    const BYTE bytes[8] = {f.lfItalic, f.lfUnderline, f.lfStrikeOut, f.lfCharSet, f.lfOutPrecision,
                           f.lfClipPrecision, f.lfQuality, f.lfPitchAndFamily};
    for (int i = 0; i < 8; i += 2)
        params.push_back(WORD(bytes[i] | (bytes[i + 1] << 8)));
    for (int i = 0; i < LF_FACESIZE; i += 2)
        params.push_back(WORD(BYTE(f.lfFaceName[i]) | (BYTE(f.lfFaceName[i + 1]) << 8)));
    SelectCreated(META_CREATEFONTINDIRECT, params);
    return old;
}

// ---- Conversions ----

std::vector<BYTE> GetWinMetaFileBits(HENHMETAFILE metafile, int mapMode)
{
    ENHMETAHEADER header;
    if (!metafile || !GetEnhMetaFileHeader(metafile, &header) || mapMode != MM_ANISOTROPIC)
        return {};
    const double pxX = header.szlMillimeters.cx > 0 ? double(header.szlDevice.cx) / header.szlMillimeters.cx : 1;
    const double pxY = header.szlMillimeters.cy > 0 ? double(header.szlDevice.cy) / header.szlMillimeters.cy : 1;
    const RECT& f = header.rclFrame;
    const double w = std::round((double(f.right) - f.left) * pxX / 100.0);
    const double h = std::round((double(f.bottom) - f.top) * pxY / 100.0);
    const double x = std::round(f.left * pxX / 100.0), y = std::round(f.top * pxY / 100.0);
    // The window must fit the 16-bit coordinates of the records.
    if (!(w > 0 && h > 0 && w <= 32767 && h <= 32767 && std::abs(x) <= 32767 && std::abs(y) <= 32767))
        return {};
    CWmfRecorderDC rec;
    rec.SetMapMode(MM_ANISOTROPIC);
    const int ix = int(x), iy = int(y), iw = int(w), ih = int(h);
    rec.SetWindowOrg(ix, iy);
    rec.SetWindowExt(iw, ih);
    // The recorder's own device mapping stays one to one (not written).
    rec.CDC::SetViewportExt(iw, ih);
    const RECT dest{ix, iy, ix + iw, iy + ih};
    if (!PlayEnhMetaFile(&rec, metafile, &dest))
        return {};
    return rec.Close();
}

HENHMETAFILE SetWinMetaFileBits(UINT size, const BYTE* bits, const METAFILEPICT* picture)
{
    HMETAFILE wmf = SetMetaFileBitsEx(size, bits);
    if (!wmf)
        return nullptr;
    const CDeviceCaps caps = DisplayDeviceCaps();
    RECT box{0, 0, 0, 0};
    const bool hasBox = FindWmfWindowBox(wmf->Bytes(), box);
    RECT frame{0, 0, 0, 0};
    if (picture && (picture->mm == MM_ANISOTROPIC || picture->mm == MM_ISOTROPIC) && picture->xExt > 0 &&
        picture->yExt > 0) {
        frame = RECT{0, 0, picture->xExt, picture->yExt};
    } else if (hasBox) {
        frame = RECT{0, 0, MulDiv(box.right - box.left, caps.horzSizeMm * 100, caps.horzRes),
                     MulDiv(box.bottom - box.top, caps.vertSizeMm * 100, caps.vertRes)};
    }
    const int pxW = MulDiv(frame.right, caps.horzRes, caps.horzSizeMm * 100);
    const int pxH = MulDiv(frame.bottom, caps.vertRes, caps.vertSizeMm * 100);
    if (pxW <= 0 || pxH <= 0) {
        DeleteMetaFile(wmf);
        return nullptr;
    }
    CEmfRecorderDC rec(&frame, {});
    rec.SetMapMode(MM_ANISOTROPIC);
    // The metafile's window fills the frame; its own window records, when it
    // has them, set the same window again.
    if (hasBox) {
        rec.SetWindowOrg(box.left, box.top);
        rec.SetWindowExt(box.right - box.left, box.bottom - box.top);
    } else {
        rec.SetWindowExt(pxW, pxH);
    }
    rec.SetViewportOrg(0, 0);
    rec.SetViewportExt(pxW, pxH);
    const bool played = PlayMetaFile(&rec, wmf);
    DeleteMetaFile(wmf);
    HENHMETAFILE emf = rec.Close();
    if (!played) {
        DeleteEnhMetaFile(emf);
        return nullptr;
    }
    return emf;
}
