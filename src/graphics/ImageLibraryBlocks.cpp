// The image library's entry points on DIB blocks (kept apart from
// ImageLibrary.cpp, which cannot see the platform's DIB records).
#include "graphics/BitmapHelpers.h"
#include "graphics/ImageLibrary.h"

// ---- Image library entry points on DIB blocks ----

bool SaveImageFile(int format, HGLOBAL dib, const QString& file, int flags, const COLORREF* transparentKey)
{
    const std::unique_ptr<CBitmap> bitmap = DIBToBitmap(dib);
    if (!bitmap)
        return false;
    return ImageLibrarySave(format, bitmap->Image(), file, flags, transparentKey);
}

HGLOBAL LoadImageFile(int format, const QString& file, int* hasTransparent, COLORREF* transparent)
{
    bool has = false;
    COLORREF key = 0;
    const QImage image = ImageLibraryLoad(format, file, &has, &key);
    if (hasTransparent)
        *hasTransparent = has ? 1 : 0;
    if (has && transparent)
        *transparent = key;
    if (image.isNull())
        return nullptr;
    CBitmap bitmap;
    if (!bitmap.Attach(image))
        return nullptr;
    return BitmapToDIB(&bitmap, 24, true);
}
