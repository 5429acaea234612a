// The EMF recorder writes byte-valid enhanced metafiles: the header, records
// other readers accept, bounds and frame, and objects written once.
#include "platform/metafile/CEmfRecorderDC.h"

#include <uemf_safe.h>

#include <gtest/gtest.h>

namespace {
std::vector<std::vector<BYTE>> Records(HENHMETAFILE h)
{
    std::vector<std::vector<BYTE>> out;
    EnumEnhMetaFileRecords(h, [&](std::vector<BYTE>& r) {
        out.push_back(r);
        return 1;
    });
    return out;
}

std::vector<DWORD> Types(const std::vector<std::vector<BYTE>>& records)
{
    std::vector<DWORD> out;
    for (const auto& r : records)
        out.push_back(LoadLE32(r.data()));
    return out;
}
}  // namespace

TEST(EmfRecorder, WritesAValidMetafileOtherReadersAccept)
{
    const RECT frame{0, 0, 2645, 2645};
    const std::string desc("App\0Doc\0\0", 9);
    auto dc = CreateEnhMetaFile(&frame, desc);
    CPen pen(PS_DOT, 3, RGB(255, 0, 0));
    CBrush brush(RGB(0, 0, 255));
    CFont font;
    LOGFONT lf;
    lf.lfHeight = -12;
    std::strcpy(lf.lfFaceName, "Arial");
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    dc->SelectObject(&pen);
    dc->SelectObject(&brush);
    dc->SelectObject(&font);
    dc->SetMapMode(MM_ANISOTROPIC);
    dc->SetWindowExt(100, 100);
    dc->SetViewportExt(100, 100);
    dc->Rectangle(10, 10, 50, 40);
    const POINT tri[3] = {{0, 0}, {20, 0}, {10, 15}};
    dc->Polygon(tri, 3);
    dc->MoveTo(1, 1);
    dc->LineTo(30, 30);
    const int dx[3] = {5, 6, 7};
    dc->ExtTextOut(5, 5, 0, nullptr, "abc", 3, dx);
    dc->SetPixel(2, 2, RGB(1, 2, 3));
    const POINT far[2] = {{0, 0}, {70000, 10}};
    dc->Polyline(far, 2);
    HENHMETAFILE h = CloseEnhMetaFile(dc.get());
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(CloseEnhMetaFile(dc.get()), nullptr);

    ENHMETAHEADER header;
    ASSERT_NE(GetEnhMetaFileHeader(h, &header), 0u);
    const auto records = Records(h);
    EXPECT_EQ(header.nRecords, records.size());
    EXPECT_EQ(header.nBytes, h->Bits().size());
    EXPECT_EQ(header.rclFrame.right, 2645);
    EXPECT_EQ(header.nDescription, 9u);
    EXPECT_EQ(header.nHandles, 4);  // entry 0 and three objects
    EXPECT_LE(header.rclBounds.left, 0);
    EXPECT_GE(header.rclBounds.right, 49);
    for (const auto& r : records) {
        std::vector<BYTE> copy = r;
        EXPECT_NE(U_emf_record_safe(reinterpret_cast<const char*>(copy.data())), 0) << LoadLE32(r.data());
    }
    const std::vector<DWORD> types = Types(records);
    EXPECT_EQ(types.front(), EMR_HEADER);
    EXPECT_EQ(types.back(), EMR_EOF);
    // Points that fit 16 bits take the compact record forms.
    for (DWORD t : {EMR_CREATEPEN, EMR_CREATEBRUSHINDIRECT, EMR_EXTCREATEFONTINDIRECTW, EMR_RECTANGLE,
                    EMR_POLYGON16, EMR_POLYLINE, EMR_LINETO, EMR_EXTTEXTOUTW, EMR_SETPIXELV, EMR_SETMAPMODE})
        EXPECT_NE(std::find(types.begin(), types.end(), t), types.end()) << t;
    DeleteEnhMetaFile(h);
}

TEST(EmfRecorder, ObjectsAreWrittenOnceAndStockObjectsByIndex)
{
    auto dc = CreateEnhMetaFile(nullptr, {});
    CPen red(PS_SOLID, 1, RGB(255, 0, 0)), red2(PS_SOLID, 1, RGB(255, 0, 0)), blue(PS_SOLID, 1, RGB(0, 0, 255));
    dc->SelectObject(&red);
    dc->SelectObject(&blue);
    dc->SelectObject(&red2);
    dc->SelectStockObject(NULL_BRUSH);
    HENHMETAFILE h = CloseEnhMetaFile(dc.get());
    ASSERT_NE(h, nullptr);
    std::vector<DWORD> selected;
    int creates = 0;
    for (const auto& r : Records(h)) {
        if (LoadLE32(r.data()) == EMR_CREATEPEN)
            ++creates;
        if (LoadLE32(r.data()) == EMR_SELECTOBJECT)
            selected.push_back(LoadLE32(r.data() + 8));
    }
    EXPECT_EQ(creates, 2);
    EXPECT_EQ(selected, (std::vector<DWORD>{1, 2, 1, 0x80000000u | NULL_BRUSH}));
    DeleteEnhMetaFile(h);
}

TEST(EmfRecorder, RestoreDcIsWrittenRelativeAndFrameFollowsBounds)
{
    auto dc = CreateEnhMetaFile(nullptr, {});
    dc->SaveDC();
    dc->SaveDC();
    dc->SaveDC();
    EXPECT_TRUE(dc->RestoreDC(2));   // absolute level 2 of 3: two back
    EXPECT_FALSE(dc->RestoreDC(5));
    EXPECT_TRUE(dc->RestoreDC(-1));
    dc->Rectangle(0, 0, 96, 96);
    HENHMETAFILE h = CloseEnhMetaFile(dc.get());
    std::vector<LONG> restores;
    for (const auto& r : Records(h))
        if (LoadLE32(r.data()) == EMR_RESTOREDC)
            restores.push_back(LONG(LoadLE32(r.data() + 8)));
    EXPECT_EQ(restores, (std::vector<LONG>{-2, -1}));

    ENHMETAHEADER header;
    GetEnhMetaFileHeader(h, &header);
    const CDeviceCaps caps = DisplayDeviceCaps();
    // A 96-pixel square on the reference is about an inch: 2540 x 0.01 mm at 96 dpi.
    EXPECT_NEAR(header.rclFrame.right - header.rclFrame.left,
                MulDiv(header.rclBounds.right - header.rclBounds.left, caps.horzSizeMm * 100, caps.horzRes), 1);
    EXPECT_EQ(header.szlDevice.cx, caps.horzRes);
    DeleteEnhMetaFile(h);
}

// The anti-aliased side reaches a metafile as GDI polygons: a filled path in
// its brush's colour, a stroked path as the outline of its stroke.
TEST(EmfRecorder, AntiAliasedDrawingIsWrittenAsPolygons)
{
    auto dc = CreateEnhMetaFile(nullptr, {});
    QPainterPath square;
    square.addRect(10, 10, 40, 40);
    CGpBrush brush;
    brush.color = 0xFF336699;
    CGpState state;
    dc->GpFillPath(square, brush, state);
    CGpPen pen;
    pen.color = 0xFFFF0000;
    pen.width = 4;
    QPainterPath line;
    line.moveTo(0, 80);
    line.lineTo(100, 80);
    dc->GpDrawPath(line, pen, state);
    HENHMETAFILE h = CloseEnhMetaFile(dc.get());
    ASSERT_NE(h, nullptr);
    std::vector<COLORREF> brushes;
    int polygons = 0;
    for (const auto& r : Records(h)) {
        if (LoadLE32(r.data()) == EMR_CREATEBRUSHINDIRECT)
            brushes.push_back(LoadLE32(r.data() + 16));
        polygons += LoadLE32(r.data()) == EMR_POLYPOLYGON16;
    }
    EXPECT_EQ(polygons, 2);
    EXPECT_EQ(brushes, (std::vector<COLORREF>{RGB(0x33, 0x66, 0x99), RGB(0xFF, 0, 0)}));
    ENHMETAHEADER header;
    GetEnhMetaFileHeader(h, &header);
    EXPECT_LE(header.rclBounds.top, 10);
    EXPECT_GE(header.rclBounds.bottom, 81);
    DeleteEnhMetaFile(h);
}

// Text written without advances gets the font's own: a narrow and a wide
// letter keep their widths.
TEST(EmfRecorder, TextWithoutAdvancesGetsTheFontsWidths)
{
    auto dc = CreateEnhMetaFile(nullptr, {});
    CFont font;
    LOGFONT lf;
    lf.lfHeight = -40;
    std::strcpy(lf.lfFaceName, "Arial");
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    dc->SelectObject(&font);
    dc->ExtTextOut(10, 10, 0, nullptr, "iW", 2, nullptr);
    HENHMETAFILE h = CloseEnhMetaFile(dc.get());
    ASSERT_NE(h, nullptr);
    std::vector<DWORD> advances;
    for (const auto& r : Records(h)) {
        if (LoadLE32(r.data()) != EMR_EXTTEXTOUTW)
            continue;
        const DWORD offDx = LoadLE32(r.data() + 72);
        for (int i = 0; i < 2; ++i)
            advances.push_back(LoadLE32(r.data() + offDx + 4 * i));
    }
    ASSERT_EQ(advances.size(), 2u);
    EXPECT_GT(advances[0], 0u);
    EXPECT_LT(advances[0] * 2, advances[1]);
    DeleteEnhMetaFile(h);
}
