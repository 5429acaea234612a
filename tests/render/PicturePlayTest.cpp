#include "render/ArgbBitmaps.h"
#include "render/PicturePlay.h"

#include "graphics/BitmapHelpers.h"
#include "graphics/MetaRecolour.h"
#include "graphics/MetafileHelpers.h"
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "platform/GdiObjects.h"
#include "platform/metafile/CEmfRecorderDC.h"
#include "platform/metafile/CWmfPlayer.h"
#include "platform/metafile/CWmfRecorderDC.h"
#include "platform/metafile/MetaFileHandles.h"
#include "platform/metafile/WmfParse.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// A red rectangle filling (0, 0)-(100, 100), recorded by `dc`.
template <class Recorder>
void DrawRed(Recorder& dc)
{
    CBrush red(RGB(255, 0, 0));
    CPen none(PS_NULL, 0, 0);
    dc.SelectObject(&red);
    dc.SelectObject(&none);
    dc.Rectangle(0, 0, 101, 101);
}

HGLOBAL RedEmfBlock()
{
    CEmfRecorderDC rec;
    DrawRed(rec);
    HENHMETAFILE emf = rec.Close();
    HGLOBAL block = GlobalFromEnhMetafile(emf, FALSE);
    return block;
}

HGLOBAL RedPlaceableBlock()
{
    CWmfRecorderDC rec;
    DrawRed(rec);
    const std::vector<BYTE> bits = rec.Close();
    PlaceableMetaHeader header;
    header.left = 0, header.top = 0, header.right = 100, header.bottom = 100, header.inch = 100;
    std::vector<BYTE> block(22);
    WritePlaceableHeader(block.data(), header);
    block.insert(block.end(), bits.begin(), bits.end());
    return GlobalFromBytes(block.data(), block.size());
}

struct Canvas {
    QImage image{120, 120, QImage::Format_RGB32};
    CPainterDC dc{&image};
    CGraphics g{&dc};
    Canvas() { image.fill(Qt::white); }
    QRgb At(int x, int y)
    {
        dc.Flush();
        return image.pixel(x, y) & 0xFFFFFF;
    }
};

} // namespace

TEST(PicturePlay, EveryKindDrawsAndUnknownKindsShowThePlaceholder)
{
    const QRectF rect(10, 10, 100, 100);
    HGLOBAL emf = RedEmfBlock(), wmf = RedPlaceableBlock();
    QImage pixels(4, 4, QImage::Format_ARGB32);
    pixels.fill(qRgba(255, 0, 0, 255));
    HGLOBAL argb = ARGBBitmapToBlock(pixels);
    for (auto [kind, block] : {std::pair{3, emf}, std::pair{2, wmf}, std::pair{9, argb}}) {
        Canvas c;
        EXPECT_NE(PlayPicture(&c.g, block, kind, rect, false, 0xFFFFFF, NO_COLOR, false, 0), 0)
            << kind;
        EXPECT_EQ(c.At(60, 60), 0xFF0000u) << kind;
        EXPECT_EQ(c.At(5, 5), 0xFFFFFFu) << kind;
    }
    for (int kind : {4, 0}) {
        Canvas c;
        EXPECT_EQ(PlayPicture(&c.g, emf, kind, rect, false, 0xFFFFFF, NO_COLOR, false, 0), 0);
        EXPECT_EQ(c.At(60, 60), 0u);  // on the diagonal of the cross
        EXPECT_EQ(c.At(60, 30), 0xFFFFFFu);
    }
    // Undecodable bits: placeholder too.
    HGLOBAL junk = GlobalFromBytes("not a picture", 13);
    Canvas c;
    EXPECT_EQ(PlayPicture(&c.g, junk, 3, rect, false, 0xFFFFFF, NO_COLOR, false, 0), 0);
    EXPECT_EQ(c.At(60, 60), 0u);
    for (HGLOBAL h : {emf, wmf, argb, junk})
        GlobalFree(h);
}

TEST(PicturePlay, SupersampledMatchesDirectPlay)
{
    HGLOBAL emf = RedEmfBlock();
    Canvas direct, smooth;
    ASSERT_NE(PlayPicture(&direct.g, emf, 3, QRectF(10, 10, 100, 50), false, 0, NO_COLOR, false, 0), 0);
    ASSERT_NE(PlayPicture(&smooth.g, emf, 3, QRectF(10, 10, 100, 50), false, 0, NO_COLOR, false,
                          PLAY_SUPERSAMPLE),
              0);
    EXPECT_EQ(smooth.At(60, 35), direct.At(60, 35));
    EXPECT_EQ(smooth.At(60, 80), 0xFFFFFFu);
    GlobalFree(emf);
}

TEST(PicturePlay, MetafilesIntoAWindowsMetafileKeepTheirDrawing)
{
    // A Windows-metafile target records the picture's own records, not a cross.
    HGLOBAL emf = RedEmfBlock();
    CWmfRecorderDC rec;
    CGraphics g(&rec);
    EXPECT_NE(PlayPicture(&g, emf, 3, QRectF(0, 0, 100, 100), false, 0, NO_COLOR, true, 0), 0);
    const std::vector<BYTE> bits = rec.Close();
    HMETAFILE wmf = SetMetaFileBitsEx(UINT(bits.size()), bits.data());
    ASSERT_NE(wmf, nullptr);
    QImage out(100, 100, QImage::Format_RGB32);
    out.fill(Qt::white);
    {
        CPainterDC dc(&out);
        ASSERT_TRUE(PlayMetaFile(&dc, wmf));
    }
    EXPECT_EQ(out.pixel(50, 50) & 0xFFFFFF, 0xFF0000u);
    DeleteMetaFile(wmf);
    GlobalFree(emf);
}

// An enhanced metafile that decodes but cannot be played (no frame and no
// bounds to map from) is shown as the placeholder, not as nothing.
TEST(PicturePlay, FailedEnhancedPlayShowsThePlaceholder)
{
    HGLOBAL emf = RedEmfBlock();
    {
        CGlobalLock lock(emf);
        BYTE* h = lock.data();
        int32_t left;
        std::memcpy(&left, h + 8, 4);
        const int32_t right = left - 1;   // inclusive bounds of no width
        std::memcpy(h + 16, &right, 4);
        std::memcpy(h + 32, h + 24, 4);   // frame right = left
    }
    Canvas c;
    EXPECT_EQ(PlayPicture(&c.g, emf, 3, QRectF(10, 10, 100, 100), false, 0xFFFFFF, NO_COLOR, false, 0), 0);
    EXPECT_EQ(c.At(60, 60), 0u); // on the diagonal of the cross
    GlobalFree(emf);
}

// The placeholder is the rectangle's outline with both of its diagonals.
TEST(PicturePlay, PlaceholderIsTheOutlineAndBothDiagonals)
{
    Canvas c;
    DrawPicturePlaceholder(&c.g, QRectF(10, 10, 100, 100));
    struct Px { int x, y; QRgb colour; };
    for (const Px& p : {Px{30, 30, 0u}, Px{90, 30, 0u}, Px{30, 90, 0u}, Px{10, 50, 0u}, Px{60, 10, 0u},
                        Px{60, 30, 0xFFFFFFu}, Px{30, 60, 0xFFFFFFu}})
        EXPECT_EQ(c.At(p.x, p.y), p.colour) << p.x << "," << p.y;
}

// Supersampled play draws at twice the size and scales down: a one-pixel
// line comes out in shades of grey, where the direct play keeps it black.
TEST(PicturePlay, SupersampledPlaySmoothsThinLines)
{
    CEmfRecorderDC rec;
    CPen thin(PS_SOLID, 0, RGB(0, 0, 0));
    rec.SelectObject(&thin);
    rec.MoveTo(0, 0);
    rec.LineTo(100, 37);
    HGLOBAL emf = GlobalFromEnhMetafile(rec.Close(), FALSE);
    auto greys = [&](int flags) {
        Canvas c;
        EXPECT_NE(PlayPicture(&c.g, emf, 3, QRectF(10, 10, 100, 50), false, 0, NO_COLOR, false, flags), 0);
        bool grey = false;
        for (int y = 0; y < 120; ++y)
            for (int x = 0; x < 120; ++x) {
                const int r = qRed(c.At(x, y));
                grey = grey || (r > 30 && r < 225);
            }
        return grey;
    };
    EXPECT_FALSE(greys(0));
    EXPECT_TRUE(greys(PLAY_SUPERSAMPLE));
    GlobalFree(emf);
}
