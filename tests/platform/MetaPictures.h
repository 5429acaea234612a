#pragma once
// Pictures for the metafile rendering tests: white images of a size in
// reference pixels, a tolerant comparison, and recording and playing EMF and
// WMF pictures of that size with our recorders and players.
#include "platform/CPainterDC.h"
#include "platform/metafile/CEmfPlayer.h"
#include "platform/metafile/CEmfRecorderDC.h"
#include "platform/metafile/CWmfPlayer.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

inline QImage WhitePicture(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// Share of pixels that differ by more than a small amount in any channel.
inline double PictureMismatch(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.isNull())
        return 1.0;
    int bad = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > 40 || std::abs(qGreen(p) - qGreen(q)) > 40 ||
                std::abs(qBlue(p) - qBlue(q)) > 40)
                ++bad;
        }
    return double(bad) / (a.width() * a.height());
}

// The frame of a picture of this many reference pixels, 0.01 mm.
inline RECT PictureFrame(QSize size)
{
    const CDeviceCaps caps = DisplayDeviceCaps();
    return RECT{0, 0, MulDiv(size.width(), caps.horzSizeMm * 100, caps.horzRes),
                MulDiv(size.height(), caps.vertSizeMm * 100, caps.vertRes)};
}

inline HENHMETAFILE RecordEmfPicture(QSize size, const std::function<void(CDC&)>& draw)
{
    const RECT frame = PictureFrame(size);
    auto rec = CreateEnhMetaFile(&frame, {});
    draw(*rec);
    return CloseEnhMetaFile(rec.get());
}

inline QImage PlayEmfPicture(QSize size, HENHMETAFILE emf)
{
    QImage img = WhitePicture(size);
    CPainterDC dc(&img);
    const RECT dest{0, 0, size.width(), size.height()};
    EXPECT_TRUE(PlayEnhMetaFile(&dc, emf, &dest));
    return img;
}

// WMF bits played into the picture: the window is the picture's pixels (a
// converted WMF sets its own window; the viewport stays the picture's).
inline QImage PlayWmfPicture(QSize size, const std::vector<BYTE>& bits)
{
    QImage img = WhitePicture(size);
    HMETAFILE wmf = SetMetaFileBitsEx(UINT(bits.size()), bits.data());
    EXPECT_NE(wmf, nullptr);
    if (!wmf)
        return img;
    {
        CPainterDC dc(&img);
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(size.width(), size.height());
        dc.SetViewportExt(size.width(), size.height());
        EXPECT_TRUE(PlayMetaFile(&dc, wmf));
    }
    DeleteMetaFile(wmf);
    return img;
}

// A 2 x 2 32-bit bottom-up DIB: bottom row red, green; top row blue, white.
struct FourColourDib {
    BITMAPINFOHEADER header{};
    DWORD pixels[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};
    FourColourDib()
    {
        header.biWidth = 2;
        header.biHeight = 2;
        header.biBitCount = 32;
    }
    const BITMAPINFO* Info() const { return reinterpret_cast<const BITMAPINFO*>(&header); }
};
