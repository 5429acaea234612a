// Conversions between enhanced and Windows metafiles keep the geometry, and
// the Windows form carries the window records a placeable header needs.
#include "platform/LoggingDC.h"
#include "platform/metafile/CEmfPlayer.h"
#include "platform/metafile/CEmfRecorderDC.h"
#include "platform/metafile/CWmfPlayer.h"
#include "platform/metafile/CWmfRecorderDC.h"

#include <gtest/gtest.h>

namespace {
// A picture of 200 x 100 reference pixels.
HENHMETAFILE Picture()
{
    const CDeviceCaps caps = DisplayDeviceCaps();
    const RECT frame{0, 0, MulDiv(200, caps.horzSizeMm * 100, caps.horzRes),
                     MulDiv(100, caps.vertSizeMm * 100, caps.vertRes)};
    auto dc = CreateEnhMetaFile(&frame, {});
    CPen pen(PS_SOLID, 4, RGB(0, 0, 255));
    dc->SelectObject(&pen);
    dc->Rectangle(20, 10, 180, 90);
    const POINT bez[4] = {{0, 0}, {50, 100}, {150, 0}, {200, 100}};
    dc->PolyBezier(bez, 4);
    const int dx[2] = {10, 10};
    dc->ExtTextOut(30, 40, 0, nullptr, "Hi", 2, dx);
    return CloseEnhMetaFile(dc.get());
}

std::vector<WORD> Functions(HMETAFILE h)
{
    std::vector<WORD> out;
    EnumMetaFileRecords(h, [&](std::vector<BYTE>& r) {
        out.push_back(LoadLE16(r.data() + 4));
        return 1;
    });
    return out;
}

// Plays a WMF the way a container does: anisotropic, the viewport the target.
void PlayWmfInto(CLoggingDC& dc, HMETAFILE h, int w, int hgt)
{
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetViewportExt(w, hgt);
    PlayMetaFile(&dc, h);
}
}  // namespace

TEST(MetaConvert, EnhToWinWritesWindowRecordsAndKeepsGeometry)
{
    HENHMETAFILE emf = Picture();
    ASSERT_NE(emf, nullptr);
    const std::vector<BYTE> bits = GetWinMetaFileBits(emf, MM_ANISOTROPIC);
    ASSERT_FALSE(bits.empty());
    HMETAFILE wmf = SetMetaFileBitsEx(UINT(bits.size()), bits.data());
    ASSERT_NE(wmf, nullptr);
    const std::vector<WORD> functions = Functions(wmf);
    EXPECT_NE(std::find(functions.begin(), functions.end(), META_SETWINDOWORG), functions.end());
    EXPECT_NE(std::find(functions.begin(), functions.end(), META_SETWINDOWEXT), functions.end());
    for (WORD viewport : {META_SETVIEWPORTORG, META_SETVIEWPORTEXT, META_SCALEVIEWPORTEXT, META_OFFSETVIEWPORTORG})
        EXPECT_EQ(std::find(functions.begin(), functions.end(), viewport), functions.end());
    RECT box;
    ASSERT_TRUE(FindWmfWindowBox(wmf->Bytes(), box));
    EXPECT_NEAR(box.right - box.left, 200, 1);
    EXPECT_NEAR(box.bottom - box.top, 100, 1);

    // Played into 400 x 200: every coordinate doubles, as for the EMF.
    CLoggingDC fromWmf;
    PlayWmfInto(fromWmf, wmf, 400, 200);
    CLoggingDC fromEmf;
    const RECT dest{0, 0, 400, 200};
    PlayEnhMetaFile(&fromEmf, emf, &dest);
    for (const char* name : {"Rectangle", "ExtTextOut"}) {
        const CLoggingDC::Call* a = fromWmf.Find(name);
        const CLoggingDC::Call* b = fromEmf.Find(name);
        ASSERT_TRUE(a && b) << name;
        for (size_t i = 0; i < b->device.size(); ++i) {
            EXPECT_NEAR(a->device[i].x, b->device[i].x, 3) << name;
            EXPECT_NEAR(a->device[i].y, b->device[i].y, 3) << name;
        }
    }
    EXPECT_EQ(fromWmf.Find("Rectangle")->pen, RGB(0, 0, 255));
    EXPECT_EQ(fromWmf.Find("ExtTextOut")->str, "Hi");
    ASSERT_NE(fromWmf.Find("Polyline"), nullptr);  // the bezier, flattened
    DeleteMetaFile(wmf);
    DeleteEnhMetaFile(emf);
}

TEST(MetaConvert, EnhToWinToEnhKeepsTheGeometry)
{
    HENHMETAFILE emf = Picture();
    const std::vector<BYTE> bits = GetWinMetaFileBits(emf, MM_ANISOTROPIC);
    ENHMETAHEADER header;
    GetEnhMetaFileHeader(emf, &header);
    const METAFILEPICT picture{MM_ANISOTROPIC, header.rclFrame.right - header.rclFrame.left,
                               header.rclFrame.bottom - header.rclFrame.top};
    HENHMETAFILE back = SetWinMetaFileBits(UINT(bits.size()), bits.data(), &picture);
    ASSERT_NE(back, nullptr);
    ENHMETAHEADER backHeader;
    GetEnhMetaFileHeader(back, &backHeader);
    EXPECT_EQ(backHeader.rclFrame.right, picture.xExt);

    const RECT dest{10, 10, 410, 210};
    CLoggingDC a, b;
    PlayEnhMetaFile(&a, emf, &dest);
    PlayEnhMetaFile(&b, back, &dest);
    const CLoggingDC::Call* ra = a.Find("Rectangle");
    const CLoggingDC::Call* rb = b.Find("Rectangle");
    ASSERT_TRUE(ra && rb);
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_NEAR(ra->device[i].x, rb->device[i].x, 3);
        EXPECT_NEAR(ra->device[i].y, rb->device[i].y, 3);
    }
    DeleteEnhMetaFile(back);
    DeleteEnhMetaFile(emf);
}

TEST(MetaConvert, RefusesWhatCannotBeConverted)
{
    EXPECT_TRUE(GetWinMetaFileBits(nullptr, MM_ANISOTROPIC).empty());
    HENHMETAFILE emf = Picture();
    EXPECT_TRUE(GetWinMetaFileBits(emf, MM_TEXT).empty());
    DeleteEnhMetaFile(emf);
    const BYTE junk[20] = {1, 2, 3};
    EXPECT_EQ(SetWinMetaFileBits(sizeof junk, junk, nullptr), nullptr);
}
