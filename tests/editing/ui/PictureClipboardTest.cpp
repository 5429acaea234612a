// Clipboard pictures as the picture import takes them.
#include "editing/ui/PictureClipboardUi.h"

#include "platform/PackedDib.h"
#include "render/PictureClipboard.h"

#include <QMimeData>
#include <gtest/gtest.h>

#include <cstring>

TEST(PictureClipboard, FormatsInTheDataOrderAndTheirBytes)
{
    QImage image(4, 2, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    image.setPixel(1, 1, qRgba(0, 0, 255, 255));
    const std::vector<BYTE> file = ImageToDib(image.convertToFormat(QImage::Format_RGB32), 24, true);

    QMimeData bitmapFirst;
    bitmapFirst.setData("image/bmp", QByteArray(reinterpret_cast<const char*>(file.data()), qsizetype(file.size())));
    bitmapFirst.setData("image/emf", QByteArray("emf bits"));
    bitmapFirst.setData("image/png", QByteArray("png"));
    EXPECT_EQ(PictureFormatsOf(&bitmapFirst), (std::vector<int>{CF_DIB, CF_ENHMETAFILE}));
    std::vector<BYTE> bytes;
    ASSERT_TRUE(PictureBytesOf(&bitmapFirst, CF_DIB, bytes));
    ASSERT_EQ(bytes.size(), file.size() - 14);
    EXPECT_EQ(std::memcmp(bytes.data(), file.data() + 14, bytes.size()), 0);
    ASSERT_TRUE(PictureBytesOf(&bitmapFirst, CF_ENHMETAFILE, bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "emf bits");

    // An image without a bitmap file: drawn on white as a packed bitmap.
    QMimeData imageOnly;
    imageOnly.setImageData(image);
    EXPECT_EQ(PictureFormatsOf(&imageOnly), std::vector<int>{CF_DIB});
    ASSERT_TRUE(PictureBytesOf(&imageOnly, CF_DIB, bytes));
    const QImage back = DibToImage(bytes.data(), bytes.size());
    EXPECT_EQ(back.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(back.pixel(1, 1), qRgb(0, 0, 255));
    EXPECT_FALSE(PictureBytesOf(&imageOnly, CF_ENHMETAFILE, bytes));

    QMimeData text;
    text.setText("not a picture");
    EXPECT_TRUE(PictureFormatsOf(&text).empty());
    EXPECT_FALSE(PictureBytesOf(&text, CF_DIB, bytes));
}
