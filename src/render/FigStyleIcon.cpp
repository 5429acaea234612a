#include "render/FigStyleIcon.h"

#include "core/Settings.h"
#include "document/CKavoDoc.h"
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "render/PreviewSample.h"
#include "render/StyleSample.h"
#include "shapes/CFigStyle.h"

#include <algorithm>
#include <unordered_map>

namespace {

int IndexOfStyle(const CKavoDoc& doc, const CFigStyle* style)
{
    for (int i = 0; i < doc.m_figStyles.GetCount(); ++i)
        if (doc.m_figStyles.GetAt(i) == style)
            return i;
    return -1;
}

QImage RenderOn(QRgb background, int index, CKavoDoc* doc, const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(background);
    CPainterDC dc(&image);
    CGraphics graphics(&dc);
    graphics.SetSmoothingMode(GpSmoothingMode::AntiAlias);
    DrawFigStyleSampleGdip(&graphics, index, doc, CRect(0, 0, size.width(), size.height()), StyleSampleArgs{});
    dc.Flush();
    return image;
}

} // namespace

const QImage* FigStyleIconCache::Find(int width, int height, int key) const
{
    for (const Entry& e : m_entries)
        if (e.width == width && e.height == height && e.key == key)
            return &e.image;
    return nullptr;
}

const QImage& FigStyleIconCache::Store(int width, int height, int key, QImage image)
{
    if (m_entries.size() >= kMaxEntries)
        m_entries.erase(m_entries.begin());
    m_entries.push_back(Entry{width, height, key, std::move(image)});
    return m_entries.back().image;
}

QImage AlphaCorrectFromPair(const QImage& onWhiteIn, const QImage& onBlackIn)
{
    if (onWhiteIn.size() != onBlackIn.size() || onWhiteIn.isNull())
        return QImage();
    const QImage white = onWhiteIn.convertToFormat(QImage::Format_RGB32);
    const QImage black = onBlackIn.convertToFormat(QImage::Format_RGB32);
    QImage out(white.size(), QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        const auto* w = reinterpret_cast<const QRgb*>(white.constScanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(black.constScanLine(y));
        auto* o = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            // Over white a pixel of alpha a and colour c shows c a + 255 (1 - a),
            // over black c a: the difference is 255 (1 - a) in every channel.
            const int diff = std::max({qRed(w[x]) - qRed(b[x]), qGreen(w[x]) - qGreen(b[x]),
                                       qBlue(w[x]) - qBlue(b[x]), 0});
            const int alpha = 255 - std::min(diff, 255);
            if (alpha == 0) {
                o[x] = 0;
                continue;
            }
            auto un = [alpha](int c) { return std::min(255, (c * 255 + alpha / 2) / alpha); };
            o[x] = qRgba(un(qRed(b[x])), un(qGreen(b[x])), un(qBlue(b[x])), alpha);
        }
    }
    return out;
}

namespace {

// Keyed by the style's address; an entry is checked against the style's
// stamp and picture before use, so a style made later at the same address
// never shows another's samples.
std::unordered_map<const CFigStyle*, FigStyleIconCache>& IconCaches()
{
    static std::unordered_map<const CFigStyle*, FigStyleIconCache> caches;
    return caches;
}

} // namespace

FigStyleIconCache* FindFigStyleIconCache(const CFigStyle& style)
{
    auto it = IconCaches().find(&style);
    return it == IconCaches().end() ? nullptr : &it->second;
}

void DrawFigStyleIcon(const CFigStyle& style, CKavoDoc* doc, CGraphics* graphics, const RECT& rectIn, bool smooth,
                      int cacheKey)
{
    if (!doc || !graphics)
        return;
    const int index = IndexOfStyle(*doc, &style);
    const CRect rect(rectIn);
    if (index < 0 || rect.IsRectEmpty())
        return;
    if (!smooth || !DisplayQuality || !style.m_props.HasGraphic()) {
        DrawFigStyleSampleGdip(graphics, index, doc, rect, StyleSampleArgs{});
        return;
    }
    FigStyleIconCache& cache = IconCaches()[&style];
    const uint32_t stamp = (style.Label ? doc->m_lblStyleStamp : doc->m_figStyleStamp).Get();
    if (cache.m_nStamp != stamp || cache.m_pPicture != style.m_props.Graphic) {
        cache.Clear();
        cache.m_nStamp = stamp;
        cache.m_pPicture = style.m_props.Graphic;
    }
    const QImage* icon = cache.Find(rect.Width(), rect.Height(), cacheKey);
    if (!icon) {
        const QSize size(rect.Width(), rect.Height());
        QImage made =
            AlphaCorrectFromPair(RenderOn(0xFFFFFFFFu, index, doc, size), RenderOn(0xFF000000u, index, doc, size));
        icon = &cache.Store(rect.Width(), rect.Height(), cacheKey, std::move(made));
    }
    graphics->DrawImage(*icon, QRectF(rect.left, rect.top, rect.Width(), rect.Height()));
}
