// The outline of a picture block, by kind: bitmaps are traced on their own
// pixels, metafiles on a rendering of at most 500 pixels a side whose
// near-white background touching the border is made transparent.
#include "render/HotZoneTrace.h"

#include "document/GraphicExtent.h"
#include "geometry/PointRuns.h"
#include "graphics/BitmapHelpers.h"
#include "graphics/MetafileHelpers.h"
#include "graphics/MetafilePlay.h"
#include "platform/CPainterDC.h"
#include "platform/GdiObjects.h"
#include "platform/metafile/CEmfPlayer.h"
#include "platform/metafile/MetaFileHandles.h"
#include "render/ArgbBitmaps.h"
#include "render/PictureColours.h"

#include <vector>

namespace {

constexpr int kMaxTraceSide = 500;
constexpr COLORREF kTraceBackground = RGB(255, 255, 252);
constexpr int kHotZoneSpace = 2048;

int16_t ReadHeaderI16(const BYTE* p)
{
    return int16_t(p[0] | (p[1] << 8));
}

// Plays a placeable WMF (kind 2) or an EMF (kind 3) into rect.
bool PlayPicture(CDC& dc, HGLOBAL picture, int kind, const RECT& rect)
{
    if (kind == 3) {
        CGlobalLock lock(picture);
        if (!lock.data())
            return false;
        HENHMETAFILE emf = SetEnhMetaFileBits(UINT(lock.size()), lock.data());
        if (!emf)
            return false;
        const bool ok = PlayEnhMetaFile(&dc, emf, &rect);
        DeleteEnhMetaFile(emf);
        return ok;
    }
    RECT box{};
    {
        CGlobalLock lock(picture);
        if (!lock.data() || lock.size() < 22)
            return false;
        box = RECT{ReadHeaderI16(lock.data() + 6), ReadHeaderI16(lock.data() + 8), ReadHeaderI16(lock.data() + 10),
                   ReadHeaderI16(lock.data() + 12)};
    }
    HMETAFILE wmf = MetafileFromAPMGlobal(picture);
    if (!wmf)
        return false;
    const bool ok = PlayMetafileInRect(&dc, wmf, rect, box);
    DeleteMetaFile(wmf);
    return ok;
}

// The picture rendered on the near-white background, that background made
// transparent where it touches the border.
std::unique_ptr<QImage> RenderMetafileForTrace(HGLOBAL picture, int kind)
{
    int w = 0, h = 0;
    if (!GetGraphicExtent(picture, kind, &w, &h) || w <= 0 || h <= 0)
        return nullptr;
    ScaleToTraceSize(w, h);
    if (w <= 0 || h <= 0)
        return nullptr;
    QImage canvas(w, h, QImage::Format_RGB32);
    canvas.fill(QColor(GetRValue(kTraceBackground), GetGValue(kTraceBackground),
                       GetBValue(kTraceBackground)));
    {
        CPainterDC dc(&canvas);
        if (!PlayPicture(dc, picture, kind, RECT{0, 0, w - 1, h - 1}))
            return nullptr;
    }
    auto bitmap = std::make_unique<QImage>(canvas.convertToFormat(QImage::Format_ARGB32));
    FloodFillBorderColorImage(*bitmap, kTraceBackground, kTransparentKey);
    MakeColorTransparent(*bitmap, 0, kTransparentKey);
    return bitmap;
}

} // namespace

void ScaleToTraceSize(int& w, int& h)
{
    if (w <= kMaxTraceSide && h <= kMaxTraceSide)
        return;
    if (h < w) {
        h = int(qint64(h) * kMaxTraceSide / w);
        w = kMaxTraceSide;
    } else {
        w = int(qint64(w) * kMaxTraceSide / h);
        h = kMaxTraceSide;
    }
}

void GetHotZoneFromGraphic(HGLOBAL picture, int kind, int* count, POINT* pts)
{
    if (!count)
        return;
    *count = 0;
    if (!picture || !pts)
        return;
    int n = 0, width = 0, height = 0;
    bool traced = false;
    if (kind == 9) {
        if (const std::unique_ptr<QImage> argb = ARGBBlockToBitmap(picture)) {
            traced = GPTraceBitmapOutline(argb.get(), kMaxTracePts, pts, n, true);
            width = argb->width();
            height = argb->height();
        }
    } else if (kind == 1) {
        if (const std::unique_ptr<CBitmap> bitmap = DIBToBitmap(picture)) {
            traced = TraceBitmapOutline(bitmap.get(), kTransparentKey, kMaxTracePts, pts, n, true);
            width = bitmap->Image().width();
            height = bitmap->Image().height();
        }
    } else if (kind == 2 || kind == 3) {
        if (const std::unique_ptr<QImage> argb = RenderMetafileForTrace(picture, kind)) {
            traced = GPTraceBitmapOutline(argb.get(), kMaxTracePts, pts, n, true);
            width = argb->width();
            height = argb->height();
        }
    }
    if (!traced || n < 4)
        return;
    // The sweep closes the polygon; a reduction may have opened it again.
    if (!ClosePolygonPts(n, pts, kMaxTracePts))
        return;  // would need more points than a hot zone holds
    const RECT from{0, 0, width, height};
    const RECT to{0, 0, kHotZoneSpace, kHotZoneSpace};
    MapPtsBetweenRects(n, pts, kMaxTracePts, &from, &to);
    *count = n;
}
