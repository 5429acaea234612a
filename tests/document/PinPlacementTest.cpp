// The sixteen placement types against hand-worked positions, and the attach
// kind table's rows.
#include "document/AttachKinds.h"
#include "document/PinPlacement.h"
#include "document/StapleKinds.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <string>

namespace {

// The host of every case: 200 wide, 100 high, centre (200, 150).
const CRect kHost(100, 100, 300, 200);

struct PlaceCase {
    const char* name;
    int type;
    CRect r;
    int snap;
    bool ok;
    CRect moved;
    CPoint p, q;
};

const PlaceCase kCases[] = {
    // Border rule, beside: the nearer side; the middle height within s.
    {"beside right", 1, {320, 120, 340, 140}, -1, true, {300, 120, 320, 140}, {300, 130}, {300, 130}},
    {"beside right centred", 1, {320, 120, 340, 140}, 30, true, {300, 140, 320, 160}, {300, 150}, {300, 150}},
    {"beside not centred past s", 1, {320, 120, 340, 140}, 20, true, {300, 120, 320, 140}, {300, 130}, {300, 130}},
    {"beside tie goes left", 1, {190, 120, 210, 140}, -1, true, {80, 120, 100, 140}, {100, 130}, {100, 130}},
    {"beside equal span", 2, {320, 100, 340, 200}, -1, true, {300, 100, 320, 200}, {300, 150}, {300, 150}},
    // Flush with the host's bottom is neither inside nor equal: the nearest
    // pair, here the bottom corners, and no centring.
    {"beside flush bottom", 1, {320, 160, 340, 200}, 30, true, {300, 160, 320, 200}, {300, 200}, {300, 200}},
    // Above or below: the nearer; a tie goes above.
    {"above", 1, {150, 60, 170, 80}, -1, true, {150, 80, 170, 100}, {160, 100}, {160, 100}},
    {"above centred", 3, {180, 60, 200, 80}, 25, true, {190, 80, 210, 100}, {200, 100}, {200, 100}},
    {"below", 3, {150, 230, 170, 250}, -1, true, {150, 200, 170, 220}, {160, 200}, {160, 200}},
    {"above tie", 3, {150, 140, 170, 160}, -1, true, {150, 80, 170, 100}, {160, 100}, {160, 100}},
    // The nearest anchor pair: e and j tie exactly, e comes first.
    {"corner pair e", 1, {320, 60, 340, 80}, -1, true, {300, 100, 320, 120}, {300, 100}, {300, 100}},
    {"corner pair j", 3, {320, 60, 340, 80}, -1, true, {280, 80, 300, 100}, {300, 100}, {300, 100}},
    // Type 2 above the host goes beside it, never above.
    {"type 2 never above", 2, {150, 60, 170, 80}, -1, true, {80, 100, 100, 120}, {100, 100}, {100, 100}},
    // Type 15 keeps its left side, above and below.
    {"name tab above", 15, {120, 60, 140, 80}, -1, true, {120, 80, 140, 100}, {120, 100}, {120, 100}},
    {"name tab below", 15, {120, 220, 140, 240}, -1, true, {120, 200, 140, 220}, {120, 200}, {120, 200}},
    // Outline rule.
    {"outline on it", 4, {290, 140, 310, 160}, -1, true, {290, 140, 310, 160}, {300, 150}, {300, 150}},
    {"outline nearest", 4, {280, 130, 300, 150}, -1, true, {290, 130, 310, 150}, {300, 140}, {300, 140}},
    {"outline sides", 5, {280, 130, 300, 150}, -1, true, {290, 130, 310, 150}, {300, 140}, {300, 140}},
    {"outline sides inset", 5, {280, 90, 300, 110}, -1, true, {290, 100, 310, 120}, {300, 110}, {300, 110}},
    {"outline sides tie goes right", 5, {190, 130, 210, 150}, -1, true, {290, 130, 310, 150}, {300, 140}, {300, 140}},
    {"outline sides too tall", 5, {280, 90, 300, 210}, -1, false, {}, {}, {}},
    {"outline top", 6, {150, 90, 170, 110}, -1, true, {150, 90, 170, 110}, {160, 100}, {160, 100}},
    {"outline top bottom tie", 6, {150, 140, 170, 160}, -1, true, {150, 190, 170, 210}, {160, 200}, {160, 200}},
    {"outline top inset", 6, {80, 80, 100, 100}, -1, true, {100, 90, 120, 110}, {110, 100}, {110, 100}},
    {"outline too wide", 6, {50, 90, 350, 110}, -1, false, {}, {}, {}},
    // Inside rule.
    {"inside nearest side", 7, {110, 120, 130, 140}, -1, true, {100, 120, 120, 140}, {100, 130}, {100, 130}},
    {"inside across left", 7, {90, 120, 110, 140}, -1, true, {100, 120, 120, 140}, {100, 130}, {100, 130}},
    {"inside across top", 7, {150, 90, 170, 110}, -1, true, {150, 100, 170, 120}, {160, 100}, {160, 100}},
    {"inside corner", 7, {90, 90, 110, 110}, -1, true, {100, 100, 120, 120}, {100, 100}, {100, 100}},
    {"inside bottom-right", 7, {290, 190, 310, 210}, -1, true, {280, 180, 300, 200}, {300, 200}, {300, 200}},
    {"inside too large", 7, {0, 0, 250, 50}, -1, false, {}, {}, {}},
    // As wide (as tall) as the host still fits.
    {"inside full width", 7, {100, 120, 300, 140}, -1, true, {100, 120, 300, 140}, {300, 130}, {300, 130}},
    {"inside full height", 8, {120, 100, 140, 200}, -1, true, {100, 100, 120, 200}, {100, 150}, {100, 150}},
    {"inside sides only", 8, {110, 120, 130, 140}, -1, true, {100, 120, 120, 140}, {100, 130}, {100, 130}},
    {"inside sides no corner", 8, {150, 90, 170, 110}, -1, false, {}, {}, {}},
    {"inside sides no corner below", 8, {150, 190, 170, 210}, -1, false, {}, {}, {}},
    {"inside top or bottom", 9, {150, 90, 170, 110}, -1, true, {150, 100, 170, 120}, {160, 100}, {160, 100}},
    // Flush with the left side is not between the sides: the corner.
    {"inside top or bottom flush left", 9, {100, 90, 120, 110}, -1, true, {100, 100, 120, 120}, {100, 100}, {100, 100}},
    {"inside top or bottom corner", 9, {90, 120, 110, 140}, -1, false, {}, {}, {}},
    {"inside top or bottom no corner right", 9, {290, 120, 310, 140}, -1, false, {}, {}, {}},
    // Single rules.
    {"centre line", 10, {150, 120, 170, 140}, -1, true, {190, 120, 210, 140}, {200, 130}, {200, 130}},
    {"centre line below", 10, {150, 220, 170, 240}, -1, true, {190, 220, 210, 240}, {200, 230}, {200, 200}},
    {"near side", 11, {150, 120, 170, 140}, -1, true, {90, 120, 110, 140}, {100, 130}, {100, 100}},
    {"near side right", 11, {270, 160, 290, 180}, -1, true, {290, 160, 310, 180}, {300, 170}, {300, 170}},
    {"bottom centre", 12, {0, 0, 20, 20}, -1, true, {190, 190, 210, 210}, {200, 200}, {200, 200}},
    {"below", 13, {0, 0, 20, 20}, -1, true, {190, 200, 210, 220}, {200, 200}, {200, 200}},
    {"above", 14, {0, 0, 20, 20}, -1, true, {190, 80, 210, 100}, {200, 100}, {200, 100}},
    {"top-right corner", 16, {0, 0, 20, 20}, -1, true, {290, 90, 310, 110}, {300, 100}, {300, 100}},
    {"no type 0", 0, {0, 0, 20, 20}, -1, false, {}, {}, {}},
    {"no type 17", 17, {0, 0, 20, 20}, -1, false, {}, {}, {}},
};

class PinPlacementTest : public testing::TestWithParam<PlaceCase> {};

TEST_P(PinPlacementTest, PlacesAsWorkedOut)
{
    const PlaceCase& c = GetParam();
    CRect r = c.r;
    CPoint p, q;
    ASSERT_EQ(PlacePinRect(c.type, r, kHost, p, q, c.snap), c.ok);
    if (!c.ok) {
        EXPECT_EQ(r, c.r);
        return;
    }
    EXPECT_EQ(r, c.moved);
    EXPECT_EQ(p, c.p);
    EXPECT_EQ(q, c.q);
}

TEST_P(PinPlacementTest, DistanceIsTheTopLeftCornersMove)
{
    const PlaceCase& c = GetParam();
    int distance = -1;
    CPoint q;
    ASSERT_EQ(PlacePinDistance(c.type, distance, c.r, kHost, q), c.ok);
    if (!c.ok || c.snap != -1)
        return;
    const int dx = c.moved.left - c.r.left, dy = c.moved.top - c.r.top;
    EXPECT_NEAR(distance, std::sqrt(double(dx * dx + dy * dy)), 0.5);
    EXPECT_EQ(q, c.q);
}

INSTANTIATE_TEST_SUITE_P(Rules, PinPlacementTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<PlaceCase>& info) {
                             std::string name = std::to_string(info.index) + "_" + info.param.name;
                             for (char& ch : name)
                                 if (!isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

// A host of no size (a junction or hairline) is placed against without
// dividing by its size.
TEST(PinPlacement, ZeroSizeHost)
{
    const CRect dot(200, 150, 200, 150);
    for (int type = 1; type <= 16; ++type) {
        CRect r(0, 0, 20, 20);
        CPoint p, q;
        const bool ok = PlacePinRect(type, r, dot, p, q, 5);
        if (type >= 7 && type <= 9)
            EXPECT_FALSE(ok) << type;   // nothing fits inside
        else if (type == 5 || type == 6)
            EXPECT_FALSE(ok) << type;
        else
            EXPECT_TRUE(ok) << type;
    }
}

// ---- the table

TEST(AttachKindTable, RowsInTableOrder)
{
    const int ids[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 26, 28, 27, 23, 24, 25};
    ASSERT_EQ(AttachKindCount(), 22);
    const AttachKind* rows = AttachKindTable();
    for (int i = 0; i < 22; ++i)
        EXPECT_EQ(rows[i].id, ids[i]);
    EXPECT_EQ(rows[22].id, 0);
}

struct RowCase {
    int id, placed, host, type, step, front, stay, twoWay, single, mirrored, size, hostResize, freeResize;
};

class AttachKindRowTest : public testing::TestWithParam<RowCase> {};

TEST_P(AttachKindRowTest, HoldsItsColumns)
{
    const RowCase& c = GetParam();
    const AttachKind* k = FindAttachKindById(c.id);
    ASSERT_TRUE(k);
    const int got[] = {k->placedKind, k->hostKind, k->placementType, k->createStep, k->inFront, k->staysWithHost,
                       k->twoWay, k->single, k->mirrored, k->sizeOnCreate, k->staysOnHostResize, k->freeResize};
    const int want[] = {c.placed, c.host, c.type, c.step, c.front, c.stay, c.twoWay, c.single, c.mirrored, c.size,
                        c.hostResize, c.freeResize};
    for (size_t i = 0; i < std::size(want); ++i)
        EXPECT_EQ(got[i], want[i]) << "column " << i + 2;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AttachKindRowTest,
    testing::Values(RowCase{1, 11, 52, 4, 69, 1, 1, 0, 0, 0, 0, 0, 0}, RowCase{2, 59, 52, 5, 69, 1, 1, 0, 0, 0, 1, 0, 1},
                    RowCase{3, 60, 52, 6, 69, 1, 1, 0, 0, 0, 1, 0, 1}, RowCase{4, 11, 52, 7, 69, 1, 1, 0, 0, 0, 0, 0, 1},
                    RowCase{5, 59, 52, 8, 69, 1, 1, 0, 0, 0, 1, 0, 1}, RowCase{6, 60, 52, 9, 69, 1, 1, 0, 0, 0, 1, 0, 1},
                    RowCase{7, 56, 58, 4, 76, 1, 1, 0, 0, 0, 0, 0, 0}, RowCase{8, 13, 49, 1, 68, 0, 1, 0, 0, 0, 0, 0, 0},
                    RowCase{9, 41, 50, 1, 73, 0, 1, 0, 0, 0, 0, 0, 0}, RowCase{10, 45, 50, 2, 73, 0, 1, 0, 0, 0, 0, 0, 0},
                    RowCase{11, 46, 50, 3, 73, 0, 1, 0, 0, 0, 0, 0, 0}, RowCase{12, 41, 51, 4, 73, 1, 1, 0, 0, 0, 0, 0, 0},
                    RowCase{13, 45, 51, 5, 73, 1, 1, 0, 0, 0, 0, 0, 0}, RowCase{14, 46, 51, 6, 73, 1, 1, 0, 0, 0, 0, 0, 0},
                    RowCase{15, 6, 6, 11, 73, 1, 0, 0, 0, 0, 1, 1, 1}, RowCase{16, 6, 29, 10, -1, 1, 0, 0, 0, 0, 1, 1, 1},
                    RowCase{26, 24, 68, 12, -1, 1, 1, 0, 1, 0, 0, 0, 0}, RowCase{28, 68, 62, 13, -1, 0, 1, 1, 1, 1, 1, 0, 0},
                    RowCase{27, 62, 68, 14, -1, 0, 1, 1, 1, 0, 0, 0, 0}, RowCase{23, 63, 64, 15, 77, 0, 1, 1, 1, 0, 0, 0, 1},
                    RowCase{24, 65, 66, 16, 78, 1, 1, 1, 1, 0, 1, 0, 0}, RowCase{25, 57, 68, 10, -1, 1, 0, 0, 0, 0, 1, 1, 0}));

TEST(AttachKindTable, OnlyRow28IsMirrored)
{
    for (const AttachKind* k = AttachKindTable(); k->id; ++k)
        EXPECT_EQ(k->mirrored, k->id == 28 ? 1 : 0) << k->id;
    EXPECT_FALSE(FindAttachKindById(0));
    EXPECT_FALSE(FindAttachKindById(17));
}

// The refit reads the drawing order and the resize columns of every row.
TEST(AttachKindTable, StapleRefitEntries)
{
    const std::vector<CStapleKindEntry> entries = AttachKindStapleEntries();
    ASSERT_EQ(entries.size(), 22u);
    const CStapleKindEntry& port = entries[0];
    EXPECT_EQ(port.id, 1);
    EXPECT_EQ(port.leaderBehind, 1);
    const CStapleKindEntry& activation = entries[14];   // row 15
    EXPECT_EQ(activation.id, 15);
    EXPECT_EQ(activation.keepOnLeaderResize, 1);
    EXPECT_EQ(activation.keepOnOwnResize, 1);
    EXPECT_EQ(entries[7].leaderBehind, 0);   // row 8: a qualifier behind its class
}

} // namespace
