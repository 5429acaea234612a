// Conversions between placeable Windows metafiles and enhanced metafiles,
// with the damaged headers that must be refused.
#include "graphics/MetafileHelpers.h"
#include "platform/MetaFixtures.h"
#include "render/PictureConversions.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
// A placeable block: header with the box and units per inch, then a WMF
// whose window is the box, with one rectangle.
HGLOBAL PlaceableBlock(SHORT right, SHORT bottom, WORD inch, int truncateBy = 0)
{
    PlaceableMetaHeader header;
    header.right = right;
    header.bottom = bottom;
    header.inch = inch;
    const std::vector<BYTE> wmf = CWmfBuilder()
                                      .Record(META_SETWINDOWORG, {0, 0})
                                      .Record(META_SETWINDOWEXT, {bottom, right})
                                      .Record(META_RECTANGLE, {bottom / 2, right / 2, 10, 10})
                                      .Finish();
    const size_t size = PLACEABLE_HEADER_SIZE + wmf.size() - size_t(truncateBy);
    HGLOBAL h = GlobalAlloc(GHND, size);
    CGlobalLock lock(h);
    WritePlaceableHeader(lock.data(), header);
    std::memcpy(lock.data() + PLACEABLE_HEADER_SIZE, wmf.data(), wmf.size() - size_t(truncateBy));
    return h;
}

PlaceableMetaHeader HeaderOf(HGLOBAL block)
{
    PlaceableMetaHeader h;
    CGlobalLock lock(block);
    EXPECT_TRUE(ReadPlaceableHeader(MetaBytes(lock.data(), lock.size()), h));
    return h;
}
} // namespace

TEST(PictureConversions, PlaceableToEnhancedAndBack)
{
    HGLOBAL wmf = PlaceableBlock(1000, 500, 1000);
    HGLOBAL emf = PlaceableToEnhBlock(wmf, false);
    ASSERT_NE(emf, nullptr);
    EXPECT_TRUE(IsEnhMetafileBlock(emf));
    HGLOBAL back = EnhToPlaceableBlock(emf, true); // the EMF block goes
    ASSERT_NE(back, nullptr);
    const PlaceableMetaHeader h = HeaderOf(back);
    EXPECT_GT(h.right - h.left, 0);
    EXPECT_GT(h.bottom - h.top, 0);
    EXPECT_GT(h.inch, 0);
    // The picture keeps its physical width: one inch.
    EXPECT_NEAR(double(h.right - h.left) / h.inch, 1.0, 0.02);
    {
        CGlobalLock lock(back);
        EXPECT_EQ(PlaceableChecksum(lock.data()), h.checksum);
    }
    GlobalFree(back);
    GlobalFree(wmf);
}

// Damaged headers are refused before anything divides by them or reads
// past the block.
TEST(PictureConversions, DamagedBlocksAreRefused)
{
    struct Case {
        const char* what;
        HGLOBAL block;
    };
    const Case cases[] = {
        {"zero units per inch", PlaceableBlock(1000, 500, 0)},
        {"empty box", PlaceableBlock(0, 0, 1000)},
        {"bits cut short", PlaceableBlock(1000, 500, 1000, 8)},
        {"no key", GlobalAlloc(GHND, 64)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlaceableToEnhBlock(c.block, true), nullptr) << c.what;
        EXPECT_GT(GlobalSize(c.block), 0u) << c.what; // the source is kept
        EXPECT_EQ(EnhToPlaceableBlock(c.block, true), nullptr) << c.what;
        GlobalFree(c.block);
    }
}

TEST(PictureConversions, EnhancedWithoutFrameIsRefused)
{
    HGLOBAL wmf = PlaceableBlock(1000, 500, 1000);
    HGLOBAL emf = PlaceableToEnhBlock(wmf, true);
    ASSERT_NE(emf, nullptr);
    {
        // rclFrame.right = rclFrame.left: no width to take units per inch from.
        CGlobalLock lock(emf);
        std::memcpy(lock.data() + 32, lock.data() + 24, 4);
    }
    EXPECT_EQ(EnhToPlaceableBlock(emf, true), nullptr);
    GlobalFree(emf);
}
