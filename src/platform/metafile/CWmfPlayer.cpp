#include "platform/metafile/CWmfPlayer.h"

#include "platform/PackedDib.h"
#include "platform/metafile/WmfParams.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr size_t kMaxWmfObjects = 65535;
}  // namespace

CWmfPlayer::CWmfPlayer(CDC* dc, HMETAFILE metafile) : m_dc(dc)
{
    WmfHeaderInfo info;
    if (!dc || !GetMetaFileInfo(metafile, info))
        return;
    m_objects.resize(std::min<size_t>(info.numObjects, kMaxWmfObjects));
    CRgn clip;
    m_hadClip = dc->GetClipRgn(&clip) > 0;
    if (m_hadClip)
        m_initialClip = clip.Region();
    m_baseDepth = dc->SaveDC();
    m_ok = true;
}

CWmfPlayer::~CWmfPlayer()
{
    if (m_ok)
        m_dc->RestoreDC(m_baseDepth);
}

void CWmfPlayer::AddObject(std::unique_ptr<CGdiObject> object)
{
    // A metafile object goes into the lowest free slot of its table; a table
    // stated too small grows up to the 16-bit limit.
    for (auto& slot : m_objects) {
        if (!slot) {
            slot = std::move(object);
            return;
        }
    }
    if (m_objects.size() < kMaxWmfObjects)
        m_objects.push_back(std::move(object));
}

bool CWmfPlayer::PlayRecord(MetaBytes record)
{
    if (!m_ok || record.size() < WMF_RECORD_MIN_BYTES)
        return false;
    const WORD function = LoadLE16(record.data() + 4);
    if (function == META_EOF)
        return true;
    CWmfParams p(record);
    return PlayMapping(function, p) || PlayMode(function, p) || PlayObject(function, p) || PlayShape(function, p) ||
           PlayText(function, p) || PlayBitmap(function, p) || PlayRegionRecord(function, p);
}

bool CWmfPlayer::PlayMapping(WORD function, CWmfParams& p)
{
    switch (function) {
    case META_SETMAPMODE: return p.Has(0) && m_dc->SetMapMode(p.S(0));
    case META_SETWINDOWORG: return p.Has(0, 2) && (m_dc->SetWindowOrg(p.S(1), p.S(0)), true);
    case META_SETWINDOWEXT: return p.Has(0, 2) && (m_dc->SetWindowExt(p.S(1), p.S(0)), true);
    case META_SETVIEWPORTORG: return p.Has(0, 2) && (m_dc->SetViewportOrg(p.S(1), p.S(0)), true);
    case META_SETVIEWPORTEXT: return p.Has(0, 2) && (m_dc->SetViewportExt(p.S(1), p.S(0)), true);
    case META_OFFSETWINDOWORG: return p.Has(0, 2) && (m_dc->OffsetWindowOrg(p.S(1), p.S(0)), true);
    case META_OFFSETVIEWPORTORG: return p.Has(0, 2) && (m_dc->OffsetViewportOrg(p.S(1), p.S(0)), true);
    case META_SCALEWINDOWEXT: return p.Has(0, 4) && (m_dc->ScaleWindowExt(p.S(3), p.S(2), p.S(1), p.S(0)), true);
    case META_SCALEVIEWPORTEXT:
        return p.Has(0, 4) && (m_dc->ScaleViewportExt(p.S(3), p.S(2), p.S(1), p.S(0)), true);
    case META_SAVEDC:
        m_dc->SaveDC();
        ++m_depth;
        return true;
    case META_RESTOREDC: {
        const int rel = p.S(0);
        // Only the metafile's own saves can be restored.
        if (!p.Has(0) || rel >= 0 || -rel > m_depth)
            return false;
        m_depth += rel;
        return m_dc->RestoreDC(m_baseDepth + m_depth + 1);
    }
    case META_INTERSECTCLIPRECT:
        return p.Has(0, 4) && m_dc->IntersectClipRect(p.S(3), p.S(2), p.S(1), p.S(0)) != RGN_ERROR;
    case META_EXCLUDECLIPRECT:
        return p.Has(0, 4) && m_dc->ExcludeClipRect(p.S(3), p.S(2), p.S(1), p.S(0)) != RGN_ERROR;
    case META_OFFSETCLIPRGN: return p.Has(0, 2) && m_dc->OffsetClipRgn(p.S(1), p.S(0)) != RGN_ERROR;
    default: return false;
    }
}

bool CWmfPlayer::PlayMode(WORD function, CWmfParams& p)
{
    if (!p.Has(0))
        return false;
    switch (function) {
    case META_SETBKMODE: m_dc->SetBkMode(p.S(0)); return true;
    case META_SETROP2: m_dc->SetROP2(p.S(0)); return true;
    case META_SETPOLYFILLMODE: m_dc->SetPolyFillMode(p.S(0)); return true;
    case META_SETSTRETCHBLTMODE: m_dc->SetStretchBltMode(p.S(0)); return true;
    case META_SETTEXTALIGN: m_dc->SetTextAlign(p.U(0)); return true;
    case META_SETBKCOLOR: return p.Has(0, 2) && (m_dc->SetBkColor(p.Colour(0)), true);
    case META_SETTEXTCOLOR: return p.Has(0, 2) && (m_dc->SetTextColor(p.Colour(0)), true);
    default: return false;
    }
}

// A region object: a 22-byte header (the scan count at byte 12), then scans of
// a point count, top, bottom, that many x values (left/right pairs) and the
// count again. The rectangles are logical units, mapped to device units now.
// A region that does not hold together is an empty, uncreated region: it keeps
// its slot but selecting it changes nothing.
std::unique_ptr<CRgn> CWmfPlayer::ReadRegion(CWmfParams& p) const
{
    auto region = std::make_unique<CRgn>();
    const size_t scans = p.U(5);
    size_t at = 11;
    QRegion area;
    for (size_t i = 0; i < scans; ++i) {
        const size_t count = p.U(at);
        if (!p.Has(at, 4 + count) || count % 2 != 0)
            return region;
        const int top = p.S(at + 1), bottom = p.S(at + 2);
        for (size_t k = 0; k < count; k += 2) {
            POINT corners[2] = {{p.S(at + 3 + k), top}, {p.S(at + 4 + k), bottom}};
            m_dc->LPtoDP(corners, 2);
            area += QRect(QPoint(corners[0].x, corners[0].y), QPoint(corners[1].x - 1, corners[1].y - 1)).normalized();
        }
        at += 4 + count;
    }
    region->CreateRectRgn(0, 0, 0, 0);
    region->SetRegion(area);
    return region;
}

bool CWmfPlayer::PlayRegionRecord(WORD function, CWmfParams& p)
{
    auto objectAt = [&](size_t i) -> CGdiObject* {
        const size_t index = p.U(i);
        return p.Has(i) && index < m_objects.size() ? m_objects[index].get() : nullptr;
    };
    auto* region = dynamic_cast<CRgn*>(objectAt(0));
    if (function == META_SELECTCLIPREGION && p.Has(0) && p.U(0) == 0 && !region) {
        // Object 0 that is no region means "no clip": back to the clip the
        // caller had when play-back began.
        CRgn initial;
        initial.SetRegion(m_initialClip);
        return m_dc->SelectClipRgn(m_hadClip ? &initial : nullptr) != RGN_ERROR;
    }
    if (!region || !region->IsCreated())
        return false;
    switch (function) {
    case META_SELECTCLIPREGION: {
        // The metafile's clip stays within the caller's.
        CRgn within;
        within.SetRegion(m_hadClip ? region->Region() & m_initialClip : region->Region());
        return m_dc->SelectClipRgn(&within) != RGN_ERROR;
    }
    case META_INVERTREGION: return m_dc->InvertRgn(region);
    case META_PAINTREGION: return m_dc->PaintRgn(region);
    case META_FILLREGION:
    case META_FRAMEREGION: {
        auto* brush = dynamic_cast<CBrush*>(objectAt(1));
        if (!brush)
            return false;
        if (function == META_FILLREGION)
            return m_dc->FillRgn(region, brush);
        return p.Has(2, 2) && m_dc->FrameRgn(region, brush, p.S(3), p.S(2));
    }
    default:
        return false;
    }
}

bool CWmfPlayer::PlayObject(WORD function, CWmfParams& p)
{
    switch (function) {
    case META_SELECTOBJECT: {
        const size_t index = p.U(0);
        CGdiObject* obj = p.Has(0) && index < m_objects.size() ? m_objects[index].get() : nullptr;
        if (!obj)
            return false;
        switch (obj->Kind()) {
        case GdiObjectKind::Pen: m_dc->SelectObject(static_cast<CPen*>(obj)); break;
        case GdiObjectKind::Brush: m_dc->SelectObject(static_cast<CBrush*>(obj)); break;
        case GdiObjectKind::Font: m_dc->SelectObject(static_cast<CFont*>(obj)); break;
        case GdiObjectKind::Region:
            if (obj->IsCreated())
                m_dc->SelectClipRgn(static_cast<CRgn*>(obj));
            break;
        default: break;
        }
        return true;
    }
    case META_DELETEOBJECT: {
        const size_t index = p.U(0);
        if (!p.Has(0) || index >= m_objects.size() || !m_objects[index])
            return false;
        m_retired.push_back(std::move(m_objects[index]));
        return true;
    }
    case META_CREATEPENINDIRECT: {
        if (!p.Has(0, 5))
            return false;
        LOGPEN lp;
        lp.lopnStyle = p.U(0);
        lp.lopnWidth = POINT{p.S(1), p.S(2)};
        lp.lopnColor = p.Colour(3);
        auto pen = std::make_unique<CPen>();
        pen->CreatePenIndirect(lp);
        AddObject(std::move(pen));
        return true;
    }
    case META_CREATEBRUSHINDIRECT: {
        if (!p.Has(0, 4))
            return false;
        LOGBRUSH lb;
        lb.lbStyle = p.U(0);
        lb.lbColor = p.Colour(1);
        lb.lbHatch = p.U(3);
        if (lb.lbStyle != BS_SOLID && lb.lbStyle != BS_NULL && lb.lbStyle != BS_HATCHED)
            lb.lbStyle = BS_SOLID;
        auto brush = std::make_unique<CBrush>();
        brush->CreateBrushIndirect(lb);
        AddObject(std::move(brush));
        return true;
    }
    case META_CREATEFONTINDIRECT: {
        if (!p.Has(0, 9))
            return false;
        LOGFONT lf;
        lf.lfHeight = p.S(0), lf.lfWidth = p.S(1), lf.lfEscapement = p.S(2), lf.lfOrientation = p.S(3);
        lf.lfWeight = p.S(4);
        const MetaBytes b = p.BytesFrom(5);
        lf.lfItalic = b[0], lf.lfUnderline = b[1], lf.lfStrikeOut = b[2], lf.lfCharSet = b[3];
        lf.lfOutPrecision = b[4], lf.lfClipPrecision = b[5], lf.lfQuality = b[6], lf.lfPitchAndFamily = b[7];
        size_t i = 0;
        for (; i + 8 < b.size() && i < LF_FACESIZE - 1 && b[8 + i]; ++i)
            lf.lfFaceName[i] = char(b[8 + i]);
        lf.lfFaceName[i] = 0;
        auto font = std::make_unique<CFont>();
        font->CreateFontIndirect(&lf);
        AddObject(std::move(font));
        return true;
    }
    case META_DIBCREATEPATTERNBRUSH: {
        // style, usage, then a packed DIB.
        auto brush = std::make_unique<CBrush>(RGB(128, 128, 128));
        const MetaBytes dib = p.BytesFrom(2);
        const QImage image = p.Has(0, 2) ? DibToImage(dib.data(), dib.size()) : QImage();
        CBitmap bitmap;
        if (!image.isNull() && bitmap.Attach(image))
            brush->CreatePatternBrush(&bitmap);
        AddObject(std::move(brush));
        return true;
    }
    case META_CREATEPALETTE:
    case META_CREATEPATTERNBRUSH:
        // Old-style pattern brushes draw as mid-grey; palettes have no use
        // here. Each still takes its slot so that later indexes stay right.
        AddObject(std::make_unique<CBrush>(RGB(128, 128, 128)));
        return true;
    case META_CREATEREGION:
        AddObject(ReadRegion(p));
        return true;
    default:
        return false;
    }
}
