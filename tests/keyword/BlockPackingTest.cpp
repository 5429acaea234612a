#include "keyword/BlockPacking.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {
using Bytes = std::vector<BYTE>;

Bytes FromBlock(HGLOBAL h)
{
    Bytes out;
    if (!h)
        return out;
    {
        CGlobalLock lock(h);
        out.assign(lock.data(), lock.data() + lock.size());
    }
    GlobalFree(h);
    return out;
}

Bytes Repeat(const Bytes& unit, size_t times)
{
    Bytes out;
    for (size_t i = 0; i < times; ++i)
        out.insert(out.end(), unit.begin(), unit.end());
    return out;
}

Bytes Distinct(size_t n)
{
    Bytes out;
    for (size_t i = 0; i < n; ++i)
        out.push_back(BYTE(i * 7 + (i / 37))); // no byte equals its neighbours
    return out;
}

Bytes Runs(const Bytes& in) { return FromBlock(PackRunsBytes(in.data(), in.size())); }
Bytes Blocks(const Bytes& in) { return FromBlock(PackBlocksBytes(in.data(), in.size())); }
Bytes UnRuns(const Bytes& in) { return FromBlock(UnpackRunsBytes(in.data(), in.size())); }
Bytes UnBlocks(const Bytes& in) { return FromBlock(UnpackBlocksBytes(in.data(), in.size())); }
} // namespace

TEST(BlockPacking, RunCoderVectors)
{
    EXPECT_EQ(Runs({0x41, 0x41, 0x41, 0x41}), (Bytes{0x04, 0x41, 0x00}));
    EXPECT_EQ(Runs({0x41}), (Bytes{0xFF, 0x41, 0x00}));
    EXPECT_EQ(Runs({0x41, 0x42, 0x41, 0x42, 0x41, 0x42}), (Bytes{0x01, 0x03, 0x41, 0x42, 0x00}));
    EXPECT_EQ(Runs({1, 2, 3, 1, 2, 3, 1, 2, 3}), (Bytes{0x02, 0x03, 1, 2, 3, 0x00}));
    EXPECT_EQ(Runs(Bytes(200, 9)), (Bytes{127, 9, 73, 9, 0x00}));

    const Bytes distinct = Distinct(130);
    Bytes expected{0x81};
    expected.insert(expected.end(), distinct.begin(), distinct.begin() + 127);
    expected.push_back(0xFD);
    expected.insert(expected.end(), distinct.begin() + 127, distinct.end());
    expected.push_back(0x00);
    EXPECT_EQ(Runs(distinct), expected);
}

TEST(BlockPacking, BlockCoderVectors)
{
    EXPECT_EQ(Blocks(Repeat({0x11, 0x22, 0x33, 0xFF}, 3)), (Bytes{0x50, 0x03, 0x11, 0x22, 0x33, 0xFF}));
    EXPECT_EQ(Blocks(Repeat({0x11, 0x22, 0x33, 0x00}, 3)), (Bytes{0x60, 0x03, 0x11, 0x22, 0x33, 0xFF}));
    EXPECT_EQ(Blocks(Repeat({0xFF, 0x22, 0x33, 0x44}, 3)), (Bytes{0x70, 0x03, 0x22, 0x33, 0x44, 0xFF}));
    EXPECT_EQ(Blocks(Repeat({0x00, 0x22, 0x33, 0x44}, 3)), (Bytes{0x80, 0x03, 0x22, 0x33, 0x44, 0xFF}));
    EXPECT_EQ(Blocks(Repeat({0x01, 0x22, 0x33, 0x44}, 3)), (Bytes{0x40, 0x03, 0x01, 0x22, 0x33, 0x44, 0xFF}));
    const Bytes twice = Repeat({0x11, 0x22, 0x33, 0xFF}, 2);
    Bytes literal{0x00, 0x08};
    literal.insert(literal.end(), twice.begin(), twice.end());
    literal.push_back(0xFF);
    EXPECT_EQ(Blocks(twice), literal);
    EXPECT_EQ(Blocks(Bytes(5, 0x07)), (Bytes{0x10, 0x05, 0x07, 0xFF}));
    EXPECT_EQ(Blocks(Bytes(4, 0x07)), (Bytes{0x00, 0x04, 0x07, 0x07, 0x07, 0x07, 0xFF}));
    EXPECT_EQ(Blocks({1, 2, 1, 2, 1, 2}), (Bytes{0x20, 0x03, 1, 2, 0xFF}));
    // Width 4 is tried before width 2: twelve bytes of period 2 are three
    // 4-byte units, not six 2-byte ones.
    EXPECT_EQ(Blocks(Repeat({1, 2}, 6)), (Bytes{0x40, 0x03, 1, 2, 1, 2, 0xFF}));
    // Literal bytes up to the repeat, then the repeat.
    EXPECT_EQ(Blocks({9, 8, 5, 5, 5, 5, 5}), (Bytes{0x00, 0x02, 9, 8, 0x10, 0x05, 5, 0xFF}));
    // 5000 equal bytes: blocks of at most 2047 units.
    EXPECT_EQ(Blocks(Bytes(5000, 3)), (Bytes{0x17, 0xFF, 3, 0x17, 0xFF, 3, 0x13, 0x8A, 3, 0xFF}));
}

TEST(BlockPacking, RoundTripsOfMixedData)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 40; ++round) {
        Bytes data;
        const size_t pieces = 1 + rng() % 30;
        for (size_t k = 0; k < pieces; ++k) {
            const size_t len = 1 + rng() % 600;
            switch (rng() % 4) {
            case 0: data.insert(data.end(), len, BYTE(rng())); break;
            case 1: for (size_t i = 0; i < len; ++i) data.push_back(BYTE(rng())); break;
            case 2: {
                const Bytes px{BYTE(rng()), BYTE(rng()), BYTE(rng()), BYTE(rng() % 2 ? 0xFF : 0)};
                Bytes r = Repeat(px, len);
                data.insert(data.end(), r.begin(), r.end());
                break;
            }
            default: {
                const Bytes unit{BYTE(rng()), BYTE(rng()), BYTE(rng())};
                Bytes r = Repeat(Bytes(unit.begin(), unit.begin() + 2 + rng() % 2), len);
                data.insert(data.end(), r.begin(), r.end());
            }
            }
        }
        EXPECT_EQ(UnRuns(Runs(data)), data) << round;
        EXPECT_EQ(UnBlocks(Blocks(data)), data) << round;
    }
}

TEST(BlockPacking, UnpackersAcceptTheControlsThePackersDoNotWrite)
{
    // -128: length 2, count 3, then the two bytes.
    EXPECT_EQ(UnRuns({0x80, 2, 3, 0xA, 0xB, 0x00}), (Bytes{0xA, 0xB, 0xA, 0xB, 0xA, 0xB}));
}

TEST(BlockPacking, CorruptAndEmptyStreamsGiveNull)
{
    const Bytes corruptRuns[] = {
        {0x00},                 // empty
        {0x04, 0x41},           // no end byte
        {0x04},                 // run without its byte
        {0x01, 0x05, 0x41},     // pair cut short
        {0xFB, 1, 2, 0x00},     // literal of 5 claims more than it holds
        {0x80, 9, 2, 1, 0x00},  // repeated literal cut short
        {},
    };
    for (const auto& s : corruptRuns)
        EXPECT_EQ(UnpackRunsBytes(s.data(), s.size()), nullptr) << s.size();

    const Bytes corruptBlocks[] = {
        {0xFF},                         // empty
        {0x10, 0x05, 0x07},             // no end byte
        {0x00, 0x00, 0xFF},             // literal block of 0
        {0x10, 0x00, 0x07, 0xFF},       // repeat of 0
        {0x90, 0x01, 1, 2, 3, 0xFF},    // type 9
        {0xE0, 0x01, 1, 2, 3, 0xFF},    // type 14
        {0x00, 0x05, 1, 2},             // literal claims more than it holds
        {0x40, 0x02, 1, 2},             // unit cut short
        {0x10},                         // half a header
        {},
    };
    for (const auto& s : corruptBlocks)
        EXPECT_EQ(UnpackBlocksBytes(s.data(), s.size()), nullptr) << s.size();
}

TEST(BlockPacking, HandlesAndOutOfMemory)
{
    EXPECT_EQ(PackRuns(nullptr), nullptr);
    EXPECT_EQ(UnpackBlocks(nullptr), nullptr);
    HGLOBAL empty = GlobalAlloc(GMEM_MOVEABLE, 0);
    EXPECT_EQ(PackBlocks(empty), nullptr);
    GlobalFree(empty);

    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, 10);
    {
        CGlobalLock lock(h);
        std::fill_n(lock.data(), 10, BYTE(5));
    }
    HGLOBAL packed = PackRuns(h);
    ASSERT_NE(packed, nullptr);
    EXPECT_EQ(GlobalSize(packed), 3u); // exactly the measured size
    HGLOBAL unpacked = UnpackRuns(packed);
    ASSERT_NE(unpacked, nullptr);
    EXPECT_EQ(GlobalSize(unpacked), 10u);
    GlobalFree(unpacked);
    SetGlobalMemoryLimit(GlobalMemoryInUse());
    EXPECT_EQ(UnpackRuns(packed), nullptr);
    EXPECT_EQ(PackBlocks(h), nullptr);
    SetGlobalMemoryLimit(0);
    GlobalFree(packed);
    GlobalFree(h);
}
