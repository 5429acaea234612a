// Playing enhanced metafiles onto a device context: mapping into the
// destination rectangle, the metafile's own mapping and world transform,
// objects, saved states and bad records.
#include "platform/LoggingDC.h"
#include "platform/MetaFixtures.h"
#include "platform/metafile/CEmfPlayer.h"
#include "platform/metafile/CEmfRecorderDC.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {
// Records with a frame of exactly the drawing: 100 x 50 reference pixels.
HENHMETAFILE Record(const std::function<void(CDC&)>& draw)
{
    const CDeviceCaps caps = DisplayDeviceCaps();
    const RECT frame{0, 0, MulDiv(100, caps.horzSizeMm * 100, caps.horzRes),
                     MulDiv(50, caps.vertSizeMm * 100, caps.vertRes)};
    auto dc = CreateEnhMetaFile(&frame, {});
    draw(*dc);
    return CloseEnhMetaFile(dc.get());
}

void ExpectNear(const POINT& p, int x, int y, int tolerance = 2)
{
    EXPECT_NEAR(p.x, x, tolerance);
    EXPECT_NEAR(p.y, y, tolerance);
}
}  // namespace

TEST(EmfPlayer, MapsTheFrameOntoTheDestinationRectangle)
{
    struct Case {
        const char* name;
        std::function<void(CDC&)> draw;
    } cases[] = {
        {"plain pixels", [](CDC& dc) { dc.Rectangle(0, 0, 100, 50); }},
        {"anisotropic mapping",
         [](CDC& dc) {
             dc.SetMapMode(MM_ANISOTROPIC);
             dc.SetWindowOrg(1000, 1000);
             dc.SetWindowExt(1000, 1000);
             dc.SetViewportExt(100, 100);
             dc.Rectangle(1000, 1000, 2000, 1500);
         }},
        {"world transform",
         [](CDC& dc) {
             dc.SetGraphicsMode(GM_ADVANCED);
             const XFORM half{0.5f, 0, 0, 0.5f, 0, 0};
             dc.SetWorldTransform(&half);
             dc.Rectangle(0, 0, 200, 100);
         }},
    };
    for (const Case& c : cases) {
        HENHMETAFILE h = Record(c.draw);
        ASSERT_NE(h, nullptr) << c.name;
        CLoggingDC dc;
        const RECT dest{10, 20, 210, 120};  // twice the size, moved
        EXPECT_TRUE(PlayEnhMetaFile(&dc, h, &dest)) << c.name;
        const CLoggingDC::Call* rect = dc.Find("Rectangle");
        ASSERT_NE(rect, nullptr) << c.name;
        ExpectNear(rect->device[0], 10, 20);
        ExpectNear(rect->device[1], 210, 120);
        DeleteEnhMetaFile(h);
    }
}

TEST(EmfPlayer, ObjectsTextAndStateReachTheDeviceContext)
{
    HENHMETAFILE h = Record([](CDC& dc) {
        CPen pen(PS_SOLID, 2, RGB(255, 0, 0));
        CBrush brush(RGB(0, 255, 0));
        dc.SelectObject(&pen);
        dc.SelectObject(&brush);
        dc.SetTextColor(RGB(1, 2, 3));
        dc.Ellipse(0, 0, 10, 10);
        dc.SelectStockObject(BLACK_PEN);
        const int dx[3] = {4, 5, 6};
        dc.ExtTextOut(1, 2, 0, nullptr, "a\xE9z", 3, dx);
    });
    CLoggingDC dc;
    dc.SetTextColor(RGB(9, 9, 9));
    const RECT dest{0, 0, 100, 50};
    ASSERT_TRUE(PlayEnhMetaFile(&dc, h, &dest));
    const CLoggingDC::Call* ellipse = dc.Find("Ellipse");
    ASSERT_NE(ellipse, nullptr);
    EXPECT_EQ(ellipse->pen, RGB(255, 0, 0));
    EXPECT_EQ(ellipse->brush, RGB(0, 255, 0));
    const CLoggingDC::Call* text = dc.Find("ExtTextOut");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->str, "a\xE9z");  // through UTF-16 and back to Windows-1252
    EXPECT_EQ(text->dx, (std::vector<int>{4, 5, 6}));
    EXPECT_EQ(text->pen, RGB(0, 0, 0));
    EXPECT_EQ(text->text, RGB(1, 2, 3));
    // The caller's state is back after play-back.
    EXPECT_EQ(dc.GetTextColor(), RGB(9, 9, 9));
    EXPECT_EQ(dc.GetGraphicsMode(), GM_COMPATIBLE);
    DeleteEnhMetaFile(h);
}

TEST(EmfPlayer, MetafileCannotRestorePastItsOwnSaves)
{
    const std::vector<BYTE> bytes = CEmfBuilder({0, 0, 99, 99}, {0, 0, 3125, 3125})
                                        .Record(EMR_SAVEDC, {})
                                        .Record(EMR_SETTEXTCOLOR, {0x0000FF})
                                        .Record(EMR_RESTOREDC, {DWORD(-1)})
                                        .Record(EMR_RESTOREDC, {DWORD(-3)})
                                        .Record(EMR_SETBKCOLOR, {0x00FF00})
                                        .Finish();
    HENHMETAFILE h = SetEnhMetaFileBits(UINT(bytes.size()), bytes.data());
    ASSERT_NE(h, nullptr);
    CLoggingDC dc;
    dc.SetBkColor(RGB(7, 7, 7));
    const int depth = dc.SaveDC();
    dc.SetTextColor(RGB(5, 5, 5));
    const RECT dest{0, 0, 10, 10};
    EXPECT_TRUE(PlayEnhMetaFile(&dc, h, &dest));
    EXPECT_EQ(dc.GetTextColor(), RGB(5, 5, 5));
    EXPECT_TRUE(dc.RestoreDC(depth));
    EXPECT_FALSE(dc.RestoreDC(-1));
    EXPECT_EQ(dc.GetBkColor(), RGB(7, 7, 7));
    DeleteEnhMetaFile(h);
}

TEST(EmfPlayer, MalformedRecordsAreSkipped)
{
    const std::vector<BYTE> bytes =
        CEmfBuilder()
            .Record(EMR_POLYGON, {0, 0, 9, 9, 1000, 1, 1})               // 1000 points claimed, 1 there
            .Record(EMR_POLYPOLYGON, {0, 0, 9, 9, 2, 3, 1, 1, 0, 0})     // counts and total disagree
            .Record(EMR_EXTTEXTOUTW, {0, 0, 9, 9, 1, 0, 0, 5, 5, 400, 4000, 0, 0, 0, 0, 0, 0})  // string outside
            .Record(EMR_STRETCHDIBITS, {0, 0, 9, 9, 0, 0, 0, 0, 1, 1, 900, 40, 1000, 4, 0, 0xCC0020, 1, 1})
            .Record(EMR_SELECTOBJECT, {77})                              // no such object
            .Record(EMR_CREATEPEN, {70000, 0, 1, 0, 0xFF})              // index past any table
            .Record(EMR_EXTSELECTCLIPRGN, {64, RGN_COPY, 32, 1, 1000, 0, 0, 0, 0, 0})
            .Record(EMR_RECTANGLE, {1, 2})                               // cut short
            // Pattern headers far larger than the record: nothing may be sized by them.
            .Record(EMR_CREATEMONOBRUSH, {1, 0, 32, 0xFF000000, 32, 4})
            .Record(EMR_CREATEDIBPATTERNBRUSHPT, {2, 0, 32, 0xFFFFFFF0, 32, 0xFFFFFFF0})
            .Record(EMR_LINETO, {5, 5})
            .Finish();
    HENHMETAFILE h = SetEnhMetaFileBits(UINT(bytes.size()), bytes.data());
    ASSERT_NE(h, nullptr);
    CLoggingDC dc;
    const RECT dest{0, 0, 100, 100};
    EXPECT_TRUE(PlayEnhMetaFile(&dc, h, &dest));
    ASSERT_EQ(dc.calls.size(), 1u);
    EXPECT_EQ(dc.calls[0].name, "LineTo");
    DeleteEnhMetaFile(h);
}

TEST(EmfPlayer, EnumerationCanRewriteAndStop)
{
    HENHMETAFILE h = Record([](CDC& dc) {
        dc.SetTextColor(RGB(10, 10, 10));
        dc.Rectangle(0, 0, 100, 50);
        dc.Ellipse(0, 0, 100, 50);
    });
    CLoggingDC dc;
    const RECT dest{0, 0, 100, 50};
    const int result = EnumEnhMetaFile(&dc, h, &dest, [](CEmfPlayer& player, std::vector<BYTE>& record) {
        if (LoadLE32(record.data()) == EMR_SETTEXTCOLOR)
            StoreLE32(record.data() + 8, RGB(200, 0, 0));
        player.PlayRecord(record);
        return LoadLE32(record.data()) == EMR_RECTANGLE ? 0 : 1;
    });
    EXPECT_EQ(result, 0);
    ASSERT_EQ(dc.calls.size(), 1u);
    EXPECT_EQ(dc.calls[0].text, RGB(200, 0, 0));
    DeleteEnhMetaFile(h);
}

// A metafile whose header states too small an object table still draws with
// its objects.
TEST(EmfPlayer, ObjectTableGrowsPastAnUnderstatedSize)
{
    std::vector<BYTE> bytes = CEmfBuilder()
                                  .Record(EMR_CREATEPEN, {40, PS_SOLID, 1, 0, RGB(0, 200, 0)})
                                  .Record(EMR_SELECTOBJECT, {40})
                                  .Record(EMR_RECTANGLE, {0, 0, 10, 10})
                                  .Finish();
    StoreLE16(bytes.data() + EMF_OFF_HANDLES, 1);
    HENHMETAFILE h = SetEnhMetaFileBits(UINT(bytes.size()), bytes.data());
    ASSERT_NE(h, nullptr);
    CLoggingDC dc;
    const RECT dest{0, 0, 100, 100};
    ASSERT_TRUE(PlayEnhMetaFile(&dc, h, &dest));
    ASSERT_NE(dc.Find("Rectangle"), nullptr);
    EXPECT_EQ(dc.Find("Rectangle")->pen, RGB(0, 200, 0));
    DeleteEnhMetaFile(h);
}

// Lengths follow the picture's scale: a picture played at half its size draws
// half as wide pens, half as high fonts and half the advances.
TEST(EmfPlayer, PenWidthsFontsAndAdvancesFollowTheScale)
{
    HENHMETAFILE h = Record([](CDC& dc) {
        CPen pen(PS_SOLID, 10, RGB(0, 0, 0));
        CFont font;
        LOGFONT lf;
        lf.lfHeight = -40;
        std::strcpy(lf.lfFaceName, "Arial");
        font.CreateFontIndirect(&lf);
        dc.SelectObject(&pen);
        dc.SelectObject(&font);
        dc.MoveTo(0, 10);
        dc.LineTo(100, 10);
        const int dx[2] = {20, 20};
        dc.ExtTextOut(0, 20, 0, nullptr, "ab", 2, dx);
    });
    CLoggingDC dc;
    const RECT half{0, 0, 50, 25};
    ASSERT_TRUE(PlayEnhMetaFile(&dc, h, &half));
    const CLoggingDC::Call* line = dc.Find("LineTo");
    const CLoggingDC::Call* text = dc.Find("ExtTextOut");
    ASSERT_TRUE(line && text);
    EXPECT_EQ(line->penWidth, 5);
    ExpectNear(line->device[1], 50, 5);
    EXPECT_EQ(text->fontHeight, -20);
    EXPECT_EQ(text->dx, (std::vector<int>{10, 10}));
    DeleteEnhMetaFile(h);
}

// UTF-16 text keeps one character per advance: symbol-font characters become
// their low byte, characters outside Windows-1252 a question mark.
TEST(EmfPlayer, WideTextKeepsOneCharacterPerAdvance)
{
    const std::vector<BYTE> bytes = CEmfBuilder()
                                        .Record(EMR_EXTTEXTOUTW, {0, 0, 9, 9, 1, 0, 0, 5, 6, 3, 76, 0, 0, 0, 0, 0, 84,
                                                                  0xF0410041, 0x00004E2D, 10, 11, 12})
                                        .Finish();
    HENHMETAFILE h = SetEnhMetaFileBits(UINT(bytes.size()), bytes.data());
    ASSERT_NE(h, nullptr);
    CLoggingDC dc;
    const RECT dest{0, 0, 100, 100};
    ASSERT_TRUE(PlayEnhMetaFile(&dc, h, &dest));
    const CLoggingDC::Call* text = dc.Find("ExtTextOut");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->str, "AA?");
    EXPECT_EQ(text->dx.size(), 3u);
    DeleteEnhMetaFile(h);
}

// The anti-aliased path maps the drawn bounds, not the frame, onto the target.
TEST(EmfPlayer, BoundsPlayMapsTheDrawingOntoTheRectangle)
{
    // A frame of 100 x 50 pixels with a drawing in its middle only.
    HENHMETAFILE h = Record([](CDC& dc) { dc.Rectangle(25, 10, 75, 40); });
    CLoggingDC dc;
    const RECT dest{0, 0, 200, 120};
    ASSERT_TRUE(PlayEnhMetaFileBounds(&dc, h, &dest));
    const CLoggingDC::Call* rect = dc.Find("Rectangle");
    ASSERT_NE(rect, nullptr);
    ExpectNear(rect->device[0], 0, 0, 6);
    ExpectNear(rect->device[1], 200, 120, 6);
    DeleteEnhMetaFile(h);
}
