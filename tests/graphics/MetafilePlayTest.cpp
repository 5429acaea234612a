// Playing Windows metafiles (directly and scaled into a rectangle), recoloured
// enhanced metafiles and the probe picture onto a device context.
#include "graphics/MetafileHelpers.h"
#include "graphics/MetafilePlay.h"
#include "platform/metafile/CEmfRecorderDC.h"
#include "platform/LoggingDC.h"
#include "platform/MetaFixtures.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
HMETAFILE Wmf(const std::vector<BYTE>& b) { return SetMetaFileBitsEx(UINT(b.size()), b.data()); }

std::vector<BYTE> PictureWmf()
{
    return CWmfBuilder()
        .Record(META_SETMAPMODE, {MM_ANISOTROPIC})
        .Record(META_SETWINDOWORG, {0, 0})
        .Record(META_SETWINDOWEXT, {100, 100})
        .Record(META_SETVIEWPORTEXT, {50, 50})
        .Record(META_CREATEPENINDIRECT, {PS_SOLID, 3, 0, 0xFF, 0})
        .Record(META_SELECTOBJECT, {0})
        .Record(META_RECTANGLE, {40, 30, 20, 10})
        .Record(META_LINETO, {100, 100})
        .Finish();
}
}  // namespace

TEST(WmfPlay, RecordsDriveTheDeviceContextsOwnMapping)
{
    HMETAFILE h = Wmf(PictureWmf());
    CLoggingDC dc;
    ASSERT_TRUE(PlayMetaFile(&dc, h));
    const CLoggingDC::Call* rect = dc.Find("Rectangle");
    ASSERT_NE(rect, nullptr);
    // Window 100 onto viewport 50: halved.
    EXPECT_EQ(rect->device[0].x, 5);
    EXPECT_EQ(rect->device[1].y, 20);
    EXPECT_EQ(rect->pen, RGB(255, 0, 0));
    EXPECT_EQ(dc.GetMapMode(), MM_TEXT);  // the caller's state is back
    DeleteMetaFile(h);
}

TEST(WmfPlay, InRectDoublesCoordinatesAndPenWidthsAndLeavesMappingOut)
{
    HMETAFILE h = Wmf(PictureWmf());
    CLoggingDC dc;
    ASSERT_TRUE(PlayMetafileInRect(&dc, h, RECT{0, 0, 200, 200}, RECT{0, 0, 100, 100}));
    const CLoggingDC::Call* rect = dc.Find("Rectangle");
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->device[0].x, 20);
    EXPECT_EQ(rect->device[0].y, 40);
    EXPECT_EQ(rect->device[1].x, 60);
    EXPECT_EQ(rect->device[1].y, 80);
    const CLoggingDC::Call* line = dc.Find("LineTo");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->device[1].x, 200);
    EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
    DeleteMetaFile(h);
}

TEST(WmfPlay, PenWidthIsDoubledToo)
{
    // The pen is checked through a recording of the rewritten records.
    std::vector<BYTE> pen = {0, 0, 0, 0, 0, 0};
    std::vector<BYTE> rec(6 + 10);
    StoreLE32(rec.data(), 8);
    StoreLE16(rec.data() + 4, META_CREATEPENINDIRECT);
    StoreLE16(rec.data() + 8, 3);
    CMetaScaleContext ctx = MakeMetaScaleContext(RECT{0, 0, 200, 200}, RECT{0, 0, 100, 100});
    ASSERT_TRUE(ScaleMetaRecordBytes(ctx, rec));
    EXPECT_EQ(LoadLE16(rec.data() + 8), 6);
}

TEST(WmfPlay, MetafileCannotRestorePastItsOwnSavesOrSelectMissingObjects)
{
    HMETAFILE h = Wmf(CWmfBuilder()
                          .Record(META_RESTOREDC, {-1})
                          .Record(META_SELECTOBJECT, {5})
                          .Record(META_POLYLINE, {400, 1, 1})
                          .Record(META_EXTTEXTOUT, {0, 0, 50, 0, 0x4141})
                          .Record(META_TEXTOUT, {3, 0x4241, 0x43, 7, 8})
                          .Finish());
    CLoggingDC dc;
    const int depth = dc.SaveDC();
    ASSERT_TRUE(PlayMetaFile(&dc, h));
    EXPECT_TRUE(dc.RestoreDC(depth));
    ASSERT_EQ(dc.calls.size(), 1u);
    EXPECT_EQ(dc.calls[0].name, "ExtTextOut");
    EXPECT_EQ(dc.calls[0].str, "ABC");
    DeleteMetaFile(h);
}

TEST(EnhRecolour, TintsColoursWithoutChangingThePicture)
{
    const std::vector<BYTE> bytes = CEmfBuilder()
                                        .Record(EMR_CREATEBRUSHINDIRECT, {1, BS_SOLID, RGB(0, 0, 0), 0})
                                        .Record(EMR_SELECTOBJECT, {1})
                                        .Record(EMR_RECTANGLE, {0, 0, 50, 50})
                                        .Finish();
    HENHMETAFILE h = SetEnhMetaFileBits(UINT(bytes.size()), bytes.data());
    ASSERT_NE(h, nullptr);
    const RECT rect{0, 0, 100, 100};
    for (int pass = 0; pass < 2; ++pass) {
        CLoggingDC dc;
        ASSERT_TRUE(PlayEnhMetafileRecoloured(&dc, h, rect, RGB(0, 0, 255)));
        const CLoggingDC::Call* r = dc.Find("Rectangle");
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->brush, TintMono(RGB(0, 0, 255), 1.0)) << pass;
    }
    EXPECT_EQ(h->Bits(), bytes);
    // Not a real colour: a plain play.
    CLoggingDC plain;
    ASSERT_TRUE(PlayEnhMetafileRecoloured(&plain, h, rect, RGB(255, 255, 255)));
    ASSERT_NE(plain.Find("Rectangle"), nullptr);
    EXPECT_EQ(plain.Find("Rectangle")->brush, RGB(0, 0, 0));
    DeleteEnhMetaFile(h);
}

TEST(ProbeMetafile, PlaysOneRectangleIntoTheHundredSquareAndIsKept)
{
    CLoggingDC dc;
    ASSERT_TRUE(PlayProbeEnhMetafile(&dc));
    const int live = LiveMetaFileHandles();
    ASSERT_TRUE(PlayProbeEnhMetafile(&dc));
    EXPECT_EQ(LiveMetaFileHandles(), live);
    ASSERT_EQ(dc.calls.size(), 2u);
    EXPECT_EQ(dc.calls[0].name, "Rectangle");
    EXPECT_NEAR(dc.calls[0].device[0].x, 0, 1);
    EXPECT_NEAR(dc.calls[0].device[1].x, 100, 2);
    FreeProbeEnhMetafile();
    EXPECT_EQ(LiveMetaFileHandles(), live - 1);
}

// WMF export: an EMF converted to a WMF, written as a placeable file with the
// units per inch of its window box over the frame, reads back through the
// validated import (window records only, no viewport records).
TEST(WmfExport, ConvertedMetafileWritesAPlaceableFileTheImportAccepts)
{
    auto rec = CreateEnhMetaFile(nullptr, {});
    rec->Rectangle(0, 0, 192, 96);
    HENHMETAFILE emf = CloseEnhMetaFile(rec.get());
    HMETAFILE wmf = EnhToWinMetafile(emf);
    ASSERT_NE(wmf, nullptr);
    LONG l, t, r, b;
    ASSERT_TRUE(GetMetafileBounds(wmf, l, t, r, b));
    ENHMETAHEADER header;
    GetEnhMetaFileHeader(emf, &header);
    QTemporaryDir dir;
    const QString path = dir.filePath("export.wmf");
    ASSERT_TRUE(WritePlaceableMetafile(wmf, path, RECT{l, t, r, b}, header.rclFrame.right - header.rclFrame.left));
    HGLOBAL loaded = LoadValidatedWMF(path);
    ASSERT_NE(loaded, nullptr);
    PlaceableMetaHeader placeable;
    {
        CGlobalLock lock(loaded);
        ASSERT_TRUE(ReadPlaceableHeader(MetaBytes(lock.data(), lock.size()), placeable));
    }
    // About 96 units per inch: the reference's pixels.
    EXPECT_NEAR(placeable.inch, 96, 4);
    GlobalFree(loaded);
    DeleteMetaFile(wmf);
    DeleteEnhMetaFile(emf);
}
