// CPainterDC: block transfers, pixels and flood fill.
#include "platform/GdiRounding.h"
#include "platform/PackedDib.h"
#include "platform/PainterDCImpl.h"

#include <cmath>

namespace {

unsigned RopIndex(DWORD rop)
{
    return (rop >> 16) & 0xFF;
}
bool RopUsesSource(DWORD rop)
{
    const unsigned i = RopIndex(rop);
    return ((i >> 2) & 0x33) != (i & 0x33);
}
bool RopUsesPattern(DWORD rop)
{
    const unsigned i = RopIndex(rop);
    return ((i >> 4) & 0x0F) != (i & 0x0F);
}

} // namespace

QImage CPainterDC::Impl::PatternLayer(const QRect& area, const CBrush* brush) const
{
    QImage layer(area.size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(0);
    if (BrushIsNull(brush))
        return layer;
    QPainter lp(&layer);
    lp.translate(-area.topLeft());
    if (HatchNeedsBackground(brush))
        lp.fillRect(area, QColorFromRef(m_dc.GetBkColor()));
    lp.fillRect(area, Brush(brush));
    return layer;
}

// An opaque colour source lying wholly within its bitmap, copied: drawn
// straight onto the target, as the general way's intermediate would hold it.
bool CPainterDC::Impl::CopyScaled(const QRect& dst, bool mirrorX, bool mirrorY, const QImage& src,
                                  const QRect& srcRect)
{
    QPainter* p = Painter();
    if (!p)
        return false;
    // An opaque source sampled at whole pixels covers what it lands on, so
    // blending is copying; smoothing keeps the explicit copy mode.
    const bool smooth = m_dc.GetStretchBltMode() == HALFTONE;
    if (smooth) {
        p->setCompositionMode(QPainter::CompositionMode_Source);
        p->setRenderHint(QPainter::SmoothPixmapTransform, true);
    }
    if (mirrorX || mirrorY) {
        p->translate(mirrorX ? dst.left() + dst.right() + 1 : 0, mirrorY ? dst.top() + dst.bottom() + 1 : 0);
        p->scale(mirrorX ? -1 : 1, mirrorY ? -1 : 1);
    }
    if (dst.size() == srcRect.size() && !mirrorX && !mirrorY)
        p->drawImage(dst.topLeft(), src, srcRect);
    else
        p->drawImage(QRectF(dst), src, QRectF(srcRect));
    if (mirrorX || mirrorY)
        p->resetTransform();
    if (smooth) {
        p->setRenderHint(QPainter::SmoothPixmapTransform, false);
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    return true;
}

bool CPainterDC::Impl::Blit(const QRect& dst, bool mirrorX, bool mirrorY, const QImage& src,
                            const QRect& srcRect, DWORD rop, bool srcMono, COLORREF srcBk)
{
    if (dst.isEmpty())
        return true;
    const bool useSrc = RopUsesSource(rop);
    if (useSrc && (src.isNull() || srcRect.isEmpty()))
        return false;
    QImage* img = Image();
    if (!img) {
        // Paged devices have no raster operations: sources are copied, patterns painted.
        QPainter* p = Painter();
        if (!p)
            return false;
        if (useSrc) {
            p->save();
            p->setRenderHint(QPainter::SmoothPixmapTransform, m_dc.GetStretchBltMode() == HALFTONE);
            p->translate(mirrorX ? dst.left() + dst.right() + 1 : 0, mirrorY ? dst.top() + dst.bottom() + 1 : 0);
            p->scale(mirrorX ? -1 : 1, mirrorY ? -1 : 1);
            p->drawImage(QRectF(dst), src, QRectF(srcRect));
            p->restore();
        } else if (RopUsesPattern(rop)) {
            p->fillRect(dst, Brush());
        }
        return true;
    }
    // Only the part of the destination on the image is computed, so a huge
    // stretch costs no more than the image.
    const QRect area = dst.intersected(WritableRect(*img));
    if (area.isEmpty())
        return true;
    const CBitmap* destBitmap = m_dc.GetCurrentBitmap();
    const bool dstMono = destBitmap && destBitmap->IsMonochrome();
    if (rop == SRCCOPY && !srcMono && !dstMono && src.format() == QImage::Format_RGB32
        && src.rect().contains(srcRect))
        return CopyScaled(dst, mirrorX, mirrorY, src, srcRect);
    QImage piece;
    if (useSrc) {
        // The source scaled (and mirrored) onto the visible area; parts of the
        // source rectangle outside its bitmap read as black, as in GDI.
        piece = QImage(area.size(), QImage::Format_RGB32);
        piece.fill(0xFF000000u);
        {
            QPainter pp(&piece);
            pp.setCompositionMode(QPainter::CompositionMode_Source);
            pp.setRenderHint(QPainter::SmoothPixmapTransform, m_dc.GetStretchBltMode() == HALFTONE);
            pp.translate(-area.left(), -area.top());
            pp.translate(mirrorX ? dst.left() + dst.right() + 1 : 0, mirrorY ? dst.top() + dst.bottom() + 1 : 0);
            pp.scale(mirrorX ? -1 : 1, mirrorY ? -1 : 1);
            pp.drawImage(QRectF(dst), src, QRectF(srcRect));
        }
        if (srcMono && !dstMono) {
            // One-bit sources: white takes the background colour, black the text colour.
            const QRgb fg = RgbFromRef(m_dc.GetTextColor()), bg = RgbFromRef(m_dc.GetBkColor());
            for (int y = 0; y < piece.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(piece.scanLine(y));
                for (int x = 0; x < piece.width(); ++x)
                    line[x] = (line[x] & 0xFFFFFF) ? bg : fg;
            }
        } else if (dstMono && !srcMono) {
            // To one bit: the source's background colour becomes white, all else black.
            const QRgb key = RgbFromRef(srcBk) & 0xFFFFFF;
            for (int y = 0; y < piece.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(piece.scanLine(y));
                for (int x = 0; x < piece.width(); ++x)
                    line[x] = (line[x] & 0xFFFFFF) == key ? 0xFFFFFFFFu : 0xFF000000u;
            }
        }
    }
    if (rop == SRCCOPY) {
        QPainter* p = Painter();
        if (!p)
            return false;
        p->setCompositionMode(QPainter::CompositionMode_Source);
        p->drawImage(area.topLeft(), piece);
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        return true;
    }
    QImage pattern;
    if (RopUsesPattern(rop))
        pattern = PatternLayer(area);
    const CDCState& s = m_dc.State();
    const QRegion visible = s.hasClip ? s.clip.intersected(area) : QRegion(area);
    for (const QRect& r : visible) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            auto* d = reinterpret_cast<QRgb*>(img->scanLine(y));
            const QRgb* sl = useSrc ? reinterpret_cast<const QRgb*>(piece.constScanLine(y - area.top())) : nullptr;
            const QRgb* pl = pattern.isNull() ? nullptr
                                              : reinterpret_cast<const QRgb*>(pattern.constScanLine(y - area.top()));
            for (int x = r.left(); x <= r.right(); ++x) {
                const DWORD sv = sl ? (sl[x - area.left()] & 0xFFFFFF) : 0;
                DWORD pv = 0;
                if (pl) {
                    const QRgb pc = pl[x - area.left()];
                    if (qAlpha(pc) == 0)
                        continue;   // a transparent hatch leaves the pixel alone
                    pv = pc & 0xFFFFFF;
                }
                d[x] = 0xFF000000u | (ApplyRop3(rop, sv, pv, d[x] & 0xFFFFFF) & 0xFFFFFF);
            }
        }
    }
    return true;
}

namespace {
// A logical rectangle given as origin and size mapped to device pixels; the
// flags tell whether the mapped size changed sign (mirroring).
QRect DevBox(const CDC& dc, int x, int y, int w, int h, bool& flipX, bool& flipY)
{
    POINT pts[2] = {{x, y}, {ClampToInt(qint64(x) + w), ClampToInt(qint64(y) + h)}};
    dc.LPtoDP(pts, 2);
    flipX = (pts[1].x < pts[0].x);
    flipY = (pts[1].y < pts[0].y);
    return QRect(QPoint(std::min(pts[0].x, pts[1].x), std::min(pts[0].y, pts[1].y)),
                 QPoint(std::max(pts[0].x, pts[1].x) - 1, std::max(pts[0].y, pts[1].y) - 1));
}
} // namespace

bool CPainterDC::PatBlt(int x, int y, int width, int height, DWORD rop)
{
    if (RopUsesSource(rop))
        return false;
    bool fx, fy;
    const QRect dst = DevBox(*this, x, y, width, height, fx, fy);
    return m_impl->Blit(dst, false, false, QImage(), QRect(), rop, false, 0);
}

bool CPainterDC::BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc,
                        DWORD rop)
{
    if (!RopUsesSource(rop))
        return PatBlt(x, y, width, height, rop);
    if (!src)
        return false;
    // The source extent is the destination's size in the source's logical units.
    bool fx, fy;
    const QRect dst = DevBox(*this, x, y, width, height, fx, fy);
    SIZE sz{dst.width(), dst.height()};
    src->DPtoLP(&sz);
    return StretchBlt(x, y, width, height, src, xSrc, ySrc, (width < 0 ? -1 : 1) * sz.cx,
                      (height < 0 ? -1 : 1) * sz.cy, rop);
}

bool CPainterDC::StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc,
                            int srcWidth, int srcHeight, DWORD rop)
{
    if (!RopUsesSource(rop))
        return PatBlt(x, y, width, height, rop);
    if (!src)
        return false;
    src->Flush();
    QImage* srcImage = src->GetImageSurface();
    if (!srcImage)
        return false;
    bool fx, fy, sfx, sfy;
    const QRect dst = DevBox(*this, x, y, width, height, fx, fy);
    const QRect srcRect = DevBox(*src, xSrc, ySrc, srcWidth, srcHeight, sfx, sfy);
    const CBitmap* sb = src->GetCurrentBitmap();
    // Flush our own painter when reading from ourselves.
    if (src == this)
        Flush();
    const QImage source = (src == this) ? srcImage->copy() : *srcImage;
    return m_impl->Blit(dst, fx != sfx, fy != sfy, source, srcRect, rop, sb && sb->IsMonochrome(),
                        src->GetBkColor());
}

int CPainterDC::StretchDIBits(int x, int y, int width, int height, int xSrc, int ySrc,
                              int srcWidth, int srcHeight, const void* bits,
                              const BITMAPINFO* info, UINT usage, DWORD rop)
{
    if (!info || !bits || usage != DIB_RGB_COLORS)
        return 0;
    // The caller vouches for the header and bits (a metafile player checks them
    // against its record first); their sizes follow from the header.
    const size_t infoSize = DibInfoSize(info->bmiHeader);
    const size_t bitsSize = DibBitsSize(info->bmiHeader);
    if (infoSize == 0 || bitsSize == 0)
        return 0;
    const QImage image = DibToImage(info, infoSize, bits, bitsSize);
    if (image.isNull())
        return 0;
    // DIB source coordinates count rows from the bottom for a bottom-up DIB.
    const bool bottomUp = info->bmiHeader.biHeight > 0;
    const int top = bottomUp ? image.height() - ySrc - srcHeight : ySrc;
    QRect srcRect(xSrc, top, srcWidth, srcHeight);
    bool flipSrcX = srcWidth < 0, flipSrcY = srcHeight < 0;
    srcRect = srcRect.normalized();
    bool fx, fy;
    const QRect dst = DevBox(*this, x, y, width, height, fx, fy);
    if (!m_impl->Blit(dst, fx != flipSrcX, fy != flipSrcY, image, srcRect, rop, false, GetBkColor()))
        return 0;
    return std::abs(srcHeight);
}

bool CPainterDC::AlphaBlend(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc,
                            int srcWidth, int srcHeight, BLENDFUNCTION blend)
{
    if (!src || width < 0 || height < 0 || srcWidth < 0 || srcHeight < 0)
        return false;
    src->Flush();
    const QImage* srcImage = src->GetImageSurface();
    if (!srcImage)
        return false;
    bool fx, fy, sfx, sfy;
    const QRect dst = DevBox(*this, x, y, width, height, fx, fy);
    const QRect srcRect = DevBox(*src, xSrc, ySrc, srcWidth, srcHeight, sfx, sfy);
    // Only the part of the source rectangle on the source image is copied, and
    // drawn where it lands in the destination.
    const QRect inside = srcRect.intersected(srcImage->rect());
    if (inside.isEmpty() || srcRect.isEmpty())
        return true;
    const double scaleX = double(dst.width()) / srcRect.width();
    const double scaleY = double(dst.height()) / srcRect.height();
    const QRectF target(dst.left() + (inside.left() - srcRect.left()) * scaleX,
                        dst.top() + (inside.top() - srcRect.top()) * scaleY, inside.width() * scaleX,
                        inside.height() * scaleY);
    // Per-pixel alpha only when asked for: otherwise the source counts as opaque.
    QImage piece = srcImage->copy(inside);
    piece = (blend.AlphaFormat & AC_SRC_ALPHA)
                ? piece.convertToFormat(QImage::Format_ARGB32_Premultiplied)
                : piece.convertToFormat(QImage::Format_RGB32);
    QPainter* p = m_impl->Painter();
    if (!p)
        return false;
    p->save();
    p->setOpacity(blend.SourceConstantAlpha / 255.0);
    p->setRenderHint(QPainter::SmoothPixmapTransform, true);
    p->drawImage(target, piece);
    p->restore();
    return true;
}

COLORREF CPainterDC::SetPixel(int x, int y, COLORREF color)
{
    const QPoint d = m_impl->ToDev(x, y);
    QImage* img = m_impl->Image();
    if (!img) {
        if (QPainter* p = m_impl->Painter()) {
            p->fillRect(QRect(d, QSize(1, 1)), QColorFromRef(color));
            return color & 0xFFFFFF;
        }
        return CLR_INVALID;
    }
    if (!m_impl->Visible(d.x(), d.y()))
        return CLR_INVALID;
    auto* px = reinterpret_cast<QRgb*>(img->scanLine(d.y())) + d.x();
    *px = 0xFF000000u | RgbFromRef(color);
    return color & 0xFFFFFF;
}

COLORREF CPainterDC::GetPixel(int x, int y) const
{
    const QPoint d = m_impl->ToDev(x, y);
    const QImage* img = m_impl->Image();
    if (!img || !WritableRect(*img).contains(d))
        return CLR_INVALID;
    const CDCState& s = State();
    if (s.hasClip && !s.clip.contains(d))
        return CLR_INVALID;
    const QRgb c = reinterpret_cast<const QRgb*>(img->constScanLine(d.y()))[d.x()];
    return RefFromRgb(c);
}

bool CPainterDC::ExtFloodFill(int x, int y, COLORREF color, UINT fillType)
{
    QImage* img = m_impl->Image();
    const QPoint start = m_impl->ToDev(x, y);
    if (!img || !m_impl->Visible(start.x(), start.y()))
        return false;
    const int w = img->width(), h = img->height();
    const DWORD key = RgbFromRef(color) & 0xFFFFFF;
    auto pixel = [&](int px, int py) { return reinterpret_cast<const QRgb*>(img->constScanLine(py))[px] & 0xFFFFFF; };
    auto fillable = [&](int px, int py) {
        const DWORD c = pixel(px, py);
        return fillType == FLOODFILLSURFACE ? c == key : c != key;
    };
    if (!fillable(start.x(), start.y()))
        return false;
    std::vector<bool> mask(size_t(w) * size_t(h), false);
    std::vector<QPoint> stack{start};
    QRect box(start, QSize(1, 1));
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        const size_t i = size_t(p.y()) * size_t(w) + size_t(p.x());
        if (mask[i] || !m_impl->Visible(p.x(), p.y()) || !fillable(p.x(), p.y()))
            continue;
        mask[i] = true;
        box |= QRect(p, QSize(1, 1));
        if (p.x() > 0) stack.emplace_back(p.x() - 1, p.y());
        if (p.x() + 1 < w) stack.emplace_back(p.x() + 1, p.y());
        if (p.y() > 0) stack.emplace_back(p.x(), p.y() - 1);
        if (p.y() + 1 < h) stack.emplace_back(p.x(), p.y() + 1);
    }
    Flush();
    const QImage layer = m_impl->PatternLayer(box);
    for (int py = box.top(); py <= box.bottom(); ++py) {
        auto* d = reinterpret_cast<QRgb*>(img->scanLine(py));
        const auto* l = reinterpret_cast<const QRgb*>(layer.constScanLine(py - box.top()));
        for (int px = box.left(); px <= box.right(); ++px)
            if (mask[size_t(py) * size_t(w) + size_t(px)] && qAlpha(l[px - box.left()]))
                d[px] = 0xFF000000u | (l[px - box.left()] & 0xFFFFFF);
    }
    return true;
}
