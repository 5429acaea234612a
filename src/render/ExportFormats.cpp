#include "render/ExportFormats.h"

#include "graphics/BitmapHelpers.h"
#include "platform/GdiObjects.h"

#include <QImageWriter>
#include <QSaveFile>

namespace {

struct ExportRow {
    int type;
    const char* ext;
    int filter;
    const char* filterText;
    const char* otherExts;  // other names the type's files go by
};

// In filter-index order; PCX has no filter.
constexpr ExportRow kRows[] = {
    {EXPORT_WMF, "WMF", 1, "WMF - Windows Metafile|*.wmf|", ""},
    {EXPORT_EMF, "EMF", 2, "EMF - Windows Enhanced Metafile|*.emf|", ""},
    {EXPORT_BMP, "BMP", 3, "BMP - Windows Bitmap|*.BMP|", "DIB"},
    {EXPORT_JPEG, "JPG", 4, "JPG - JPEG Bitmap|*.JPG|", "JPEG;JPE"},
    {EXPORT_PNG, "PNG", 5, "PNG - Portable Network Graphic|*.PNG|", ""},
    {EXPORT_TIFF, "TIF", 6, "TIF - TIFF Bitmap|*.TIF|", "TIFF"},
    {EXPORT_GIF, "GIF", 7, "GIF - Graphics Interchange Format Bitmap|*.GIF|", ""},
};

const ExportRow* RowOfType(int type)
{
    for (const ExportRow& row : kRows)
        if (row.type == type)
            return &row;
    return nullptr;
}

} // namespace

std::string BuildExportFilter()
{
    std::string filter;
    for (const ExportRow& row : kRows)
        filter += row.filterText;
    return filter + "|";
}

int ExportTypeToFilter(int type, std::string* defaultExt)
{
    // Unknown types are written as enhanced metafiles.
    const ExportRow* row = type == EXPORT_PCX ? nullptr : RowOfType(type);
    if (!row && type != EXPORT_PCX)
        row = RowOfType(EXPORT_EMF);
    if (defaultExt)
        *defaultExt = row ? row->ext : "";
    return row ? row->filter : 0;
}

int ExportFilterToType(int filterIndex)
{
    switch (filterIndex) {
    case 1: return EXPORT_WMF;
    case 3: return EXPORT_BMP;
    case 4: return EXPORT_JPEG;
    case 5: return EXPORT_PNG;
    case 6: return EXPORT_TIFF;
    case 7: return EXPORT_GIF;
    default: return EXPORT_EMF;
    }
}

std::string ExportFilterToExt(int filterIndex)
{
    for (const ExportRow& row : kRows)
        if (row.filter == filterIndex)
            return row.ext;
    return "EMF";
}

std::string ExportFilterToExtList(int filterIndex)
{
    for (const ExportRow& row : kRows)
        if (row.filter == filterIndex)
            return *row.otherExts ? std::string(row.ext) + ";" + row.otherExts : std::string(row.ext);
    return "EMF";
}

int ExportTypeToImageFormat(int type)
{
    switch (type) {
    case EXPORT_BMP: return 0;
    case EXPORT_JPEG: return 2;
    case EXPORT_PNG: return 13;
    case EXPORT_GIF: return 25;
    case EXPORT_PCX: return 10;
    default: return 18;
    }
}

std::string GetMimeTypeOfExportType(int type)
{
    switch (type) {
    case EXPORT_BMP: return "image/bmp";
    case EXPORT_JPEG: return "image/jpeg";
    case EXPORT_PNG: return "image/png";
    case EXPORT_GIF: return "image/gif";
    default: return "";
    }
}

int GetEncoderClsid(const std::string& mimeType, QByteArray* encoder)
{
    const QList<QByteArray> mimes = QImageWriter::supportedMimeTypes();
    for (int i = 0; i < mimes.size(); ++i) {
        if (mimes[i].toStdString() != mimeType)
            continue;
        const QList<QByteArray> formats = QImageWriter::imageFormatsForMimeType(mimes[i]);
        if (formats.isEmpty())
            continue;
        if (encoder)
            *encoder = formats.first();
        return i;
    }
    return -1;
}

namespace {
// The PNG writer turns its quality into a deflate level, (100 - q) * 9 / 91:
// 85 gives level 1. Diagram pictures are mostly flat colour, so the fastest
// level costs about 1% in file size and saves about a third of the time a
// large export spends writing.
constexpr int kFastPngQuality = 85;
} // namespace

int SaveBitmapBlockWithEncoder(int type, HGLOBAL bitmapBlock, const QString& path)
{
    const std::unique_ptr<CBitmap> bitmap = DIBToBitmap(bitmapBlock);
    return bitmap ? SaveImageWithEncoder(type, bitmap->Image(), path) : 0;
}

int SaveImageWithEncoder(int type, const QImage& image, const QString& path)
{
    const std::string mime = GetMimeTypeOfExportType(type);
    if (mime.empty() || image.isNull())
        return 0;
    QByteArray format;
    if (GetEncoderClsid(mime, &format) < 0)
        return 0;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return 0;
    QImageWriter writer(&file, format);
    if (type == EXPORT_PNG)
        writer.setQuality(kFastPngQuality);
    if (!writer.write(image)) {
        file.cancelWriting();
        return 0;
    }
    return file.commit() ? 1 : 0;
}
