// Feeds arbitrary bytes to picture import: the bytes are written to a file and
// loaded as each format the program imports, through the image library and the
// DIB-block entry point. Nothing may be decoded that the file cannot hold.
#include "graphics/ImageLibrary.h"
#include "platform/GlobalMem.h"
#include "FuzzScratch.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>

namespace {
const QString& InputPath()
{
    static const QString path = [] {
        ImageLibraryInitialise();
        return FuzzScratchPath("kavo-image-fuzz");
    }();
    return path;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString& path = InputPath();
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    for (int format : {IMAGE_FORMAT_BMP, IMAGE_FORMAT_PNG, IMAGE_FORMAT_GIF, IMAGE_FORMAT_PCX, IMAGE_FORMAT_JPEG,
                       IMAGE_FORMAT_TIFF}) {
        bool has = false;
        COLORREF key = 0;
        const QImage img = ImageLibraryLoad(format, path, &has, &key);
        if (!img.isNull() && !ImageDecodeAcceptable(img.width(), img.height(), qint64(size), -1))
            __builtin_trap(); // more pixels than the file could describe
    }
    int has = 0;
    COLORREF key = 0;
    if (HGLOBAL dib = LoadImageFile(IMAGE_FORMAT_BMP, path, &has, &key))
        GlobalFree(dib);
    QFile::remove(path);
    return 0;
}
