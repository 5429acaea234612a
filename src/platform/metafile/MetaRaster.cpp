#include "platform/metafile/MetaRaster.h"

#include "platform/CPainterDC.h"
#include "platform/metafile/CEmfPlayer.h"
#include "platform/metafile/CWmfPlayer.h"

#include <functional>

namespace {
// Larger than this the picture is not drawn (a cache or tracing image never is).
constexpr qint64 kMaxPixels = qint64(8192) * 8192;

QImage Rasterise(QSize size, QColor background, int supersample, const std::function<bool(CDC&, QSize)>& play)
{
    supersample = std::clamp(supersample, 1, 4);
    const QSize big = size * supersample;
    if (size.isEmpty() || qint64(big.width()) * big.height() > kMaxPixels)
        return {};
    QImage image(big, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.fill(background);
    {
        CPainterDC dc(&image);
        if (!play(dc, big))
            return {};
        dc.Flush();
    }
    if (supersample == 1)
        return image;
    return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
}  // namespace

QImage RasteriseEnhMetafile(HENHMETAFILE metafile, QSize size, QColor background, int supersample,
                            EmfPlaySource source)
{
    if (!metafile)
        return {};
    return Rasterise(size, background, supersample, [&](CDC& dc, QSize big) {
        const RECT dest{0, 0, big.width(), big.height()};
        return source == EmfPlaySource::Bounds ? PlayEnhMetaFileBounds(&dc, metafile, &dest)
                                               : PlayEnhMetaFile(&dc, metafile, &dest);
    });
}

QImage RasteriseMetafile(HMETAFILE metafile, const RECT& box, QSize size, QColor background, int supersample)
{
    if (!metafile || box.right == box.left || box.bottom == box.top)
        return {};
    return Rasterise(size, background, supersample, [&](CDC& dc, QSize big) {
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowOrg(box.left, box.top);
        dc.SetWindowExt(box.right - box.left, box.bottom - box.top);
        dc.SetViewportExt(big.width(), big.height());
        return PlayMetaFile(&dc, metafile);
    });
}
