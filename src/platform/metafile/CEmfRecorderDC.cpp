#include "platform/metafile/CEmfRecorderDC.h"

#include "platform/Ansi.h"
#include "platform/PackedDib.h"

#include "platform/metafile/EmfWriterSupport.h"

#include <QIODevice>
#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

// Streaming hands records to the device in pieces of about this size.
constexpr size_t kDrainBytes = size_t(256) << 10;
// The format counts a picture's bytes in 32 bits.
constexpr quint64 kMaxEmfBytes = 0xFFFFFFFFull;
// The end record: no palette entries, palette offset 16, size repeated last.
constexpr BYTE kEofRecord[20] = {EMR_EOF, 0, 0, 0, 20, 0, 0, 0, 0, 0, 0, 0, 16, 0, 0, 0, 20, 0, 0, 0};

int StockIndexOf(const CGdiObject* object)
{
    for (int i = 0; i <= DEFAULT_GUI_FONT; ++i)
        if (GetStockObject(i) == object)
            return i;
    return -1;
}

}  // namespace

CEmfRecorderDC::CEmfRecorderDC(const RECT* frame, const std::string& description)
{
    if (frame) {
        m_haveFrame = true;
        m_frame = *frame;
    }
    for (unsigned char c : description)
        m_description.push_back(AnsiByteToUnicode(c));
    // The header is written at Close, when bounds and counts are known.
    m_records = 1;
}

CEmfRecorderDC::CEmfRecorderDC(QIODevice* out, const RECT* frame, const std::string& description)
    : CEmfRecorderDC(frame, description)
{
    m_out = out;
    // The header's size is known now (only its numbers change): it is
    // written as it stands and rewritten by Finish.
    const std::vector<BYTE> header = Header(0, 0);
    if (!m_out || header.empty() ||
        m_out->write(reinterpret_cast<const char*>(header.data()), qint64(header.size())) != qint64(header.size()))
        m_failed = true;
    m_written = header.size();
}

CEmfRecorderDC::~CEmfRecorderDC() = default;

void CEmfRecorderDC::Append(const BYTE* bytes, size_t size)
{
    // A failed recording gives nothing: what follows is not kept.
    if (m_failed)
        return;
    m_bytes.insert(m_bytes.end(), bytes, bytes + size);
    ++m_records;
    if (m_out && m_bytes.size() >= kDrainBytes)
        Drain();
}

bool CEmfRecorderDC::Drain()
{
    if (m_failed || m_closed || !m_out)
        return false;
    const qint64 size = qint64(m_bytes.size());
    if (m_written + quint64(size) > kMaxEmfBytes ||
        (size > 0 && m_out->write(reinterpret_cast<const char*>(m_bytes.data()), size) != size)) {
        m_failed = true;
        return false;
    }
    m_written += quint64(size);
    m_bytes.clear();
    return true;
}

void CEmfRecorderDC::Emit(char* record)
{
    // A record the writers could not make would leave the picture without
    // it: the whole recording fails instead.
    if (!record) {
        m_failed = true;
        return;
    }
    Append(reinterpret_cast<const BYTE*>(record), RecordSize(record));
    std::free(record);
}

void CEmfRecorderDC::EmitBytes(const std::vector<BYTE>& record)
{
    Append(record.data(), record.size());
}

std::vector<BYTE> CEmfRecorderDC::Header(quint64 bytes, DWORD records) const
{
    const CDeviceCaps& caps = DeviceCaps();
    const RECT bounds = m_haveBounds ? m_bounds : RECT{0, 0, -1, -1};
    RECT frame = m_frame;
    if (!m_haveFrame) {
        // The frame of what was drawn, 0.01 mm, from the reference's pixel size.
        auto mmX = [&](int px) { return MulDiv(px, caps.horzSizeMm * 100, std::max(caps.horzRes, 1)); };
        auto mmY = [&](int px) { return MulDiv(px, caps.vertSizeMm * 100, std::max(caps.vertRes, 1)); };
        // The bounds are inclusive; the frame reaches to the far side of the
        // last pixel.
        frame = RECT{mmX(bounds.left), mmY(bounds.top), mmX(bounds.right + 1), mmY(bounds.bottom + 1)};
    }
    std::vector<uint16_t> desc(m_description.begin(), m_description.end());
    char* made = U_EMRHEADER_set(ToRectl(bounds), ToRectl(frame), nullptr, U_CBSTR(desc.size()),
                                 desc.empty() ? nullptr : desc.data(), U_SIZEL{caps.horzRes, caps.vertRes},
                                 U_SIZEL{caps.horzSizeMm, caps.vertSizeMm}, 0);
    if (!made)
        return {};
    std::vector<BYTE> header(reinterpret_cast<BYTE*>(made), reinterpret_cast<BYTE*>(made) + RecordSize(made));
    std::free(made);
    StoreLE32(header.data() + EMF_OFF_BYTES, DWORD(bytes));
    StoreLE32(header.data() + EMF_OFF_RECORDS, records);
    StoreLE16(header.data() + EMF_OFF_HANDLES, WORD(std::min<DWORD>(m_nextObject, 0xFFFF)));
    return header;
}

HENHMETAFILE CEmfRecorderDC::Close()
{
    if (m_closed || m_out)
        return nullptr;
    m_closed = true;
    std::vector<BYTE> all;
    const quint64 size = Header(0, 0).size() + m_bytes.size() + sizeof kEofRecord;
    if (!m_failed && size <= kMaxEmfBytes)
        all = Header(size, m_records + 1);
    if (all.empty()) {
        m_bytes.clear();
        return nullptr;
    }
    all.insert(all.end(), m_bytes.begin(), m_bytes.end());
    std::vector<BYTE>().swap(m_bytes);
    all.insert(all.end(), std::begin(kEofRecord), std::end(kEofRecord));
    return SetEnhMetaFileBits(UINT(all.size()), all.data());
}

bool CEmfRecorderDC::Finish()
{
    if (!m_out || m_closed)
        return false;
    Append(kEofRecord, sizeof kEofRecord);
    const bool drained = Drain();
    m_closed = true;
    if (!drained || m_failed)
        return false;
    const std::vector<BYTE> header = Header(m_written, m_records);
    const qint64 size = qint64(header.size());
    return !header.empty() && m_out->seek(0) &&
           m_out->write(reinterpret_cast<const char*>(header.data()), size) == size && m_out->seek(qint64(m_written));
}

// ---- Bounds ----
// The header's bounds are the device pixels drawn, inclusive on all four
// sides, as the painting back-end sets them: a box shape's outline runs
// through left..right - 1 and top..bottom - 1; a pen of w pixels centred on a
// line reaches (w - 1) / 2 pixels past it on the left and top and w / 2 on
// the right and bottom; lines leave out their last point.

void CEmfRecorderDC::PenReach(int& lo, int& hi) const
{
    const LOGPEN& pen = State().logPen;
    const int width = std::max(1, int(std::lround(std::abs(pen.lopnWidth.x * LogToDevScaleX()))));
    lo = (width - 1) / 2;
    hi = width / 2;
}

void CEmfRecorderDC::AddDeviceBounds(LONG l, LONG t, LONG r, LONG b)
{
    m_lastBounds = RECT{l, t, r, b};
    if (r < l || b < t)
        return;   // nothing drawn
    if (!m_haveBounds) {
        m_bounds = m_lastBounds;
        m_haveBounds = true;
    } else {
        m_bounds = RECT{std::min(m_bounds.left, l), std::min(m_bounds.top, t), std::max(m_bounds.right, r),
                        std::max(m_bounds.bottom, b)};
    }
}

void CEmfRecorderDC::AddBoundsPoints(const POINT* points, int count, bool open)
{
    if (count <= 0)
        return;
    const bool noPen = State().logPen.lopnStyle == PS_NULL;
    // An open figure drawn by a one-pixel pen ends one pixel before its
    // last point: the pixel the line reaches last stands in for it.
    const bool cutEnd = open && !noPen && count >= 2;
    LONG l = std::numeric_limits<LONG>::max(), t = l, r = std::numeric_limits<LONG>::min(), b = r;
    auto add = [&](POINT d) {
        l = std::min(l, d.x), r = std::max(r, d.x), t = std::min(t, d.y), b = std::max(b, d.y);
    };
    for (int i = 0; i < count - (cutEnd ? 1 : 0); ++i)
        add(LogToDev(points[i]));
    if (cutEnd) {
        const POINT from = LogToDev(points[count - 2]), to = LogToDev(points[count - 1]);
        const LONG dx = to.x - from.x, dy = to.y - from.y;
        const LONG major = std::max(std::abs(dx), std::abs(dy));
        if (major > 0) {
            // One step back along the line, the minor axis rounded.
            const LONG bx = LONG(std::lround(double(dx) / major)), by = LONG(std::lround(double(dy) / major));
            add(POINT{to.x - bx, to.y - by});
        }
    }
    if (noPen) {
        // A fill without outline leaves out its right and bottom pixels.
        r -= 1, b -= 1;
    } else {
        int lo, hi;
        PenReach(lo, hi);
        l -= lo, t -= lo, r += hi, b += hi;
    }
    AddDeviceBounds(l, t, r, b);
}

namespace {
// The device box of a logical box: all four corners, as a world transform
// may turn it.
RECT DeviceBox(const CDC& dc, int left, int top, int right, int bottom)
{
    const POINT corners[4] = {dc.LogToDev(POINT{left, top}), dc.LogToDev(POINT{right, top}),
                              dc.LogToDev(POINT{left, bottom}), dc.LogToDev(POINT{right, bottom})};
    RECT box{corners[0].x, corners[0].y, corners[0].x, corners[0].y};
    for (const POINT& c : corners)
        box = RECT{std::min(box.left, c.x), std::min(box.top, c.y), std::max(box.right, c.x), std::max(box.bottom, c.y)};
    return box;
}
}  // namespace

void CEmfRecorderDC::AddBoundsBox(int left, int top, int right, int bottom)
{
    RECT d = DeviceBox(*this, left, top, right, bottom);
    const UINT style = State().logPen.lopnStyle & PS_STYLE_MASK;
    if (style == PS_NULL) {
        // The fill alone: one pixel short of the outline on the right and bottom.
        AddDeviceBounds(d.left, d.top, d.right - 2, d.bottom - 2);
        return;
    }
    int lo = 0, hi = 0;
    if (style != PS_INSIDEFRAME)
        PenReach(lo, hi);
    AddDeviceBounds(d.left - lo, d.top - lo, d.right - 1 + hi, d.bottom - 1 + hi);
}

void CEmfRecorderDC::AddBoundsArea(int left, int top, int right, int bottom)
{
    const RECT d = DeviceBox(*this, left, top, right, bottom);
    AddDeviceBounds(d.left, d.top, d.right - 1, d.bottom - 1);
}

// ---- Mapping ----

int CEmfRecorderDC::SetMapMode(int mode)
{
    Emit(U_EMRSETMAPMODE_set(uint32_t(mode)));
    return CDC::SetMapMode(mode);
}

CPoint CEmfRecorderDC::SetWindowOrg(int x, int y)
{
    Emit(U_EMRSETWINDOWORGEX_set(ToPointl(x, y)));
    return CDC::SetWindowOrg(x, y);
}

CSize CEmfRecorderDC::SetWindowExt(int cx, int cy)
{
    Emit(U_EMRSETWINDOWEXTEX_set(U_SIZEL{cx, cy}));
    return CDC::SetWindowExt(cx, cy);
}

CPoint CEmfRecorderDC::SetViewportOrg(int x, int y)
{
    Emit(U_EMRSETVIEWPORTORGEX_set(ToPointl(x, y)));
    return CDC::SetViewportOrg(x, y);
}

CSize CEmfRecorderDC::SetViewportExt(int cx, int cy)
{
    Emit(U_EMRSETVIEWPORTEXTEX_set(U_SIZEL{cx, cy}));
    return CDC::SetViewportExt(cx, cy);
}

bool CEmfRecorderDC::SetWorldTransform(const XFORM* xf)
{
    if (!CDC::SetWorldTransform(xf))
        return false;
    Emit(U_EMRSETWORLDTRANSFORM_set(U_XFORM{xf->eM11, xf->eM12, xf->eM21, xf->eM22, xf->eDx, xf->eDy}));
    return true;
}

bool CEmfRecorderDC::ModifyWorldTransform(const XFORM* xf, DWORD mode)
{
    if (!CDC::ModifyWorldTransform(xf, mode))
        return false;
    const XFORM x = xf ? *xf : XFORM{};
    Emit(U_EMRMODIFYWORLDTRANSFORM_set(U_XFORM{x.eM11, x.eM12, x.eM21, x.eM22, x.eDx, x.eDy}, mode));
    return true;
}

// ---- Objects ----

void CEmfRecorderDC::SelectCreated(char* createRecord)
{
    if (!createRecord) {
        m_failed = true;
        return;
    }
    const BYTE* p = reinterpret_cast<const BYTE*>(createRecord);
    std::vector<BYTE> record(p, p + RecordSize(createRecord));
    std::free(createRecord);
    StoreLE32(record.data() + 8, 0);  // the object index, set below
    auto found = m_objects.find(record);
    DWORD index;
    if (found != m_objects.end()) {
        index = found->second;
    } else {
        index = m_nextObject++;
        m_objects.emplace(record, index);
        StoreLE32(record.data() + 8, index);
        EmitBytes(record);
    }
    Emit(U_EMRSELECTOBJECT_set(index));
}

void CEmfRecorderDC::SelectStock(const CGdiObject* object)
{
    const int index = StockIndexOf(object);
    if (index >= 0)
        Emit(U_EMRSELECTOBJECT_set(U_STOCK_OBJECT | uint32_t(index)));
}

CPen* CEmfRecorderDC::SelectObject(CPen* pen)
{
    CPen* old = CDC::SelectObject(pen);
    if (!pen || !pen->IsCreated())
        return old;
    if (pen->IsStock()) {
        SelectStock(pen);
        return old;
    }
    const CDCState& s = State();
    if (s.penExtended) {
        std::vector<U_STYLEENTRY> styles(s.penUserStyle.begin(), s.penUserStyle.end());
        PU_EXTLOGPEN elp = extlogpen_set(s.penStyleEx, uint32_t(s.logPen.lopnWidth.x), U_BS_SOLID,
                                         ToColorref(s.logPen.lopnColor), 0, U_NUM_STYLEENTRY(styles.size()),
                                         styles.empty() ? nullptr : styles.data());
        SelectCreated(U_EMREXTCREATEPEN_set(0, nullptr, 0, nullptr, elp));
        std::free(elp);
    } else {
        const U_LOGPEN lp = logpen_set(s.logPen.lopnStyle, U_POINT{s.logPen.lopnWidth.x, s.logPen.lopnWidth.y},
                                       ToColorref(s.logPen.lopnColor));
        SelectCreated(U_EMRCREATEPEN_set(0, lp));
    }
    return old;
}

void CEmfRecorderDC::SelectCurrentBrush()
{
    const LOGBRUSH& lb = State().logBrush;
    if (!State().brushPattern.isNull()) {
        // The pattern as a 32-bit DIB (a monochrome pattern with the colours it
        // has now, not the text and background colours of play-back).
        std::vector<BYTE> dib = ImageToDib(State().brushPattern, 32, false);
        if (dib.size() > 40) {
            SelectCreated(U_EMRCREATEDIBPATTERNBRUSHPT_set(0, U_DIB_RGB_COLORS, reinterpret_cast<PU_BITMAPINFO>(dib.data()),
                                                           uint32_t(dib.size() - 40),
                                                           reinterpret_cast<const char*>(dib.data() + 40)));
            return;
        }
    }
    const UINT style = (lb.lbStyle == BS_SOLID || lb.lbStyle == BS_NULL || lb.lbStyle == BS_HATCHED) ? lb.lbStyle
                                                                                                     : BS_SOLID;
    SelectCreated(U_EMRCREATEBRUSHINDIRECT_set(0, logbrush_set(style, ToColorref(lb.lbColor), int32_t(lb.lbHatch))));
}

CBrush* CEmfRecorderDC::SelectObject(CBrush* brush)
{
    CBrush* old = CDC::SelectObject(brush);
    if (!brush || !brush->IsCreated())
        return old;
    if (brush->IsStock())
        SelectStock(brush);
    else
        SelectCurrentBrush();
    return old;
}

CFont* CEmfRecorderDC::SelectObject(CFont* font)
{
    CFont* old = CDC::SelectObject(font);
    if (!font || !font->IsCreated())
        return old;
    if (font->IsStock()) {
        SelectStock(font);
        return old;
    }
    const LOGFONT& f = State().logFont;
    U_LOGFONT lf{};
    lf.lfHeight = f.lfHeight;
    lf.lfWidth = f.lfWidth;
    lf.lfEscapement = f.lfEscapement;
    lf.lfOrientation = f.lfOrientation;
    lf.lfWeight = f.lfWeight;
    lf.lfItalic = f.lfItalic;
    lf.lfUnderline = f.lfUnderline;
    lf.lfStrikeOut = f.lfStrikeOut;
    lf.lfCharSet = f.lfCharSet;
    lf.lfOutPrecision = f.lfOutPrecision;
    lf.lfClipPrecision = f.lfClipPrecision;
    lf.lfQuality = f.lfQuality;
    lf.lfPitchAndFamily = f.lfPitchAndFamily;
    for (int i = 0; i < LF_FACESIZE - 1 && f.lfFaceName[i]; ++i)
        lf.lfFaceName[i] = AnsiByteToUnicode(static_cast<unsigned char>(f.lfFaceName[i]));
    SelectCreated(U_EMREXTCREATEFONTINDIRECTW_set(0, reinterpret_cast<const char*>(&lf), nullptr));
    return old;
}

int CEmfRecorderDC::SaveDC()
{
    Emit(U_EMRSAVEDC_set());
    m_depth = CDC::SaveDC();
    return m_depth;
}

bool CEmfRecorderDC::RestoreDC(int level)
{
    // The record counts back from the last save.
    const int target = level < 0 ? m_depth + level + 1 : level;
    if (!CDC::RestoreDC(level))
        return false;
    Emit(U_EMRRESTOREDC_set(target - m_depth - 1));
    m_depth = target - 1;
    return true;
}

// ---- Modes ----

int CEmfRecorderDC::SetROP2(int mode)
{
    Emit(U_EMRSETROP2_set(uint32_t(mode)));
    return CDC::SetROP2(mode);
}

int CEmfRecorderDC::SetBkMode(int mode)
{
    Emit(U_EMRSETBKMODE_set(uint32_t(mode)));
    return CDC::SetBkMode(mode);
}

COLORREF CEmfRecorderDC::SetBkColor(COLORREF color)
{
    Emit(U_EMRSETBKCOLOR_set(ToColorref(color)));
    return CDC::SetBkColor(color);
}

COLORREF CEmfRecorderDC::SetTextColor(COLORREF color)
{
    Emit(U_EMRSETTEXTCOLOR_set(ToColorref(color)));
    return CDC::SetTextColor(color);
}

UINT CEmfRecorderDC::SetTextAlign(UINT align)
{
    Emit(U_EMRSETTEXTALIGN_set(align));
    return CDC::SetTextAlign(align);
}

int CEmfRecorderDC::SetPolyFillMode(int mode)
{
    Emit(U_EMRSETPOLYFILLMODE_set(uint32_t(mode)));
    return CDC::SetPolyFillMode(mode);
}

int CEmfRecorderDC::SetStretchBltMode(int mode)
{
    Emit(U_EMRSETSTRETCHBLTMODE_set(uint32_t(mode)));
    return CDC::SetStretchBltMode(mode);
}

int CEmfRecorderDC::SetArcDirection(int direction)
{
    Emit(U_EMRSETARCDIRECTION_set(uint32_t(direction)));
    return CDC::SetArcDirection(direction);
}

CPoint CEmfRecorderDC::SetBrushOrg(int x, int y)
{
    Emit(U_EMRSETBRUSHORGEX_set(ToPointl(x, y)));
    return CDC::SetBrushOrg(x, y);
}

float CEmfRecorderDC::SetMiterLimit(float limit)
{
    Emit(U_EMRSETMITERLIMIT_set(uint32_t(std::max(0.0f, limit))));
    return CDC::SetMiterLimit(limit);
}

bool CEmfRecorderDC::GdiComment(UINT size, const BYTE* data)
{
    if (!data && size)
        return false;
    Emit(U_EMRCOMMENT_set(size, reinterpret_cast<const char*>(data)));
    return true;
}

std::unique_ptr<CEmfRecorderDC> CreateEnhMetaFile(const RECT* frame, const std::string& description)
{
    return std::make_unique<CEmfRecorderDC>(frame, description);
}

HENHMETAFILE CloseEnhMetaFile(CEmfRecorderDC* dc) { return dc ? dc->Close() : nullptr; }
