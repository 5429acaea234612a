// Rewriting WMF records to play a metafile scaled into a rectangle.
#include "graphics/MetaScaleRecord.h"
#include "platform/metafile/MetaBytes.h"
#include "platform/metafile/MetaRecords.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {
std::vector<BYTE> Rec(WORD function, std::initializer_list<int> params)
{
    std::vector<BYTE> r(6 + 2 * params.size());
    StoreLE32(r.data(), DWORD(3 + params.size()));
    StoreLE16(r.data() + 4, function);
    size_t i = 6;
    for (int p : params) {
        StoreLE16(r.data() + i, WORD(p));
        i += 2;
    }
    return r;
}

std::vector<int> Params(const std::vector<BYTE>& r)
{
    std::vector<int> out;
    for (size_t i = 6; i + 1 < r.size(); i += 2)
        out.push_back(SHORT(LoadLE16(r.data() + i)));
    return out;
}

// Source box (0, 0, 100, 100) into (0, 0, 200, 200): twice the size.
CMetaScaleContext Doubling() { return MakeMetaScaleContext(RECT{0, 0, 200, 200}, RECT{0, 0, 100, 100}); }
}  // namespace

TEST(ScaleMetaRecord, DoublingRewritesPointsAndLengths)
{
    struct Case {
        const char* name;
        std::vector<BYTE> in;
        std::vector<int> out;
    } cases[] = {
        {"lineto y, x", Rec(META_LINETO, {10, 20}), {20, 40}},
        {"moveto", Rec(META_MOVETO, {-3, 7}), {-6, 14}},
        {"rectangle both corners", Rec(META_RECTANGLE, {40, 30, 20, 10}), {80, 60, 40, 20}},
        {"ellipse", Rec(META_ELLIPSE, {4, 3, 2, 1}), {8, 6, 4, 2}},
        {"polyline count then x, y", Rec(META_POLYLINE, {2, 1, 2, 3, 4}), {2, 2, 4, 6, 8}},
        {"polypolygon points of all polygons", Rec(META_POLYPOLYGON, {2, 1, 2, 5, 6, 7, 8, 9, 10}),
         {2, 1, 2, 10, 12, 14, 16, 18, 20}},
        {"roundrect corner sizes and corners", Rec(META_ROUNDRECT, {3, 4, 40, 30, 20, 10}), {6, 8, 80, 60, 40, 20}},
        {"arc four points", Rec(META_ARC, {1, 2, 3, 4, 5, 6, 7, 8}), {2, 4, 6, 8, 10, 12, 14, 16}},
        {"pen width x and y", Rec(META_CREATEPENINDIRECT, {0, 3, 5, 0xFF, 0}), {0, 6, 10, 0xFF, 0}},
        {"zero pen width stays", Rec(META_CREATEPENINDIRECT, {0, 0, 0, 0, 0}), {0, 0, 0, 0, 0}},
        {"font height and width", Rec(META_CREATEFONTINDIRECT, {-12, 5, 0, 0}), {-24, 10, 0, 0}},
        {"char extra", Rec(META_SETTEXTCHAREXTRA, {3}), {6}},
        {"floodfill point after colour", Rec(META_FLOODFILL, {0x1234, 0x56, 5, 6}), {0x1234, 0x56, 10, 12}},
        {"extfloodfill", Rec(META_EXTFLOODFILL, {1, 0x1234, 0x56, 5, 6}), {1, 0x1234, 0x56, 10, 12}},
        {"textout point after the string", Rec(META_TEXTOUT, {3, 0x4241, 0x43, 5, 6}), {3, 0x4241, 0x43, 10, 12}},
        {"exttextout with rectangle and advances",
         Rec(META_EXTTEXTOUT, {5, 6, 2, 4 /*clipped*/, 1, 2, 3, 4, 0x4241, 7, 8}),
         {10, 12, 2, 4, 2, 4, 6, 8, 0x4241, 14, 16}},
        {"exttextout without rectangle", Rec(META_EXTTEXTOUT, {5, 6, 3, 0, 0x4241, 0x43, 1, 2, 3}),
         {10, 12, 3, 0, 0x4241, 0x43, 2, 4, 6}},
        {"stretchdib has one leading word more",
         Rec(META_STRETCHDIB, {0x20, 0xCC, 0, 9, 9, 9, 9, 5, 6, 7, 8, 0x28}),
         {0x20, 0xCC, 0, 9, 9, 9, 9, 10, 12, 14, 16, 0x28}},
        {"dibstretchblt", Rec(META_DIBSTRETCHBLT, {0x20, 0xCC, 9, 9, 9, 9, 5, 6, 7, 8, 0x28, 0}),
         {0x20, 0xCC, 9, 9, 9, 9, 10, 12, 14, 16, 0x28, 0}},
        {"dibstretchblt without bitmap has a reserved word",
         Rec(META_DIBSTRETCHBLT, {0x20, 0xCC, 9, 9, 9, 9, 0, 5, 6, 7, 8}),
         {0x20, 0xCC, 9, 9, 9, 9, 0, 10, 12, 14, 16}},
        {"other records unchanged", Rec(META_SETBKMODE, {1}), {1}},
    };
    for (const Case& c : cases) {
        CMetaScaleContext ctx = Doubling();
        std::vector<BYTE> rec = c.in;
        EXPECT_TRUE(ScaleMetaRecordBytes(ctx, rec)) << c.name;
        EXPECT_EQ(Params(rec), c.out) << c.name;
    }
}

TEST(ScaleMetaRecord, EachLengthAndCoordinateTakesItsOwnAxis)
{
    // Source (0, 0, 100, 100) into (0, 0, 200, 300): x twice, y three times.
    struct Case {
        const char* name;
        std::vector<BYTE> in;
        std::vector<int> out;
    } cases[] = {
        {"lineto y, x", Rec(META_LINETO, {10, 20}), {30, 40}},
        {"rectangle bottom, right, top, left", Rec(META_RECTANGLE, {40, 30, 20, 10}), {120, 60, 60, 20}},
        {"polyline x, y pairs", Rec(META_POLYLINE, {2, 1, 2, 3, 4}), {2, 2, 6, 6, 12}},
        {"arc four y, x points", Rec(META_ARC, {1, 2, 3, 4, 5, 6, 7, 8}), {3, 4, 9, 8, 15, 12, 21, 16}},
        {"roundrect corner height on y, width on x", Rec(META_ROUNDRECT, {3, 4, 40, 30, 20, 10}),
         {9, 8, 120, 60, 60, 20}},
        {"pen width on x, its y part on y", Rec(META_CREATEPENINDIRECT, {0, 3, 5, 0xFF, 0}), {0, 6, 15, 0xFF, 0}},
        {"font height on y, width on x", Rec(META_CREATEFONTINDIRECT, {-12, 5, 0, 0}), {-36, 10, 0, 0}},
        {"char extra on x", Rec(META_SETTEXTCHAREXTRA, {3}), {6}},
        {"textout point", Rec(META_TEXTOUT, {3, 0x4241, 0x43, 5, 6}), {3, 0x4241, 0x43, 15, 12}},
        {"exttextout rectangle sides and advances on x",
         Rec(META_EXTTEXTOUT, {5, 6, 2, 4 /*clipped*/, 1, 2, 3, 4, 0x4241, 7, 8}),
         {15, 12, 2, 4, 2, 6, 6, 12, 0x4241, 14, 16}},
        {"stretchdib destination height, width, y, x",
         Rec(META_STRETCHDIB, {0x20, 0xCC, 0, 9, 9, 9, 9, 5, 6, 7, 8, 0x28}),
         {0x20, 0xCC, 0, 9, 9, 9, 9, 15, 12, 21, 16, 0x28}},
    };
    for (const Case& c : cases) {
        CMetaScaleContext ctx = MakeMetaScaleContext(RECT{0, 0, 200, 300}, RECT{0, 0, 100, 100});
        std::vector<BYTE> rec = c.in;
        EXPECT_TRUE(ScaleMetaRecordBytes(ctx, rec)) << c.name;
        EXPECT_EQ(Params(rec), c.out) << c.name;
    }
}

TEST(ScaleMetaRecord, MappingViewportAndClipRecordsAreLeftOut)
{
    for (WORD function : {META_SETMAPMODE, META_SETVIEWPORTORG, META_SETVIEWPORTEXT, META_OFFSETVIEWPORTORG,
                          META_EXCLUDECLIPRECT, META_INTERSECTCLIPRECT, META_SETWINDOWORG, META_SETWINDOWEXT,
                          META_OFFSETWINDOWORG, META_SCALEWINDOWEXT, META_SCALEVIEWPORTEXT}) {
        CMetaScaleContext ctx = Doubling();
        std::vector<BYTE> rec = Rec(function, {1, 1, 1, 1});
        EXPECT_FALSE(ScaleMetaRecordBytes(ctx, rec)) << function;
    }
}

TEST(ScaleMetaRecord, WindowRecordsSnapToTheSourceRectangle)
{
    // Source (10, 20, 110, 220) into (0, 0, 100, 100).
    CMetaScaleContext ctx = MakeMetaScaleContext(RECT{0, 0, 100, 100}, RECT{10, 20, 110, 220});
    std::vector<BYTE> org = Rec(META_SETWINDOWORG, {200, 60});  // y nearer bottom, x a tie -> left
    ScaleMetaRecordBytes(ctx, org);
    EXPECT_EQ(ctx.srcOrgX, 10);
    EXPECT_EQ(ctx.srcOrgY, 220);
    std::vector<BYTE> ext = Rec(META_SETWINDOWEXT, {-5, 7});
    ScaleMetaRecordBytes(ctx, ext);
    EXPECT_EQ(ctx.srcExtX, 100);
    EXPECT_EQ(ctx.srcExtY, -200);
    // A point at the window's bottom-left corner lands at the destination origin.
    std::vector<BYTE> line = Rec(META_LINETO, {220, 10});
    ASSERT_TRUE(ScaleMetaRecordBytes(ctx, line));
    EXPECT_EQ(Params(line), (std::vector<int>{0, 0}));
    line = Rec(META_LINETO, {20, 110});
    ASSERT_TRUE(ScaleMetaRecordBytes(ctx, line));
    EXPECT_EQ(Params(line), (std::vector<int>{100, 100}));
}

TEST(ScaleMetaRecord, WindowOffsetAndExtentScalingFollowTheWindow)
{
    CMetaScaleContext ctx = Doubling();
    std::vector<BYTE> offset = Rec(META_OFFSETWINDOWORG, {5, 10});
    ScaleMetaRecordBytes(ctx, offset);
    // The window origin moves by the offset, so the point at it maps to 0.
    std::vector<BYTE> line = Rec(META_LINETO, {5, 10});
    ScaleMetaRecordBytes(ctx, line);
    EXPECT_EQ(Params(line), (std::vector<int>{0, 0}));

    std::vector<BYTE> scale = Rec(META_SCALEWINDOWEXT, {1, 2, 0, 3});  // y * 2 / 1, x denominator 0
    ScaleMetaRecordBytes(ctx, scale);
    EXPECT_EQ(ctx.srcExtX, 100);
    EXPECT_EQ(ctx.srcExtY, 200);
}

TEST(ScaleMetaRecord, ResultsClampTo16BitsAndBadRecordsAreNotPlayed)
{
    // A hundredfold enlargement overflows 16 bits: values clamp to +-32767.
    CMetaScaleContext ctx = MakeMetaScaleContext(RECT{0, 0, 10000, 10000}, RECT{0, 0, 100, 100});
    std::vector<BYTE> line = Rec(META_LINETO, {-30000, 30000});
    ASSERT_TRUE(ScaleMetaRecordBytes(ctx, line));
    EXPECT_EQ(Params(line), (std::vector<int>{-32767, 32767}));

    struct Case {
        const char* name;
        std::vector<BYTE> rec;
    } bad[] = {
        {"polyline count past the record", Rec(META_POLYLINE, {50, 1, 2})},
        {"polypolygon counts past the record", Rec(META_POLYPOLYGON, {3, 1})},
        {"textout string past the record", Rec(META_TEXTOUT, {40, 1, 2})},
        {"exttextout string past the record", Rec(META_EXTTEXTOUT, {1, 2, 30, 0, 1})},
        {"rectangle cut short", Rec(META_RECTANGLE, {1, 2})},
        {"stretchdib cut short", Rec(META_STRETCHDIB, {0, 0, 0, 1})},
        {"no parameters", Rec(META_LINETO, {})},
    };
    for (const Case& c : bad) {
        CMetaScaleContext d = Doubling();
        std::vector<BYTE> rec = c.rec;
        EXPECT_FALSE(ScaleMetaRecordBytes(d, rec)) << c.name;
    }
    // An empty source extent cannot map anything.
    CMetaScaleContext empty = MakeMetaScaleContext(RECT{0, 0, 10, 10}, RECT{5, 5, 5, 9});
    std::vector<BYTE> rec = Rec(META_LINETO, {1, 1});
    EXPECT_FALSE(ScaleMetaRecordBytes(empty, rec));
}
