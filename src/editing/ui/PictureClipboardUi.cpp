#include "editing/ui/PictureClipboardUi.h"

#include "platform/PackedDib.h"
#include "render/PictureClipboard.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMimeData>
#include <QPainter>

#include <algorithm>

int PictureFormatOfMime(const QString& mime)
{
    if (mime == "image/emf" || mime == "image/x-emf")
        return CF_ENHMETAFILE;
    if (mime == "image/bmp" || mime == "image/png" || mime == "application/x-qt-image")
        return CF_DIB;
    return 0;
}

namespace {
constexpr int kBitmapFileHeader = 14;

bool DibFromBitmapFile(const QByteArray& file, std::vector<BYTE>& bytes)
{
    if (file.size() <= kBitmapFileHeader || !file.startsWith("BM"))
        return false;
    bytes.assign(file.begin() + kBitmapFileHeader, file.end());
    return true;
}

// Transparent parts of a clipboard image show white, as on a page.
bool DibFromImage(const QImage& image, std::vector<BYTE>& bytes)
{
    if (image.isNull())
        return false;
    QImage onWhite(image.size(), QImage::Format_RGB32);
    onWhite.fill(Qt::white);
    QPainter(&onWhite).drawImage(0, 0, image);
    bytes = ImageToDib(onWhite, 24, false);
    return !bytes.empty();
}
} // namespace

std::vector<int> PictureFormatsOf(const QMimeData* data)
{
    std::vector<int> formats;
    if (!data)
        return formats;
    for (const QString& mime : data->formats()) {
        const int format = PictureFormatOfMime(mime);
        if (format && std::find(formats.begin(), formats.end(), format) == formats.end())
            formats.push_back(format);
    }
    return formats;
}

bool PictureBytesOf(const QMimeData* data, int format, std::vector<BYTE>& bytes)
{
    bytes.clear();
    if (!data)
        return false;
    if (format == CF_ENHMETAFILE) {
        for (const char* mime : {"image/emf", "image/x-emf"}) {
            const QByteArray emf = data->data(mime);
            if (!emf.isEmpty()) {
                bytes.assign(emf.begin(), emf.end());
                return true;
            }
        }
        return false;
    }
    if (format != CF_DIB)
        return false;
    if (DibFromBitmapFile(data->data("image/bmp"), bytes))
        return true;
    return data->hasImage() && DibFromImage(qvariant_cast<QImage>(data->imageData()), bytes);
}

bool ClipboardHasPicture(int format)
{
    const std::vector<int> formats = PictureFormatsOf(QApplication::clipboard()->mimeData());
    return format == 0 ? !formats.empty() : std::find(formats.begin(), formats.end(), format) != formats.end();
}

bool PastePictureFromClipboard(CKavoDoc& doc, int format)
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    std::vector<int> formats = PictureFormatsOf(data);
    if (format != 0)
        formats.assign(1, format);
    std::vector<BYTE> bytes;
    for (int f : formats)
        if (PictureBytesOf(data, f, bytes) && PasteGraphic(doc, f, bytes.data(), bytes.size()))
            return true;
    return false;
}
