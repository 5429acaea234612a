// Recolouring enhanced metafiles: the colour scan, the tint rules and the
// per-record rewriting that never touches the picture.
#include "graphics/MetaRecolour.h"
#include "platform/MetaFixtures.h"

#include <gtest/gtest.h>

namespace {
HENHMETAFILE Emf(const std::vector<BYTE>& bytes) { return SetEnhMetaFileBits(UINT(bytes.size()), bytes.data()); }
}  // namespace

TEST(MetaRecolour, RealColours)
{
    for (COLORREF c : {0xFFFFFFu, 0u, 0x040404u, 0xFCFCFCu, 0x030201u})
        EXPECT_FALSE(IsRealColor(c)) << std::hex << c;
    EXPECT_TRUE(IsRealColor(RGB(255, 0, 0)));
    EXPECT_TRUE(IsRealColor(0x050505));
}

TEST(MetaRecolour, TintRulesAtTheirEnds)
{
    const COLORREF tint = RGB(200, 100, 50);
    EXPECT_EQ(TintMono(tint, 0.0), RGB(255, 255, 255));
    EXPECT_EQ(TintMono(tint, 1.0), tint);
    EXPECT_EQ(TintColored(tint, 0.0), RGB(255, 255, 255));
    EXPECT_EQ(TintColored(tint, 0.5), tint);
    EXPECT_EQ(TintColored(tint, 1.0), RGB(0, 0, 0));
}

TEST(MetaRecolour, ScanStopsAtTheFirstRealColour)
{
    struct Case {
        const char* name;
        std::vector<BYTE> emf;
        BOOL hasColours;
    } cases[] = {
        {"near black and white only",
         CEmfBuilder().Record(EMR_SETTEXTCOLOR, {RGB(20, 25, 0)}).Record(EMR_SETBKCOLOR, {RGB(230, 255, 240)}).Finish(),
         FALSE},
        {"a pen colour", CEmfBuilder().Record(EMR_CREATEPEN, {1, 0, 1, 0, RGB(26, 0, 0)}).Finish(), TRUE},
        {"a brush colour", CEmfBuilder().Record(EMR_CREATEBRUSHINDIRECT, {1, 0, RGB(0, 128, 0), 0}).Finish(), TRUE},
        {"a pixel colour", CEmfBuilder().Record(EMR_SETPIXELV, {5, 5, RGB(9, 9, 200)}).Finish(), TRUE},
        {"colour field cut off", CEmfBuilder().Record(EMR_CREATEPEN, {1, 0, 1}).Finish(), FALSE},
    };
    for (const Case& c : cases) {
        HENHMETAFILE h = Emf(c.emf);
        ASSERT_NE(h, nullptr) << c.name;
        CMetaRecolourContext ctx{RGB(255, 0, 0), FALSE, NO_COLOR};
        ScanEnhMetaColours(h, ctx);
        EXPECT_EQ(ctx.hasColours, c.hasColours) << c.name;
        DeleteEnhMetaFile(h);
    }
}

// Playing recoloured twice must give the same colours: the rewriting works on
// copies of the records, never on the stored picture.
TEST(MetaRecolour, RewritingTintsCopiesOnly)
{
    const std::vector<BYTE> bytes =
        CEmfBuilder().Record(EMR_SETTEXTCOLOR, {RGB(0, 0, 0)}).Record(EMR_RECTANGLE, {0, 0, 9, 9}).Finish();
    HENHMETAFILE h = Emf(bytes);
    ASSERT_NE(h, nullptr);
    const CMetaRecolourContext ctx{RGB(0, 0, 255), FALSE, NO_COLOR};
    std::vector<COLORREF> seen;
    for (int pass = 0; pass < 2; ++pass) {
        EnumEnhMetaFileRecords(h, [&](std::vector<BYTE>& record) {
            RecolourEnhRecord(record, ctx);
            if (LoadLE32(record.data()) == EMR_SETTEXTCOLOR)
                seen.push_back(LoadLE32(record.data() + 8));
            return 1;
        });
    }
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0], seen[1]);
    COLORREF expected = RGB(0, 0, 0);
    TintMetaColor(expected, ctx.tint, FALSE, NO_COLOR);
    EXPECT_EQ(seen[0], expected);
    EXPECT_EQ(h->Bits(), bytes);
    DeleteEnhMetaFile(h);
}

TEST(MetaRecolour, ReferenceColourIsKept)
{
    COLORREF c = RGB(10, 200, 30);
    TintMetaColor(c, RGB(255, 0, 0), TRUE, RGB(10, 200, 30));
    EXPECT_EQ(c, RGB(10, 200, 30));
    CMetaRecolourContext ctx{RGB(255, 0, 0), FALSE, RGB(10, 200, 30)};
    NoteMetaColor(ctx, RGB(10, 200, 30));
    EXPECT_FALSE(ctx.hasColours);
    NoteMetaColor(ctx, RGB(10, 201, 30));
    EXPECT_TRUE(ctx.hasColours);
}
