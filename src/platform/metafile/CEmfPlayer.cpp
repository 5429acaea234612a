#include "platform/metafile/CEmfPlayer.h"

#include "platform/Ansi.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr DWORD kStockFlag = 0x80000000;
constexpr size_t kMaxEmfObjects = 65535;

XFORM ToXform(const QTransform& t)
{
    return XFORM{float(t.m11()), float(t.m12()), float(t.m21()), float(t.m22()), float(t.dx()), float(t.dy())};
}

QTransform ReadXform(CMetaByteReader& r, size_t offset)
{
    return QTransform(r.F32(offset), r.F32(offset + 4), r.F32(offset + 8), r.F32(offset + 12), r.F32(offset + 16),
                      r.F32(offset + 20));
}

bool Finite(const QTransform& t)
{
    for (double v : {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()})
        if (!std::isfinite(v) || std::abs(v) > 1e9)
            return false;
    return true;
}

// Millimetres per logical unit of the fixed map modes.
double FixedUnitMm(int mode)
{
    switch (mode) {
    case MM_LOMETRIC: return 0.1;
    case MM_HIMETRIC: return 0.01;
    case MM_LOENGLISH: return 0.254;
    case MM_HIENGLISH: return 0.0254;
    case MM_TWIPS: return 25.4 / 1440.0;
    default: return 0;
    }
}
}  // namespace

CEmfPlayer::CEmfPlayer(CDC* dc, HENHMETAFILE metafile, const RECT& dest, EmfPlaySource source)
    : m_dc(dc), m_mf(metafile)
{
    ENHMETAHEADER header;
    if (!dc || !metafile || !GetEnhMetaFileHeader(metafile, &header))
        return;
    m_objects.resize(std::min<size_t>(std::max<size_t>(header.nHandles, 1), kMaxEmfObjects));
    const double mmX = header.szlMillimeters.cx > 0 ? header.szlMillimeters.cx : 1;
    const double mmY = header.szlMillimeters.cy > 0 ? header.szlMillimeters.cy : 1;
    m_pixelsPerMm = QSizeF(header.szlDevice.cx > 0 ? header.szlDevice.cx / mmX : 1,
                           header.szlDevice.cy > 0 ? header.szlDevice.cy / mmY : 1);
    // The frame (0.01 mm) in reference pixels, or the inclusive bounds, is the
    // source of the mapping; without a usable frame the bounds are.
    const QRectF bounds(QPointF(header.rclBounds.left, header.rclBounds.top),
                        QPointF(double(header.rclBounds.right) + 1, double(header.rclBounds.bottom) + 1));
    QRectF src(QPointF(header.rclFrame.left * m_pixelsPerMm.width() / 100.0,
                       header.rclFrame.top * m_pixelsPerMm.height() / 100.0),
               QPointF(header.rclFrame.right * m_pixelsPerMm.width() / 100.0,
                       header.rclFrame.bottom * m_pixelsPerMm.height() / 100.0));
    if (source == EmfPlaySource::Bounds || src.width() <= 0 || src.height() <= 0)
        src = bounds;
    const double destW = double(dest.right) - dest.left, destH = double(dest.bottom) - dest.top;
    if (src.width() <= 0 || src.height() <= 0 || destW == 0 || destH == 0)
        return;
    m_frameToDest = QTransform::fromTranslate(-src.left(), -src.top()) *
                    QTransform::fromScale(destW / src.width(), destH / src.height()) *
                    QTransform::fromTranslate(dest.left, dest.top);
    if (!Finite(m_frameToDest))
        return;
    m_baseDepth = dc->SaveDC();
    m_destBase = dc->LogToDevTransform();
    CRgn clip;
    m_hadClip = dc->GetClipRgn(&clip) > 0;
    if (m_hadClip)
        m_initialClip = clip.Region();
    // Play-back starts from the default attributes.
    dc->SetGraphicsMode(GM_ADVANCED);
    m_state.pen = static_cast<CPen*>(GetStockObject(BLACK_PEN));
    m_state.font = static_cast<CFont*>(GetStockObject(SYSTEM_FONT));
    dc->SelectStockObject(WHITE_BRUSH);
    dc->SetBkMode(OPAQUE);
    dc->SetBkColor(RGB(255, 255, 255));
    dc->SetTextColor(RGB(0, 0, 0));
    dc->SetTextAlign(TA_LEFT | TA_TOP);
    dc->SetROP2(R2_COPYPEN);
    dc->SetPolyFillMode(ALTERNATE);
    ApplyTransform();
    const POINT origin = Map(0, 0);
    dc->MoveTo(origin.x, origin.y);
    m_ok = true;
}

CEmfPlayer::~CEmfPlayer()
{
    if (m_ok)
        m_dc->RestoreDC(m_baseDepth);
}

QTransform CEmfPlayer::MapTransform() const
{
    const MapState& s = m_state;
    double sx = 1, sy = 1;
    if (s.mapMode == MM_ANISOTROPIC || s.mapMode == MM_ISOTROPIC) {
        sx = s.windowExt.width() ? s.viewportExt.width() / s.windowExt.width() : 1;
        sy = s.windowExt.height() ? s.viewportExt.height() / s.windowExt.height() : 1;
        if (s.mapMode == MM_ISOTROPIC) {
            const double m = std::min(std::abs(sx), std::abs(sy));
            sx = std::copysign(m, sx), sy = std::copysign(m, sy);
        }
    } else if (const double mm = FixedUnitMm(s.mapMode)) {
        sx = mm * m_pixelsPerMm.width();
        sy = -mm * m_pixelsPerMm.height();
    }
    return QTransform::fromTranslate(-s.windowOrg.x(), -s.windowOrg.y()) * QTransform::fromScale(sx, sy) *
           QTransform::fromTranslate(s.viewportOrg.x(), s.viewportOrg.y());
}

QTransform CEmfPlayer::LogicalToDevice() const
{
    return m_state.world * MapTransform() * m_frameToDest * m_destBase;
}

bool CEmfPlayer::PointsFit(const POINT* points, size_t count) const
{
    constexpr double kLimit = double(1 << 26);
    const QTransform t = LogicalToDevice();
    for (size_t i = 0; i < count; ++i) {
        const QPointF d = t.map(QPointF(points[i].x, points[i].y));
        if (!(std::abs(d.x()) < kLimit && std::abs(d.y()) < kLimit))
            return false;
    }
    return true;
}

bool CEmfPlayer::BoxFits(LONG l, LONG t, LONG r, LONG b) const
{
    const POINT corners[4] = {{l, t}, {r, t}, {l, b}, {r, b}};
    return PointsFit(corners, 4);
}

void CEmfPlayer::ApplyTransform()
{
    const QTransform t = m_state.world * MapTransform() * m_frameToDest;
    if (!Finite(t) || !t.isInvertible())
        return;
    m_toDest = t;
    m_manual = t.m12() == 0 && t.m21() == 0;
    const XFORM xf = ToXform(m_manual ? QTransform() : t);
    m_dc->SetWorldTransform(&xf);
    // The scale may have changed: pens and fonts are selected again.
    SelectPen(m_state.pen);
    SelectFont(m_state.font);
}

POINT CEmfPlayer::Map(LONG x, LONG y) const
{
    if (!m_manual)
        return POINT{x, y};
    const QPointF p = m_toDest.map(QPointF(x, y));
    auto round = [](double v) { return LONG(std::clamp(std::floor(v + 0.5), double(INT32_MIN), double(INT32_MAX))); };
    return POINT{round(p.x()), round(p.y())};
}

void CEmfPlayer::MapBox(LONG& x, LONG& y, LONG& w, LONG& h) const
{
    const POINT a = Map(x, y);
    const POINT b = Map(LONG(std::clamp<int64_t>(int64_t(x) + w, INT32_MIN, INT32_MAX)),
                        LONG(std::clamp<int64_t>(int64_t(y) + h, INT32_MIN, INT32_MAX)));
    x = a.x, y = a.y;
    w = LONG(std::clamp<int64_t>(int64_t(b.x) - a.x, INT32_MIN, INT32_MAX));
    h = LONG(std::clamp<int64_t>(int64_t(b.y) - a.y, INT32_MIN, INT32_MAX));
}

CGdiObject* CEmfPlayer::ScaledCopy(const CGdiObject* source, const std::function<std::unique_ptr<CGdiObject>()>& make)
{
    const auto key = std::make_tuple(source, std::abs(m_toDest.m11()), std::abs(m_toDest.m22()));
    auto found = m_scaled.find(key);
    if (found != m_scaled.end())
        return found->second.get();
    std::unique_ptr<CGdiObject> copy = make();
    CGdiObject* raw = copy.get();
    if (copy)
        m_scaled.emplace(key, std::move(copy));
    return raw;
}

void CEmfPlayer::MapPoints(std::vector<POINT>& points) const
{
    for (POINT& p : points)
        p = Map(p.x, p.y);
}

LONG CEmfPlayer::LenX(LONG v) const
{
    if (!m_manual)
        return v;
    return LONG(std::clamp(std::floor(v * std::abs(m_toDest.m11()) + 0.5), double(INT32_MIN), double(INT32_MAX)));
}

LONG CEmfPlayer::LenY(LONG v) const
{
    if (!m_manual)
        return v;
    return LONG(std::clamp(std::floor(v * std::abs(m_toDest.m22()) + 0.5), double(INT32_MIN), double(INT32_MAX)));
}

// A pen of non-zero width is a length in metafile units: with the mapping done
// here, a copy with the width scaled is what the device context gets.
void CEmfPlayer::SelectPen(CPen* pen)
{
    if (!pen)
        return;
    m_state.pen = pen;
    const LOGPEN& lp = pen->GetLogPen();
    const bool cosmetic = pen->IsExtended() ? (lp.lopnStyle & PS_TYPE_MASK) == PS_COSMETIC : lp.lopnWidth.x == 0;
    if (!m_manual || cosmetic || pen->IsStock()) {
        m_dc->SelectObject(pen);
        return;
    }
    CGdiObject* scaled = ScaledCopy(pen, [&]() -> std::unique_ptr<CGdiObject> {
        const int width = std::max(1, int(std::min<LONG>(LenX(lp.lopnWidth.x), 1 << 20)));
        auto copy = std::make_unique<CPen>();
        if (pen->IsExtended()) {
            LOGBRUSH lb;
            lb.lbStyle = BS_SOLID;
            lb.lbColor = lp.lopnColor;
            std::vector<DWORD> dashes;
            for (DWORD d : pen->UserStyle())
                dashes.push_back(DWORD(std::max<LONG>(1, LenX(LONG(std::min<DWORD>(d, 1 << 20))))));
            if (!copy->ExtCreatePen(lp.lopnStyle, width, lb, int(dashes.size()), dashes.empty() ? nullptr : dashes.data()))
                return nullptr;
        } else {
            LOGPEN scaledLog = lp;
            scaledLog.lopnWidth.x = width;
            if (!copy->CreatePenIndirect(scaledLog))
                return nullptr;
        }
        return copy;
    });
    m_dc->SelectObject(scaled ? static_cast<CPen*>(scaled) : pen);
}

// A font's height and width are lengths in metafile units too.
void CEmfPlayer::SelectFont(CFont* font)
{
    if (!font)
        return;
    m_state.font = font;
    if (!m_manual || font->IsStock()) {
        m_dc->SelectObject(font);
        return;
    }
    CGdiObject* scaled = ScaledCopy(font, [&]() -> std::unique_ptr<CGdiObject> {
        LOGFONT lf = font->GetLogFont();
        auto scale = [](LONG v, double factor) {
            if (v == 0)
                return LONG(0);
            const double s = std::clamp(std::floor(std::abs(double(v)) * factor + 0.5), 1.0, double(1 << 20));
            return LONG(v < 0 ? -s : s);
        };
        lf.lfHeight = scale(lf.lfHeight, std::abs(m_toDest.m22()));
        lf.lfWidth = scale(lf.lfWidth, std::abs(m_toDest.m11()));
        auto copy = std::make_unique<CFont>();
        if (!copy->CreateFontIndirect(&lf))
            return nullptr;
        return copy;
    });
    m_dc->SelectObject(scaled ? static_cast<CFont*>(scaled) : font);
}

void CEmfPlayer::StoreObject(DWORD index, std::unique_ptr<CGdiObject> object)
{
    // Some writers state too small a table; it grows up to the 16-bit limit.
    if (index == 0 || index >= kMaxEmfObjects)
        return;
    if (index >= m_objects.size())
        m_objects.resize(size_t(index) + 1);
    if (m_objects[index])
        m_retired.push_back(std::move(m_objects[index]));
    m_objects[index] = std::move(object);
}

CGdiObject* CEmfPlayer::ObjectAt(DWORD index) const
{
    if (index & kStockFlag)
        return GetStockObject(int(index & ~kStockFlag));
    return index < m_objects.size() ? m_objects[index].get() : nullptr;
}

bool CEmfPlayer::PlayRecord(MetaBytes record)
{
    if (!m_ok || record.size() < EMF_RECORD_MIN_SIZE)
        return false;
    CMetaByteReader r(record);
    const DWORD type = r.U32(0);
    switch (type) {
    case EMR_HEADER:
    case EMR_EOF:
    case EMR_COMMENT:
        return true;
    default:
        break;
    }
    return PlayState(type, r) || PlayObject(type, r) || PlayShape(type, r) || PlayPoly(type, r) ||
           PlayBlit(type, r) || PlayText(type, r) || PlayRegion(type, r);
}

// Mapping, saved states and modes. Returns false for records it does not own
// and for malformed ones.
bool CEmfPlayer::PlayState(DWORD type, CMetaByteReader& r)
{
    MapState& s = m_state;
    switch (type) {
    case EMR_SETMAPMODE: s.mapMode = int(r.U32(8)); break;
    case EMR_SETWINDOWORGEX: s.windowOrg = QPointF(r.S32(8), r.S32(12)); break;
    case EMR_SETWINDOWEXTEX:
        if (r.S32(8) && r.S32(12))
            s.windowExt = QSizeF(r.S32(8), r.S32(12));
        break;
    case EMR_SETVIEWPORTORGEX: s.viewportOrg = QPointF(r.S32(8), r.S32(12)); break;
    case EMR_SETVIEWPORTEXTEX:
        if (r.S32(8) && r.S32(12))
            s.viewportExt = QSizeF(r.S32(8), r.S32(12));
        break;
    case EMR_SCALEVIEWPORTEXTEX:
    case EMR_SCALEWINDOWEXTEX: {
        const double xNum = r.S32(8), xDen = r.S32(12), yNum = r.S32(16), yDen = r.S32(20);
        QSizeF& ext = type == EMR_SCALEWINDOWEXTEX ? s.windowExt : s.viewportExt;
        if (xDen && yDen && xNum && yNum)
            ext = QSizeF(ext.width() * xNum / xDen, ext.height() * yNum / yDen);
        break;
    }
    case EMR_SETWORLDTRANSFORM: {
        const QTransform t = ReadXform(r, 8);
        if (r.Ok() && Finite(t) && t.isInvertible())
            s.world = t;
        break;
    }
    case EMR_MODIFYWORLDTRANSFORM: {
        const QTransform t = ReadXform(r, 8);
        const DWORD mode = r.U32(32);
        if (!r.Ok() || !Finite(t))
            return false;
        if (mode == MWT_IDENTITY)
            s.world = QTransform();
        else if (mode == MWT_LEFTMULTIPLY)
            s.world = t * s.world;
        else if (mode == MWT_RIGHTMULTIPLY)
            s.world = s.world * t;
        break;
    }
    case EMR_SAVEDC:
        m_saved.push_back(s);
        m_dc->SaveDC();
        ++m_depth;
        return true;
    case EMR_RESTOREDC: {
        const LONG rel = r.S32(8);
        // Only the metafile's own saves can be restored.
        if (!r.Ok() || rel >= 0 || -int64_t(rel) > m_depth)
            return false;
        m_depth += rel;
        s = m_saved[size_t(m_depth)];
        m_saved.resize(size_t(m_depth));
        m_dc->RestoreDC(m_baseDepth + m_depth + 1);
        break;
    }
    case EMR_SETBKMODE: m_dc->SetBkMode(int(r.U32(8))); return r.Ok();
    case EMR_SETBKCOLOR: m_dc->SetBkColor(r.U32(8) & 0xFFFFFF); return r.Ok();
    case EMR_SETTEXTCOLOR: m_dc->SetTextColor(r.U32(8) & 0xFFFFFF); return r.Ok();
    case EMR_SETTEXTALIGN: m_dc->SetTextAlign(r.U32(8)); return r.Ok();
    case EMR_SETPOLYFILLMODE: m_dc->SetPolyFillMode(int(r.U32(8))); return r.Ok();
    case EMR_SETROP2: m_dc->SetROP2(int(r.U32(8))); return r.Ok();
    case EMR_SETSTRETCHBLTMODE: m_dc->SetStretchBltMode(int(r.U32(8))); return r.Ok();
    case EMR_SETARCDIRECTION: m_dc->SetArcDirection(int(r.U32(8))); return r.Ok();
    case EMR_SETMITERLIMIT: m_dc->SetMiterLimit(float(r.U32(8))); return r.Ok();
    case EMR_SETBRUSHORGEX: m_dc->SetBrushOrg(r.S32(8), r.S32(12)); return r.Ok();
    case EMR_MOVETOEX: {
        const POINT p{r.S32(8), r.S32(12)};
        if (!r.Ok() || !PointsFit(&p, 1))
            return false;
        const POINT d = Map(p.x, p.y);
        m_dc->MoveTo(d.x, d.y);
        return true;
    }
    default:
        return false;
    }
    if (!r.Ok())
        return false;
    ApplyTransform();
    return true;
}

bool CEmfPlayer::PlayObject(DWORD type, CMetaByteReader& r)
{
    switch (type) {
    case EMR_SELECTOBJECT: {
        CGdiObject* obj = ObjectAt(r.U32(8));
        if (!r.Ok() || !obj)
            return false;
        switch (obj->Kind()) {
        case GdiObjectKind::Pen: SelectPen(static_cast<CPen*>(obj)); break;
        case GdiObjectKind::Brush: m_dc->SelectObject(static_cast<CBrush*>(obj)); break;
        case GdiObjectKind::Font: SelectFont(static_cast<CFont*>(obj)); break;
        default: break;
        }
        return true;
    }
    case EMR_DELETEOBJECT: {
        const DWORD index = r.U32(8);
        if (r.Ok() && index > 0 && index < m_objects.size() && m_objects[index])
            m_retired.push_back(std::move(m_objects[index]));
        return r.Ok();
    }
    case EMR_CREATEPEN: {
        LOGPEN lp;
        lp.lopnStyle = r.U32(12);
        lp.lopnWidth = POINT{r.S32(16), r.S32(20)};
        lp.lopnColor = r.U32(24) & 0xFFFFFF;
        auto pen = std::make_unique<CPen>();
        if (!r.Ok() || !pen->CreatePenIndirect(lp))
            return false;
        StoreObject(r.U32(8), std::move(pen));
        return true;
    }
    case EMR_EXTCREATEPEN: {
        const DWORD style = r.U32(28), width = r.U32(32), count = r.U32(48);
        LOGBRUSH lb;
        lb.lbStyle = BS_SOLID;
        lb.lbColor = r.U32(40) & 0xFFFFFF;
        if (!r.Ok() || !r.Has(52, size_t(count) * 4) || count > 16)
            return false;
        std::vector<DWORD> entries(count);
        for (DWORD i = 0; i < count; ++i)
            entries[i] = r.U32(52 + 4 * i);
        auto pen = std::make_unique<CPen>();
        if (!pen->ExtCreatePen(style, int(std::min<DWORD>(width, 1u << 20)), lb, int(count),
                               entries.empty() ? nullptr : entries.data()))
            return false;
        StoreObject(r.U32(8), std::move(pen));
        return true;
    }
    case EMR_CREATEBRUSHINDIRECT: {
        LOGBRUSH lb;
        lb.lbStyle = r.U32(12);
        lb.lbColor = r.U32(16) & 0xFFFFFF;
        lb.lbHatch = r.U32(20);
        if (lb.lbStyle != BS_SOLID && lb.lbStyle != BS_NULL && lb.lbStyle != BS_HATCHED)
            lb.lbStyle = BS_SOLID;
        auto brush = std::make_unique<CBrush>();
        if (!r.Ok() || !brush->CreateBrushIndirect(lb))
            return false;
        StoreObject(r.U32(8), std::move(brush));
        return true;
    }
    case EMR_CREATEDIBPATTERNBRUSHPT:
    case EMR_CREATEMONOBRUSH: {
        // index, usage, header offset and size, bits offset and size.
        const DWORD index = r.U32(8), offBmi = r.U32(16), cbBmi = r.U32(20), offBits = r.U32(24), cbBits = r.U32(28);
        if (!r.Ok())
            return false;
        // The sizes are the file's word: nothing is sized by them before both
        // spans are known to lie inside the record.
        const MetaBytes bmi = r.Sub(offBmi, cbBmi), bits = r.Sub(offBits, cbBits);
        QImage image;
        if (r.Ok() && bmi.size() >= 40) {
            // An aligned copy: the header need not be 4-byte aligned in the record.
            std::vector<DWORD> info((bmi.size() + 3) / 4);
            std::copy(bmi.begin(), bmi.end(), reinterpret_cast<BYTE*>(info.data()));
            image = DibToImage(reinterpret_cast<const BITMAPINFO*>(info.data()), DWORD(bmi.size()), bits.data(),
                               DWORD(bits.size()));
        }
        // A pattern that cannot be read still takes its slot, as a grey brush.
        auto brush = std::make_unique<CBrush>(RGB(128, 128, 128));
        CBitmap bitmap;
        if (!image.isNull() && bitmap.Attach(image)) {
            bitmap.SetMonochrome(type == EMR_CREATEMONOBRUSH);
            brush->CreatePatternBrush(&bitmap);
        }
        StoreObject(index, std::move(brush));
        return true;
    }
    case EMR_EXTCREATEFONTINDIRECTW: {
        LOGFONT lf;
        lf.lfHeight = r.S32(12);
        lf.lfWidth = r.S32(16);
        lf.lfEscapement = r.S32(20);
        lf.lfOrientation = r.S32(24);
        lf.lfWeight = r.S32(28);
        const DWORD bytes = r.U32(32);
        lf.lfItalic = BYTE(bytes), lf.lfUnderline = BYTE(bytes >> 8), lf.lfStrikeOut = BYTE(bytes >> 16);
        lf.lfCharSet = BYTE(bytes >> 24);
        const DWORD more = r.U32(36);
        lf.lfOutPrecision = BYTE(more), lf.lfClipPrecision = BYTE(more >> 8), lf.lfQuality = BYTE(more >> 16);
        lf.lfPitchAndFamily = BYTE(more >> 24);
        if (!r.Ok())
            return false;
        QString face;
        for (int i = 0; i < LF_FACESIZE && r.Has(40 + 2 * i, 2); ++i) {
            const char16_t c = char16_t(r.U16(40 + 2 * i));
            if (!c)
                break;
            face.append(QChar(c));
        }
        const std::string ansi = QStringToAnsi(face).substr(0, LF_FACESIZE - 1);
        std::copy(ansi.begin(), ansi.end(), lf.lfFaceName);
        lf.lfFaceName[ansi.size()] = 0;
        auto font = std::make_unique<CFont>();
        if (!font->CreateFontIndirect(&lf))
            return false;
        StoreObject(r.U32(8), std::move(font));
        return true;
    }
    default:
        return false;
    }
}

bool PlayEnhMetaFile(CDC* dc, HENHMETAFILE metafile, const RECT* rect)
{
    if (!rect)
        return false;
    return EnumEnhMetaFile(dc, metafile, rect, [](CEmfPlayer& player, std::vector<BYTE>& record) {
               player.PlayRecord(record);
               return 1;
           }) != 0;
}

bool PlayEnhMetaFileBounds(CDC* dc, HENHMETAFILE metafile, const RECT* rect)
{
    if (!rect)
        return false;
    return EnumEnhMetaFile(
               dc, metafile, rect,
               [](CEmfPlayer& player, std::vector<BYTE>& record) {
                   player.PlayRecord(record);
                   return 1;
               },
               EmfPlaySource::Bounds) != 0;
}

int EnumEnhMetaFile(CDC* dc, HENHMETAFILE metafile, const RECT* rect, const EnhPlayProc& proc, EmfPlaySource source)
{
    if (!rect || !proc)
        return 0;
    CEmfPlayer player(dc, metafile, *rect, source);
    if (!player.Ok())
        return 0;
    return EnumEnhMetaFileRecords(metafile, [&](std::vector<BYTE>& record) { return proc(player, record); });
}
