// Exclusive flag groups, the alignment mapping and the object presets.
#include "shapes/FigFlags.h"

#include <gtest/gtest.h>

TEST(FigFlags, ExclusiveSetClearsItsGroupOnlyForOneMember)
{
    FigFlagSet f{1 | 4 | 8, 0};
    SetExclusiveFlag(f, 2, 0, true);
    EXPECT_EQ(f.low, 2u | 8u);
    FigFlagSet g{1 | 4, 0};
    SetExclusiveFlag(g, 3, 0, true);   // several bits: nothing cleared
    EXPECT_EQ(g.low, 7u);
    FigFlagSet h{0x4000 | 0x10000, 0};
    SetExclusiveFlag(h, 0x8000, 1, true);   // high bits given: nothing cleared
    EXPECT_EQ(h.low, 0x1C000u);
    EXPECT_EQ(h.high, 1u);
    SetExclusiveFlag(h, 0x40000, 0, true);
    SetExclusiveFlag(h, 0x20000, 0, true);
    EXPECT_EQ(h.low & 0x60000u, 0x20000u);
    SetExclusiveFlag(h, 0x4000, 1, false);
    EXPECT_EQ(h, (FigFlagSet{0x38000, 0}));
}

TEST(FigFlags, AlignmentWordMapsCrossed)
{
    struct Case { WORD word; DWORD low; };
    for (const Case& c : {Case{0, 1 | 32}, Case{2 | 4, 2 | 32}, Case{4 | 0x10, 1 | 8},
                          Case{1 | 0x20, 4 | 16}, Case{0x40, 1 | 32}, Case{0x44, 1 | 32}}) {
        FigFlagSet f{7 | 0x38, 0};
        SetAlignFlags(f, c.word);
        EXPECT_EQ(f.low, c.low) << c.word;
    }
}

TEST(FigFlags, PresetsFromEmpty)
{
    auto run = [](FigFlagSet& (*fn)(FigFlagSet&)) { FigFlagSet f; fn(f); return f; };
    EXPECT_EQ(run(SetBaseFigFlags), (FigFlagSet{0x100000 | 2 | 16, 0}));
    EXPECT_EQ(run(SetFigFlagsPresetC), (FigFlagSet{0x200000 | 64, 0}));
    EXPECT_EQ(run(SetFigFlagsPresetE), (FigFlagSet{4096 | 8192 | 0x100000 | 0x200000, 16 | 32}));
    EXPECT_EQ(run(SetSymbolFigFlags), (FigFlagSet{2 | 16 | 0x4000 | 0x20000, 16 | 128 | 64 | 256 | 512}));
    EXPECT_EQ(run(SetPictureFigFlags),
              (FigFlagSet{0x100000 | 2 | 16 | 0x400000 | 0x2000000 | 0x1000000, 16 | 32 | 256 | 512}));
    // PresetC's 64 lies outside the vertical group {8, 16, 32} and stays.
    EXPECT_EQ(run(SetDocFigFlagsDefault),
              (FigFlagSet{0x200000 | 64 | 256 | 128 | 1 | 32 | 0x4000 | 0x20000 | 0x800000, 0}));
    EXPECT_EQ(run(SetFigFlagsPresetD),
              (FigFlagSet{0x200000 | 64 | 0x80000 | 2 | 16 | 0x4000 | 0x20000 | 4096 | 0x100000, 256 | 512}));
}

TEST(FigFlags, PresetsClearWhatTheyName)
{
    FigFlagSet f{0xFFFFFFFF, 0xFFFFFFFF};
    SetDocFigFlagsDefault(f);
    EXPECT_EQ(f.high & (1 | 2 | 16 | 32 | 64 | 128 | 256 | 512), 0u);
    EXPECT_EQ(f.high & 4u, 4u);   // -high 243 leaves high 4 and 8 alone
    EXPECT_EQ(f.low & 7u, 1u);
    EXPECT_EQ(f.low & 0x38u, 32u);
    FigFlagSet g{0x80000 | 4096 | 0x100000 | 1, 0};
    ClearFigFlagsPresetF(g);
    EXPECT_EQ(g.low, 1u);
    EXPECT_TRUE(FlagsIntersect(g, {1, 0}));
    EXPECT_FALSE(FlagsIntersect(g, {2, 1}));
    FigFlagSet b;
    SetFlagBits(b, 3, 0, true);
    EXPECT_EQ(b.low, 3u);
}
